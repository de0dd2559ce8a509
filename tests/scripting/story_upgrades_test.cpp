// The bought upgrades as the scripts read them, and the managers at the
// stack.
#include <string>

#include <gtest/gtest.h>

#include "scripting/story.h"
#include "scripting/story_method_fixture.h"

namespace {

using StoryUpgrades = test::StoryMethodTest;

TEST_F(StoryUpgrades, OwnedUpgradesAnswerOneOnlyForAFlagOfOne)
{
    cGameWorld& world = cGameWorld::Instance();
    const struct {
        const char* getter;
        int* flag;
        bool storedValue; // answers the flag as it is
    } cases[] = {
        { "GetBeton", &world.boughtBeton, false },
        { "GetCrane", &world.boughtCrane, false },
        { "GetModern53", &world.boughtModern53, false },
        { "GetAntifog", &world.boughtAntifog, false },
        { "GetAntiCloud", &world.boughtAntiCloud, false },
        { "GetWerbung", &world.boughtWerbung, false },
        { "GetConsultant", &world.boughtConsultant, true },
        { "GetProfi", &world.boughtProfi, true },
        { "GetEntertainment", &world.boughtEntertainment, true },
    };
    for (const auto& c : cases) {
        for (int flag : { 0, 1, 2, -1 }) {
            SCOPED_TRACE(std::string(c.getter) + " " + std::to_string(flag));
            *c.flag = flag;
            ASSERT_TRUE(Run(std::string("v = Story:") + c.getter + "()"));
            EXPECT_EQ(Number("v"), c.storedValue ? flag : (flag == 1 ? 1 : 0));
        }
    }
    world.boughtBeton = 0;
    world.boughtCrane = 0;
    ASSERT_TRUE(Run("Story:SetBeton(); Story:SetCrane(); Story:ClearUpgrades()"));
    EXPECT_EQ(world.boughtBeton, 1);
    EXPECT_EQ(world.boughtCrane, 1);
}

TEST_F(StoryUpgrades, TheHighestOwnedUpdateStageCounts)
{
    const struct {
        int stages[4];
        int answer;
    } cases[] = {
        { { 0, 0, 0, 0 }, 0 },
        { { 1, 0, 1, 0 }, 3 },
        { { 1, 1, 1, 1 }, 4 },
        { { 0, 1, 0, 0 }, 2 },
        { { 1, 0, 0, 2 }, 1 },
    };
    cGameWorld& world = cGameWorld::Instance();
    for (const auto& c : cases) {
        for (int i = 0; i < 4; ++i)
            world.boughtUpdate[i] = c.stages[i];
        EXPECT_EQ(Story::Instance().GetUpdate(), c.answer);
    }
    world.updateColor = 2;
    world.updateX = 4;
    world.updateY = 6;
    world.currentUpgrade = 58;
    ASSERT_TRUE(Run("Story:SetUpdate(3); Story:SetTuv(1); Story:SetProfi(1)"));
    EXPECT_EQ(world.update, 3);
    EXPECT_EQ(world.inspection, 1);
    EXPECT_EQ(world.profi, 1);
    ASSERT_TRUE(Holds("Story:GetUpdateColor() == 2 and Story:GetUpdateX() == 4 and Story:GetUpdateY() == 6"));
    ASSERT_TRUE(Holds("Story:GetCurrentUpgrade() == 58 and Story:GetProfi() == 0"));
}

TEST_F(StoryUpgrades, ManagersAreBoundedByTheStackLimit)
{
    const struct {
        int limit, count, stored;
        uint8_t belowLimitAfter;
    } cases[] = {
        { 6, 10, 6, 0 },
        { 6, 6, 6, 0 },
        { 6, 2, 2, 1 },
        { 0, 1, 0, 0 },
        { 3, 0, 0, 1 },
    };
    cGameWorld& world = cGameWorld::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit * 100 + c.count);
        world.managerBelowLimit = 1;
        ASSERT_TRUE(Run("Story:StackCounter(6, " + std::to_string(c.limit) + ", 0); Story:SetManager("
            + std::to_string(c.count) + ")"));
        EXPECT_EQ(world.managerCount, c.stored);
        EXPECT_EQ(world.managerBelowLimit, c.belowLimitAfter);
        ASSERT_TRUE(Holds("Story:GetManager() == " + std::to_string(c.stored)));
    }
}

} // namespace
