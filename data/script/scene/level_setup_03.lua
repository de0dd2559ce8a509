-- Level 3: Market day in the village: a steady stream of small cars to two
-- colours of pumps, one of them twice.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 3,
    time = 180, target = 38, groups = { 6, 7 }, extra = 1, slots = 3, service = 4.0, patience = 25, rain = 120,
})
