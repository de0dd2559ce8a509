// A level ended by its script: "on_level_finish" runs on every unpaused frame
// of the head-up display, and Story:SetState(1) ends the level only there.
#include <gtest/gtest.h>

#include "level_fixture.h"
#include "world/game_world.h"

namespace {

class LevelEndScriptTest : public test::LevelTest {
protected:
    LevelEndScriptTest()
        : test::LevelTest(true)
    {
    }
};

// Ends the level from "on_level_finish" once finish_after seconds have passed,
// or from "on_timer" when the level says so.
const char* const kFinishingLevel = R"(
finish_calls = 0
seconds = 0
function on_init()
    Story:SetTimeForLevel(100)
end
function on_timer()
    seconds = seconds + 1
    if from_timer and seconds == 2 then
        Story:SetState(1)
    end
end
function on_level_finish()
    finish_calls = finish_calls + 1
    if not from_timer and seconds >= 2 then
        Story:SetState(1)
    end
end
)";

TEST_F(LevelEndScriptTest, SetStateInsideOnLevelFinishEndsTheLevelWon)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kFinishingLevel);
    ASSERT_TRUE(StartLevel(5));
    ASSERT_TRUE(Frames(30, 50.0));
    EXPECT_EQ(world.levelOver, 0);
    EXPECT_GE(ScriptNumber("finish_calls"), 25);
    ASSERT_TRUE(Frames(30, 50.0));
    EXPECT_EQ(world.levelOver, 1);
    EXPECT_EQ(world.levelState, 1);
    EXPECT_EQ(world.levelFinalTime, 2);
    EXPECT_EQ(world.levelEndStep, 1);
    EXPECT_EQ(world.paused, 1);
    // Rated: gold, with the cup to come.
    EXPECT_EQ(world.evaluatePending, 0);
    EXPECT_EQ(world.medalText, L"GOLD");
    // The script is asked no more.
    const double calls = ScriptNumber("finish_calls");
    ASSERT_TRUE(Frames(10, 50.0));
    EXPECT_EQ(ScriptNumber("finish_calls"), calls);

    // Leaving the level is remembered for the rest of the run (the credits
    // show only then).
    EXPECT_EQ(world.levelLeftInRun, 0);
    world.leaveLevel = 1;
    EXPECT_FALSE(Frame(50.0));
    EXPECT_EQ(world.leaveLevel, 0);
    EXPECT_EQ(world.levelLeftInRun, 1);
}

TEST_F(LevelEndScriptTest, SetStateElsewhereStopsTheChecksWithoutAnEnd)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, std::string("from_timer = true\n") + kFinishingLevel);
    ASSERT_TRUE(StartLevel(5));
    ASSERT_TRUE(Frames(80, 50.0));
    EXPECT_EQ(world.levelState, 1);
    EXPECT_EQ(world.levelOver, 0);
    const double calls = ScriptNumber("finish_calls");
    ASSERT_TRUE(Frames(10, 50.0));
    EXPECT_EQ(ScriptNumber("finish_calls"), calls);
}

} // namespace
