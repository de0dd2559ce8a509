// On a display whose renderer cannot wait for the vertical sync (here SDL's
// software renderer on a virtual X server) each frame is presented no sooner
// than one refresh period after the one before; a late frame is not caught up
// on, the next period starts from it. Off-screen drawing is never held back.
// Run in a child process against a private X server, so the dummy video of
// the other tests stays.
#include <gtest/gtest.h>

#include <SDL.h>

#include <optional>
#include <string>

#include "engine/engine_testing.h"
#include "support/private_display.h"
#include "engine/gfx.h"
#include "platform/window.h"

namespace {

// Seconds between two readings of the performance counter.
double Seconds(uint64_t from, uint64_t to)
{
    return double(to - from) / double(SDL_GetPerformanceFrequency());
}

// The child's answer: 0 when frames were paced as they should be.
int PaceOnDisplay(const std::string& display)
{
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    HWND window = platform::CreateAppWindow(L"Vandrel", 0, 0, 64, 48);
    if (!window)
        return 2;
    platform::ShowWindow(window, SW_SHOWNORMAL);
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    if (InitEngine(522, &device, &gfx) != S_OK || device->Create(window, 64, 48, 32, 1) != S_OK)
        return 3;
    if (engine::RendererInUse() != "software")
        return 4;
    SDL_DisplayMode mode {};
    const int hz = SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.refresh_rate > 0 ? mode.refresh_rate : 60;
    const double period = 1.0 / hz;
    const double slack = 0.002; // under a millisecond to go is not slept, sleeps are whole milliseconds
    auto present = [&] {
        device->BeginScene();
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF102030u);
        device->EndScene();
        device->Present();
    };
    // The first frame has nothing to wait for.
    uint64_t paced = engine::PaceNanoseconds();
    present();
    if (engine::PaceNanoseconds() != paced)
        return 5;
    // Back to back, five more frames take at least five periods.
    const uint64_t start = SDL_GetPerformanceCounter();
    for (int i = 0; i < 5; ++i)
        present();
    if (Seconds(start, SDL_GetPerformanceCounter()) < 5 * (period - slack) || engine::PaceNanoseconds() == paced)
        return 6;
    // A frame late by two periods is shown at once...
    SDL_Delay(static_cast<Uint32>(3000 / hz));
    paced = engine::PaceNanoseconds();
    const uint64_t late = SDL_GetPerformanceCounter();
    present();
    if (engine::PaceNanoseconds() != paced)
        return 7;
    // ...and the next one still waits a whole period after it.
    present();
    if (Seconds(late, SDL_GetPerformanceCounter()) < period - slack)
        return 8;
    CloseEngine();
    platform::DestroyAppWindow(window);
    return 0;
}

TEST(FramePacing, FramesFollowTheDisplaysRefreshAndALateFrameStartsTheNextPeriod)
{
    std::optional<int> status;
    ASSERT_NO_FATAL_FAILURE(test::RunOnPrivateDisplay(status, PaceOnDisplay));
    if (!status)
        GTEST_SKIP() << "no X server installed (/usr/bin/Xvfb)";
    EXPECT_EQ(*status, 0) << "2: no window, 3: no device, 4: not the software renderer, 5: the first "
                          "frame waited, 6: frames were not paced, 7: a late frame waited, 8: the "
                          "frame after a late one did not wait its period";
}

// Drawing off-screen (no window to show it) is never paced.
TEST(FramePacing, OffScreenFramesAreNotHeldBack)
{
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
    ASSERT_EQ(device->Create(nullptr, 16, 16, 32, 1), S_OK);
    const uint64_t paced = engine::PaceNanoseconds();
    for (int i = 0; i < 5; ++i) {
        device->BeginScene();
        device->EndScene();
        device->Present();
    }
    EXPECT_EQ(engine::PaceNanoseconds(), paced);
    CloseEngine();
}

} // namespace
