// The head-up display's frame: its pages and measures on activation, the bar
// with the clock and the points, the game menu opened by Escape or the menu
// button with its four buttons, and the task book button.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "scene/design_units.h"

namespace {

struct Sized {
    std::string name;
    int width;
    int height;
};

std::vector<Sized> FrameImages(bool wide)
{
    const int menuW = wide ? 400 : 320;
    const int menuH = wide ? 420 : 315;
    const int buttonW = wide ? 205 : 164;
    const int buttonH = wide ? 49 : 36;
    std::vector<Sized> images = { { "menu_game.png", menuW, menuH }, { "button_short_off.png", buttonW, buttonH },
        { "button_short_over.png", buttonW, buttonH }, { "button_long_off.png", 300, 49 }, { "book0000.png", 100, 100 },
        { "bookover0000.png", 100, 100 }, { "uhr0000.png", 64, 64 } };
    for (int i = 0; i < 20; ++i)
        images.push_back({ (i < 10 ? "m000" : "m00") + std::to_string(i) + ".png", 100, 100 });
    return images;
}

class HudFrameTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        WriteSizedSet("data/gui/interface/menu/menu_submenu", FrameImages(true));
        WriteSizedSet("data/gui/interface/menu/menu_submenu_1024", FrameImages(false));
        world.level = 2;
        world.levelActive = 1;
        // A station level has a time limit; without one a station with no
        // free cell would count as a full grid and end the level.
        world.levelTimeLimit = 300;
        world.menuCorner = "left";
        MoveMouse(640, 200);
        Activate();
    }

    void Activate()
    {
        hud = std::make_unique<test::NumberedSubmenu>();
        hud->SetActive(true);
    }

    // Every image is one part as large as the image, placed at x = its number
    // in the list, so a draw names the image and its measure is its size.
    void WriteSizedSet(const std::string& dir, const std::vector<Sized>& images)
    {
        std::filesystem::create_directories(folder / dir);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        std::vector<std::string> names;
        for (std::size_t i = 0; i < images.size(); ++i) {
            const std::wstring name = platform::NarrowToWide(images[i].name);
            const int image = d.AddImage(name.c_str(), images[i].width, images[i].height);
            d.AddPart(image, 0, static_cast<int>(i), 0, images[i].width, images[i].height);
            names.push_back(images[i].name);
        }
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        std::ofstream(folder / (dir + "/page0.png"), std::ios::binary) << dir;
        sets[dir] = names;
    }

    void Frame()
    {
        gfx.ClearRecords();
        hud->numbers.clear();
        Wait(17);
        hud->Draw();
    }
    // A click of this frame where the cursor is.
    void ClickFrame(int x, int y)
    {
        MoveMouse(x, y);
        world.leftClick = 1;
        world.clickEvent = 1;
        Frame();
        world.leftClick = 0;
        world.clickEvent = 0;
    }
    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> texts;
        for (const test::GfxDraw* d : TextDraws())
            texts.push_back(d->text);
        return texts;
    }

    std::unique_ptr<test::NumberedSubmenu> hud;
};

