-- Level 23: Concrete mixers from the dam: seven pumps, two managers taking
-- turns with the player.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 23,
    time = 240, target = 110, groups = { 6, 7, 8, 9, 10 }, extra = 2, slots = 4, limit = 3, managers = 2,
    service = 2.8, patience = 19, clouds = true,
})
