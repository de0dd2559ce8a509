-- Level 25: The desert: a six by six grid of sandy cars, one joker to start
-- with.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 25,
    target = 18, types = 5, rows = { 2, 7 }, columns = { 1, 6 }, slots = 3, jokers = 1, clouds = true,
})
