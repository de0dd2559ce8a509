// The frame: geometry, and whether the device can draw at all.
#include "engine/engine_fixture.h"
#include "platform/sdl_access.h"
#include "platform/window.h"

namespace test {
namespace {

    TEST_F(EngineTest, TrianglesAndLinesAreDrawnInTheirColours)
    {
        const uint32_t red = 0xFFFF0000, halfWhite = 0x80FFFFFF;
        GfxVertex quad[6] = { { 10, 10, red }, { 30, 10, red }, { 30, 20, red }, { 10, 10, red }, { 30, 20, red }, { 10, 20, red } };
        gfx->DrawTriangles(quad, 2, 0, 0);
        GfxVertex veil[3] = { { 0, 30, halfWhite }, { 40, 30, halfWhite }, { 0, 48, halfWhite } };
        gfx->DrawTriangles(veil, 1, 0, 0); // blends with what is there
        gfx->SetColor(0xFF00FF00);
        const float line[2][2] = { { 40, 5 }, { 60, 5 } };
        gfx->DrawLines(line, 2, 0);
        gfx->DrawTriangles(nullptr, 2, 0, 0);
        gfx->DrawLines(line, 1, 0);
        EXPECT_EQ(Pixel(28, 18), 0xFFFF0000u);
        EXPECT_EQ(Pixel(31, 15), 0xFF000000u);
        EXPECT_TRUE(Near(Pixel(2, 32), 0xFF808080, 2));
        EXPECT_EQ(Pixel(50, 5), 0xFF00FF00u);
        EXPECT_EQ(Pixel(50, 6), 0xFF000000u);
    }

    TEST(EngineDevice, WithoutCreateNothingDrawsAndAMinimisedWindowCannotBeDrawn)
    {
        iGfxDevice* device = nullptr;
        iGfx2D* gfx = nullptr;
        ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
        EXPECT_EQ(device->TestDevice(), E_FAIL);
        EXPECT_LT(device->BeginScene(), 0);
        uint32_t argb = 0;
        EXPECT_FALSE(engine::ReadPixel(0, 0, &argb));
        EXPECT_LT(device->Create(nullptr, 0, 480, 32, 1), 0);

        HWND window = platform::CreateAppWindow(L"(c) Vandrel", 0, 0, 320, 200);
        ASSERT_NE(window, nullptr) << platform::LastError();
        ASSERT_EQ(device->Create(window, 320, 200, 32, 1), S_OK);
        ASSERT_EQ(device->SetDisplayMode(160, 100, 32, 0, 0, 0), S_OK);
        EXPECT_EQ(device->ApplyFullScreen(), S_OK);
        EXPECT_EQ(device->TestDevice(), S_OK);
        SDL_Event event {};
        event.type = SDL_WINDOWEVENT;
        event.window.event = SDL_WINDOWEVENT_MINIMIZED;
        platform::NotifySdlEventObservers(event);
        EXPECT_EQ(device->TestDevice(), E_FAIL);
        event.window.event = SDL_WINDOWEVENT_RESTORED;
        platform::NotifySdlEventObservers(event);
        EXPECT_EQ(device->TestDevice(), S_OK);
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF123456);
        EXPECT_TRUE(engine::ReadPixel(159, 99, &argb));
        EXPECT_EQ(argb, 0xFF123456u);
        CloseEngine();
        EXPECT_EQ(g_pGfxDevice, nullptr);
        platform::DestroyAppWindow(window);
    }

} // namespace
} // namespace test
