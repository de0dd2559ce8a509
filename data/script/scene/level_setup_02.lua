-- Level 2: the first station. Cars come along the road and wait in the stack;
-- the player drags each to the place of its colour. Serve twenty-eight cars
-- within three minutes (the task dialog says so: comic.csv, level 2).

dofile("data/script/scene/level_common.lua")

local STACK_SLOTS = 3
local SERVE_TARGET = 28
local TIME_LIMIT = 180
local ROAD = 1
local ROAD_CARS = 3
local ROAD_EVERY = 5
local served = 0
level_goal = SERVE_TARGET
local seconds = 0

-- Customer car types by colour group: groups 6 and 7 have a place here.
local CARS = {
    { 1, "auto_rot", 6 },
    { 2, "auto_blau", 7 },
    { 3, "auto_rot_2", 6 },
    { 4, "auto_blau_2", 7 },
}
local CUSTOMER = 1

local function random_customer()
    return Story:GetRandomAuto(5 + math.random(1, 2))
end

-- ---- Options of the level ------------------------------------------------
function level_options()
    Story:SetDrawStation(1)
    Story:SetTimeForLevel(TIME_LIMIT)
    Story:SetGamePlayMode(0)
    Story:SetBonusSystem("color")
    Story:SetProcessTimeInStation(4.0)
    Story:SetProcessTimeInStack(25.0)
    Story:StackCounter(STACK_SLOTS, 1, 0)
    Story:SetManager(0)
    Story:TakeFromStack(1)
    Story:SetParkingAutos(STACK_SLOTS)
    Story:SetParkingLot(Story:GetParkingLot())
    Story:SetHelpAuto(1)
    Story:SetDamage(0)
end

-- ---- Cars, the road and the stack ----------------------------------------
function cars_road_and_stack()
    for _, c in ipairs(CARS) do
        Story:AddAuto(c[1], 9, c[2])
        Story:AddAuto(c[1], 1, c[2])
        Story:SetAutoParameters(c[1], c[3], 0)
        Story:SetAutoClass(c[1], CUSTOMER, 0)
    end
    Story:EnableAutoForStack(CUSTOMER)

    -- The road runs down to the left (direction 1), one step every 0.1 s;
    -- the gap between cars counts down the screen, and this road falls
    -- only 160 pixels in all.
    Story:SetAutoBahn(ROAD, 0.1, 1)
    Story:SetAutoBahnPoints(ROAD, 1400, 40, -200, 200)
    Story:EnableClassAutoForAutobahn(ROAD, CUSTOMER)
    Story:SetAutobahnDelay(3)
    Story:SetDistanceAutobahn(16)
    Story:SetStepAutobahn(2)
    Story:TakeFromAutobahn(1)
    Story:AddTransportToAutobahn(ROAD, ROAD_CARS)

    for slot = 1, STACK_SLOTS do
        local x, y = 840 + 100 * slot, 180 + 30 * slot
        Story:SetStackCoordinateAndDirection(slot, x, y, 9)
        Story:SetToStackCoordinate(slot, x, y - 30)
        Story:SetFromStackCoordinate(slot, x, y)
    end
end

-- ---- The station: places, fundaments, decorations -----------------------
-- A block of three by three platforms (rows 3..5, columns 2..4) with the two
-- service places on it, trees around it and a sign above the cars.
function build_station()
    -- Trees stand among the places, each of its own over template and placed
    -- by design point; PlaceTexture gives each its image. A tree comes first,
    -- so that no service place has index 0.
    local trees = {
        { 100, "tree_big", 40, 250 },
        { 101, "tree_small", 1010, 560 },
        { 102, "bush", 300, 700 },
        { 103, "tree_small", 560, 770 },
        { 104, "tree_big", 820, 640 },
    }
    for _, t in ipairs(trees) do
        Story:AddOver(t[1], t[2])
        Story:CreatePlace(t[1], t[3], t[4], 9)
        Story:PlaceTexture(t[1], t[2])
    end

    Story:AddFundament(1, "fundament", "fundament_grid", 9)
    -- Service places of colour groups 6 and 7.
    Story:AddPlace(6, "place_red", 3)
    Story:AddPlace(7, "place_blue", 3)
    Story:SetOffsetForAuto(6, 30, -20, 9)
    Story:SetOffsetForAuto(7, 30, -20, 9)
    local places = { { 6, 4, 3 }, { 7, 5, 2 } }
    for row = 3, 5 do
        for column = 2, 4 do
            Story:CreateFundament(1, row, column, 9, -1)
        end
    end
    for _, p in ipairs(places) do
        Story:CreatePlace(p[1], p[2], p[3], 9)
        Story:SetColor(p[2], p[3], p[1] - 6)
    end

    -- Above the cars.
    Story:AddOver(110, "sign_station")
    Story:AddSuperOver(110, 1150, 440)
end

-- ---- The ground's decorations (drawn by the level background) -----------
function ground_bodies()
    Story:AddBody(1, "parking_1")
    Story:AddBody(2, "parking_2")
    Story:AddBody(3, "parking_3")
    Story:AddBody(10, "tree_01")
    Story:AddBody(11, "bush_01")
    Story:AddBody(12, "house_01")
    Story:AddMyBody(3, 980, 260)
    Story:AddMyBody(12, 10, 420)
    Story:AddMyBody(10, 60, 640)
    Story:AddMyBody(10, 1150, 700)
    Story:AddMyBody(11, 700, 760)
end

-- ---- Weather, light and messages -----------------------------------------
function weather_and_messages()
    common.daylight()
    common.declare_effects()
    -- A winter morning: snow drifting a little to the right, and fog that
    -- fades in to a light veil that leaves the cars' marks readable.
    Story:SetSpeedSnow(0.03)
    Story:StartSnow(1, 160, 1)
    Story:SetFogAlpha(45)
    Story:StartFog()
    common.task_line(0, served, SERVE_TARGET)
    Story:SetMessage(14, 0, SERVE_TARGET * common.CAR_POINTS)
end

-- ---- Callbacks -----------------------------------------------------------
function on_init()
    level_options()
    cars_road_and_stack()
    build_station()
    ground_bodies()
    weather_and_messages()
    common.fill_stack(STACK_SLOTS, random_customer)
end

-- Once a second: a new car on the road every few seconds, single stack slots
-- topped up, and in the last minute the evening falls.
function on_timer()
    seconds = seconds + 1
    if seconds % ROAD_EVERY == 0 then
        Story:AddTransportToAutobahn(ROAD, 1)
    end
    common.fill_stack(STACK_SLOTS, random_customer)
    if seconds == TIME_LIMIT - 60 then
        Story:StartDunkler()
    end
end

function ok_work()
    served = served + 1
    Story:SetMessage(0, served, SERVE_TARGET)
    common.credit_car()
end

function on_bonus()
    common.credit_station_bonus()
end

function ok_build()
end

function ok_update()
end

function ok_saw()
end

function add_manager()
end

function on_fill_parking_place()
    common.fill_stack(STACK_SLOTS, random_customer)
end

function on_minus_points()
    common.take_penalty()
end

function on_level_finish()
    if served >= SERVE_TARGET then
        Story:SetState(1)
    end
end

function on_blumen()
end

function on_wbaum()
end

-- Raised only on the station-building level, or by nothing at all; defined so
-- that a later caller finds them.
function on_after_init()
end

function on_load()
end

function on_after_load()
end
