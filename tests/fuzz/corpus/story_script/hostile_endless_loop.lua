-- Loops that never end: plain, catching their own stop, in a coroutine, in a
-- tail call, in a finalizer and in a metatable's lookup.
function on_init() while true do end end
function on_timer()
    while true do pcall(function() while true do end end) end
end
function ok_work()
    local co = coroutine.wrap(function() while true do coroutine.yield() end end)
    while true do co() end
end
function on_bonus() return on_bonus() end
function on_level_finish()
    while true do pcall(error, "again") pcall(string.rep, "z", 1e7) end
end
pcall(function()
    setmetatable({}, { __gc = function() while true do end end })
    collectgarbage()
end)
local ok = pcall(setmetatable, {}, setmetatable({}, { __index = function() while true do end end }))
