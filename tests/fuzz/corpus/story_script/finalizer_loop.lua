-- Finalizers that loop: a bound class's __finalize, one stored into Story,
-- and a metatable of a bound object changed to loop when collected.
class 'Looper'
function Looper:__init() end
print(pcall(function() function Looper:__finalize() while true do end end end))
local kept = Looper()
print(pcall(function() kept.__finalize = function() while true do end end end))
print(pcall(function() Story.__finalize = function() while true do end end end))
print(pcall(function() getmetatable(Story).__gc = function() while true do end end end))
print(pcall(setmetatable, {}, { __gc = function() while true do end end }))
function on_init() Looper() collectgarbage() end
function on_timer() kept = nil collectgarbage() end
