// Car types, special cars, the car on the mouse and the roads as a level
// script sets them up; a road filled with cars whose stack the script refills.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "scripting/story.h"
#include "scripting/story_method_fixture.h"

namespace {

using StoryCars = test::StoryMethodTest;

const char* const kRoadLevel = R"(
function on_init()
    for t = 1, 4 do
        Story:AddAuto(t, 1, "car" .. t .. "_1")
        Story:AddAuto(t, 9, "car" .. t .. "_9")
        Story:SetAutoParameters(t, 5 + t, 0)
        Story:SetAutoClass(t, t <= 2 and 1 or 2, 0)
    end
    Story:SetAutoBahn(1, 0.02, 0)
    Story:SetAutoBahnPoints(1, -100, 300, 1400, 700)
    Story:EnableClassAutoForAutobahn(1, 1)
    Story:EnableClassAutoForAutobahn(1, 2)
    Story:SetAutobahnDelay(3.7)
    Story:AddTransportToAutobahn(1, 3)
    for s = 1, 3 do Story:SetStackCoordinateAndDirection(s, 100 * s, 500, 9) end
    Story:StackCounter(3, 2, 0)
    Story:SetManager(1)
    Story:TakeFromStack(1)
    Story:SetParkingAutos(3)
end
function on_fill_parking_place()
    for s = 1, 3 do
        if Story:StackFree(s) == 1 and not Story:Transfer() then
            Story:AddToStack(s, Story:GetRandomAutoByTyp(2))
        end
    end
end
)";

TEST_F(StoryCars, CarsDriveOnTheRoadAndTheScriptRefillsTheStack)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 8;
    StartLevel(kRoadLevel, 8);
    ASSERT_TRUE(ScriptErrors().empty());
    ASSERT_EQ(world.autoTypes.size(), 4u);
    EXPECT_EQ(world.GetAutoTypeName(3, 9), "car3_9");
    EXPECT_EQ(world.autoTypes[2].colour, 8);
    EXPECT_EQ(world.autoTypes[2].class_, 2);
    EXPECT_EQ(world.autobahnDelay, 3);
    ASSERT_EQ(world.autobahnCars.size(), 3u);
    for (const cAutobahnAuto& car : world.autobahnCars) {
        EXPECT_EQ(car.road, 1);
        EXPECT_GE(car.autoType, 1);
        EXPECT_LE(car.autoType, 4);
    }
    EXPECT_EQ(world.autobahnCarCount[1], 3);
    ASSERT_TRUE(Holds("Story:GetXAutobahn() == 1400 and Story:GetYAutobahn() == 700"));
    ASSERT_TRUE(Holds("Story:IsEnableClassAutoForAutobahn(2) and not Story:IsEnableClassAutoForAutobahn(3)"));

    // The stack: three slots, the managers below their limit of two.
    EXPECT_EQ(world.stackCounter, 3);
    EXPECT_EQ(world.stackLimit, 2);
    EXPECT_EQ(world.managerCount, 1);
    EXPECT_EQ(world.parkingAutos, 3);

    // All slots free: the parking check asks the script to refill them, and
    // the cars put into the stack hand it to the managers again.
    world.managerBelowLimit = 0;
    world.CheckParkingFull();
    ASSERT_TRUE(ScriptErrors().empty());
    ASSERT_EQ(world.stackCars.size(), 3u);
    for (int s = 1; s <= 3; ++s) {
        const int car = Story::Instance().GetAutoFromStack(s);
        EXPECT_TRUE(car == 3 || car == 4) << car;
        EXPECT_EQ(world.stackSlots[s - 1].state, 2);
        EXPECT_EQ(world.stackCars[s - 1].target, s);
        EXPECT_EQ(world.stackCars[s - 1].pathY, (std::vector<int> { 470, 500 }));
    }
    EXPECT_EQ(world.managerBelowLimit, 1);
    ASSERT_TRUE(Holds("Story:StackFree(2) == 0 and Story:GetAutoFromStack(9) == -1"));
}

