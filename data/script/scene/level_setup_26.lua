-- Level 26: The manager's office: three managers serve by themselves and the
-- player helps.

dofile("data/script/scene/level_common.lua")

-- ---- Settings of the level -----------------------------------------------
common.station_level({
    level = 26,
    time = 240, target = 117, groups = { 6, 7, 8, 9, 10 }, extra = 2, slots = 4, limit = 3, managers = 3,
    service = 2.7, patience = 18,
})
