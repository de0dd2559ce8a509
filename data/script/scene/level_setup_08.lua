-- Level 8: Snow chains and frozen locks: four pumps in the snow, a manager
-- taking turns.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 8,
    time = 180, target = 39, groups = { 6, 7, 8 }, extra = 1, slots = 3, limit = 2, managers = 1, service = 3.6,
    patience = 24, snow = 160,
})
