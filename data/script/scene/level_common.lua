-- Helpers shared by the level scripts (loaded with dofile; there is no require).

common = {}

-- Fills every free stack slot 1..slots with a car chosen by pick(); only while
-- no car is moving between two points, or the level would freeze.
function common.fill_stack(slots, pick)
    if Story:Transfer() then
        return
    end
    for slot = 1, slots do
        if Story:StackFree(slot) == 1 then
            local car = pick()
            if car ~= -1 then
                Story:AddToStack(slot, car)
            end
        end
    end
end

-- A task line: its label is GUI text 103 + slot; it disappears once value
-- reaches target.
function common.task_line(slot, value, target)
    Story:SetMessage(slot, value, target)
    Story:ActivateMessageStatus(slot)
end

-- Points. Each served car earns CAR_POINTS and each car of a combo
-- COMBO_POINTS, so a line of three made by a swap (300 points) still gains.
-- SetPoints sets the value the next floater carries to the level's points,
-- so call these just before the game adds that floater: in "ok_work" and
-- "on_bonus".
common.CAR_POINTS = 100
common.COMBO_POINTS = 200

function common.credit_car()
    Story:SetPoints(common.CAR_POINTS)
end

function common.credit_combo()
    Story:SetPoints(common.COMBO_POINTS * math.max(Story:GetTypeBonus(), 1))
end

-- On a station "on_bonus" follows every "ok_work" with bonus type 0: the car
-- is paid by "ok_work" alone. Only a combo of places (type 3 and more) pays
-- its own points.
function common.credit_station_bonus()
    if Story:GetTypeBonus() > 0 then
        common.credit_combo()
    end
end

-- Taking a road car or dropping a car off its place once the points have
-- reached the threshold shows the threshold flying off: take it.
function common.take_penalty()
    Story:MinusPoints(Story:GetMinusPoints())
end

-- The light of a day level: full brightness.
function common.daylight()
    Story:SetLevelColor("red", 255)
    Story:SetLevelColor("green", 255)
    Story:SetLevelColor("blue", 255)
end

-- Every effect the game starts by itself: combos 3..8 (8 also the cup
-- sparkle), the finished lot 11 and the smoke of a broken place 20.
function common.declare_effects()
    for id = 3, 8 do
        Story:CreateEffects(id, "combo_" .. id, 8, 0, 0)
        Story:EffectTextureExt(id, "png")
    end
    Story:CreateEffects(11, "lot_done", 8, 0, 0)
    Story:EffectTextureExt(11, "png")
    -- The smoke's frame stands 35 right of and 14 above the point the game
    -- gives it, so that it rises from the broken pump's head into the gap
    -- between the cells behind, off their faces.
    Story:CreateEffects(20, "smoke", 8, -35, 14)
    Story:EffectTextureExt(20, "png")
end

-- ===========================================================================
-- The campaign's two kinds of level, built from a table of settings. A level
-- file fills the table and calls common.grid_level or common.station_level,
-- which define every callback; it may redefine a callback afterwards for
-- what is special about it.
-- ===========================================================================

-- The region of a level, as the level background picks it: six levels each.
local REGIONS = { "europa", "snow", "usa", "rock", "desert" }

function common.region(level)
    return REGIONS[math.floor((level - 1) / 6) + 1]
end

-- The customer cars by colour group: groups 6..10, one or two looks each.
local GROUP_CARS = {
    [6] = { "auto_rot", "auto_rot_2" },
    [7] = { "auto_blau", "auto_blau_2" },
    [8] = { "auto_gruen" },
    [9] = { "auto_gelb" },
    [10] = { "auto_lila" },
}
local PLACE_IMAGES = { [6] = "place_red", [7] = "place_blue", [8] = "place_green",
    [9] = "place_yellow", [10] = "place_purple" }

-- Grid car types 1..5, one colour each.
local GRID_CARS = { "auto_rot", "auto_blau", "auto_gruen", "auto_gelb", "auto_lila" }
-- The car types of the joker and the bomb joker.
local JOKER, BOMB = 90, 91

-- The trees among the places, by region.
local REGION_TREES = {
    europa = { "tree_big", "tree_small", "bush" },
    snow = { "tree_snow", "tree_snow", "tree_small" },
    usa = { "tree_big", "bush", "tree_small" },
    rock = { "stone", "bush", "stone" },
    desert = { "cactus", "stone", "cactus" },
}