TEST_F(StoryCars, CarTypesAreFoundByIdAndAbsentOnesAreHandledQuietly)
{
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(Run("Story:AddAuto(7, 3, 'truck'); Story:SetAutoClass(7, 4, 9); Story:SetAutoParameters(7, 2, 56)"));
    EXPECT_EQ(world.autoTypes[0].class_, 4);
    EXPECT_EQ(world.autoTypes[0].classValue, 9);
    EXPECT_EQ(world.autoTypes[0].value, 56);
    ASSERT_TRUE(Holds("Story:GetAutoClass(7) == 4 and Story:GetAutoClass(8) == -1"));
    EXPECT_EQ(Story::Instance().GetAutoColor(7), 2);
    EXPECT_EQ(Story::Instance().GetAutoColor(8), -1);

    TakeLog();
    ASSERT_TRUE(Run("Story:SetAutoClass(8, 1, 1)"));
    EXPECT_TRUE(TakeLog().empty());
    ASSERT_TRUE(Run("Story:SetAutoParameters(8, 1, 1)"));
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, L"auto 8 not found");
    EXPECT_EQ(world.autoTypes.size(), 1u);
}

TEST_F(StoryCars, StoredOptionsAndTheMouseReadBack)
{
    cGameWorld& world = cGameWorld::Instance();
    const struct {
        int onMouse;
        bool mouseAuto, mouseAsAuto;
    } mouse[] = { { -1, false, false }, { 0, true, true }, { 12, true, true }, { -2, false, true } };
    for (const auto& m : mouse) {
        world.autoOnMouse = m.onMouse;
        EXPECT_EQ(Story::Instance().MouseAuto(), m.mouseAuto) << m.onMouse;
        EXPECT_EQ(Story::Instance().MouseAsAuto(), m.mouseAsAuto) << m.onMouse;
    }

    ASSERT_TRUE(Run("Story:SetOnlyAutobahn(0); Story:SetAutobahnAutosPerType(0); Story:ChoiceAutobahnAutos(12);"
                    "Story:TakeFromAutobahn(1); Story:SetDistanceAutobahn(80); Story:SetStepAutobahn(3);"
                    "Story:SetProcentAnotherCarsAutobahn(40); Story:SetAutoByTyp(true); Story:SetHelpAuto(0);"
                    "Story:SetDamage(1); Story:SetParkingLot(7); Story:SetAutobahnDelay(0.5)"));
    EXPECT_EQ(world.onlyAutobahn, 1);
    EXPECT_EQ(world.autobahnAutosPerType, 1);
    EXPECT_EQ(world.autobahnAutosChosen, 1);
    EXPECT_TRUE(world.IsChosenAutobahnAuto(12));
    EXPECT_EQ(world.takeFromAutobahn, 1);
    EXPECT_EQ(world.autobahnDistance, 80);
    EXPECT_EQ(world.autobahnStep, 3);
    EXPECT_EQ(world.autobahnOtherCarsPercent, 40);
    EXPECT_EQ(world.helpAuto, 0);
    EXPECT_EQ(world.parkingLot, 7);
    EXPECT_EQ(world.autobahnDelay, 0);
    ASSERT_TRUE(Holds("Story:GetOnlyAutobahn() == 1 and Story:GetAutoByTyp() and Story:GetDamage() == 1"));
    ASSERT_TRUE(Holds("Story:GetXAutobahn() == 0 and Story:GetYAutobahn() == 0"));

    // The parking stage comes from the bought upgrades, not from SetParkingLot.
    const struct {
        int first, second, stage;
    } parking[] = { { 0, 0, 3 }, { 1, 0, 2 }, { 1, 1, 1 }, { 0, 1, 1 }, { 2, 0, 3 } };
    for (const auto& p : parking) {
        world.boughtParkingLot[0] = p.first;
        world.boughtParkingLot[1] = p.second;
        EXPECT_EQ(Story::Instance().GetParkingLot(), p.stage) << p.first << p.second;
    }

    world.currentProfile = 3;
    world.profileDrive[3] = 1;
    world.addParkingAutos[4] = 6;
    world.boughtNotDamage = 2;
    ASSERT_TRUE(Holds("Story:GetLeftRight() == 1 and Story:GetAddParkingAutos(4) == 6 and Story:GetNotDamage() == 2"));
}

