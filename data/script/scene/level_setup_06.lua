-- Level 6: The last weekend before the mountains: four pumps, a manager taking
-- turns with the player, morning fog.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 6,
    time = 180, target = 44, groups = { 6, 7, 8 }, extra = 1, slots = 3, limit = 2, managers = 1, service = 3.6,
    patience = 25, fog = 40,
})
