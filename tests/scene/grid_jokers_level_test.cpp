// The joker bar of the shipped grid levels, played with the mouse over the
// game's own screens and art, at both screen sizes: after the task dialog the
// bar shows exactly the jokers the level has handed out (level 1, which hands
// out none, shows three faded ones where they will stand), and each one the
// level handed out can be picked up and dropped onto the grid, where it
// stands as the wildcard.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "level_fixture.h"
#include "support/layout_check.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

constexpr int kJoker = 90;

class GridJokersLevel : public test::LevelTest, public ::testing::WithParamInterface<std::tuple<int, int>> {
protected:
    GridJokersLevel() : test::LevelTest(true, true) {}

    void SetUp() override
    {
        test::LevelTest::SetUp();
        const int width = std::get<1>(GetParam());
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        catalog.Load(VANDREL_SOURCE_DIR "/tools/art/images");
    }
    int X(int design) const { return static_cast<int>(design / cSettings::Instance().scaleX); }
    int Y(int design) const { return static_cast<int>(design / cSettings::Instance().scaleY); }

    void ClickAt(int x, int y)
    {
        input.x = x, input.y = y;
        input.Click(0);
        ASSERT_TRUE(Frames(3, 16.0));
    }
    // Through the task dialog's pages to its OK, as a player does.
    void CloseTaskDialog()
    {
        const cGameWorld& world = cGameWorld::Instance();
        for (int i = 0; i < 10 && world.taskBookOpen; ++i) {
            ClickAt(X(538) + X(73) / 2, Y(300) + Y(295) + Y(49) / 2); // the next page
            ClickAt(X(280) + X(205) / 2, Y(300) + Y(360) + Y(49) / 2); // OK once it shows
        }
        ASSERT_EQ(world.taskBookOpen, 0) << "the task dialog stays open";
        input.x = cSettings::Instance().GetWidth() / 2, input.y = cSettings::Instance().GetHeight() - 5;
        ASSERT_TRUE(Frames(20, 16.0));
    }
    // The joker images the next frame draws, known by the page they come from.
    int JokersShown()
    {
        gfx.ClearRecords();
        EXPECT_TRUE(Frame(16.0));
        int shown = 0;
        for (const test::GfxDraw& d : gfx.draws) {
            if (d.kind != test::GfxDraw::Kind::Texture || !d.texture)
                continue;
            const auto* page = static_cast<const test::RecordingTexture*>(d.texture);
            gfx.textureDigests[d.texture] = test::Digest(page->bytes.data(), page->bytes.size());
            const test::ImageCatalog::Image* image = catalog.Find(gfx, d);
            shown += image && image->name.rfind("bonus_joker", 0) == 0;
        }
        return shown;
    }

    static int CombosMade()
    {
        int made = 0;
        for (const cComboLogEntry& entry : cGameWorld::Instance().comboLog)
            made += entry.times;
        return made;
    }

    test::ImageCatalog catalog;
};

TEST_P(GridJokersLevel, EveryJokerShownCanBeDroppedOntoTheGrid)
{
    const auto [level, width] = GetParam();
    cGameWorld& world = cGameWorld::Instance();
    // As the map's Play button leaves it: the level opens paused under its
    // task dialog.
    world.taskBookOpen = 1;
    world.SetPause(true);
    world.gameMenuClosed = 1;
    ASSERT_TRUE(StartLevel(level));
    ASSERT_TRUE(Frames(5, 16.0));
    ASSERT_EQ(world.taskBookOpen, 1);
    CloseTaskDialog();
    const int faded = level == 1 ? 3 : 0;
    EXPECT_EQ(JokersShown(), static_cast<int>(world.jokers.size()) + faded)
        << "jokers drawn that the bar does not hold";

    while (!world.jokers.empty()) {
        const std::size_t before = world.jokers.size();
        const cJoker& first = world.jokers.front();
        ASSERT_EQ(first.item, kJoker);
        // Press on the first slot and carry the joker to a cell holding a car.
        input.x = X(first.targetX) + X(45), input.y = Y(first.targetY) + Y(45);
        ASSERT_TRUE(Frame(16.0));
        input.Press(0, true);
        ASSERT_TRUE(Frames(2, 16.0));
        ASSERT_EQ(world.autoOnMouse, kJoker) << "the joker shown cannot be picked up";
        const auto target = std::ranges::find_if(world.fundaments, [](const cFundament& f) { return f.autoType >= 0; });
        ASSERT_NE(target, world.fundaments.end());
        const auto cell = static_cast<std::size_t>(target - world.fundaments.begin());
        const int row = target->row, column = target->column;
        // The middle of the cell's hit area.
        long sumX = 0, sumY = 0, hits = 0;
        for (int py = world.cellY[row][column]; py < world.cellY[row][column] + 240; py += 2) {
            for (int px = world.cellX[row][column]; px < world.cellX[row][column] + 240; px += 2) {
                if (world.IsMouseOverPlace(row, column, px, py))
                    sumX += px, sumY += py, ++hits;
            }
        }
        ASSERT_GT(hits, 0);
        const int x = static_cast<int>(sumX / hits), y = static_cast<int>(sumY / hits);
        ASSERT_TRUE(world.IsMouseOverPlace(row, column, x, y));
        input.x = x, input.y = y;
        ASSERT_TRUE(Frames(2, 16.0));
        const int logged = CombosMade();
        input.Press(0, false);
        ASSERT_TRUE(Frames(2, 16.0));
        EXPECT_EQ(world.autoOnMouse, -1);
        // The joker stands on the cell, or has already made a line there.
        const int onCell = world.fundaments[cell].autoType;
        EXPECT_TRUE(onCell == kJoker || CombosMade() > logged)
            << "cell " << row << "," << column << " holds " << onCell;
        ASSERT_TRUE(Frames(30, 16.0));
        EXPECT_EQ(world.jokers.size(), before - 1);
        EXPECT_EQ(JokersShown(), static_cast<int>(world.jokers.size()));
    }
}

// Level 1 hands out no joker and shows where they will stand; level 7 starts
// with two.
INSTANTIATE_TEST_SUITE_P(ShippedLevels, GridJokersLevel,
    ::testing::Combine(::testing::Values(1, 7), ::testing::Values(1280, 1024)),
    [](const auto& info) {
        return "level" + std::to_string(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param));
    });

} // namespace
