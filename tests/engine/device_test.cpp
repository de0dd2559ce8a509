// Whether the device can draw at all.
#include <SDL.h>

#include "engine/engine_fixture.h"
#include "platform/sdl_access.h"
#include "platform/window.h"

namespace test {
namespace {

    TEST(EngineDevice, WithoutCreateNothingDrawsAndAMinimisedWindowCannotBeDrawn)
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

} // namespace
} // namespace test
