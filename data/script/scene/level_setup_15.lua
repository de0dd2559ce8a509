-- Level 15: The county fair: two managers serve by themselves and the player
-- helps.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 15,
    time = 210, target = 80, groups = { 6, 7, 8, 9 }, extra = 2, slots = 4, limit = 2, managers = 2,
    service = 3.2, patience = 22,
})
