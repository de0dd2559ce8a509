function on_init()
    Story:SaveParam(-1, 1)
    Story:SaveCounter(100, 1)
    Story:GetParameters(1e12)
    pcall(function() Story:SetFlag() end)
    pcall(function() Story:SaveParam(nil, 1) end)
    pcall(function() Story.SetFlag("x") end)
    pcall(Story.GetLevel, {})
    error({ 1, "two" })
end
function on_timer() local t = nil; return t.x end
function ok_work() error(12) end
