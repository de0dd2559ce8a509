-- Level 19: The red rocks: a narrow grid, seven rows of four, five kinds of
-- car.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 19,
    target = 16, types = 5, rows = { 2, 8 }, columns = { 2, 5 }, slots = 3, fog = 70,
})
