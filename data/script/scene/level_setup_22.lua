-- Level 22: Climbers and campers: a bomb for every fourth line.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 22,
    target = 18, types = 4, bomb_every = 4,
})
