// The task dialog: its pages from the level's comic rows, paging with the
// arrows, when the OK button shows, and what closing it does to the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "scene/task_dialog.h"

namespace {

const std::vector<std::string> kTaskImages = { "tutorial_menu_big.png", "button_left_off.png", "button_left_over.png",
    "button_right_off.png", "button_right_over.png", "button_short_off.png", "button_short_over.png", "page_a.png",
    "page_b.png", "page_c.png" };

// Design positions at a width of 1280.
constexpr int kLeftX = 162;
constexpr int kRightX = 538;
constexpr int kArrowY = 300 + 295;
constexpr int kOkX = 280;
constexpr int kOkY = 300 + 360;

// The dialog with its rectangle in view.
class MeasuredTaskDialog : public Scene::TaskDialog {
public:
    int MiddleX() const { return screenX + screenWidth / 2; }
    int MiddleY() const { return screenY + screenHeight / 2; }
};

class TaskDialogTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_task", kTaskImages);
        WriteSet("data/gui/interface/menu/menu_task_1024", kTaskImages);
        task.SetActive(true);
        world.level = 5;
        world.furthestLevel = 5;
        world.taskBookOpen = 1;
        world.SetPause(true);
        MoveMouse(0, 0);
    }
    void Page(int page, const char* image, const wchar_t* text = L"page text")
    {
        world.comicRows.push_back({ world.level, page, text, platform::NarrowToWide(image) });
    }
    // One frame of the dialog; what it drew stays recorded.
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        task.Draw();
    }
    void ClickAt(int x, int y)
    {
        MoveMouse(x + 5, y + 5);
        world.leftClick = 1;
        Frame();
    }
    bool Drawn(const std::string& name) const { return FindImage(name).has_value(); }
    bool ShowsLeft() const { return Drawn("button_left_off.png") || Drawn("button_left_over.png"); }
    bool ShowsRight() const { return Drawn("button_right_off.png") || Drawn("button_right_over.png"); }
    bool ShowsOk() const { return Drawn("button_short_off.png") || Drawn("button_short_over.png"); }
    // The dialog closed: the level runs on, its head-up display back, the
    // screen brightening.
    void ExpectClosedAndRunning() const
    {
        EXPECT_EQ(world.taskBookOpen, 0);
        EXPECT_FALSE(world.IsPaused());
        EXPECT_EQ(world.hudMenuState, 3);
        EXPECT_EQ(world.brightening, 1);
    }

    MeasuredTaskDialog task;
};

TEST_F(TaskDialogTest, AnEmptyComicClosesTheDialogInItsFirstFrameAndLetsTheLevelRun)
{
    test::RecordingSound music("data/sound/music/level.ogg");
    world.musicStream = &music;
    world.gameMenuClosed = 0;
    world.taskIntroPending = 1;
    Frame();
    ExpectClosedAndRunning();
    EXPECT_EQ(world.taskIntroPending, 0);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(music.stops, 1);
    EXPECT_EQ(world.musicStream, nullptr);
    EXPECT_TRUE(ImageNames().empty());
}

TEST_F(TaskDialogTest, ASinglePageShowsNoArrowsAndTheOkButtonAtOnce)
{
    Page(1, "page_a.png");
    Frame();
    EXPECT_FALSE(ShowsLeft());
    EXPECT_FALSE(ShowsRight());
    EXPECT_TRUE(ShowsOk());
    EXPECT_TRUE(task.IsLastPageSeen());
    EXPECT_TRUE(Drawn("page_a.png"));
}

TEST_F(TaskDialogTest, OkClosesTheDialogUnpausesAndSoundsOnce)
{
    Page(1, "page_a.png");
    world.taskIntroPending = 1;
    ClickAt(kOkX, kOkY);
    ExpectClosedAndRunning();
    EXPECT_EQ(world.leftClick, 0);
    // Only the empty comic ends the intro.
    EXPECT_EQ(world.taskIntroPending, 1);
    EXPECT_EQ(Played("menu_clk"), 1);
    EXPECT_TRUE(Drawn("button_short_over.png"));
}

