-- Level 18: The rally: impatient sports cars in the rain and a shorter day.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 18,
    time = 210, target = 88, groups = { 6, 7, 8, 9, 10 }, extra = 1, slots = 4, limit = 2, managers = 1,
    service = 3.0, patience = 18, rain = 150,
})
