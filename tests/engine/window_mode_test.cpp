// The device shows the game in a window unless it was last told full screen:
// a new device, and a new display mode without ApplyFullScreen after it,
// are windowed; the switch happens with the next frame.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <SDL.h>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/sdl_access.h"
#include "platform/window.h"

namespace {

struct Step {
    const char* calls; // C = Create, M = SetDisplayMode, F = ApplyFullScreen
    bool fullScreen; // what the player sees after the next frame
};

TEST(DeviceWindowMode, TheLastRequestWinsAndANewDeviceOrModeIsWindowed)
{
    const std::vector<std::vector<Step>> runs = {
        { { "C", false }, { "F", true }, { "M", false }, { "MF", true }, { "C", false } },
        { { "C", false }, { "MF", true }, { "MFM", false }, { "F", true }, { "F", true } },
        { { "CF", true }, { "C", false }, { "M", false }, { "M", false } },
    };
    for (size_t r = 0; r < runs.size(); ++r) {
        HWND window = platform::CreateAppWindow(L"Vandrel", 0, 0, 320, 240);
        ASSERT_TRUE(window);
        platform::ShowWindow(window, SW_SHOWNORMAL);
        iGfxDevice* device = nullptr;
        iGfx2D* gfx = nullptr;
        ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
        std::string done;
        for (const Step& step : runs[r]) {
            for (const char* c = step.calls; *c; ++c) {
                if (*c == 'C')
                    ASSERT_EQ(device->Create(window, 320, 240, 32, 1), S_OK);
                else if (*c == 'M')
                    ASSERT_EQ(device->SetDisplayMode(400, 300, 32, 0, 0, 0), S_OK);
                else
                    ASSERT_EQ(device->ApplyFullScreen(), S_OK);
            }
            done += std::string(done.empty() ? "" : " ") + step.calls;
            ASSERT_EQ(device->BeginScene(), S_OK);
            EXPECT_EQ(platform::IsFullScreen(window), step.fullScreen) << "run " << r << ": " << done;
            device->EndScene();
            device->Present();
        }
        CloseEngine();
        platform::DestroyAppWindow(window);
    }
}

// Without Create nothing draws; a minimised window cannot be drawn until it
// is restored.
TEST(DeviceWindowMode, WithoutCreateNothingDrawsAndAMinimisedWindowCannotBeDrawn)
{
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
    EXPECT_EQ(device->TestDevice(), E_FAIL);
    EXPECT_LT(device->BeginScene(), 0);
    uint32_t argb = 0;
    EXPECT_FALSE(engine::ReadPixel(0, 0, &argb) || device->Create(nullptr, 0, 480, 32, 1) >= 0);

    HWND window = platform::CreateAppWindow(L"(c) Vandrel", 0, 0, 320, 200);
    ASSERT_NE(window, nullptr) << platform::LastError();
    ASSERT_EQ(device->Create(window, 320, 200, 32, 1), S_OK);
    ASSERT_EQ(device->SetDisplayMode(160, 100, 32, 0, 0, 0), S_OK);
    EXPECT_EQ(device->ApplyFullScreen(), S_OK);
    for (const auto& [kind, result] : { std::pair { SDL_WINDOWEVENT_MINIMIZED, E_FAIL }, { SDL_WINDOWEVENT_RESTORED, S_OK } }) {
        SDL_Event event {};
        event.type = SDL_WINDOWEVENT, event.window.event = kind;
        platform::NotifySdlEventObservers(event);
        EXPECT_EQ(device->TestDevice(), result);
    }
    device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF123456);
    EXPECT_TRUE(engine::ReadPixel(159, 99, &argb) && argb == 0xFF123456u);
    CloseEngine();
    platform::DestroyAppWindow(window);
}

// A device of no width or height is refused, either side alone, and the
// device made before goes on drawing.
TEST(DeviceWindowMode, ADeviceOfNoSizeIsRefusedAndTheLastOneKeepsDrawing)
{
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
    ASSERT_EQ(device->Create(nullptr, 40, 30, 32, 1), S_OK);
    for (const auto& [width, height] : { std::pair { 0, 30 }, { 40, 0 }, { -1, 30 }, { 40, -1 }, { 0, 0 } }) {
        EXPECT_LT(device->Create(nullptr, width, height, 32, 1), 0) << width << " x " << height;
        uint32_t argb = 0;
        EXPECT_EQ(device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF204060), S_OK);
        EXPECT_TRUE(engine::ReadPixel(39, 29, &argb) && argb == 0xFF204060u) << width << " x " << height;
        EXPECT_FALSE(engine::ReadPixel(40, 29, &argb));
    }
    CloseEngine();
}

} // namespace
