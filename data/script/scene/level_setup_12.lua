-- Level 12: The ice road closes at dusk: five pumps of four colours, the
-- evening in the last minute and a half.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 12,
    time = 180, target = 50, groups = { 6, 7, 8, 9 }, extra = 1, slots = 3, limit = 2, managers = 1,
    service = 3.3, patience = 22, snow = 140, dusk = 90,
})
