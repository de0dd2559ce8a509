-- Level 30: The grand finale: every colour, eight pumps, the most cars of the
-- journey.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 30,
    time = 240, target = 124, groups = { 6, 7, 8, 9, 10 }, extra = 3, slots = 4, limit = 3, managers = 2,
    service = 2.5, patience = 16, clouds = true, dusk = 45,
})
