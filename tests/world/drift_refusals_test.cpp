// Balloons and clouds a level script asks for with no steps, or with ends
// farther apart than any screen, are refused with an error; any drift across
// and beyond the screen is kept.
#include <gtest/gtest.h>

#include <climits>

#include "world_fixture.h"

namespace {

using DriftRefusals = test::WorldRecords;

TEST_F(DriftRefusals, OnlyDriftsWithStepsAndAScreenSizedSpanAreKept)
{
    const struct {
        const char* what;
        int x1, y1, x2, y2, steps;
        bool kept;
    } cases[] = {
        { "across the screen", 0, 100, 1280, 50, 400, true },
        { "from beyond one edge to beyond the other", -3000, -2000, 4000, 3000, 1, true },
        { "no steps", 0, 100, 1280, 50, 0, false },
        { "fewer than no steps", 0, 100, 1280, 50, -5, false },
        { "ends at opposite extremes across", INT_MIN, 0, INT_MAX, 0, 10, false },
        { "ends at opposite extremes down", 0, INT_MAX, 0, INT_MIN, 10, false },
        { "one end far off to the right", 0, 0, INT_MAX, 0, 10, false },
        { "one end far off below", 0, 0, 0, INT_MAX, 10, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.balloons.clear();
        world.clouds.clear();
        logged.clear();
        world.AddBalon(1, c.x1, c.y1, c.x2, c.y2, c.steps);
        world.AddCloud(2, c.x1, c.y1, c.x2, c.y2, c.steps);
        EXPECT_EQ(world.balloons.size(), c.kept ? 1u : 0u);
        EXPECT_EQ(world.clouds.size(), c.kept ? 1u : 0u);
        EXPECT_EQ(LoggedContaining(L"cGameWorld::AddBalon"), !c.kept);
        EXPECT_EQ(LoggedContaining(L"cGameWorld::AddCloud"), !c.kept);
    }
}

} // namespace
