-- Level 20: The quarry: six pumps in the rocks, managers taking turns.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 20,
    time = 240, target = 102, groups = { 6, 7, 8, 9, 10 }, extra = 1, slots = 4, limit = 3, managers = 1,
    service = 3.0, patience = 20, fog = 40,
})
