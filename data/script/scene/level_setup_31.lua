-- Level 31: the home town with the player's own petrol station. The shop runs
-- it inside the main menu: the station's lots are bought with the money
-- earned on the road, cars drive through the city streets and trees stand
-- about. The lots lie on the cells of the station plan (the place names and
-- the tasks of the campaign find them there).

dofile("data/script/scene/level_common.lua")

-- The platform every lot stands on; Alt-click cycles 56, 57 and 58.
local PLATFORM = 56

-- The five pump islands of the starting forecourt: built from the start,
-- never sold, never extended.
local PUMP_KIND = 20
local PUMP_ROW = 2

-- Lots: row, column, element kind, image, price, and whether the player may
-- buy it at will and sell it back (the buildings a level needs are bought
-- when that level asks for them and are kept).
--
-- Prices follow what the levels pay a player who can go on: one who wins
-- every station level with silver or gold, as the region gates ask. Such a
-- level pays 75 000 or 90 000 (and a share of the points above its target);
-- a grid level pays its points, some 5 000 to 10 000 at its task. The car
-- wash, needed before level 2, costs less than level 1 pays at its task.
-- Every later building a level needs comes after two more station levels
-- and a grid level, and costs most of what they pay with silver: what is
-- left over is a lot at will every few buildings, so the lots at will are a
-- choice, and together they cost more than a whole campaign leaves over.
local LOTS = {
    { 3, 2, 1, "lot_wash", 4000, 0 },
    { 3, 6, 2, "lot_shop", 110000, 0 },
    { 4, 3, 3, "lot_workshop", 115000, 0 },
    { 4, 5, 4, "lot_floodlight", 120000, 0 },
    { 5, 2, 5, "lot_diesel", 125000, 0 },
    { 5, 6, 6, "lot_tower", 125000, 0 },
    { 6, 3, 7, "lot_crane", 130000, 0 },
    { 6, 5, 8, "lot_concrete", 130000, 0 },
    { 7, 2, 9, "lot_office", 135000, 0 },
    { 7, 6, 10, "lot_diner", 135000, 0 },
    { 4, 7, 11, "lot_carpark", 80000, 1 },
    { 5, 8, 12, "lot_carpark2", 120000, 1 },
    { 6, 7, 13, "lot_training", 160000, 1 },
    { 3, 4, 14, "lot_playground", 60000, 1 },
    { 3, 8, 15, "lot_weather", 140000, 1 },
    { 5, 4, 16, "lot_depot", 200000, 1 },
    { 4, 1, 17, "lot_canopy", 240000, 1 },
}

-- A lot that needs another one built first: row, column, needed row, column.
local LINKS = {
    { 5, 8, 4, 7 }, -- the second car park extends the first
    { 4, 1, 3, 2 }, -- the canopy spans the car wash's drive
}

-- Where a building image stands on its platform (design pixels). The
-- buildings are painted on the same footprint as the platform image, so they
-- are drawn where the platform is: moved off it, a building's foot would stand
-- on the neighbouring lots' platforms, leave its own showing beside it, and
-- the lots of the last row would reach into the street below them.
local IMAGE_X, IMAGE_Y = 0, 0

-- ---- City streets ----------------------------------------------------------
-- Diagonals of the isometric view. A street is a chain of segments {x1, y1,
-- x2, y2, direction}; after its last segment a car starts again at the first.
-- Street 3 comes down from the north and turns onto street 1's lane, giving
-- way to its cars; street 4 joins street 3 in the same way.
local STREETS = {
    [1] = { { -150, 1060, 1400, 425, 9 } },
    [2] = { { 1400, 470, -150, 1105, 1 } },
    [3] = { { 870, 185, 1150, 527, 3 }, { 1150, 527, 1400, 425, 9 } },
    [4] = { { 1400, 180, 1000, 344, 1 }, { 1000, 344, 1150, 527, 3 } },
}
-- Cars to start with: street, segment, car type, distance along x.
local CITY_CARS = {
    { 1, 0, 95, 0 }, { 1, 0, 96, 450 }, { 1, 0, 95, 900 },
    { 2, 0, 96, -200 }, { 2, 0, 95, -700 }, { 2, 0, 96, -1200 },
    { 3, 0, 96, 60 },
    { 4, 0, 95, -120 },
}
local CITY_CAR_IMAGES = { [95] = "city_car_a", [96] = "city_car_b" }

-- Trees to plant by hand (numpad +) and the ones standing already.
local TREES = { [101] = "tree_01", [102] = "tree_02", [103] = "tree_03", [104] = "tree_04" }
local STANDING_TREES = {
    { 104, 40, 80 }, { 101, 1030, 80 }, { 102, 1120, 620 }, { 103, 960, 760 }, { 104, 20, 560 },
}

shop_minutes = 0

local function streets_and_cars()
    Story:SetStepAutobahn(2)
    for type, image in pairs(CITY_CAR_IMAGES) do
        for _, direction in ipairs({ 1, 3, 7, 9 }) do
            Story:AddAuto(type, direction, image .. "_" .. direction)
        end
    end
    for id = 1, 4 do
        local street = STREETS[id]
        Story:SetAutoBahn(id, 1.0, street[1][5])
        Story:SetAutoBahnPoints(id, street[1][1], street[1][2], street[1][3], street[1][4])
        for segment, s in ipairs(street) do
            Story:SetAutoBahnPointsCity(id, s[1], s[2], s[3], s[4], segment - 1, s[5])
        end
    end
    for _, c in ipairs(CITY_CARS) do
        Story:AddTransportToCity(c[1], c[2], c[3], c[4])
    end
end

local function lots()
    for id = PLATFORM, PLATFORM + 2 do
        Story:AddFundament(id, "platform_" .. id, "platform_" .. id, 9)
    end
    Story:AddPlaceLot(PUMP_KIND, "pump_island", IMAGE_X, IMAGE_Y, 0)
    for column = 2, 6 do
        Story:CreateLot(PUMP_ROW, column, PLATFORM, PUMP_KIND, 1, 0, 0)
    end
    for _, lot in ipairs(LOTS) do
        Story:AddPlaceLot(lot[3], lot[4], IMAGE_X, IMAGE_Y, lot[5])
        Story:CreateLot(lot[1], lot[2], PLATFORM, lot[3], 1, lot[6], lot[6])
    end
    for _, link in ipairs(LINKS) do
        Story:AddToLink(link[1], link[2], link[3], link[4])
    end
end

local function trees()
    for id, image in pairs(TREES) do
        Story:AddOver(id, image)
    end
    for _, t in ipairs(STANDING_TREES) do
        Story:CreatePlace(t[1], t[2], t[3], 9)
    end
end

-- ---- Callbacks ---------------------------------------------------------------
function on_init()
    common.daylight()
    common.declare_effects()
    Story:SetDrawStation(1)
    Story:SetTimeForLevel(0)
    streets_and_cars()
    lots()
    trees()
end

-- After the saved lots were read: the forecourt stands from the start.
function on_after_init()
    for column = 2, 6 do
        Story:SetBuildingStatus(PUMP_ROW, column, 9)
    end
end

function on_timer()
    shop_minutes = shop_minutes + 1
end

for _, name in ipairs({ "on_bonus", "ok_work", "ok_build", "ok_update", "ok_saw", "add_manager",
    "on_fill_parking_place", "on_minus_points", "on_level_finish", "on_blumen", "on_wbaum", "on_load",
    "on_after_load" }) do
    _G[name] = function() end
end
