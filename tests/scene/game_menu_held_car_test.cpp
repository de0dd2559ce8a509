// The game menu over a car held with the mouse, in shipped levels played over
// the game's own screens and art: what was held when the menu opened goes back
// where it came from and the pointer shows over the menu, and the release of
// a press that began before the menu opened clicks none of its buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/cursor_set.h"
#include "level_fixture.h"
#include "platform/win_messages.h"
#include "scene/gui_vocabulary.h"
#include "support/layout_check.h"
#include "world/game_world.h"

namespace {

constexpr int kJoker = 90;
constexpr int kJokerTip = 116;
enum MenuButton { kContinue, kRestart, kOptions, kMainMenu };
struct Point {
    int x, y;
};

// An interface text set for one test and put back after it.
struct GuiTextForTest {
    GuiTextForTest(int n, const wchar_t* text)
        : n(n)
        , saved(g_guiVocabulary[n])
    {
        std::wcscpy(g_guiVocabulary[n], text);
    }
    ~GuiTextForTest() { std::wcscpy(g_guiVocabulary[n], saved.c_str()); }
    int n;
    std::wstring saved;
};

// The car type on each of the grid's cells or the stack's slots, -1 where
// none stands.
template <class Places> std::vector<int> CarTypes(const Places& places)
{
    std::vector<int> cars;
    for (const auto& place : places)
        cars.push_back(place.autoType);
    return cars;
}

class GameMenuOverHeldCar : public test::LevelTest {
protected:
    GameMenuOverHeldCar()
        : test::LevelTest(true, true)
    {
    }
    void SetUp() override
    {
        test::LevelTest::SetUp();
        catalog.Load(VANDREL_SOURCE_DIR "/tools/art/images");
        ASSERT_TRUE(cCursorSet::Instance().Load());
    }
    void TearDown() override
    {
        cCursorSet::Instance().Release();
        test::LevelTest::TearDown();
    }

    // The level running as after its task dialog, its stack's first cars in.
    bool Start(int level)
    {
        world.gameMenuClosed = 1;
        const bool started = StartLevel(level);
        world.SetPause(false);
        return started && Frames(60, 50.0);
    }
    // The mouse reads at the end of a frame and the next frame acts on it.
    bool Press(int x, int y)
    {
        input.x = x, input.y = y;
        input.Press(0, true);
        return Frames(2, 16.0);
    }
    // A release is a click, as the device counts it.
    bool Release()
    {
        input.Press(0, false);
        input.Click(0);
        return Frames(2, 16.0);
    }
    // True once the menu is open.
    bool Escape()
    {
        test::OneKey escape(VK_ESCAPE);
        state.HandleKeys(escape);
        return Frames(2, 16.0) && world.gameMenuClosed == 0;
    }
    // The middle of one of the open menu's buttons in the next frame, and
    // whether that frame shows the pointer.
    Point MenuButtonAt(MenuButton button, bool* pointerShown = nullptr)
    {
        gfx.ClearRecords();
        EXPECT_TRUE(Frame(16.0));
        std::vector<RECT> buttons;
        bool pointer = false;
        for (const test::GfxDraw& d : gfx.draws) {
            const test::ImageCatalog::Image* image = catalog.FindRecorded(gfx, d);
            if (image && image->name.starts_with("button_short"))
                buttons.push_back(d.target);
            pointer = pointer || (image && image->folder == "data/gui/cursor");
        }
        if (pointerShown)
            *pointerShown = pointer;
        EXPECT_EQ(buttons.size(), 4u) << "the game menu's four buttons";
        if (buttons.size() != 4)
            return { -1000, -1000 };
        std::ranges::sort(buttons, {}, [](const RECT& r) { return r.top; });
        const RECT& r = buttons[button];
        return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }
    // A point on the first grid cell holding a car, which a press there takes.
    Point GridCar(std::size_t* index)
    {
        for (std::size_t i = 0; i < world.fundaments.size(); ++i) {
            const cFundament& f = world.fundaments[i];
            if (f.autoType < 0 || f.autoType >= kJoker || f.hidden)
                continue;
            const int x = world.cellX[f.row][f.column] + 118, y = world.cellY[f.row][f.column] + 118;
            if (world.IsMouseOverPlace(f.row, f.column, x, y)) {
                *index = i;
                return { x, y };
            }
        }
        ADD_FAILURE() << "no car on the grid";
        return { -1000, -1000 };
    }
    int JokersInBar() const
    {
        return static_cast<int>(std::ranges::count_if(world.jokers, [](const cJoker& j) { return !j.used; }));
    }

