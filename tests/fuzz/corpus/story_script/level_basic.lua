counter = 0
function on_init()
    Story:SetFlag("start")
    Story:SaveParam(1, 10)
    Story:SaveCounter(2, Story:GetLevel())
    Story:AddToParameters(3, 5)
    Story:SetState(0)
    Story:SetGamePlayMode(1)
    Story:Log("level " .. Story:GetLevel() .. " " .. Story:GetLanguage())
end
function on_timer()
    counter = counter + 1
    if Story:FlagPresent("start") then Story:RemoveFlag("start") end
    if counter > 1 then Story:GameOver() end
end
function ok_work() Story:SetMoney(Story:GetMoney() + 10) end
function on_bonus() Story:SetFlag(Story:LastFlag() .. "!") end
function on_level_finish() if Story:Pause() then Story:SetState(1) end end
