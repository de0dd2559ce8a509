-- Level 13: The great highways: five kinds of car on a wider grid.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 13,
    target = 15, types = 5, columns = { 1, 6 }, slots = 3, clouds = true,
})
