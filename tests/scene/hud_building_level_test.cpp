// The station-building level runs paused throughout: each frame of the
// head-up display holds it again, however it was let go; other levels run.
#include <gtest/gtest.h>

#include "hud_fixture.h"

namespace {

using HudBuildingLevel = test::HudTest;

TEST_F(HudBuildingLevel, OnlyTheBuildingLevelIsHeldByTheDisplay)
{
    const struct {
        int level;
        bool held;
    } cases[] = { { 31, true }, { 30, false }, { 1, false }, { 32, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        Scene::Hud made;
        world.level = c.level;
        for (int frame = 0; frame < 2; ++frame) {
            world.SetPause(false);
            gfx.ClearRecords();
            Wait(17);
            made.Draw();
            EXPECT_EQ(world.IsPaused(), c.held);
        }
    }
    world.SetPause(false);
}

} // namespace
