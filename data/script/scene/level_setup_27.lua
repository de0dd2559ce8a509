-- Level 27: A sandstorm: a veil of sand, clouds, and the cars in quick
-- succession.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 27,
    time = 240, target = 115, groups = { 6, 7, 8, 9, 10 }, extra = 2, slots = 4, limit = 3, managers = 2,
    service = 2.7, patience = 18, road_every = 3, fog = 45, clouds = true,
})
