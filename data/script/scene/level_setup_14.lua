-- Level 14: Road trains from the interstate: five pumps, a longer stack.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 14,
    time = 210, target = 78, groups = { 6, 7, 8, 9 }, extra = 1, slots = 4, limit = 2, managers = 1,
    service = 3.2, patience = 22, clouds = true,
})
