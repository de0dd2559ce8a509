-- Memory without end: in on_init, kept in a global, caught and tried again,
-- in a deep recursion, in a finalizer (refused) and in one huge string.
hoard = {}
function on_init()
    for i = 1, 1e9 do hoard[i] = string.rep("x", 65536) .. i end
end
function on_timer()
    local s = "x"
    for i = 1, 200 do pcall(function() s = s .. s end) end
    hoard = nil
end
function ok_work() local depth = ok_work() return depth end
function on_bonus()
    setmetatable({}, { __gc = function() local t = {} for i = 1, 1e6 do t[i] = {} end end })
    collectgarbage()
    local t = {} while true do t[#t + 1] = {} end
end
function on_level_finish() return string.rep("y", 2^40) end
