-- Level 24: Fog in the canyon, and the evening in the last minute.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 24,
    time = 240, target = 115, groups = { 6, 7, 8, 9, 10 }, extra = 2, slots = 4, limit = 3, managers = 2,
    service = 2.8, patience = 19, fog = 50, dusk = 60,
})
