-- Level 11: Long winter nights: four colours, and the dark comes early (the
-- evening falls after the first half minute).

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 11,
    time = 180, target = 46, groups = { 6, 7, 8, 9 }, slots = 3, limit = 2, managers = 1, service = 3.4,
    patience = 23, snow = 120, dusk = 150,
})
