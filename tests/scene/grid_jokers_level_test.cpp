// The joker bar of the shipped grid levels, played with the mouse over the
// game's own screens and art, at both screen sizes: after the task dialog the
// bar shows exactly the jokers the level has handed out (level 1, which hands
// out none, shows three faded ones where they will stand), and each one the
// level handed out can be picked up and dropped onto the grid, where it
// stands as the wildcard. A held joker is seen under the pointer and on the
// free cell it is put on, and it never gets lost: it stands on the grid or
// goes back to the bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

#include "level_fixture.h"
#include "platform/win_messages.h"
#include "support/layout_check.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

constexpr int kJoker = 90;

class GridJokersLevel : public test::LevelTest, public ::testing::WithParamInterface<std::tuple<int, int>> {
protected:
    GridJokersLevel()
        : test::LevelTest(true, true)
    {
    }

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
    int JokersShown() { return static_cast<int>(Drawn("bonus_joker").size()); }

    static int CombosMade()
    {
        int made = 0;
        for (const cComboLogEntry& entry : cGameWorld::Instance().comboLog)
            made += entry.times;
        return made;
    }

    // The images whose names start so that the next frame draws.
    std::vector<test::GfxDraw> Drawn(const std::string& prefix)
    {
        gfx.ClearRecords();
        EXPECT_TRUE(Frame(16.0));
        std::vector<test::GfxDraw> found;
        for (const test::GfxDraw& d : gfx.draws) {
            const test::ImageCatalog::Image* image = catalog.FindRecorded(gfx, d);
            if (image && image->name.rfind(prefix, 0) == 0)
                found.push_back(d);
        }
        return found;
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

// Every joker of the level: in the bar (not yet picked), on the mouse or
// standing on a cell.
int JokersKept()
{
    const cGameWorld& world = cGameWorld::Instance();
    int kept = world.autoOnMouse == kJoker ? 1 : 0;
    kept += static_cast<int>(
        std::ranges::count_if(world.jokers, [](const cJoker& j) { return j.item == kJoker && !j.used; }));
    kept += static_cast<int>(
        std::ranges::count_if(world.fundaments, [](const cFundament& f) { return f.autoType == kJoker; }));
    return kept;
}

// A free cell where a joker makes no line: no two cars of a kind beside it
// in a row or a column.
const cFundament* QuietFreeCell()
{
    const cGameWorld& world = cGameWorld::Instance();
    const auto carAt = [&](int row, int column) {
        const auto f = std::ranges::find_if(
            world.fundaments, [&](const cFundament& c) { return c.row == row && c.column == column; });
        return f == world.fundaments.end() ? -1 : f->autoType;
    };
    for (const cFundament& f : world.fundaments) {
        if (f.autoType != -1 || f.carArriving || f.hidden || f.row < 1 || f.row > 8 || f.column > 8)
            continue;
        bool line = false;
        for (const auto& [dr, dc] : { std::pair(0, 1), std::pair(1, 0) }) {
            for (int start = -2; start <= 0; ++start) {
                int cars[2], n = 0;
                for (int k = start; k < start + 3; ++k)
                    if (k != 0)
                        cars[n++] = carAt(f.row + k * dr, f.column + k * dc);
                line = line || (cars[0] != -1 && cars[0] == cars[1]);
            }
        }
        if (!line)
            return &f;
    }
    return nullptr;
}

class HeldJoker : public GridJokersLevel { };

TEST_P(HeldJoker, IsSeenWhereItIsPutAndNeverLost)
{
    cGameWorld& world = cGameWorld::Instance();
    world.taskBookOpen = 1;
    world.SetPause(true);
    world.gameMenuClosed = 1;
    ASSERT_TRUE(StartLevel(std::get<0>(GetParam())));
    ASSERT_TRUE(Frames(5, 16.0));
    CloseTaskDialog();
    // The stack's first cars land.
    ASSERT_TRUE(Frames(60, 16.0));
    ASSERT_EQ(JokersKept(), 2);
    // The joker and the bomb are held as cars, with images of the car page.
    const std::string carPage = cSettings::Instance().GetWidth() == 1280
        ? "data/gui/interface/menu/menu_transport"
        : "data/gui/interface/menu/menu_transport_1024";
    for (const int item : { kJoker, kJoker + 1 })
        EXPECT_NE(catalog.Named(carPage, world.GetAutoTypeName(item, 1) + ".png"), nullptr) << "car type " << item;

    // The button held down over the bar's first joker picks it up.
    const auto pickFirstJoker = [&] {
        ASSERT_FALSE(world.jokers.empty());
        const cJoker& joker = world.jokers.front();
        input.x = X(joker.targetX) + X(45), input.y = Y(joker.targetY) + Y(45);
        ASSERT_TRUE(Frame(16.0));
        input.Press(0, true);
        ASSERT_TRUE(Frames(2, 16.0));
        ASSERT_EQ(world.autoOnMouse, kJoker);
    };

    // Picked from the bar and carried over a free cell: the joker hangs with
    // its middle under the pointer.
    pickFirstJoker();
    ASSERT_FALSE(HasFatalFailure());
    const cFundament* cell = QuietFreeCell();
    ASSERT_NE(cell, nullptr);
    const int row = cell->row, column = cell->column;
    input.x = world.cellX[row][column] + X(118), input.y = world.cellY[row][column] + Y(118);
    ASSERT_TRUE(world.IsMouseOverPlace(row, column, input.x, input.y));
    ASSERT_TRUE(Frames(2, 16.0));
    std::vector<test::GfxDraw> held = Drawn("car_joker.png");
    ASSERT_EQ(held.size(), 1u) << "the held joker is not seen";
    const RECT& r = held[0].target;
    EXPECT_TRUE(std::abs(input.x - (r.left + r.right) / 2) < (r.right - r.left) / 4
        && std::abs(input.y - (r.top + r.bottom) / 2) < (r.bottom - r.top) / 4)
        << "held at " << r.left << "," << r.top << " for a pointer at " << input.x << "," << input.y;

    // Released: it stands on the cell, seen there, hovered and not.
    input.Press(0, false);
    ASSERT_TRUE(Frames(2, 16.0));
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(cell->autoType, kJoker);
    int carX = 0, carY = 0;
    world.GridCarPoint(row, column, carX, carY);
    const auto standsOnCell = [&](const std::string& image) {
        const std::vector<test::GfxDraw> drawn = Drawn(image);
        return std::ranges::any_of(drawn, [&](const test::GfxDraw& d) {
            return std::abs(d.target.left - carX) <= 3 && std::abs(d.target.top - carY) <= 3;
        });
    };
    EXPECT_TRUE(standsOnCell("car_joker_over.png")) << "the joker under the pointer is not seen on its cell";
    input.x = cSettings::Instance().GetWidth() / 2, input.y = cSettings::Instance().GetHeight() - 5;
    // The stack pours after the move: its cars land elsewhere; the joker
    // stays.
    bool poured = false;
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(Frame(16.0));
        poured = poured || !world.transfers.empty();
        ASSERT_EQ(JokersKept(), 2) << "frame " << i;
    }
    EXPECT_TRUE(poured);
    EXPECT_EQ(cell->autoType, kJoker);
    EXPECT_TRUE(standsOnCell("car_joker.png")) << "the joker is not seen on its cell";

    // Held while the game menu opens, then the options chosen: it goes back
    // to the bar.
    pickFirstJoker();
    ASSERT_FALSE(HasFatalFailure());
    test::OneKey escape(VK_ESCAPE);
    state.HandleKeys(escape);
    ASSERT_TRUE(Frames(2, 16.0));
    ASSERT_EQ(world.gameMenuClosed, 0);
    input.Press(0, false);
    ASSERT_TRUE(Frames(2, 16.0));
    std::vector<test::GfxDraw> buttons = Drawn("button_short");
    ASSERT_EQ(buttons.size(), 4u) << "the game menu's four buttons";
    std::ranges::sort(buttons, {}, [](const test::GfxDraw& d) { return d.target.top; });
    const RECT& options = buttons[2].target;
    ClickAt((options.left + options.right) / 2, (options.top + options.bottom) / 2);
    EXPECT_EQ(world.optionsOpen, 1);
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(JokersKept(), 2) << "the joker held when the options opened is lost";
}

INSTANTIATE_TEST_SUITE_P(Level7, HeldJoker, ::testing::Combine(::testing::Values(7), ::testing::Values(1280, 1024)),
    [](const auto& info) { return std::to_string(std::get<1>(info.param)); });

// Level 1 hands out no joker and shows where they will stand; level 7 starts
// with two.
INSTANTIATE_TEST_SUITE_P(ShippedLevels, GridJokersLevel,
    ::testing::Combine(::testing::Values(1, 7), ::testing::Values(1280, 1024)), [](const auto& info) {
        return "level" + std::to_string(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param));
    });

} // namespace
