// The mouse capture cycle: left Ctrl frees the mouse in windowed mode and
// pauses, a left click takes it back; the cursor follows only a held mouse.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/application.h"
#include "app/cursor_set.h"
#include "app/input_process.h"
#include "support/log_capture.h"
#include "platform/test_events.h"
#include "platform/window.h"
#include "support/recording_gfx.h"
#include "world/game_world.h"

namespace {

class WindowApp : public cApplication {
public:
    WindowApp()
    {
        window = platform::CreateAppWindow(L"input", 0, 0, 64, 48);
        SetClientSize(640, 480);
    }
};

class InputProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::DiscardPendingMessages();
        world.ResetToDefaults();
        g_mouseCaptured = 1;
        platform::ShowCursor(false);
    }
    void TearDown() override
    {
        g_mouseCaptured = 1;
        world.ResetToDefaults();
        platform::DiscardPendingMessages();
    }
    void LeftControl(bool down) { ASSERT_TRUE(platform::InjectKey(app.GetWindow(), "Left Ctrl", down)); }
    bool Called(const std::string& call) const
    {
        return std::find(input.calls.begin(), input.calls.end(), call) != input.calls.end();
    }

    cGameWorld& world = cGameWorld::Instance();
    WindowApp app;
    test::FakeInput input;
    cInputProcess process;
    cCursorSet& cursor = cCursorSet::Instance();
};

TEST_F(InputProcessTest, LeftControlFreesTheMouseAndALeftClickTakesItBack)
{
    input.x = 100;
    input.y = 200;
    process.Update(&app);
    EXPECT_TRUE(Called("Acquire"));
    EXPECT_EQ(cursor.GetX(), 100);

    // Left Ctrl: the mouse goes back to the desktop and the game pauses.
    LeftControl(true);
    input.calls.clear();
    process.Update(&app);
    EXPECT_EQ(g_mouseCaptured, 0);
    EXPECT_EQ(input.calls, std::vector<std::string> { "Unacquire" });
    EXPECT_EQ(world.paused, 1);
    EXPECT_TRUE(platform::IsCursorShown());

    // While free, the cursor stays where it was.
    LeftControl(false);
    input.x = 300;
    input.calls.clear();
    process.Update(&app);
    EXPECT_TRUE(input.calls.empty());
    EXPECT_EQ(cursor.GetX(), 100);

    // Messages other than a left click change nothing.
    CaptureMouseOnClick(app.GetWindow(), WM_RBUTTONDOWN);
    CaptureMouseOnClick(app.GetWindow(), WM_LBUTTONUP);
    EXPECT_EQ(g_mouseCaptured, 0);

    CaptureMouseOnClick(app.GetWindow(), WM_LBUTTONDOWN);
    EXPECT_EQ(g_mouseCaptured, 1);
    EXPECT_EQ(input.calls, std::vector<std::string> { "Acquire" });
    EXPECT_EQ(world.paused, 0);
    EXPECT_FALSE(platform::IsCursorShown());
    process.Update(&app);
    EXPECT_EQ(cursor.GetX(), 300);
}

TEST_F(InputProcessTest, LeftControlInFullScreenKeepsTheMouse)
{
    world.fullScreen = 1;
    LeftControl(true);
    process.Update(&app);
    EXPECT_EQ(g_mouseCaptured, 1);
    EXPECT_EQ(world.paused, 0);
    EXPECT_FALSE(Called("Unacquire"));
    EXPECT_TRUE(Called("Update"));
    LeftControl(false);
}

TEST_F(InputProcessTest, ClickWhileCapturedChangesNothing)
{
    world.paused = 1;
    CaptureMouseOnClick(app.GetWindow(), WM_LBUTTONDOWN);
    EXPECT_TRUE(input.calls.empty());
    EXPECT_EQ(world.paused, 1);
}

TEST_F(InputProcessTest, WindowChangeIsHonouredEvenWhileTheMouseIsFree)
{
    g_mouseCaptured = 0;
    world.rebindInput = 1;
    process.Update(&app);
    EXPECT_EQ(world.rebindInput, 0);
    const std::vector<std::string> expected = { "SetWindow", "SetCursorPos 320 240", "SetCursorClip" };
    EXPECT_EQ(input.calls, expected);
    EXPECT_EQ(input.window, app.GetWindow());
    ASSERT_TRUE(input.hasClip);
    EXPECT_EQ(input.clip.right, 636);
    EXPECT_EQ(input.clip.bottom, 476);
}

TEST_F(InputProcessTest, InitAttachesTheDeviceHidesTheCursorAndAddsTheSynchroniser)
{
    test::LogCapture log;
    platform::ShowCursor(true);
    ASSERT_TRUE(process.Init(&app));
    // The device the test made stays the device.
    EXPECT_EQ(g_pInputDevice, &input);
    const std::vector<std::string> expected = { "SetWindow", "SetCursorPos 320 240", "SetCursorClip" };
    EXPECT_EQ(input.calls, expected);
    EXPECT_FALSE(platform::IsCursorShown());
    EXPECT_EQ(log.lines.back(), L"message: cInputProcess::Init -> DirectInput initialized ok");
    EXPECT_TRUE(app.GetProcessManager().Contains(&g_cursorSync));
    app.GetProcessManager().RemoveAll(&app);
}

TEST_F(InputProcessTest, TheDeviceIsTheWorldsMouseWhileTheProcessRuns)
{
    cGameWorld::SetMouseSource(nullptr);
    ASSERT_TRUE(process.Init(&app));
    app.GetProcessManager().RemoveAll(&app);
    // The station view's hover and drop read the place under the mouse
    // through the world.
    input.x = 200;
    input.y = 170;
    int x = -1;
    int y = -1;
    cGameWorld::GetMousePosition(x, y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 170);
    world.cellX[2][3] = 100;
    world.cellY[2][3] = 50;
    EXPECT_TRUE(world.IsMouseOverPlace(2, 3));

    // Exit closes the device (the test's, which it then deletes itself).
    g_pInputDevice = nullptr;
    process.Exit(&app);
    g_pInputDevice = &input;
    cGameWorld::GetMousePosition(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

} // namespace
