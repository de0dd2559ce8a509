// The plain application over the real engine, headless.
#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/plain_app.h"
#include "app_fixture.h"
#include "engine/engine_testing.h"
#include "platform/window.h"

namespace {

class ClosingPlainApp : public cPlainApp {
public:
    bool Frame() override
    {
        const bool result = cPlainApp::Frame();
        if (FrameCount() == 1) {
            // Something drawn between frames must be cleared by the next one.
            g_pGfx2D->SetColor(MakeARGB(255, 255, 0, 0));
            g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, MakeARGB(255, 200, 10, 10), 0.0f, 0);
        }
        if (FrameCount() == 3) {
            platform::GetClientRect(window, &client);
            windowStyle = platform::GetWindowStyle(window);
            engine::ReadPixel(640, 512, &centre);
            clockAtClose = cClock::Instance().GetTime();
            platform::InjectWindowEvent(window, platform::WindowEventKind::Close);
        }
        return result;
    }
    RECT client {};
    DWORD windowStyle = 0;
    uint32_t centre = 0x12345678;
    double clockAtClose = -1.0;
};

TEST_F(AppLoop, PlainApplicationOpensItsWindowClearsEachFrameAndEndsOnClose)
{
    ClosingPlainApp app;
    ASSERT_TRUE(app.Run());
    EXPECT_EQ(app.FrameCount(), 3);
    EXPECT_EQ(app.client.right, 1280);
    EXPECT_EQ(app.client.bottom, 1024);
    EXPECT_EQ(app.windowStyle & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(app.centre, MakeARGB(255, 0, 0, 0));
    EXPECT_GE(app.clockAtClose, 0.0);
    // Shutdown closed the engine.
    EXPECT_EQ(g_pGfxDevice, nullptr);
}

} // namespace
