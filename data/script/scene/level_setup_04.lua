-- Level 4: A holiday rush on the forecourt grid: four kinds of car, rain and a
-- passing cloud.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 4,
    target = 12, types = 4, rain = 100, clouds = true,
})