TEST_F(HudFrameTest, ActivationLoadsThePagesOfTheWidthAndPlacesTheMenu)
{
    const struct {
        int width;
        int height;
        const char* set;
        int menuX;
        int menuY;
        int buttonX; // the first row's button
        int buttonY;
    } cases[] = {
        // (1024/2 - 420/2) - 40 = 262; the button centred: 440 + 200 - 102.
        { 1280, 1024, "data/gui/interface/menu/menu_submenu", 440, 262, 538, 262 + 110 },
        // 384 - 157 - 40 / 1.33 = 196.9 -> 196; 110 / 1.33 = 82.7 -> 82.
        { 1024, 768, "data/gui/interface/menu/menu_submenu_1024", 352, 196, 352 + 160 - 82, 196 + 82 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        cSettings::Instance().SetResolution(c.width, c.height);
        Activate();
        world.gameMenuClosed = 0;
        Frame();
        const auto menu = FindImage("menu_game.png");
        ASSERT_TRUE(menu);
        EXPECT_EQ(menu->set, c.set);
        EXPECT_EQ(menu->x, c.menuX);
        EXPECT_EQ(menu->y, c.menuY);
        const auto button = FindImage("button_short_off.png");
        ASSERT_TRUE(button);
        EXPECT_EQ(button->x, c.buttonX);
        EXPECT_EQ(button->y, c.buttonY);
    }
}

TEST_F(HudFrameTest, TheBarDrawsTheClockAndPointsOnlyWhileTheLevelRuns)
{
    world.minusPoints = 120;
    Frame();
    EXPECT_TRUE(FindImage("uhr0000.png"));
    bool points = false;
    for (const auto& n : hud->numbers)
        points = points || n.text == L"120";
    EXPECT_TRUE(points);
    // The buttons in the corner, the menu button resting on its last frame.
    const auto book = FindImage("book0000.png");
    ASSERT_TRUE(book);
    EXPECT_EQ(book->y, 824);
    const auto menuButton = FindImage("m0019.png");
    ASSERT_TRUE(menuButton);
    EXPECT_EQ(menuButton->y, 924);

    world.levelActive = 0;
    Frame();
    EXPECT_FALSE(FindImage("uhr0000.png"));
    EXPECT_TRUE(hud->numbers.empty());
}

TEST_F(HudFrameTest, TheRightCornerPutsBothButtonsAtTheRightEdge)
{
    const struct {
        int width;
        int height;
        int x;
    } cases[] = { { 1280, 1024, 1170 }, { 1024, 768, 936 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        cSettings::Instance().SetResolution(c.width, c.height);
        Activate();
        world.menuCorner = "right";
        Frame();
        const auto book = FindImage("book0000.png");
        const auto menuButton = FindImage("m0019.png");
        ASSERT_TRUE(book && menuButton);
        EXPECT_EQ(book->x, c.x);
        EXPECT_EQ(menuButton->x, c.x);
    }
}

TEST_F(HudFrameTest, EscapeOpensTheMenuOnceAndClosesTheTaskBookFirst)
{
    world.keyEscape = 1;
    Frame();
    EXPECT_EQ(world.gameMenuClosed, 0);
    EXPECT_EQ(world.paused, 1);
    EXPECT_EQ(world.keyEscape, 0);
    EXPECT_TRUE(FindImage("menu_game.png"));

    // Over the open menu Escape does nothing and is left for others.
    world.keyEscape = 1;
    Frame();
    EXPECT_EQ(world.gameMenuClosed, 0);
    EXPECT_EQ(world.paused, 1);
    EXPECT_EQ(world.keyEscape, 1);

    world.gameMenuClosed = 1;
    world.taskBookOpen = 1;
    world.keyEscape = 1;
    Frame();
    EXPECT_EQ(world.taskBookOpen, 0);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.paused, 0);
    EXPECT_EQ(world.brightening, 1);
    EXPECT_FALSE(FindImage("menu_game.png"));
}

TEST_F(HudFrameTest, TheMenuTitleNamesTheLevelOfThirty)
{
    for (const int level : { 7, 31 }) {
        SCOPED_TRACE(level);
        world.level = level;
        world.gameMenuClosed = 0;
        Frame();
        const std::wstring title = L"text 24 " + std::to_wstring(level) + L" / 30";
        int seen = 0;
        for (const std::wstring& text : Texts())
            seen += text == title ? 1 : 0;
        EXPECT_EQ(seen, 2); // shadow, then yellow
    }
}

TEST_F(HudFrameTest, TheMenuButtonsDoWhatTheySay)
{
    struct Check {
        const char* what;
        int rowY;
        void (*expect)(const cGameWorld&);
    };
    const Check cases[] = {
        { "continue", 110,
            [](const cGameWorld& w) {
                EXPECT_EQ(w.gameMenuClosed, 1);
                EXPECT_EQ(w.paused, 0);
                EXPECT_EQ(w.leaveLevel, 0);
            } },
        { "restart", 170,
            [](const cGameWorld& w) {
                EXPECT_EQ(w.gameMenuClosed, 1);
                EXPECT_EQ(w.leaveLevel, 1);
                EXPECT_EQ(w.restartLevel, 1);
                EXPECT_EQ(w.levelActive, 0);
                EXPECT_EQ(w.taskBookOpen, 0);
                EXPECT_EQ(w.autoOnMouse, -1);
                EXPECT_EQ(w.paused, 0);
                EXPECT_EQ(w.level, 5);
            } },
        { "options", 230,
            [](const cGameWorld& w) {
                EXPECT_EQ(w.gameMenuClosed, 1);
                EXPECT_EQ(w.optionsOpen, 1);
                EXPECT_EQ(w.paused, 1);
                EXPECT_EQ(w.leaveLevel, 0);
            } },
        { "main menu", 290,
            [](const cGameWorld& w) {
                EXPECT_EQ(w.gameMenuClosed, 0);
                EXPECT_EQ(w.leaveLevel, 1);
                EXPECT_EQ(w.restartLevel, 0);
                EXPECT_EQ(w.levelActive, 0);
                EXPECT_EQ(w.taskBookOpen, 0);
                EXPECT_EQ(w.paused, 1);
                EXPECT_EQ(w.minusPoints, 0);
                EXPECT_EQ(w.menuChoice, -1);
                EXPECT_TRUE(w.statusMessages.empty());
                EXPECT_EQ(w.level, 9); // the furthest level
            } },
    };
    for (const Check& c : cases) {
        SCOPED_TRACE(c.what);
        world.ResetToDefaults();
        world.level = 5;
        world.furthestLevel = 9;
        world.levelActive = 1;
        world.minusPoints = 40;
        world.autoOnMouse = 3;
        world.restartLevel = 0;
        world.PushMessage(L"note", L"", L"", 0.0, 0.0);
        Activate();
        world.gameMenuClosed = 0;
        world.SetPause(true);
        // Inside the button of the row, 440 + 200 - 102 .. + 205.
        ClickFrame(600, 262 + c.rowY + 20);
        c.expect(world);
        EXPECT_EQ(world.leftClick, 0) << "the click was not taken";
    }
}

TEST_F(HudFrameTest, TheMenuButtonAnimatesWhenHoveredAndOpensTheMenu)
{
    MoveMouse(50, 950);
    Frame();
    // Hovered, it runs from frame 0 on every 0.07 s.
    EXPECT_TRUE(FindImage("m0000.png"));
    Wait(80);
    Frame();
    EXPECT_TRUE(FindImage("m0001.png"));

    // No free cell: it rests and does not react.
    world.noFreeCell = 1;
    ClickFrame(50, 950);
    EXPECT_TRUE(FindImage("m0019.png"));
    EXPECT_EQ(world.gameMenuClosed, 1);

    world.noFreeCell = 0;
    world.taskBookOpen = 1;
    ClickFrame(50, 950);
    EXPECT_EQ(world.gameMenuClosed, 0);
    EXPECT_EQ(world.paused, 1);
    EXPECT_EQ(world.taskBookOpen, 0);
    EXPECT_TRUE(FindImage("menu_game.png"));
}

TEST_F(HudFrameTest, TheTaskBookButtonOpensAndClosesTheTaskBook)
{
    world.gameMenuClosed = 0;
    ClickFrame(40, 850);
    EXPECT_TRUE(FindImage("bookover0000.png"));
    EXPECT_EQ(world.taskBookOpen, 1);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.darkening, 1);
    EXPECT_EQ(world.paused, 1);
    EXPECT_EQ(world.leftClick, 0);

    ClickFrame(40, 850);
    EXPECT_EQ(world.taskBookOpen, 0);
    EXPECT_EQ(world.brightening, 1);
    EXPECT_EQ(world.paused, 0);
}

TEST_F(HudFrameTest, TheBuildingLevelStaysPaused)
{
    world.level = 31;
    world.SetPause(false);
    Frame();
    EXPECT_EQ(world.paused, 1);
    world.level = 2;
    world.SetPause(false);
    Frame();
    EXPECT_EQ(world.paused, 0);
}

// Every screen turns design pixels into pixels of a smaller screen alike:
// whole multiples of the scale come out whole.
TEST(DesignUnits, WholeMultiplesOfTheScaleComeOutWhole)
{
    cSettings::Instance().SetResolution(1024, 768);
    for (const int n : { 1, 2, 4, 7 }) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Scene::ScaleX(125 * n), 100 * n);
        EXPECT_EQ(Scene::ScaleY(133 * n), 100 * n);
    }
    cSettings::Instance().ResetToDefaults();
}

} // namespace
