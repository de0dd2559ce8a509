-- Helpers shared by the level scripts (loaded with dofile; there is no require).

common = {}

-- Fills every free stack slot 1..slots with a car chosen by pick(); only while
-- no car is moving between two points, or the level would freeze.
function common.fill_stack(slots, pick)
    if Story:Transfer() then
        return
    end
    for slot = 1, slots do
        if Story:StackFree(slot) == 1 then
            local car = pick()
            if car ~= -1 then
                Story:AddToStack(slot, car)
            end
        end
    end
end

-- A task line: its label is GUI text 103 + slot; it disappears once value
-- reaches target.
function common.task_line(slot, value, target)
    Story:SetMessage(slot, value, target)
    Story:ActivateMessageStatus(slot)
end

-- The light of a day level: full brightness.
function common.daylight()
    Story:SetLevelColor("red", 255)
    Story:SetLevelColor("green", 255)
    Story:SetLevelColor("blue", 255)
end

-- Every effect the game starts by itself: combos 3..8 (8 also the cup
-- sparkle), the finished lot 11 and the smoke of a broken place 20.
function common.declare_effects()
    for id = 3, 8 do
        Story:CreateEffects(id, "combo_" .. id, 8, 0, 0)
        Story:EffectTextureExt(id, "png")
    end
    Story:CreateEffects(11, "lot_done", 8, 0, 0)
    Story:EffectTextureExt(11, "png")
    Story:CreateEffects(20, "smoke", 8, 0, 0)
    Story:EffectTextureExt(20, "png")
end
