// From one level to the next: the music playing is stopped and given back
// when a level is left and when one starts, and the pages of the region are
// loaded anew by the first frame of every level, so the next level never
// shows the last one's background.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "level_fixture.h"
#include "recording_screens.h"
#include "world/game_world.h"

namespace {

using LevelSwitchTest = test::LevelTest;

const char* const kScript = "function on_init() Story:SetTimeForLevel(90) "
                            "Story:AddFundament(1, 'g', 'h', 9) Story:CreateFundament(1, 2, 0, 9, -1) end";

TEST_F(LevelSwitchTest, LeavingOrStartingALevelStopsAndGivesBackTheMusic)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kScript);
    ASSERT_TRUE(StartLevel(5));
    ASSERT_TRUE(Frame(20.0));
    world.musicStream = sound.Play2D("data/sound/music/level.ogg");
    world.leaveLevel = 1;
    EXPECT_FALSE(Frame(20.0));
    EXPECT_EQ(world.musicStream, nullptr);
    EXPECT_EQ(sound.Last()->stops, 1);
    EXPECT_EQ(sound.Unreleased(), 0);

    // The map's music ends as the next level starts.
    world.musicStream = sound.Play2D("data/sound/music/map.ogg");
    ASSERT_TRUE(StartLevel(5));
    EXPECT_EQ(world.musicStream, nullptr);
    EXPECT_EQ(sound.Last()->stops, 1);
    EXPECT_EQ(sound.Unreleased(), 0);
    EXPECT_TRUE(Frame(20.0)); // the level did start
}

TEST_F(LevelSwitchTest, EveryLevelReloadsTheRegionAtItsFirstFrame)
{
    WriteLevelScript(5, kScript);
    WriteLevelScript(7, kScript);
    ASSERT_TRUE(StartLevel(5));
    ASSERT_TRUE(Frame(20.0));
    auto* floor = cScreenManager::Instance().GetScreen(cScreenManager::kLevelBackground);
    ASSERT_TRUE(floor->IsActive());
    cGameWorld::Instance().leaveLevel = 1; // back to the map
    ASSERT_FALSE(Frame(20.0));

    test::ScreenCalls().clear();
    ASSERT_TRUE(StartLevel(7));
    EXPECT_FALSE(floor->IsActive());
    ASSERT_TRUE(Frame(20.0));
    EXPECT_TRUE(floor->IsActive());
    const auto& calls = test::ScreenCalls();
    const auto off = std::find(calls.begin(), calls.end(), "LevelBackground off");
    EXPECT_LT(off, std::find(calls.begin(), calls.end(), "LevelBackground on"));
}

// The road cars a level's script chooses are that level's alone: the next
// level takes only the cars its own script chose.
TEST_F(LevelSwitchTest, ALevelsChosenRoadCarsAreNotTheNextLevels)
{
    cGameWorld& world = cGameWorld::Instance();
    for (const int level : { 5, 7 }) {
        WriteLevelScript(level,
            std::string(kScript, std::strlen(kScript) - 3) + " Story:ChoiceAutobahnAutos(" + std::to_string(50 + level)
                + ") end");
        ASSERT_TRUE(StartLevel(level));
        ASSERT_TRUE(Frame(20.0));
        EXPECT_TRUE(world.IsChosenAutobahnAuto(50 + level));
        world.leaveLevel = 1;
        ASSERT_FALSE(Frame(20.0));
    }
    EXPECT_FALSE(world.IsChosenAutobahnAuto(55)) << "the first level's choice reached the second";
}

} // namespace
