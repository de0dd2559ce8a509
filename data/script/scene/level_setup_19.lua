-- Level 19: The red rocks: the grid in the fog.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 19,
    target = 16, types = 4, fog = 40,
})
