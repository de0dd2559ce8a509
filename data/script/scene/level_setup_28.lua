-- Level 28: The oasis festival: a big swap grid that fills itself.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 28,
    target = 20, types = 5, rows = { 2, 7 }, columns = { 1, 6 }, swap = true, clouds = true,
})
