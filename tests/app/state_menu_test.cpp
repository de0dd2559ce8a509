// The main-menu state as it stands until the front-end screens exist: it
// starts the world's level once, ends the game when it comes back or on
// Escape, and on a too small desktop shows only the notice.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/cursor_set.h"
#include "pp_app_fixture.h"
#include "support/log_capture.h"

namespace {

class StateMenuTest : public PPAppTest {
protected:
    void SetUp() override
    {
        PPAppTest::SetUp();
        world.languageChanged = 0;
        app.RecreateFonts();
        // The menu state is pushed at the end of the first frame.
        app.RequestState(cPPApp::kStateMenu);
        ASSERT_TRUE(app.Frame());
        ASSERT_NE(app.GetStateManager().Top(), nullptr);
        ASSERT_EQ(app.GetStateManager().Top()->GetName(), L"cStateMenu");
    }
    std::wstring TopName()
    {
        const iProcess* top = app.GetStateManager().Top();
        return top ? top->GetName() : L"";
    }

    TestPPApp app;
    test::FakeInput input;
};

TEST_F(StateMenuTest, InitSetsTheStandardCursorAtItsPlace)
{
    EXPECT_EQ(cCursorSet::Instance().GetName(), L"Standard");
    EXPECT_EQ(cCursorSet::Instance().GetCurrentCursor(), 1);
    EXPECT_EQ(cCursorSet::Instance().GetX(), 600);
    EXPECT_EQ(cCursorSet::Instance().GetY(), 500);
}

TEST_F(StateMenuTest, StartsTheConfiguredLevelOrLevelOne)
{
    const std::pair<int, int> cases[] = { { 0, 1 }, { 4, 4 }, { 30, 30 } };
    for (const auto& [configured, started] : cases) {
        SCOPED_TRACE(configured);
        TestPPApp fresh;
        world.level = configured;
        world.optionsOpen = 1;
        fresh.RequestState(cPPApp::kStateMenu);
        fresh.Frame();
        // With the quit flag set the frame ends before the level state would
        // start, so only the menu's request is seen.
        world.quitRequested = 1;
        fresh.Frame();
        EXPECT_EQ(world.level, started);
        EXPECT_EQ(world.optionsOpen, 0);
        world.quitRequested = 0;
    }
}

TEST_F(StateMenuTest, ComingBackFromTheLevelEndsTheGame)
{
    // The menu asks for the level (which the quit flag keeps from starting).
    world.quitRequested = 1;
    EXPECT_FALSE(app.Frame());
    EXPECT_EQ(app.PendingState() != nullptr, true);
    world.quitRequested = 0;
    app.RequestState(5);
    // Its next frame is the one after the level: the exit state follows and
    // the loop ends on the frame after.
    EXPECT_TRUE(app.Frame());
    EXPECT_EQ(TopName(), L"cStateExit");
    EXPECT_FALSE(app.Frame());
}

TEST_F(StateMenuTest, ARestartFromTheLevelStartsItAgainRunning)
{
    world.quitRequested = 1;
    EXPECT_FALSE(app.Frame());
    world.quitRequested = 0;
    app.RequestState(5);
    // Back from the level, which asked to be played again.
    world.restartLevel = 1;
    world.taskBookOpen = 1;
    world.resultScreenOpen = 1;
    world.gameMenuClosed = 0;
    world.levelEndStep = 2;
    world.SetPause(true);
    world.quitRequested = 1;
    EXPECT_FALSE(app.Frame());
    world.quitRequested = 0;
    ASSERT_NE(app.PendingState(), nullptr);
    EXPECT_EQ(app.PendingState()->GetName(), L"cStateGame");
    EXPECT_EQ(world.restartLevel, 0);
    EXPECT_EQ(world.taskBookOpen, 0);
    EXPECT_EQ(world.resultScreenOpen, 0);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.levelEndStep, 0);
    EXPECT_EQ(world.paused, 0);
    app.RequestState(5);
}

TEST_F(StateMenuTest, EscapeEndsTheGame)
{
    app.PressKey(VK_ESCAPE);
    EXPECT_TRUE(app.Frame());
    EXPECT_FALSE(app.IsKeyDown(VK_ESCAPE));
    EXPECT_EQ(TopName(), L"cStateExit");
    EXPECT_FALSE(app.Frame());
}

TEST_F(StateMenuTest, TooSmallDesktopShowsOnlyTheNoticeUntilAClick)
{
    test::LogCapture log;
    world.desktopTooSmall = 1;
    world.desktopWidth = 1024;
    world.desktopHeight = 600;
    for (int frame = 0; frame < 3; ++frame) {
        gfx.ClearRecords();
        EXPECT_TRUE(app.Frame());
        EXPECT_EQ(TopName(), L"cStateMenu");
        const std::vector<std::wstring> texts = gfx.Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0], L"The desktop resolution must be at least 1024x768");
    }
    // Logged once, not every frame.
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), L"error: error: resolution < min "), 1);
    input.Click(0);
    EXPECT_TRUE(app.Frame());
    EXPECT_EQ(TopName(), L"cStateExit");
    EXPECT_FALSE(app.Frame());
}

} // namespace
