// The window procedure's table, called directly as the pump would.
#include <gtest/gtest.h>

#include <vector>

#include "app_fixture.h"
#include "support/log_capture.h"

namespace {

TEST_F(AppLoop, SystemCommandsThatWouldMoveOrSleepAreSwallowed)
{
    cTestApp app;
    struct Case {
        WPARAM code;
        bool swallowed;
    };
    const Case cases[] = {
        { 0xF000, true },
        { 0xF010, true },
        { 0xF100, true },
        { 0xF130, true },
        { 0xF140, true },
        { 0xF170, true },
        { 0xF060, false },
        { 0xF020, false },
        { 0xF012, false },
        { 0xF171, false },
    };
    for (const Case& c : cases) {
        app.passedOn.clear();
        EXPECT_EQ(cApplication::StaticWndProc(nullptr, WM_SYSCOMMAND, c.code, 0), 0);
        EXPECT_EQ(app.passedOn.empty(), c.swallowed) << std::hex << c.code;
    }
}

TEST_F(AppLoop, CloseOfAnotherWindowIsNotTheGames)
{
    cTestApp app;
    g_appRunning = 1;
    int otherWindowTag = 0;
    HWND other = reinterpret_cast<HWND>(&otherWindowTag);
    EXPECT_EQ(cApplication::StaticWndProc(other, WM_CLOSE, 0, 0), 1);
    EXPECT_EQ(cApplication::StaticWndProc(other, WM_DESTROY, 0, 0), 1);
    EXPECT_EQ(g_appRunning, 1);
    EXPECT_TRUE(app.passedOn.empty());
}

TEST_F(AppLoop, ActivationMessagesSetTheActiveFlag)
{
    cTestApp app;
    struct Case {
        UINT message;
        WPARAM wParam;
        int active;
    };
    const Case cases[] = {
        { WM_ACTIVATE, 0, 0 },
        { WM_ACTIVATE, 1, 1 },
        { WM_ACTIVATE, 2, 1 }, // clicked active
        { WM_ACTIVATEAPP, 0, 0 },
        { WM_ACTIVATEAPP, 1, 1 },
        { WM_SIZE, SIZE_MINIMIZED, 0 },
        { WM_SIZE, SIZE_RESTORED, 1 },
        { WM_SIZE, SIZE_MAXHIDE, 0 },
        { WM_SIZE, SIZE_MAXSHOW, 1 },
    };
    for (const Case& c : cases) {
        g_appActive = 1 - c.active;
        EXPECT_EQ(cApplication::StaticWndProc(nullptr, c.message, c.wParam, 0), 0);
        EXPECT_EQ(g_appActive, c.active) << c.message << " " << c.wParam;
    }
    EXPECT_TRUE(app.passedOn.empty()); // none of them goes on
}

TEST_F(AppLoop, VideoModeIsReappliedOnlyAfterTheFirstAppActivation)
{
    cTestApp app;
    cSettings::Instance().screenMode = 0;
    world.fullScreen = 1;
    cApplication::StaticWndProc(nullptr, WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(world.videoModeChanged, 0);
    EXPECT_EQ(world.fullScreen, 1);

    cApplication::StaticWndProc(nullptr, WM_ACTIVATEAPP, 0, 0);
    cApplication::StaticWndProc(nullptr, WM_NCACTIVATE, 0, 0);
    EXPECT_EQ(world.videoModeChanged, 1);
    EXPECT_EQ(world.fullScreen, 0); // windowed as configured

    world.videoModeChanged = 0;
    cSettings::Instance().screenMode = 1;
    cApplication::StaticWndProc(nullptr, WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(world.videoModeChanged, 1);
    EXPECT_EQ(world.fullScreen, 1);
}

TEST_F(AppLoop, HiddenWindowDropsTheMusicOnce)
{
    cTestApp app;
    FakeMusic music("data/sound/music/menu.ogg");
    world.musicStream = &music;
    cApplication::StaticWndProc(nullptr, WM_SIZE, SIZE_MAXHIDE, 0);
    cApplication::StaticWndProc(nullptr, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(music.stops, 1);
    EXPECT_EQ(music.releases, 1);
    EXPECT_FALSE(music.usedAfterRelease);
    EXPECT_EQ(world.musicStream, nullptr);
}

TEST_F(AppLoop, KeyMessagesOutsideTheTableAreIgnored)
{
    cTestApp app;
    cApplication::StaticWndProc(nullptr, WM_KEYDOWN, 511, 0);
    EXPECT_TRUE(app.IsKeyDown(511));
    cApplication::StaticWndProc(nullptr, WM_KEYDOWN, 512, 0);
    cApplication::StaticWndProc(nullptr, WM_KEYDOWN, static_cast<WPARAM>(-1), 0);
    EXPECT_FALSE(app.IsKeyDown(512));
    EXPECT_FALSE(app.IsKeyDown(-1));
    app.ClearKey(-1);
    app.ClearKey(100000);
    cApplication::StaticWndProc(nullptr, WM_KEYUP, 511, 0);
    EXPECT_FALSE(app.IsKeyDown(511));
}

TEST_F(AppLoop, OtherMessagesGoToTheApplication)
{
    cTestApp app;
    cApplication::StaticWndProc(nullptr, WM_MOUSEMOVE, 0, MakeMouseLParam(5, 6));
    ASSERT_EQ(app.passedOn.size(), 1u);
    EXPECT_EQ(app.passedOn[0].message, WM_MOUSEMOVE);
}

TEST_F(AppLoop, WindowSizingNeedsAWindow)
{
    test::LogCapture log;
    cTestApp app;
    EXPECT_FALSE(app.SetClientSize(640, 480));
    EXPECT_FALSE(app.CenterWindow());
    EXPECT_EQ(app.GetClientWidth(), 0);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], L"error: Invalid call. No valid window handle.");
}

} // namespace
