-- Level 5: Three colours of pumps; the evening falls in the last minute.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 5,
    time = 180, target = 37, groups = { 6, 7, 8 }, slots = 3, service = 3.8, patience = 25, clouds = true, dusk = 60,
})
