-- Level 7: The snowy north: the grid in the snow, with two jokers to start
-- with.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 7,
    target = 12, types = 4, jokers = 2, snow = 160,
})
