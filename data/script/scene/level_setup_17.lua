-- Level 17: The advertising tower: all five colours, and the sun sets in the
-- last minute.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 17,
    time = 210, target = 76, groups = { 6, 7, 8, 9, 10 }, slots = 4, limit = 2, managers = 1, service = 3.1,
    patience = 21, dusk = 60,
})
