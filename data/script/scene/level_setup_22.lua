-- Level 22: Climbers and campers: a six by six grid, and a bomb for every fourth
-- line.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 22,
    target = 18, types = 5, rows = { 2, 7 }, columns = { 1, 6 }, slots = 3, bomb_every = 4,
})
