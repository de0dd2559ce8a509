-- Level 16: Rush hour: a swap grid that fills itself; swap neighbours to make
-- lines.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.grid_level({
    level = 16,
    target = 12, types = 5, rows = { 2, 6 }, columns = { 1, 5 }, swap = true, rain = 120,
})
