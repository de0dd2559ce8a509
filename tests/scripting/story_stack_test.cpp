// The stack's slots, the cars allowed into it, and the answers the script and
// the screens get about it.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scripting/story.h"
#include "scripting/story_method_fixture.h"

namespace {

using StoryStack = test::StoryMethodTest;

TEST_F(StoryStack, SlotsAreAddressedByTheirIds)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 8;
    ASSERT_TRUE(
        Run("Story:SetStackCoordinateAndDirection(4, 10, 20, 7); Story:SetStackCoordinateAndDirection(9, 30, 40, 3);"
            "Story:SetToStackCoordinate(9, 1, 2); Story:SetFromStackCoordinate(9, 5, 6)"));
    ASSERT_EQ(world.stackSlots.size(), 2u);
    EXPECT_EQ(world.stackSlots[1].toX, 1);
    EXPECT_EQ(world.stackSlots[1].fromY, 6);
    ASSERT_TRUE(Holds("Story:GetAutoFromStack(9) == -1 and Story:StackFree(9) == 1"));

    ASSERT_TRUE(Run("Story:AddToStack(9, 21)"));
    ASSERT_TRUE(Holds("Story:GetAutoFromStack(9) == 21 and Story:StackFree(9) == 0 and Story:StackFree(4) == 1"));
    ASSERT_EQ(world.stackCars.size(), 1u);
    EXPECT_EQ(world.stackCars[0].pathX, (std::vector<int> { 30, 30 }));
    EXPECT_EQ(world.stackCars[0].pathY, (std::vector<int> { 10, 40 }));

    // An id that no slot has: nothing is filled, though the managers may
    // still get their turn at the stack.
    world.managerBelowLimit = 0;
    world.stackLimit = 2;
    world.managerCount = 0;
    ASSERT_TRUE(Run("Story:AddToStack(5, 3)"));
    EXPECT_EQ(world.stackCars.size(), 1u);
    EXPECT_EQ(world.managerBelowLimit, 1);
    ASSERT_TRUE(Holds("Story:GetAutoFromStack(5) == -1 and Story:StackFree(5) == 0"));

    // Nothing is free while the cells of the last move wait for their combos.
    world.selectedCount = 1;
    ASSERT_TRUE(Holds("Story:StackFree(4) == 0"));
    world.selectedCount = 0;
    world.stackSlots.clear();
    ASSERT_TRUE(Holds("Story:StackFree(4) == 1 and Story:StackFree(-3) == 1"));
}

// The screens' answers about the stack: full when every slot holds a car (the
// car layer holds its stack pass back then), empty when none does, and
// busy while cars wait but the managers are not at the stack limit.
TEST_F(StoryStack, FullEmptyAndBusyAnswerTheScreens)
{
    const struct {
        std::vector<int> cars; // the slots' cars, -1 empty
        int limit, managers;
        bool full, empty, busy;
    } cases[] = {
        { {}, 0, 0, true, true, true },
        { {}, 2, 1, true, true, true },
        { { -1, -1 }, 2, 2, false, true, false },
        { { -1, -1 }, 2, 1, false, true, true },
        { { -1, -1 }, 1, 2, false, true, true },
        { { 5, -1 }, 2, 2, false, false, false },
        { { -1, 5 }, 2, 2, false, false, false },
        { { -1, 0 }, 3, 3, false, false, false },
        { { 5, -1 }, 3, 0, false, false, true },
        { { 5, 6 }, 2, 1, true, false, true },
        { { 5, 6 }, 2, 2, true, false, true },
        { { 0 }, 0, 0, true, false, true },
    };
    cGameWorld& world = cGameWorld::Instance();
    Story& story = Story::Instance();
    for (const auto& c : cases) {
        std::string trace;
        for (int car : c.cars)
            trace += std::to_string(car) + " ";
        SCOPED_TRACE(trace + "limit " + std::to_string(c.limit) + " managers " + std::to_string(c.managers));
        world.stackSlots.clear();
        for (int car : c.cars) {
            cStackSlot slot;
            slot.autoType = car;
            world.stackSlots.push_back(slot);
        }
        world.stackLimit = c.limit;
        world.managerCount = c.managers;
        EXPECT_EQ(story.IsStackFull(), c.full);
        EXPECT_EQ(story.IsStackEmpty(), c.empty);
        EXPECT_EQ(story.IsStackBusy(), c.busy);
    }
}

