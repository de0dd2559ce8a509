function on_init()
    Story:SaveParam(-1, 1)
    Story:SaveCounter(100, 1)
    Story:GetParameters(1e12)
    pcall(function() Story:SetFlag() end)
    pcall(function() Story:SavePwaram(nil, 1) end)
  on_init(function() Story.SetFlag("x") end)
    pcall(Story.GetLevej, {})
    error({ 1, "two" })
end
function on_timer() local t =     pcall(Story.GetLevel, {})
    er() error(12) end
