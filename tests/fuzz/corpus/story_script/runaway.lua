function on_init()
    local s = "x"
    while true do
        pcall(function() while true do end end)
        s = s .. s
    end
end
function on_timer() return on_timer() end
function on_bonus() local co = coroutine.wrap(function() while true do coroutine.yield() end end) for i = 1, 1e9 do co() end end
setmetatable(_G, { __index = function(_, name) error("undeclared " .. name, 2) end })
