// Asking for a state: the main menu, the level and the exit are the three
// there are; asking for any other cancels what was asked before. And a start
// whose engine library gave no device at all.
#include <gtest/gtest.h>

#include "game_app_fixture.h"
#include "support/log_capture.h"

namespace {

class StateRequests : public GameAppTest {
protected:
    void SetUp() override
    {
        GameAppTest::SetUp();
        world.languageChanged = 0;
        app.SetStatesForTests(&menu, &game, &exit);
    }

    std::vector<std::string> log;
    FakeState menu { L"menu", log };
    FakeState game { L"game", log };
    FakeState exit { L"exit", log };
    TestGameApp app;
};

TEST_F(StateRequests, ARequestOutsideTheThreeStatesCancelsAPendingOne)
{
    ASSERT_TRUE(app.GetStateManager().Push(&menu, &app));
    const iProcess* const states[] = { &menu, &game, &exit };
    for (int state = 0; state < 3; ++state) {
        EXPECT_TRUE(app.RequestState(state));
        EXPECT_EQ(app.PendingState(), states[state]) << state;
    }
    for (int bad : { -1, 3, 5 }) {
        SCOPED_TRACE(bad);
        ASSERT_TRUE(app.RequestState(cGameApp::kStateLevel));
        EXPECT_FALSE(app.RequestState(bad));
        EXPECT_EQ(app.PendingState(), nullptr);
        log.clear();
        EXPECT_TRUE(app.Frame());
        EXPECT_EQ(log, std::vector<std::string> { "menu Update" });
        EXPECT_EQ(app.GetStateManager().Top(), &menu);
    }
}

// The engine library started without a device or a 2D interface: the start
// says so, closes the engine and calls nothing on either.
TEST_F(GameAppTest, AStartWithoutAGraphicsEngineIsRefusedAndTheEngineClosed)
{
    for (int missing = 0; missing < 2; ++missing) {
        SCOPED_TRACE(missing ? "no 2D interface" : "no device");
        iGfxDevice* const device = g_pGfxDevice;
        iGfx2D* const gfx2D = g_pGfx2D;
        if (missing)
            g_pGfx2D = nullptr;
        else
            g_pGfxDevice = nullptr;
        test::LogCapture log;
        TestGameApp app;
        app.OpenWindow();
        const bool started = app.Init();
        g_pGfxDevice = device;
        g_pGfx2D = gfx2D;
        EXPECT_FALSE(started);
        EXPECT_EQ(app.engineStops, 1);
        ASSERT_FALSE(log.lines.empty());
        EXPECT_EQ(log.lines.back().rfind(L"error: FAILED: ", 0), 0u) << log.lines.back();
        EXPECT_TRUE(gfx.calls.empty()) << testing::PrintToString(gfx.calls);
    }
}

} // namespace
