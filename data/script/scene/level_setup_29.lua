-- Level 29: The roadside diner: eight pumps and a short time limit.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 29,
    time = 240, target = 118, groups = { 6, 7, 8, 9, 10 }, extra = 3, slots = 4, limit = 3, managers = 2,
    service = 2.6, patience = 17, dusk = 60,
})