// The choose-by-type switch follows the script's last call, both ways, and
// any Lua value counts by its truth.
TEST_F(StoryCars, TheByTypeSwitchFollowsTheLastCall)
{
    cGameWorld& world = cGameWorld::Instance();
    const struct {
        const char* call;
        bool on;
    } steps[] = {
        { "Story:SetAutoByTyp(true)", true }, { "Story:SetAutoByTyp(false)", false },
        { "Story:SetAutoByTyp(false)", false }, { "Story:SetAutoByTyp(1 == 1)", true },
        { "Story:SetAutoByTyp(true)", true }, { "Story:SetAutoByTyp(1 > 2)", false },
    };
    world.autoByType = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.call);
        ASSERT_TRUE(Run(s.call));
        EXPECT_EQ(world.autoByType, s.on ? 1 : 0);
        EXPECT_TRUE(Holds(std::string(s.on ? "" : "not ") + "Story:GetAutoByTyp()"));
        EXPECT_TRUE(Holds("type(Story:GetAutoByTyp()) == 'boolean'"));
    }
}

TEST_F(StoryCars, ABonusItemStartsAtTheFirstCellOfTheLastCombo)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 8;
    world.cellX[3][5] = 200;
    world.cellY[3][5] = 340;
    world.bonusCellRow[0] = 3;
    world.bonusCellColumn[0] = 5;
    world.bonusCellCount = 3;
    ASSERT_TRUE(Run("Story:AddSpecAuto(77, 102)"));
    ASSERT_EQ(world.jokers.size(), 1u);
    EXPECT_EQ(world.jokers[0].item, 102);
    EXPECT_EQ(world.jokers[0].x, 250);
    EXPECT_EQ(world.jokers[0].y, 390);

    world.AddSpecAutoEntry(5);
    world.specialAutos.back().flag = 1;
    ASSERT_TRUE(Holds("Story:IHaveSpecAuto(5) and not Story:ICreateSpecAuto(5) and not Story:IHaveSpecAuto(6)"));
}

// Cars chosen one type at a time: only the types enabled for the road and not
// disabled again drive on it; the script can ask which types are on a road.
TEST_F(StoryCars, ARoadTakesTheTypesEnabledForItOneByOne)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 8;
    ASSERT_TRUE(Run("for t = 1, 4 do Story:AddAuto(t, 1, 'c' .. t); Story:SetAutoClass(t, 1, 0) end\n"
                    "Story:SetAutoBahn(1, 0.02, 0); Story:SetAutoBahn(2, 0.02, 0); Story:SetAutobahnAutosPerType(0)\n"
                    "Story:SetAutoBahnPoints(1, 0, 0, 100, 0); Story:SetAutoBahnSpeed(1, 0.5, 3)\n"
                    "Story:EnableAutoForAutobahn(1, 2, 0); Story:EnableAutoForAutobahn(1, 3, 0)\n"
                    "Story:EnableAutoForAutobahn(2, 4, 0); Story:DisableAutoForAutobahn(1, 3)\n"
                    "Story:DisableAutoForAutobahn(2, 2); Story:AddTransportToAutobahn(1, 12)"));
    ASSERT_EQ(world.autobahnCars.size(), 12u);
    for (const cAutobahnAuto& car : world.autobahnCars)
        EXPECT_EQ(car.autoType, 2);
    EXPECT_DOUBLE_EQ(world.autobahnRoads[0].speed, 0.5);
    EXPECT_EQ(world.autobahnRoads[0].speedMode, 3);
    EXPECT_DOUBLE_EQ(world.autobahnRoads[1].speed, 0.02);
    EXPECT_TRUE(Holds("Story:ExistInAutobahn(2) and not Story:ExistInAutobahn(3) and not Story:ExistInAutobahn(4)"));
    // The second road keeps its own type; a road nothing may drive on stays empty.
    ASSERT_TRUE(Run("Story:AddTransportToAutobahn(2, 2); Story:DisableAutoForAutobahn(2, 4)"));
    EXPECT_TRUE(Holds("Story:ExistInAutobahn(4)"));
    TakeLog();
    ASSERT_TRUE(Run("Story:AddTransportToAutobahn(2, 1)"));
    EXPECT_EQ(world.autobahnCars.size(), 14u);
    EXPECT_FALSE(TakeLog().empty());
    ASSERT_TRUE(Run("Story:SetParkingAutos(3)"));
    EXPECT_TRUE(Holds("Story:GetParkingAutos() == 3"));
}

} // namespace