TEST_F(StoryStack, AllowedCarsAreListedInOrder)
{
    ASSERT_TRUE(Run("Story:EnableAutoTypForStack(12); Story:EnableAutoTypForStack(14); Story:EnableAutoForStack(3)"));
    ASSERT_TRUE(Holds("Story:GetCounterEnableAuto() == 2 and Story:GetElementEnableAuto(1) == 14"));
    ASSERT_TRUE(Holds("Story:GetCounterEnableClassAuto() == 1 and Story:GetElementEnableClassAuto(0) == 3"));

    // Past the end of a list: refused with a log line.
    TakeLog();
    ASSERT_TRUE(Holds("Story:GetElementEnableAuto(2) == -1 and Story:GetElementEnableClassAuto(-1) == -1"));
    EXPECT_EQ(TakeLog().size(), 2u);
}

// The game's own question whether a car type may enter the stack: the list's
// length comes back whether the type is found or not. Scripts have their
// own getters and do not see this one.
TEST_F(StoryStack, TheEnabledTypeSearchAnswersWithTheListsLength)
{
    Story& story = Story::Instance();
    int count = 7;
    EXPECT_FALSE(story.HasEnabledAutoType(12, count));
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(
        Run("Story:EnableAutoTypForStack(12); Story:EnableAutoTypForStack(14); Story:EnableAutoTypForStack(12)"));
    const struct {
        int type;
        bool found;
    } cases[] = { { 12, true }, { 14, true }, { 13, false }, { -1, false }, { 0, false } };
    for (const auto& c : cases) {
        count = -5;
        EXPECT_EQ(story.HasEnabledAutoType(c.type, count), c.found) << c.type;
        EXPECT_EQ(count, 3) << c.type;
    }
    EXPECT_TRUE(Holds("Story.HasEnabledAutoType == nil"));
}

// A car put into a slot by the game waits there at once: no car drives in,
// the managers keep their turn, and only the car, the occupied state and two
// of the slot's timers change. Scripts cannot call it.
TEST_F(StoryStack, ACarPutIntoASlotWaitsThereWithoutDrivingIn)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 8;
    world.stackLimit = 3;
    world.managerCount = 1;
    world.managerBelowLimit = 0;
    for (int id : { 4, 9 }) {
        cStackSlot slot; // its timers stand still until restarted
        slot.id = id;
        slot.settleStep = 5;
        slot.settling = 1;
        world.stackSlots.push_back(slot);
    }
    Story& story = Story::Instance();
    story.PutAutoIntoStack(9, 21);
    const cStackSlot& filled = world.stackSlots[1];
    EXPECT_EQ(filled.autoType, 21);
    EXPECT_EQ(filled.state, 2);
    EXPECT_TRUE(filled.timer.IsRunning());
    EXPECT_TRUE(filled.settleTimer.IsRunning());
    EXPECT_FALSE(filled.frameTimer.IsRunning());
    EXPECT_EQ(filled.settleStep, 5);
    EXPECT_EQ(filled.settling, 1);
    EXPECT_EQ(filled.busy, 0);
    EXPECT_TRUE(world.stackCars.empty());
    EXPECT_EQ(world.managerBelowLimit, 0);
    EXPECT_EQ(world.stackSlots[0].autoType, -1);
    EXPECT_EQ(world.stackSlots[0].state, 1);
    ASSERT_TRUE(Holds("Story:GetAutoFromStack(9) == 21 and Story:StackFree(9) == 0 and Story:StackFree(4) == 1"));

    // An id that no slot has: nothing changes.
    story.PutAutoIntoStack(5, 3);
    story.PutAutoIntoStack(-1, 3);
    EXPECT_EQ(world.stackSlots[0].autoType, -1);
    EXPECT_FALSE(world.stackSlots[0].timer.IsRunning());
    EXPECT_EQ(world.stackSlots[1].autoType, 21);
    EXPECT_TRUE(world.stackCars.empty());
    EXPECT_EQ(world.managerBelowLimit, 0);

    EXPECT_TRUE(Holds("Story.PutAutoIntoStack == nil and not pcall(function() Story:PutAutoIntoStack(4, 1) end)"));
    EXPECT_EQ(world.stackSlots[0].autoType, -1);
}

TEST_F(StoryStack, SettingsForTheScreensAreStored)
{
    cGameWorld& world = cGameWorld::Instance();
    world.currentStack = 3;
    ASSERT_TRUE(Run("Story:TakeFromStack(1); Story:StackParameterToTask(4, 5, 6, 7); Story:StackCounter(6, 4, 1)"));
    EXPECT_EQ(world.takeFromStack, 1);
    EXPECT_EQ(world.stackTaskParams[0], 4);
    EXPECT_EQ(world.stackTaskParams[3], 7);
    EXPECT_EQ(world.stackCounter, 6);
    EXPECT_EQ(world.stackLimit, 4);
    EXPECT_EQ(world.stackCounterFlag, 1);
    ASSERT_TRUE(Holds("Story:GetTakeFromStack() == 1 and Story:GetCurrentStack() == 3"));
}

} // namespace
