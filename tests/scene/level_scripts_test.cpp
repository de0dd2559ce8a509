// Our level scripts, as shipped in data/, run by the level state over the
// game's own screens for a while of play: they load, set every option of
// their level, define every callback, and write no script error and nothing
// "not found" to the log; they pay as a passing player needs, and every object
// the player clicks lies on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>

#include "level_fixture.h"
#include "platform/utf16.h"
#include "scene/car_layer.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

class ShippedLevelTest : public test::LevelTest {
protected:
    ShippedLevelTest() : test::LevelTest(true, true) {}

    void ExpectCleanLog()
    {
        for (const std::wstring& fault : Faults())
            ADD_FAILURE() << platform::WideToNarrow(fault);
    }
};

// A served car earns what "ok_work" credits, once; a car dropped off any
// place once the points have reached the penalty shows the penalty flying off
// and costs it. Level 2 has a script of its own, level 3 is built from the
// shared station.
class StationPointsTest : public ShippedLevelTest, public ::testing::WithParamInterface<int> {
protected:
    // A stack car dragged with the mouse to the point where(group) names.
    void DragStackCar(const std::function<std::pair<int, int>(int)>& where)
    {
        const auto slot = std::ranges::find_if(world.stackSlots, [](const cStackSlot& s) { return s.autoType >= 0; });
        ASSERT_NE(slot, world.stackSlots.end());
        const int group = Story::Instance().GetAutoColor(slot->autoType);
        input.x = slot->x + 70, input.y = slot->y + 70;
        // The level reads the mouse at the start of the next frame.
        input.Press(0, true);
        ASSERT_TRUE(Frames(2, 16.0));
        ASSERT_NE(world.autoOnMouse, -1);
        std::tie(input.x, input.y) = where(group);
        ASSERT_TRUE(Frames(2, 16.0));
        input.Press(0, false);
        ASSERT_TRUE(Frames(2, 16.0));
    }
    // Until the car is served and gone and its points have landed.
    void Settle()
    {
        for (int i = 0; i < 400 && !(world.placeAutos.empty() && world.flyingValues.empty()); ++i)
            ASSERT_TRUE(Frame(50.0));
    }
    cGameWorld& world = cGameWorld::Instance();
};

TEST_P(StationPointsTest, AServedCarEarnsAHundredOnceAndAShownPenaltyIsTaken)
{
    ASSERT_TRUE(StartLevel(GetParam()));
    ASSERT_TRUE(Frames(60, 50.0));
    const auto placeOf = [&](int group) {
        const auto place = std::ranges::find_if(world.places, [&](const cPlace& p) { return p.type == group; });
        EXPECT_NE(place, world.places.end());
        return std::pair(world.cellX[place->row][place->column] + 110, world.cellY[place->row][place->column] + 120);
    };
    for (int served = 1; served <= 2; ++served) {
        DragStackCar(placeOf);
        Settle();
        EXPECT_EQ(world.levelPoints, 100 * served);
    }

    world.levelPoints = 300;
    DragStackCar([](int) { return std::pair(20, 600); });
    ASSERT_EQ(world.flyingValues.size(), 1u);
    EXPECT_EQ(world.flyingValues[0].value, 250); // drawn as "-250"
    Settle();
    EXPECT_EQ(world.levelPoints, 50);
    ExpectCleanLog();
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, StationPointsTest, ::testing::Values(2, 3));

// Everything the player clicks lies wholly on the screen at both sizes: every
// cell of the grid, every stack slot and every service place, as laid out
// after "on_init". A hit area is probed point by point around its anchor.
class LevelGeometry : public ShippedLevelTest, public ::testing::WithParamInterface<std::tuple<int, int>> {
protected:
    // The points near (x, y) that hit, probed every second pixel, all lie on
    // the screen, and there are some.
    static void ExpectHitAreaOnScreen(int x, int y, const std::function<bool(int, int)>& hits, const std::string& what)
    {
        const int width = std::get<1>(GetParam()), height = width == 1280 ? 1024 : 768;
        int left = 1 << 20, top = 1 << 20, right = -(1 << 20), bottom = -(1 << 20);
        for (int py = y - 40; py < y + 260; py += 2) {
            for (int px = x - 40; px < x + 260; px += 2) {
                if (hits(px, py)) {
                    left = std::min(left, px), right = std::max(right, px);
                    top = std::min(top, py), bottom = std::max(bottom, py);
                }
            }
        }
        EXPECT_LE(left, right) << what << " has no hit area";
        EXPECT_TRUE(left >= 0 && top >= 0 && right < width && bottom < height)
            << what << " reaches (" << left << "," << top << ")-(" << right << "," << bottom << ")";
    }
};

TEST_P(LevelGeometry, EveryCellSlotAndPlaceLiesOnTheScreen)
{
    const auto [level, width] = GetParam();
    cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
    ASSERT_TRUE(StartLevel(level));
    const cGameWorld& world = cGameWorld::Instance();
    auto cell = [&](int row, int column, const std::string& what) {
        ExpectHitAreaOnScreen(world.cellX[row][column], world.cellY[row][column],
            [&](int x, int y) { return world.IsMouseOverPlace(row, column, x, y); },
            what + " " + std::to_string(row) + "," + std::to_string(column));
    };
    for (const cFundament& f : world.fundaments)
        cell(f.row, f.column, "cell");
    for (const cPlace& place : world.places) {
        if (place.type < 100)
            cell(place.row, place.column, "place");
    }
    Scene::CarLayer* carLayer = Scene::CarLayer::Instance();
    ASSERT_NE(carLayer, nullptr);
    const cSettings& settings = cSettings::Instance();
    for (const cStackSlot& slot : world.stackSlots) {
        const int x = static_cast<int>(slot.x / settings.scaleX), y = static_cast<int>(slot.y / settings.scaleY);
        ExpectHitAreaOnScreen(
            x, y,
            [&](int px, int py) { return input.x = px, input.y = py, carLayer->HitTestCar(x, y, slot.direction); },
            "stack slot " + std::to_string(slot.id));
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, LevelGeometry,
    ::testing::Combine(::testing::Range(1, 31), ::testing::Values(1280, 1024)),
    [](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
        return "Level" + std::to_string(std::get<0>(info.param)) + "At" + std::to_string(std::get<1>(info.param));
    });

} // namespace
