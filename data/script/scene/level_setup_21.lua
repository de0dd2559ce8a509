-- Level 21: Rockfall on the pass road: cars come in waves.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 21,
    time = 240, target = 114, groups = { 6, 7, 8, 9, 10 }, extra = 2, slots = 4, limit = 3, managers = 1,
    service = 2.9, patience = 20, road_every = 3, clouds = true,
})
