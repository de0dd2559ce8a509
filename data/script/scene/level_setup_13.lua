-- Level 13: The great highways: the grid under passing clouds.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 13,
    target = 15, types = 4, clouds = true,
})