-- Where service places stand, in the order a level takes them; all on the
-- platform block rows 3..6, columns 1..5.
local PLACE_CELLS = { { 4, 3 }, { 5, 2 }, { 4, 5 }, { 5, 4 }, { 3, 2 }, { 6, 3 }, { 3, 4 }, { 6, 5 } }

-- The cells whose platform image lies wholly on the screen at both sizes
-- (the image and the outline shrink with the distances between the cells at
-- 1024 x 768): the first and last column of each row. Rows 1 and 8 reach past
-- the top and bottom, low columns past the right edge, high ones past the left.
local ON_SCREEN = { [1] = { 3, 4 }, [2] = { 1, 5 }, [3] = { 0, 5 }, [4] = { 1, 6 }, [5] = { 1, 6 },
    [6] = { 2, 5 }, [7] = { 3, 3 } }

function common.on_screen(row, column)
    local columns = ON_SCREEN[row]
    return columns ~= nil and column >= columns[1] and column <= columns[2]
end

-- The cells of a grid: those on the screen but the ones the road across the
-- top runs over (row 1, and row 2 up to column 2) and the one at the upper
-- right that the stack's car stands on (its first slot, from design point
-- 990,150).
function common.grid_cell(row, column)
    return common.on_screen(row, column) and row >= 2 and not (row == 2 and column <= 2)
        and not (row == 3 and column == 0)
end

-- The options both kinds share. slots: stack slots; limit and managers: the
-- station mode (managers 0 = the player alone).
function common.options(cfg)
    Story:SetDrawStation(cfg.station and 1 or 0)
    Story:SetTimeForLevel(cfg.time or 0)
    Story:SetGamePlayMode(cfg.swap and 1 or 0)
    Story:SetBonusSystem(cfg.bonus_system or (cfg.station and "color" or "classe"))
    Story:SetProcessTimeInStation(cfg.service or 3.0)
    Story:SetProcessTimeInStack(cfg.patience or 30.0)
    Story:StackCounter(cfg.slots, cfg.limit or 1, 0)
    Story:SetManager(cfg.managers or 0)
    Story:TakeFromStack(1)
    Story:SetParkingAutos(cfg.slots)
    Story:SetParkingLot(Story:GetParkingLot())
    Story:SetHelpAuto(1)
    Story:SetDamage(0)
end

-- The stack's slots 1..slots in a falling row at the right.
function common.stack_slots(slots, x0, y0, dx, dy)
    for slot = 1, slots do
        local x, y = x0 + dx * slot, y0 + dy * slot
        Story:SetStackCoordinateAndDirection(slot, x, y, 9)
        Story:SetToStackCoordinate(slot, x, y - 30)
        Story:SetFromStackCoordinate(slot, x, y)
    end
end

-- Road 1 down to the left, with cars of one class on it.
function common.road(class, cars, delay)
    Story:SetAutoBahn(1, 0.1, 1)
    Story:SetAutoBahnPoints(1, 1400, 40, -200, 200)
    Story:EnableClassAutoForAutobahn(1, class)
    Story:SetAutobahnDelay(delay or 3)
    Story:SetDistanceAutobahn(16)
    Story:SetStepAutobahn(2)
    Story:TakeFromAutobahn(1)
    Story:AddTransportToAutobahn(1, cars)
end

-- The ground's decorations: the parking lot bodies (the game shows the one
-- the player has), trees, a bush and a house; every region's page has them.
function common.ground_bodies(spots)
    Story:AddBody(1, "parking_1")
    Story:AddBody(2, "parking_2")
    Story:AddBody(3, "parking_3")
    Story:AddBody(10, "tree_01")
    Story:AddBody(11, "bush_01")
    Story:AddBody(12, "house_01")
    for _, s in ipairs(spots) do
        Story:AddMyBody(s[1], s[2], s[3])
    end
end

