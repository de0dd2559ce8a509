// What the map shows under the mouse: which pin is hovered at and just past
// each edge of its hit box, the description that follows it and comes back to
// the chosen level's own text; the level-number panel for every level; the
// profile line for every profile number; the labels of the map's buttons.
#include "world_map_fixture.h"

namespace {

class WorldMapHover : public test::WorldMapTest {
protected:
    // A pin's hit box in design pixels, 1280 wide: from (pin x - 35, pin y - 75)
    // to (pin x + 15, pin y + 15), both corners inside.
    static int Left(int level) { return 100 + 30 * level - 35; }
    static int Right(int level) { return 100 + 30 * level + 15; }
    static int Top(int level) { return 200 + 15 * level - 75; }
    static int Bottom(int level) { return 200 + 15 * level + 15; }
    static int MidX(int level) { return 100 + 30 * level - 10; }
    static int MidY(int level) { return 200 + 15 * level - 30; }
};

// A pin is hovered from edge to edge of its box and not one pixel past it; a
// level beyond the furthest has no pin to hover. The description shows the
// hovered pin's level and, with no pin under the mouse, the chosen level's.
TEST_F(WorldMapHover, APinIsHoveredExactlyInsideItsBoxAndTheDescriptionFollowsIt)
{
    for (const int furthest : { 5, 12 }) {
        const int last = furthest;
        const struct {
            const char* what;
            int x, y;
            int hovered; // -1 none
        } cases[] = {
            { "nowhere", 0, 0, -1 },
            { "the first pin", MidX(1), MidY(1), 1 },
            { "the first pin's left edge", Left(1), MidY(1), 1 },
            { "left of the first pin", Left(1) - 1, MidY(1), -1 },
            { "the first pin's top edge", MidX(1), Top(1), 1 },
            { "above the first pin", MidX(1), Top(1) - 1, -1 },
            { "the first pin's bottom edge", MidX(1), Bottom(1), 1 },
            { "below the first pin", MidX(1), Bottom(1) + 1, -1 },
            { "the second pin", MidX(2), MidY(2), 2 },
            { "the last pin", MidX(last), MidY(last), last },
            { "the last pin's right edge", Right(last), MidY(last), last },
            { "right of the last pin", Right(last) + 1, MidY(last), -1 },
            { "the last pin's top edge", MidX(last), Top(last), last },
            { "above the last pin", MidX(last), Top(last) - 1, -1 },
            { "the last pin's bottom edge", MidX(last), Bottom(last), last },
            { "below the last pin", MidX(last), Bottom(last) + 1, -1 },
            { "where the next level's pin would be", MidX(last + 1), MidY(last + 1), -1 },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << furthest << ": " << c.what);
            SetFurthest(furthest);
            world.level = 3;
            // Another pin first, so that its text would be left behind.
            HoverPin(c.hovered == 2 ? 4 : 2);
            Frame();
            MoveMouse(c.x, c.y);
            Frame();
            EXPECT_EQ(map.GetHoveredPin(), c.hovered);
            const int shown = c.hovered != -1 ? c.hovered : 3;
            EXPECT_EQ(world.taskText, L"task " + std::to_wstring(shown));
            EXPECT_EQ(CountText(L"task " + std::to_wstring(shown)), 2);
            EXPECT_EQ(CountText(L"text 24 " + std::to_wstring(shown)), 2);
            EXPECT_EQ(Named("fishka_over.png").size(), c.hovered != -1 ? 1u : 0u);
        }
    }
}

