// The mouse capture cycle: left Ctrl, pressed as the player presses it, frees
// the mouse in windowed mode and pauses; a left click takes it back; the
// cursor follows only a held mouse, and a window change is honoured always.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/cursor_set.h"
#include "app/input_process.h"
#include "platform/message_pump.h"
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
    // The key goes through the message pump, as the game's loop takes it.
    void LeftControl(bool down)
    {
        ASSERT_TRUE(platform::InjectKey(app.GetWindow(), "Left Ctrl", down));
        MSG msg;
        while (platform::PeekMessage(&msg, PM_REMOVE))
            platform::DispatchMessage(&msg);
    }
    std::vector<std::string> TakeCalls()
    {
        std::vector<std::string> calls;
        calls.swap(input.calls);
        return calls;
    }

    cGameWorld& world = cGameWorld::Instance();
    WindowApp app;
    test::FakeInput input;
    cInputProcess process;
    cCursorSet& cursor = cCursorSet::Instance();
};

using Calls = std::vector<std::string>;

TEST_F(InputProcessTest, LeftControlFreesTheMouseInAWindowAndALeftClickTakesItBack)
{
    input.x = 100;
    input.y = 200;
    process.Update(&app);
    EXPECT_EQ(TakeCalls(), (Calls { "Acquire", "Update" }));
    EXPECT_EQ(cursor.GetX(), 100);

    // In full screen left Ctrl keeps the mouse.
    world.fullScreen = 1;
    LeftControl(true);
    process.Update(&app);
    EXPECT_EQ(std::tuple(g_mouseCaptured, world.paused, TakeCalls()), std::tuple(1, 0, Calls { "Acquire", "Update" }));
    // Windowed: the mouse goes back to the desktop and the game pauses.
    world.fullScreen = 0;
    process.Update(&app);
    EXPECT_EQ(std::tuple(g_mouseCaptured, world.paused, TakeCalls()), std::tuple(0, 1, Calls { "Unacquire" }));
    EXPECT_TRUE(platform::IsCursorShown());

    // While free, the cursor stays where it was, but a window change is
    // still honoured: the device on the window, the mouse at its centre,
    // kept inside it.
    LeftControl(false);
    world.rebindInput = 1;
    process.Update(&app);
    EXPECT_EQ(TakeCalls(), (Calls { "SetWindow", "SetCursorPos 320 240", "SetCursorClip" }));
    EXPECT_EQ(std::tuple(world.rebindInput, input.window, input.clip.left, input.clip.top, input.clip.right,
                  input.clip.bottom, cursor.GetX()),
        std::tuple(0, app.GetWindow(), 0, 0, 636, 476, 100));

    input.x = 300;
    process.Update(&app);
    EXPECT_EQ(cursor.GetX(), 100);
    // Only a left button going down takes the mouse back.
    for (UINT message : { WM_RBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE })
        CaptureMouseOnClick(app.GetWindow(), message);
    EXPECT_EQ(std::tuple(g_mouseCaptured, world.paused, TakeCalls()), std::tuple(0, 1, Calls {}));
    CaptureMouseOnClick(app.GetWindow(), WM_LBUTTONDOWN);
    EXPECT_EQ(std::tuple(g_mouseCaptured, world.paused, TakeCalls()), std::tuple(1, 0, Calls { "Acquire" }));
    EXPECT_FALSE(platform::IsCursorShown());
    process.Update(&app);
    EXPECT_EQ(cursor.GetX(), 300);
    // A click while the game holds the mouse changes nothing.
    world.paused = 1;
    TakeCalls();
    CaptureMouseOnClick(app.GetWindow(), WM_LBUTTONDOWN);
    EXPECT_EQ(std::tuple(world.paused, TakeCalls()), std::tuple(1, Calls {}));
}

} // namespace
