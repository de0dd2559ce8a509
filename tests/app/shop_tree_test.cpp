// A tree planted by hand in the shop, through the real program at both screen
// sizes: numpad + picks a tree, the tree follows the mouse with its foot on
// the cursor, and a click plants it exactly where it was shown.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "support/menu_route.h"
#include "whole_game_fixture.h"

namespace {

struct Size {
    int width, height;
};

// Where the tree is held: on the grass between the pump islands and the
// top panel, away from the streets and the lots.
constexpr int kDesignX = 300, kDesignY = 210;

class TreeApp : public cPPApp {
public:
    bool Frame() override
    {
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        if (frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (!mapAt && test::StartScreenOpen()) {
            // as the start screen's play button: on to the map, with money
            // enough for the city pin to show
            mapAt = frames;
            world.profilesOpen = 0;
            world.gameMode = 1;
            world.money = 1000;
        }
        if (mapAt && (frames == mapAt + 10 || frames == mapAt + 11))
            Press(Scene::ScaleX(50), Scene::ScaleY(750), frames == mapAt + 10);
        if (!shopAt && world.shopOpen)
            shopAt = frames;
        const int step = shopAt ? frames - shopAt : -1;
        const int x = Scene::ScaleX(kDesignX), y = Scene::ScaleY(kDesignY);
        if (step == 10)
            Move(x, y);
        if (step == 12)
            Sample(before);
        if (step == 13 || step == 14)
            platform::InjectKey(window, "Keypad +", step == 13);
        if (step == 20)
            Sample(held);
        if (step == 21) {
            trees = world.places.size();
            Press(x, y, true);
        }
        if (step == 22)
            Press(x, y, false);
        // The mouse leaves once the input has been read and the tree planted.
        if (step > 22 && step < 60 && world.places.size() > trees && !away) {
            away = true;
            Move(x - Scene::ScaleX(300), y + Scene::ScaleY(500));
        }
        if (step == 80)
            Sample(planted);
        return cPPApp::Frame() && step < 80 && frames < 600;
    }

    // The pixels around the cursor's point, as an ARGB value each, the
    // cursor's own corner left out.
    using Picture = std::vector<uint32_t>;
    static constexpr int kLeft = -80, kTop = -180, kRight = 80, kBottom = 30;
    static bool UnderCursor(int dx, int dy) { return dx >= -2 && dx < 48 && dy >= -2 && dy < 48; }

    Picture before, held, planted;
    int frames = 0, mapAt = 0, shopAt = 0;
    std::size_t trees = 0;
    bool away = false;

private:
    void Move(int x, int y)
    {
        if (g_pInputDevice)
            g_pInputDevice->SetCursorPos(x, y);
        platform::InjectMouseMotion(window, x, y);
    }
    void Press(int x, int y, bool down)
    {
        Move(x, y);
        platform::InjectMouseButton(window, 1, down, x, y);
    }
    void Sample(Picture& into)
    {
        const int x = Scene::ScaleX(kDesignX), y = Scene::ScaleY(kDesignY);
        for (int dy = kTop; dy < kBottom; ++dy) {
            for (int dx = kLeft; dx < kRight; ++dx) {
                uint32_t pixel = 0;
                if (!UnderCursor(dx, dy))
                    engine::ReadPixel(x + dx, y + dy, &pixel);
                into.push_back(pixel);
            }
        }
    }
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }
};

class ShopTree : public WholeGameTest, public ::testing::WithParamInterface<Size> { };

TEST_P(ShopTree, TheHeldTreeStandsOnTheCursorAndIsPlantedWhereItWasShown)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    ShowLogos();
    TreeApp app;
    app.Run();
    ASSERT_GT(app.shopAt, 0) << "the city pin did not open the shop";
    ASSERT_TRUE(app.away) << "no tree was planted";
    ASSERT_EQ(app.planted.size(), app.before.size());
    ASSERT_EQ(app.held.size(), app.before.size());
    // The tree: what the held one changed in the picture, as offsets from
    // the cursor's point.
    constexpr int kWidth = TreeApp::kRight - TreeApp::kLeft;
    const auto changed = [&](const TreeApp::Picture& picture) {
        std::set<std::pair<int, int>> points;
        for (std::size_t i = 0; i < picture.size(); ++i)
            if (picture[i] != app.before[i])
                points.emplace(
                    static_cast<int>(i % kWidth) + TreeApp::kLeft, static_cast<int>(i / kWidth) + TreeApp::kTop);
        return points;
    };
    const auto tree = changed(app.held);
    ASSERT_GT(tree.size(), 200u) << "no tree near the cursor";
    int left = kWidth, right = -kWidth, bottom = TreeApp::kTop;
    for (const auto& [dx, dy] : tree)
        left = std::min(left, dx), right = std::max(right, dx), bottom = std::max(bottom, dy);
    EXPECT_TRUE(left < 0 && right > 0) << "the tree spans " << left << ".." << right << " of the cursor";
    EXPECT_LE(std::abs(bottom), 12) << "the tree's foot stands " << bottom << " pixels below the cursor";
    // Where the cursor covered the held tree, the planted one shows.
    const auto planted = changed(app.planted);
    std::size_t moved = 0;
    for (const auto& point : planted)
        moved += tree.count(point) ? 0 : 1;
    EXPECT_LE(moved + tree.size() - (planted.size() - moved), tree.size() / 50) << "the planted tree moved";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShopTree, ::testing::Values(Size { 1280, 1024 }, Size { 1024, 768 }),
    [](const auto& info) { return std::to_string(info.param.width); });

} // namespace