-- Trees as over templates 100.. at design points; the first one keeps index
-- 0 away from the service places.
function common.trees(level, spots)
    local names = REGION_TREES[common.region(level)]
    for i, s in ipairs(spots) do
        local id = 99 + i
        local name = names[(i - 1) % #names + 1]
        Story:AddOver(id, name)
        Story:CreatePlace(id, s[1], s[2], 9)
        Story:PlaceTexture(id, name)
    end
end

-- Weather: cfg.snow, cfg.rain (density), cfg.fog (alpha), cfg.clouds (true).
-- The fog stays a light veil and the cloud drifts along the top, clear of
-- the stack, so that the cars' marks and the cells stay readable.
function common.weather(cfg)
    if cfg.snow then
        Story:SetSpeedSnow(0.03)
        Story:StartSnow(1, cfg.snow, 1)
    end
    if cfg.rain then
        Story:SetSpeedRain(0.02)
        Story:StartRain(cfg.rain)
    end
    if cfg.fog then
        Story:SetFogAlpha(cfg.fog)
        Story:StartFog()
    end
    if cfg.clouds then
        Story:AddCloud(1, -420, -110, 1300, -70, 5000)
        Story:AddTextureCloud(1, "cloud_01", 3.0)
        Story:SetCloudAlpha(0, 150)
        Story:StartClouds(0)
    end
end

-- The callbacks no campaign level uses.
local function empty_callbacks()
    for _, name in ipairs({ "ok_build", "ok_update", "ok_saw", "add_manager", "on_minus_points",
        "on_blumen", "on_wbaum", "on_after_init", "on_load", "on_after_load" }) do
        _G[name] = function() end
    end
end

-- A grid level. cfg: level, target (combos to make), types (car types, 3..5),
-- rows/columns ({first, last}; every grid cell unless given), slots
-- (cars poured after each move; 1 unless given), swap, jokers (at the start),
-- bomb_every (a bomb after every so many combos), bonus_system, weather.
function common.grid_level(cfg)
    cfg.station = false
    cfg.time = 0
    -- A swap grid fills itself; its stack is never used.
    cfg.slots = cfg.swap and 0 or (cfg.slots or 1)
    local done = 0
    level_goal = cfg.target
    local function random_car()
        return math.random(1, cfg.types)
    end

    function on_init()
        done = 0
        common.options(cfg)
        for t = 1, cfg.types do
            Story:AddAuto(t, 1, GRID_CARS[t])
            Story:AddAuto(t, 9, GRID_CARS[t])
            Story:SetAutoParameters(t, 5 + t, 0)
            Story:SetAutoClass(t, t, 0)
            Story:EnableAutoTypForStack(t)
        end
        -- The joker and the bomb from the bar are held, and the joker stands
        -- on its cell, as a car: without an image they would not be seen.
        Story:AddAuto(JOKER, 1, "car_joker")
        Story:AddAuto(BOMB, 1, "car_joker_bomb")
        common.stack_slots(cfg.slots, 910, 110, 80, 40)

        common.trees(cfg.level, { { 60, 300 } })
        Story:AddFundament(1, "fundament", "fundament_grid", 9)
        local rows, columns = cfg.rows or { 1, 7 }, cfg.columns or { 0, 6 }
        for row = rows[1], rows[2] do
            for column = columns[1], columns[2] do
                if common.grid_cell(row, column) then
                    Story:CreateFundament(1, row, column, 9, -1)
                end
            end
        end
        -- Seeded cars four cells apart, so no two touch and none is a line.
        if not cfg.swap then
            for row = rows[1], rows[2] do
                for column = columns[1], columns[2] do
                    if (row + column) % 4 == 0 and common.grid_cell(row, column) then
                        Story:AddAutoToFundament(row, column, (row + 2 * column) % cfg.types + 1)
                    end
                end
            end
        end

        common.ground_bodies({ { 3, 980, 60 }, { 10, 60, 80 }, { 10, 1140, 620 }, { 11, 200, 760 } })
        common.daylight()
        common.declare_effects()
        common.weather(cfg)
        if cfg.jokers then
            Story:AddJoker(cfg.jokers)
        end
        common.task_line(1, done, cfg.target)
        common.fill_stack(cfg.slots, random_car)
    end

    function on_timer()
    end

    function ok_work()
    end

    -- Every combo counts towards the target; the result screen pays the points.
    function on_bonus()
        done = done + 1
        Story:SetMessage(1, done, cfg.target)
        common.credit_combo()
        if cfg.bomb_every and done % cfg.bomb_every == 0 then
            Story:AddSpecAuto(0, BOMB)
        end
    end

    function on_fill_parking_place()
        common.fill_stack(cfg.slots, random_car)
    end

    -- The level is won at its task line's target. A normal grid that fills
    -- up before ends lost; a swap grid never fills up.
    function on_level_finish()
        if done >= cfg.target then
            Story:SetState(1)
        end
    end

    empty_callbacks()
end

-- A station level. cfg: level, time (seconds), target (cars to serve),
-- groups (colour groups 6..10 with a place each), extra (further places of
-- the first groups), slots, limit, managers, service, patience, road_every,
-- dusk (seconds before the end when the evening falls), weather.
function common.station_level(cfg)
    cfg.station = true
    local served = 0
    local seconds = 0
    local CUSTOMER = 1
    level_goal = cfg.target
    local function random_customer()
        return Story:GetRandomAuto(cfg.groups[math.random(1, #cfg.groups)])
    end

    function on_init()
        served = 0
        seconds = 0
        common.options(cfg)
        local t = 0
        for _, group in ipairs(cfg.groups) do
            for _, name in ipairs(GROUP_CARS[group]) do
                t = t + 1
                Story:AddAuto(t, 9, name)
                Story:AddAuto(t, 1, name)
                Story:SetAutoParameters(t, group, 0)
                Story:SetAutoClass(t, CUSTOMER, 0)
            end
        end
        Story:EnableAutoForStack(CUSTOMER)
        common.road(CUSTOMER, 3, cfg.road_delay)
        common.stack_slots(cfg.slots, 840, 180, 75, 30)

        common.trees(cfg.level, { { 40, 250 }, { 1010, 560 }, { 300, 700 }, { 560, 770 }, { 820, 640 } })
        Story:AddFundament(1, "fundament", "fundament_grid", 9)
        -- The upper right corner stays free for the stack.
        for row = 3, 6 do
            for column = row <= 4 and 2 or 1, 5 do
                if common.on_screen(row, column) then
                    Story:CreateFundament(1, row, column, 9, -1)
                end
            end
        end
        local kinds = {}
        for _, group in ipairs(cfg.groups) do
            Story:AddPlace(group, PLACE_IMAGES[group], 3)
            Story:SetOffsetForAuto(group, 30, -20, 9)
            kinds[#kinds + 1] = group
        end
        for i = 1, cfg.extra or 0 do
            kinds[#kinds + 1] = cfg.groups[(i - 1) % #cfg.groups + 1]
        end
        for i, group in ipairs(kinds) do
            local cell = PLACE_CELLS[i]
            Story:CreatePlace(group, cell[1], cell[2], 9)
            Story:SetColor(cell[1], cell[2], group - 6)
        end
        Story:AddOver(110, "sign_station")
        Story:AddSuperOver(110, 1150, 440)

        common.ground_bodies({ { 3, 980, 260 }, { 12, 10, 420 }, { 10, 60, 640 }, { 10, 1150, 700 },
            { 11, 700, 760 } })
        common.daylight()
        common.declare_effects()
        common.weather(cfg)
        common.task_line(0, served, cfg.target)
        -- The points target: the served cars alone reach it; points above it
        -- earn the points bonus.
        Story:SetMessage(14, 0, cfg.target * common.CAR_POINTS)
        common.fill_stack(cfg.slots, random_customer)
    end

    -- Once a second: a new car on the road every few seconds, single stack
    -- slots topped up, and towards the end perhaps the evening.
    function on_timer()
        seconds = seconds + 1
        if seconds % (cfg.road_every or 5) == 0 then
            Story:AddTransportToAutobahn(1, 1)
        end
        common.fill_stack(cfg.slots, random_customer)
        if cfg.dusk and seconds == cfg.time - cfg.dusk then
            Story:StartDunkler()
        end
    end

    function ok_work()
        served = served + 1
        Story:SetMessage(0, served, cfg.target)
        common.credit_car()
    end

    function on_bonus()
        common.credit_station_bonus()
    end

    function on_fill_parking_place()
        common.fill_stack(cfg.slots, random_customer)
    end

    function on_level_finish()
        if served >= cfg.target then
            Story:SetState(1)
        end
    end

    empty_callbacks()

    function on_minus_points()
        common.take_penalty()
    end
end
