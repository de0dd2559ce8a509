// The background of a level: the pages of the region are loaded anew by the
// first frame of every level, so the next level never shows the last one's.
#include <gtest/gtest.h>

#include <algorithm>

#include "level_fixture.h"
#include "recording_screens.h"
#include "world/game_world.h"

namespace {

using LevelBackgroundTest = test::LevelTest;

TEST_F(LevelBackgroundTest, EveryLevelReloadsTheRegionAtItsFirstFrame)
{
    const char* const script = "function on_init() Story:SetTimeForLevel(90) end";
    WriteLevelScript(5, script);
    WriteLevelScript(7, script);
    ASSERT_TRUE(StartLevel(5));
    ASSERT_TRUE(Frame(20.0));
    auto* floor = cMenuManager::Instance().GetMenu(cMenuManager::kFloor);
    ASSERT_TRUE(floor->IsActive());
    cGameWorld::Instance().leaveLevel = 1; // back to the map
    ASSERT_FALSE(Frame(20.0));

    test::ScreenCalls().clear();
    ASSERT_TRUE(StartLevel(7));
    EXPECT_FALSE(floor->IsActive());
    ASSERT_TRUE(Frame(20.0));
    EXPECT_TRUE(floor->IsActive());
    const auto& calls = test::ScreenCalls();
    const auto off = std::find(calls.begin(), calls.end(), "Floor off");
    EXPECT_LT(off, std::find(calls.begin(), calls.end(), "Floor on"));
}

} // namespace
