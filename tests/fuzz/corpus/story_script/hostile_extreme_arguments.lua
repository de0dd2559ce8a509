-- The largest and smallest numbers where positions, spans and counts go.
local big, small = 2147483647, -2147483648
function on_init()
    for s = 1, 3 do Story:SetStackCoordinateAndDirection(s, big, small, 9) end
    Story:SetStackCoordinateAndDirection(4, small, big, 9)
    Story:StackCounter(4, 2, 0)
    Story:AddAuto(1, 1, "one"); Story:SetAutoClass(1, 1, 0); Story:EnableAutoTypForStack(1)
    for s = 1, 4 do Story:AddToStack(s, 1) end
    Story:AddCloud(1, small, small, big, big, 1); Story:AddTextureCloud(1, "c", 0)
    Story:AddCloud(2, big, 0, big, 0, 1); Story:AddCloud(3, 0, 0, 10, 10, big)
    Story:AddBalon(1, big, big, small, small, 1); Story:AddTextureBalon(1, "b")
    Story:AddBalon(2, 0, small, 0, big, 3); Story:AddBalon(3, 0, 0, 5, 5, big)
    Story:SetToStackCoordinate(1, big, small); Story:SetFromStackCoordinate(1, small, big)
end
function on_timer()
    Story:SetStackCoordinateAndDirection(5, 0, small + 1, 9); Story:AddToStack(5, 1)
    Story:AddCloud(4, -1, 0, big, 0, 2); Story:AddBalon(4, 0, 1, 0, small, 2)
    Story:SetAutoBahnPoints(1, small, big, small, big)
end
