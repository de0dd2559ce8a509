-- Level 25: The desert: sandy cars, one joker to start with.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 25,
    target = 18, types = 4, jokers = 1, clouds = true,
})
