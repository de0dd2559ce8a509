// What a level's script must build for the level to start: a grid, or at
// least one service place standing on a cell; trees and decorations alone
// leave nothing to play, and the level goes back to the map unplayed.
#include <gtest/gtest.h>

#include <string>

#include "level_fixture.h"
#include "world/game_world.h"

namespace {

using LevelPlayable = test::LevelTest;

TEST_F(LevelPlayable, AGridOrAServicePlaceOnACellIsEnoughToPlay)
{
    const struct {
        const char* what;
        const char* builds;
        bool plays;
    } cases[] = {
        { "a grid", "Story:AddFundament(1, 'g', 'h', 9) Story:CreateFundament(1, 2, 0, 9, -1)", true },
        { "a service place", "Story:CreatePlace(6, 2, 2, 9)", true },
        { "a tree, then a service place", "Story:CreatePlace(100, 60, 300, 9) Story:CreatePlace(7, 3, 1, 9)", true },
        { "trees only", "Story:CreatePlace(100, 60, 300, 9) Story:CreatePlace(101, 200, 300, 9)", false },
        { "nothing", "", false },
    };
    cGameWorld& world = cGameWorld::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteLevelScript(5, std::string("function on_init() Story:SetTimeForLevel(90) ") + c.builds + " end");
        world.returnToMenu = 0;
        ASSERT_TRUE(StartLevel(5));
        EXPECT_EQ(Frame(600.0), c.plays);
        EXPECT_EQ(world.returnToMenu, c.plays ? 0 : 1);
        EXPECT_EQ(world.levelStartNotice.empty(), c.plays);
        if (c.plays) {
            world.leaveLevel = 1;
            EXPECT_FALSE(Frame(600.0));
        }
        world.returnToMenu = 0;
    }
}

} // namespace