TEST_F(TaskDialogTest, ANewLevelShowsOkOnlyFromTheLastPageOnAndKeepsItWhilePagingBack)
{
    // The level being played is the furthest the player has reached.
    Page(1, "page_a.png");
    Page(2, "page_b.png");
    Page(3, "page_c.png");
    struct Step {
        int clickX; // 0: no click
        int page;
        bool left;
        bool right;
        bool ok;
        const char* picture;
    };
    const Step steps[] = {
        { 0, 1, false, true, false, "page_a.png" },
        { kRightX, 2, true, true, false, "page_b.png" },
        { kRightX, 3, true, false, true, "page_c.png" },
        { kLeftX, 2, true, true, true, "page_b.png" },
        { kLeftX, 1, false, true, true, "page_a.png" },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.page);
        if (step.clickX)
            ClickAt(step.clickX, kArrowY);
        // The frame after the click shows the new page.
        MoveMouse(0, 0);
        Frame();
        EXPECT_EQ(task.GetCurrentPage(), step.page);
        EXPECT_EQ(task.GetPageCount(), 3);
        EXPECT_EQ(ShowsLeft(), step.left);
        EXPECT_EQ(ShowsRight(), step.right);
        EXPECT_EQ(ShowsOk(), step.ok);
        EXPECT_TRUE(Drawn(step.picture));
        EXPECT_EQ(world.taskBookOpen, 1);
        EXPECT_TRUE(world.IsPaused());
    }
    // Arrows make no sound.
    EXPECT_EQ(Played("menu_clk"), 0);
}

TEST_F(TaskDialogTest, ALevelPlayedBeforeShowsOkOnItsFirstPage)
{
    world.level = 3;
    world.furthestLevel = 7;
    Page(1, "page_a.png");
    Page(2, "page_b.png");
    Frame();
    EXPECT_TRUE(ShowsOk());
    EXPECT_TRUE(ShowsRight());
}

TEST_F(TaskDialogTest, OfTwoRowsOfOnePageTheLaterIsShown)
{
    Page(1, "page_a.png", L"first");
    Page(1, "page_b.png", L"second");
    Frame();
    EXPECT_FALSE(Drawn("page_a.png"));
    EXPECT_TRUE(Drawn("page_b.png"));
    const std::vector<std::wstring> texts = gfx.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"second"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), L"first"), texts.end());
}

TEST_F(TaskDialogTest, ClosedDialogDrawsNothingAndResetForgetsTheLastPage)
{
    Page(1, "page_a.png");
    Frame();
    EXPECT_TRUE(task.IsLastPageSeen());
    world.taskBookOpen = 0;
    Frame();
    EXPECT_TRUE(gfx.draws.empty());
    task.Reset();
    EXPECT_FALSE(task.IsLastPageSeen());
}

TEST_F(TaskDialogTest, ResetPageStartsAtTheFirstPage)
{
    Page(1, "page_a.png");
    Page(2, "page_b.png");
    ClickAt(kRightX, kArrowY);
    EXPECT_EQ(task.GetCurrentPage(), 2);
    task.ResetPage();
    EXPECT_EQ(task.GetCurrentPage(), 1);
}

// The dialog's rectangle sits in the middle of the screen, raised a little,
// at either screen size.
TEST_F(TaskDialogTest, TheDialogIsCentredOnTheScreen)
{
    Page(1, "page_a.png");
    for (const int width : { 1280, 1024 }) {
        SCOPED_TRACE(width);
        const int height = width == 1280 ? 1024 : 768;
        cSettings::Instance().SetResolution(width, height);
        Frame();
        EXPECT_EQ(task.MiddleX(), width / 2);
        EXPECT_LT(task.MiddleY(), height / 2);
        EXPECT_GT(task.MiddleY(), height / 2 - height / 10);
        // The world learns that the mouse is over it there.
        world.mouseOverMenu = 0;
        MoveMouse(task.MiddleX(), task.MiddleY());
        Frame();
        EXPECT_EQ(world.mouseOverMenu, 1);
    }
    cSettings::Instance().SetResolution(1280, 1024);
}

// A text wider than the dialog's text box is drawn line under line, every
// word in its order, at either screen size.
TEST_F(TaskDialogTest, ALongTextIsDrawnLineUnderLine)
{
    const std::wstring text
        = L"aaaaaaaaaa bbbbbbbbbb cccccccccc dddddddddd eeeeeeeeee ffffffffff gggggggggg hhhhhhhhhh";
    world.comicRows.push_back({ world.level, 1, text, L"page_a.png" });
    for (const int width : { 1280, 1024 }) {
        SCOPED_TRACE(width);
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        Frame();
        std::vector<const test::GfxDraw*> white;
        for (const test::GfxDraw* d : TextDraws())
            if (d->color == 0xFFFFFFFFu && d->font == g_fontNormal2 && d->text != g_guiVocabulary[23])
                white.push_back(d);
        ASSERT_GE(white.size(), 2u);
        std::wstring joined;
        for (std::size_t i = 0; i < white.size(); ++i) {
            joined += white[i]->text;
            // The recording font of g_fontNormal2 is 12 pixels high.
            if (i > 0) {
                EXPECT_EQ(white[i]->y - white[i - 1]->y, 12);
            }
        }
        joined.erase(std::remove(joined.begin(), joined.end(), L' '), joined.end());
        std::wstring letters = text;
        letters.erase(std::remove(letters.begin(), letters.end(), L' '), letters.end());
        EXPECT_EQ(joined, letters);
    }
    cSettings::Instance().SetResolution(1280, 1024);
}

} // namespace