// Off any pin the description is the chosen level's own text again, also
// after the lock notice of that very level and after the city.
TEST_F(WorldMapHover, OffThePinsTheChosenLevelsOwnTextComesBack)
{
    // Levels 8 and 9 both need the workshop, which is not built: the player
    // has come to 9 and has level 8 chosen, which is locked now.
    world.taskRows[8].lotRow = 4;
    world.taskRows[8].lotCol = world.taskRows[8].requiredKind = 3;
    world.lotTable[4][3] = 0;
    SetFurthest(9);
    world.money = 10;
    const struct {
        const char* what;
        int pin;
        const wchar_t* text; // while it is hovered
    } cases[] = {
        { "an open pin", 2, L"task 2" },
        { "the chosen level's locked pin", 8, L"text 135 Workshop" },
        { "the furthest level's locked pin", 9, L"text 135 Workshop" },
        { "the city", 31, L"task 31" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.level = 8;
        HoverPin(c.pin);
        Frame();
        ASSERT_EQ(map.GetHoveredPin(), c.pin);
        EXPECT_EQ(world.taskText, c.text);
        MoveMouse(0, 0);
        Frame();
        EXPECT_EQ(world.level, 8);
        EXPECT_EQ(map.GetHoveredPin(), -1);
        EXPECT_EQ(world.taskText, L"task 8");
        EXPECT_EQ(world.taskTextIsNotice, 0);
        EXPECT_EQ(CountText(L"task 8"), 2);
        EXPECT_EQ(CountText(L"text 135 Workshop"), 0);
    }
}

// Each level shows its own number, the city's included; a level outside the
// table shows none (0), never what lies past it.
TEST_F(WorldMapHover, TheLevelNumberPanelShowsEachLevelsOwnNumber)
{
    std::vector<std::pair<int, int>> cases; // level, number shown
    for (int level = 0; level <= 31; ++level)
        cases.emplace_back(level, level);
    for (const int outside : { -1, 32, 33, 100 })
        cases.emplace_back(outside, 0);
    for (const auto& [level, number] : cases) {
        SCOPED_TRACE(level);
        gfx.ClearRecords();
        map.DrawLevelNumber(level, 0);
        EXPECT_EQ(gfx.Texts(),
            std::vector<std::wstring>(
                { L"text 127", L"text 127", L"N " + std::to_wstring(number), L"N " + std::to_wstring(number) }));
    }
}

// The level info is there for every level the per-level tables hold, from
// level 0 to their last, and for none outside them.
TEST_F(WorldMapHover, TheLevelInfoShowsEveryLevelOfTheTablesAndNoneOutside)
{
    const int last = world::kLevelTableSize - 1;
    for (const int level : { -1, 0, 2, 30, 31, last, last + 1, 1000 }) {
        SCOPED_TRACE(level);
        const bool inside = level >= 0 && level <= last;
        if (inside) {
            world.levelCounter[level] = 0;
            world.levelTime[level] = 61;
        }
        gfx.ClearRecords();
        map.DrawLevelInfo(level, -1);
        EXPECT_EQ(gfx.Texts(),
            inside ? std::vector<std::wstring>({ L"text 120", L"text 120", L"text 78 01:01", L"text 78 01:01" })
                   : std::vector<std::wstring>());
    }
}

// The line under the map names the chosen profile for every profile number a
// name is kept for, and no one for a number outside them.
TEST_F(WorldMapHover, TheProfileLineNamesEachProfileAndNoOneForAnUnknownNumber)
{
    const wchar_t* const names[] = { L"Ada", L"Ben", L"Cleo", L"Dan", L"Eve", L"Finn", L"Gus", L"Hal" };
    for (int i = 0; i < 8; ++i)
        world.profileNames[i] = names[i];
    for (int profile = -2; profile <= 9; ++profile) {
        SCOPED_TRACE(profile);
        world.currentProfile = profile;
        world.furthestLevel = 5;
        Frame();
        const std::wstring line = std::wstring(L"text 96 ") + (profile >= 0 && profile < 8 ? names[profile] : L"");
        EXPECT_EQ(CountText(line), 2);
        for (const wchar_t* name : names) {
            if (line.find(name) == std::wstring::npos) {
                EXPECT_EQ(CountText(std::wstring(L"text 96 ") + name), 0);
            }
        }
    }
}

// Each of the map's buttons is labelled dark red at rest and white under the
// mouse, the label then one pixel lower and to the right.
TEST_F(WorldMapHover, EachButtonsLabelIsDarkRedAtRestAndWhiteUnderTheMouse)
{
    const struct {
        const char* what;
        int designX;
        const wchar_t* label;
    } buttons[] = { { "profiles", 246, L"text 22" }, { "highscores", 537, L"text 28" }, { "play", 828, L"text 23" } };
    MoveMouse(0, 0);
    for (int frame = 0; frame < 60; ++frame)
        Frame(50.0); // the map fades in fully
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.what);
        MoveMouse(0, 0);
        Frame();
        const test::GfxDraw* rest = FindText(b.label);
        ASSERT_NE(rest, nullptr);
        EXPECT_EQ(rest->color, 0xFF953C3Cu);
        const int x = rest->x, y = rest->y;
        EXPECT_NEAR(x + static_cast<int>(rest->text.size()) * gfx.charWidth / 2, b.designX + 102, 1);
        HoverButton(b.designX);
        Frame();
        const test::GfxDraw* over = FindText(b.label);
        ASSERT_NE(over, nullptr);
        EXPECT_EQ(over->color, 0xFFFFFFFFu);
        EXPECT_EQ(std::pair(over->x, over->y), std::pair(x + 1, y + 1));
        for (const auto& other : buttons)
            if (other.label != b.label) {
                EXPECT_EQ(FindText(other.label)->color, 0xFF953C3Cu) << other.what;
            }
    }
}

} // namespace
