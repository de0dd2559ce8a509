// Points, money, awards, the bonus system and jokers as a level script uses
// them: paying for a service and a combo, granting awards, reading jokers.
#include <string>

#include <gtest/gtest.h>

#include "scripting/script_fixture.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

using StoryPoints = test::ScriptTest;

const char* const kPayingLevel = R"(
function on_init()
    Story:SetMoney(1000)
    Story:MaxPoints(5000)
    Story:SetSpeedForPoints(0.5)
    Story:SetBonusSystem("color")
    Story:NoMinusPoints(true)
end
function ok_work()
    -- A service pays by the car served and its patience.
    Story:SetMoney(Story:GetMoney() + 10 * Story:GetWorkingAuto() + Story:GetPatience())
    Story:SetPoints(25)
end
function on_bonus()
    -- A combo pays every bonus cell's station bonus, times its length.
    local sum = 0
    for i = 0, Story:GetBonusList() - 1 do sum = sum + Story:GetStationBonus(i) end
    Story:SetMoney(Story:GetMoney() + sum * Story:GetTypeBonus())
    Story:MinusPoints(Story:GetClassAutoBonus())
    if Story:GetTypeBonus() >= 4 then Story:AddAward(3) end
end
)";

TEST_F(StoryPoints, ServicesAndCombosArePaidByTheScript)
{
    StartLevel(kPayingLevel, 8);
    cGameWorld& world = cGameWorld::Instance();
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.maxPoints, 5000);
    EXPECT_DOUBLE_EQ(world.pointsSpeed, 0.5);
    EXPECT_EQ(world.bonusByClass, 0);
    EXPECT_EQ(world.noPenalty, 1);

    world.workingAuto = 3;
    world.patience = 10;
    Story::Instance().CallScriptFunction("ok_work");
    EXPECT_EQ(world.money, 1040);
    EXPECT_EQ(world.points, 25);

    // A combo of four: cells with station bonus 5, 7, 0 and 3.
    const int kinds[] = { 5, 7, 0, 3 };
    for (int i = 0; i < 4; ++i)
        world.bonusCellKind[i] = kinds[i];
    world.bonusCellCount = 4;
    world.bonusType = 4;
    world.bonusAutoClass = 2;
    world.levelPoints = 100;
    world.currentProfile = 2;
    Story::Instance().CallScriptFunction("on_bonus");
    EXPECT_EQ(world.money, 1040 + 15 * 4);
    EXPECT_EQ(world.levelPoints, 98);
    EXPECT_EQ(world.profileAwards[2][3], 1);
    EXPECT_EQ(world.newAward, 1);
    EXPECT_EQ(world.lastAward, 3);
    EXPECT_TRUE(ScriptErrors().empty());
}

// The game reads the points speed back as the script set it; a value that is
// no number is refused and the last one stays. Scripts cannot read it.
TEST_F(StoryPoints, ThePointsSpeedIsReadBackByTheGameOnly)
{
    Story& story = Story::Instance();
    EXPECT_DOUBLE_EQ(story.GetSpeedForPoints(), 0.0);
    ASSERT_TRUE(Run("Story:SetSpeedForPoints(0.25)"));
    EXPECT_DOUBLE_EQ(story.GetSpeedForPoints(), 0.25);
    ASSERT_TRUE(Run("Story:SetSpeedForPoints(0/0); Story:SetSpeedForPoints(1/0)"));
    EXPECT_DOUBLE_EQ(story.GetSpeedForPoints(), 0.25);
    EXPECT_TRUE(Holds("Story.GetSpeedForPoints == nil and not pcall(function() return Story:GetSpeedForPoints() end)"));
}

TEST_F(StoryPoints, AnAwardIsGrantedOnlyOnce)
{
    cGameWorld& world = cGameWorld::Instance();
    world.currentProfile = 4;
    world.profileAwards[4][7] = 2;
    ASSERT_TRUE(Run("Story:AddAward(7)"));
    EXPECT_EQ(world.profileAwards[4][7], 2);
    EXPECT_EQ(world.newAward, 0);

    ASSERT_TRUE(Run("Story:AddAward(20)"));
    EXPECT_EQ(world.profileAwards[4][20], 1);
    EXPECT_EQ(world.lastAward, 20);
    world.newAward = 0;
    ASSERT_TRUE(Run("Story:AddAward(20)"));
    EXPECT_EQ(world.newAward, 0); // already held: no second announcement

    ASSERT_TRUE(Run("Story:SetAwards(20, 0); Story:SetAwards(0, 9)"));
    EXPECT_EQ(world.profileAwards[4][20], 0);
    EXPECT_EQ(world.profileAwards[4][0], 9);
    EXPECT_EQ(world.profileAwards[1][0], 0); // another profile's row is untouched
}

TEST_F(StoryPoints, OnlyTheWordColorSelectsBonusesByColour)
{
    const struct {
        const char* name;
        int byClass;
        const char* answer;
    } cases[] = {
        { "color", 0, "color" },
        { "COLOR", 1, "classe" },
        { "classe", 1, "classe" },
        { "", 1, "classe" },
        { "color ", 1, "classe" },
        { "colour", 1, "classe" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Run(std::string("Story:SetBonusSystem('") + c.name + "'); system = Story:GetBonusSystem()"));
        EXPECT_EQ(cGameWorld::Instance().bonusByClass, c.byClass);
        EXPECT_EQ(Text("system"), c.answer);
    }
}

TEST_F(StoryPoints, JokersAreCountedByKindAndTheUpgradeDecidesGetJoker)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 1;
    world.jokerRequested = 1;
    ASSERT_TRUE(Run("Story:AddJoker(3)"));
    EXPECT_EQ(world.jokers.size(), 3u);
    EXPECT_EQ(world.jokerRequested, 0);
    world.jokers[1].item = 91;
    ASSERT_TRUE(Holds("Story:GetJokerList(90) == 2 and Story:GetJokerList(91) == 1 and Story:GetJokerList(5) == 0"));

    ASSERT_TRUE(Run("Story:SetJoker(7)"));
    EXPECT_EQ(world.joker, 7);
    ASSERT_TRUE(Holds("Story:GetJoker() == 0"));
    world.boughtJoker = 1;
    ASSERT_TRUE(Holds("Story:GetJoker() == 1"));
    world.boughtJoker = 2;
    ASSERT_TRUE(Holds("Story:GetJoker() == 0"));

    ASSERT_TRUE(Holds("Story:IfJoker() == false"));
    world.jokerInUse = 1;
    ASSERT_TRUE(Holds("Story:IfJoker() == true"));
}

} // namespace
