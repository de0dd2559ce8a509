-- Level 1: the grid. Cars arrive in the stack and pour onto the free cells
-- after every move; three of a kind in a row or column leave the grid. The
-- level has no time limit and is won at its task, ten rows; a grid that fills
-- up before is lost.

dofile("data/script/scene/level_common.lua")

local STACK_SLOTS = 1
local ROWS_TARGET = 10
local rows_done = 0
level_goal = ROWS_TARGET

-- Car types 1..4, one colour each; grid cars are drawn with variant 1.
local CARS = { "auto_rot", "auto_blau", "auto_gruen", "auto_gelb" }

local function random_car()
    return math.random(1, #CARS)
end

-- ---- Options of the level ------------------------------------------------
function level_options()
    Story:SetDrawStation(0)
    Story:SetTimeForLevel(0)
    Story:SetGamePlayMode(0)
    Story:SetBonusSystem("classe")
    Story:SetProcessTimeInStation(3.0)
    Story:SetProcessTimeInStack(30.0)
    Story:StackCounter(STACK_SLOTS, 1, 0)
    Story:SetManager(0)
    Story:TakeFromStack(1)
    Story:SetParkingAutos(STACK_SLOTS)
    Story:SetParkingLot(Story:GetParkingLot())
    Story:SetHelpAuto(1)
    Story:SetDamage(0)
end

-- ---- Cars and the stack --------------------------------------------------
function cars_and_stack()
    for t, name in ipairs(CARS) do
        Story:AddAuto(t, 1, name)
        Story:AddAuto(t, 9, name)
        Story:SetAutoParameters(t, 5 + t, 0)
        Story:SetAutoClass(t, t, 0)
        Story:EnableAutoTypForStack(t)
    end
    for slot = 1, STACK_SLOTS do
        local x, y = 910 + 80 * slot, 110 + 40 * slot
        Story:SetStackCoordinateAndDirection(slot, x, y, 9)
        Story:SetToStackCoordinate(slot, x, y - 30)
        Story:SetFromStackCoordinate(slot, x, y)
    end
end

-- ---- The station: the grid's fundaments and its seeded cars -------------
function build_station()
    -- A tree first, so that no cell place has index 0.
    Story:AddOver(100, "tree_big")
    Story:CreatePlace(100, 60, 300, 9)
    Story:PlaceTexture(100, "tree_big")
    -- Grid levels show every fundament's second image.
    Story:AddFundament(1, "fundament", "fundament_grid", 9)
    for row = 1, 7 do
        for column = 0, 6 do
            if common.grid_cell(row, column) then
                Story:CreateFundament(1, row, column, 9, -1)
            end
        end
    end
    -- A few cars to start with, no three alike in a line.
    local seeds = { { 3, 1, 1 }, { 3, 2, 2 }, { 4, 1, 3 }, { 5, 3, 4 }, { 6, 4, 2 }, { 2, 4, 1 } }
    for _, s in ipairs(seeds) do
        Story:AddAutoToFundament(s[1], s[2], s[3])
    end
end

-- ---- The ground's decorations (drawn by the level background) -----------
function ground_bodies()
    Story:AddBody(1, "parking_1")
    Story:AddBody(2, "parking_2")
    Story:AddBody(3, "parking_3")
    Story:AddBody(10, "tree_01")
    Story:AddBody(11, "bush_01")
    Story:AddMyBody(3, 980, 60)
    Story:AddMyBody(10, 60, 80)
    Story:AddMyBody(10, 1140, 620)
    Story:AddMyBody(11, 200, 760)
end

-- ---- Weather, light and messages -----------------------------------------
function weather_and_messages()
    common.daylight()
    common.declare_effects()
    -- Rain, and one light cloud drifting along the top of the scene, clear of
    -- the stack, its shadow crossing the grid; it fades in after a few seconds.
    Story:SetSpeedRain(0.02)
    Story:StartRain(140)
    Story:AddCloud(1, -420, -110, 1300, -70, 5000)
    Story:AddTextureCloud(1, "cloud_01", 3.0)
    Story:SetCloudAlpha(0, 150)
    Story:StartClouds(0)
    common.task_line(1, rows_done, ROWS_TARGET)
end

-- ---- Callbacks -----------------------------------------------------------
function on_init()
    level_options()
    cars_and_stack()
    build_station()
    ground_bodies()
    weather_and_messages()
    common.fill_stack(STACK_SLOTS, random_car)
end

function on_timer()
end

function ok_work()
end

function on_bonus()
    rows_done = rows_done + 1
    Story:SetMessage(1, rows_done, ROWS_TARGET)
    common.credit_combo()
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
    common.fill_stack(STACK_SLOTS, random_car)
end

function on_minus_points()
end

-- The level is won at its task; the game ends it lost if the grid fills up
-- first.
function on_level_finish()
    if rows_done >= ROWS_TARGET then
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
