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

// The transport screen holds its stack pass back while every slot holds a car.
TEST_F(StoryStack, TheStackIsFullWhenEverySlotHoldsACar)
{
    const struct {
        std::vector<int> cars; // the slots' cars, -1 empty
        bool full;
    } cases[] = {
        { {}, true },
        { { -1, -1 }, false },
        { { 5, -1 }, false },
        { { -1, 5 }, false },
        { { 5, 6 }, true },
        { { 0 }, true },
    };
    cGameWorld& world = cGameWorld::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cars.size());
        world.stackSlots.clear();
        for (int car : c.cars) {
            cStackSlot slot;
            slot.autoType = car;
            world.stackSlots.push_back(slot);
        }
        EXPECT_EQ(Story::Instance().IsStackFull(), c.full);
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
