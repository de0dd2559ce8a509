-- Level 10: The ski season: the grid in falling snow, four kinds of car.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 10,
    target = 15, types = 4, snow = 120,
})
