-- Level 10: The ski season: a bigger grid of six by six, four kinds of car.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 10,
    target = 15, types = 4, rows = { 2, 7 }, columns = { 1, 6 }, slots = 3, snow = 120,
})