    cGameWorld& world = cGameWorld::Instance();
    test::ImageCatalog catalog;
};

// Held when the menu opens, by Escape or over the round menu button: a grid
// car goes back to its cell, a joker to the bar, a stack car to its slot (or,
// once it is taken, to the road) and a road car to the road, never a slot; the
// pointer shows over the menu, and a click on Continue makes no move behind it.
TEST_F(GameMenuOverHeldCar, WhatIsHeldGoesBackAndTheMenuButtonActsAlone)
{
    ASSERT_TRUE(Start(7));
    std::size_t cell = 0;
    const Point car = GridCar(&cell);
    const int type = world.fundaments[cell].autoType;
    ASSERT_TRUE(Press(car.x, car.y));
    ASSERT_EQ(world.autoOnMouse, type) << "the grid car is not picked up";
    ASSERT_TRUE(Escape());
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(world.fundaments[cell].autoType, type) << "the car is not back on its cell";
    bool pointer = false;
    MenuButtonAt(kContinue, &pointer);
    EXPECT_TRUE(pointer) << "no pointer over the menu";
    ASSERT_TRUE(Release());
    const std::vector<int> before = CarTypes(world.fundaments);
    const Point resume = MenuButtonAt(kContinue);
    ASSERT_TRUE(Press(resume.x, resume.y));
    ASSERT_TRUE(Release());
    ASSERT_TRUE(Frames(3, 16.0));
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(CarTypes(world.fundaments), before) << "the click on Continue moved a car behind it";

    // A joker carried onto the round menu button opens the menu: it flies
    // back to the bar.
    const int jokers = JokersInBar();
    ASSERT_GT(jokers, 0);
    ASSERT_TRUE(Press(world.jokers.front().targetX + 45, world.jokers.front().targetY + 45));
    ASSERT_EQ(world.autoOnMouse, kJoker);
    input.x = 50, input.y = 970;
    ASSERT_TRUE(Frames(2, 16.0));
    ASSERT_EQ(world.gameMenuClosed, 0) << "the menu button does not open the menu";
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(JokersInBar(), jokers) << "the joker is not back in the bar";
    MenuButtonAt(kContinue, &pointer);
    EXPECT_TRUE(pointer) << "no pointer over the menu";
    ASSERT_TRUE(Release());
    // Nothing is picked up under the open menu: not a joker of the bar, nor
    // a car of a grid whose cars swap places.
    const auto standing
        = std::ranges::find_if(world.jokers, [](const cJoker& j) { return !j.used && j.step == j.steps; });
    ASSERT_NE(standing, world.jokers.end());
    ASSERT_TRUE(Press(standing->targetX + 45, standing->targetY + 45));
    EXPECT_EQ(world.autoOnMouse, -1) << "a joker is picked up under the menu";
    ASSERT_TRUE(Release());
    world.leaveLevel = 1;
    ASSERT_FALSE(Frame(16.0));
    ASSERT_TRUE(Start(16));
    ASSERT_TRUE(Escape());
    const Point swapCar = GridCar(&cell);
    ASSERT_TRUE(Press(swapCar.x, swapCar.y));
    EXPECT_EQ(world.autoOnMouse, -1) << "a grid car is picked up under the menu";
    ASSERT_TRUE(Release());

    // A station's car taken from the stack stands in its slot again; once a
    // new car has filled the slot, it drives back to the road, at no cost.
    world.leaveLevel = 1;
    ASSERT_FALSE(Frame(16.0));
    ASSERT_TRUE(Start(2));
    const auto slot = std::ranges::find_if(world.stackSlots, [](const cStackSlot& s) { return s.autoType >= 0; });
    ASSERT_NE(slot, world.stackSlots.end());
    const int stackCar = slot->autoType;
    ASSERT_TRUE(Press(slot->x + 70, slot->y + 70));
    ASSERT_EQ(world.autoOnMouse, stackCar) << "the stack car is not picked up";
    ASSERT_TRUE(Escape());
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(slot->autoType, stackCar) << "the car is not back in its slot";
    MenuButtonAt(kContinue, &pointer);
    EXPECT_TRUE(pointer) << "no pointer over the menu";
    ASSERT_TRUE(Release());
    const Point go = MenuButtonAt(kContinue);
    ASSERT_TRUE(Press(go.x, go.y));
    ASSERT_TRUE(Release());
    ASSERT_TRUE(Press(slot->x + 70, slot->y + 70));
    ASSERT_EQ(world.autoOnMouse, stackCar);
    for (int i = 0; i < 200 && slot->autoType == -1; ++i)
        ASSERT_TRUE(Frame(16.0));
    ASSERT_NE(slot->autoType, -1) << "the level fills no slot";
    world.levelPoints = 5000;
    ASSERT_TRUE(Escape());
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_TRUE(std::ranges::any_of(world.roadTransfers, [&](const cTransfer& t) { return t.autoType == stackCar; }))
        << "the car does not drive back to the road";
    ASSERT_TRUE(Frames(5, 16.0));
    EXPECT_EQ(world.levelPoints, 5000);

    // A stack car let go off any place slides to the road and leaves its slot
    // free; a road car held when the menu opens then drives back to the road
    // too: no slot takes it.
    ASSERT_TRUE(Release());
    const Point on = MenuButtonAt(kContinue);
    ASSERT_TRUE(Press(on.x, on.y));
    ASSERT_TRUE(Release());
    ASSERT_TRUE(Press(slot->x + 70, slot->y + 70));
    ASSERT_NE(world.autoOnMouse, -1) << "the stack car is not picked up";
    ASSERT_TRUE(Release());
    const auto roadCar
        = std::ranges::find_if(world.autobahnCars, [](const cAutobahnAuto& c) { return c.x > 300 && c.x < 900; });
    ASSERT_NE(roadCar, world.autobahnCars.end()) << "no car on the road";
    const int fromRoad = roadCar->autoType;
    ASSERT_TRUE(Press(static_cast<int>(roadCar->x), static_cast<int>(roadCar->y)));
    ASSERT_EQ(world.autoOnMouse, fromRoad) << "the road car is not picked up";
    ASSERT_EQ(slot->autoType, -1) << "the level fills the slot again at once";
    const std::vector<int> slotsBefore = CarTypes(world.stackSlots);
    ASSERT_TRUE(Escape());
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(CarTypes(world.stackSlots), slotsBefore) << "the road car is put into a stack slot";
    ASSERT_FALSE(world.roadTransfers.empty());
    EXPECT_EQ(world.roadTransfers.back().autoType, fromRoad) << "the road car does not drive back to the road";
}

// The pointer on a joker's slot when the menu opens: the slot shows as
// hovered, with the joker's tip, as it does while the game runs; a press
// there picks nothing up under the menu.
TEST_F(GameMenuOverHeldCar, AJokerSlotUnderTheMenuShowsItsHoverAndTipButGivesNothing)
{
    const wchar_t* const tipText = L"Drop the joker on any cell";
    const GuiTextForTest tip(kJokerTip, tipText);
    ASSERT_TRUE(Start(7));
    const auto standing
        = std::ranges::find_if(world.jokers, [](const cJoker& j) { return !j.used && j.step == j.steps; });
    ASSERT_NE(standing, world.jokers.end());
    ASSERT_EQ(world.jokerTipSeen, 0);
    input.x = standing->targetX + 45, input.y = standing->targetY + 45;
    ASSERT_TRUE(Escape());
    gfx.ClearRecords();
    ASSERT_TRUE(Frame(16.0));
    const auto drawn = [&](const std::string& image) {
        return std::ranges::any_of(gfx.draws, [&](const test::GfxDraw& d) {
            const test::ImageCatalog::Image* found = catalog.FindRecorded(gfx, d);
            return found && found->name == image;
        });
    };
    EXPECT_TRUE(drawn("bonus_over_joker")) << "the slot does not show as hovered";
    const bool tipShown = std::ranges::any_of(gfx.draws, [&](const test::GfxDraw& d) { return d.text == tipText; });
    EXPECT_TRUE(tipShown) << "the joker's tip is not shown";
    ASSERT_TRUE(Press(input.x, input.y));
    EXPECT_EQ(world.autoOnMouse, -1) << "a joker is picked up under the menu";
    ASSERT_TRUE(Release());
}

// A car pressed on, Escape, and the button let go over Play again or Main
// menu: the level goes on under the open menu; the next click on a button is
// taken.
TEST_F(GameMenuOverHeldCar, AReleaseOfAPressFromBeforeTheMenuClicksNoButton)
{
    ASSERT_TRUE(Start(7));
    for (const MenuButton button : { kRestart, kMainMenu }) {
        SCOPED_TRACE(button == kRestart ? "play again" : "main menu");
        std::size_t cell = 0;
        const Point car = GridCar(&cell);
        ASSERT_TRUE(Press(car.x, car.y));
        ASSERT_NE(world.autoOnMouse, -1);
        ASSERT_TRUE(Escape());
        const int points = world.levelPoints;
        const Point over = MenuButtonAt(button);
        input.x = over.x, input.y = over.y;
        ASSERT_TRUE(Frames(2, 16.0));
        ASSERT_TRUE(Release()) << "the level is left";
        EXPECT_EQ(world.restartLevel, 0);
        EXPECT_EQ(world.gameMenuClosed, 0) << "the menu is shut";
        EXPECT_EQ(world.levelPoints, points);
        EXPECT_EQ(world.level, 7);
        if (button == kMainMenu) {
            ASSERT_TRUE(Press(over.x, over.y));
            EXPECT_FALSE(Release()) << "a click of its own on Main menu leaves no level";
            continue;
        }
        const Point resume = MenuButtonAt(kContinue);
        ASSERT_TRUE(Press(resume.x, resume.y));
        ASSERT_TRUE(Release());
        EXPECT_EQ(world.gameMenuClosed, 1) << "a click of its own on Continue is not taken";
        input.x = input.y = -1000;
        ASSERT_TRUE(Frames(2, 16.0));
    }
}

} // namespace
