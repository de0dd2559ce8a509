-- Level 9: A blizzard: thick snow and fog, and cars coming down the road in
-- quick succession.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 9,
    time = 180, target = 51, groups = { 6, 7, 8 }, extra = 1, slots = 3, service = 3.5, patience = 24,
    road_every = 3, snow = 220, fog = 45,
})
