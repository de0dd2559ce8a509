// A screenshot is a picture of the game's size, whatever the size of the
// window showing it: full screen draws the game scaled to the desktop (with
// bars where the shapes differ), and the picture is taken back to the game's
// pixels. Drawn through a real window of the dummy video driver in its
// "evdev" variant, which the engine draws like a desktop's window (scaled to
// the window), not into the plain target it keeps for the dummy driver.
#include <SDL.h>
#include <SDL_image.h>

#include <string>

#include "engine/engine_fixture.h"
#include "platform/message_pump.h"
#include "platform/test_events.h"
#include "platform/utf16.h"
#include "platform/window.h"
#include "support/temp_folder.h"

namespace test {
namespace {

    constexpr int kGameWidth = 64, kGameHeight = 48;

    // Four blocks of 32 × 24: white, red / green, blue.
    uint32_t Blocks(int x, int y)
    {
        static const uint32_t colours[4] = { 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF };
        return colours[(y / 24) * 2 + x / 32];
    }

    // Two game pixels or more from a block's edge, where scaling leaves the
    // colour pure.
    bool InsideABlock(int x, int y)
    {
        const int bx = x % 32, by = y % 24;
        return bx >= 2 && bx < 30 && by >= 2 && by < 22;
    }

    class Screenshot : public ::testing::Test {
    protected:
        void SetUp() override
        {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "evdev", SDL_HINT_OVERRIDE);
            SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_OVERRIDE);
            ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        }
        void TearDown() override
        {
            platform::DiscardPendingMessages();
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            SDL_ResetHint(SDL_HINT_VIDEODRIVER);
            SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
        }
    };

    TEST_F(Screenshot, HasTheGamesSizeAndPixelsAtAnyWindowSize)
    {
        const RECT whole { 0, 0, kGameWidth, kGameHeight };
        const struct {
            const char* what;
            int windowWidth, windowHeight;
            RECT area;
        } cases[] = {
            { "a window of the game's size", kGameWidth, kGameHeight, whole },
            { "a part of it", kGameWidth, kGameHeight, { 10, 5, 50, 45 } },
            { "full screen twice the size", 2 * kGameWidth, 2 * kGameHeight, whole },
            { "full screen, wider: bars at the sides", 160, 96, whole },
            { "full screen, higher: bars above and below", 128, 120, whole },
            { "full screen a quarter larger", 80, 60, whole },
            // One pixel wide: the window's pixels for it are one wide too,
            // and only its height is scaled.
            { "a column of it a quarter larger", 80, 60, { 20, 4, 21, 44 } },
            { "a row of it a quarter larger", 80, 60, { 4, 20, 44, 21 } },
        };
        TempFolder folder;
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            HWND window = platform::CreateAppWindow(L"shot", 0, 0, c.windowWidth, c.windowHeight);
            ASSERT_NE(window, nullptr);
            iGfxDevice* device = nullptr;
            iGfx2D* gfx = nullptr;
            ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
            ASSERT_EQ(device->Create(window, kGameWidth, kGameHeight, 32, 1), S_OK);
            ASSERT_EQ(device->BeginScene(), S_OK);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
            {
                auto picture = Texture(gfx, kGameWidth, kGameHeight, Blocks);
                gfx->SetColor(0xFFFFFFFF);
                gfx->SetTexture(picture.get());
                gfx->DrawTexture(nullptr, &whole);
            }
            const std::string path = folder / "shot.png";
            ASSERT_EQ(device->SaveScreenshot(&c.area, &c.area, platform::NarrowToWide(path).c_str(), 90, 0), S_OK);
            CloseEngine();
            platform::DestroyAppWindow(window);

            SDL_Surface* read = IMG_Load(path.c_str());
            ASSERT_NE(read, nullptr) << IMG_GetError();
            SDL_Surface* shot = SDL_ConvertSurfaceFormat(read, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(read);
            ASSERT_NE(shot, nullptr);
            EXPECT_EQ(shot->w, c.area.right - c.area.left);
            EXPECT_EQ(shot->h, c.area.bottom - c.area.top);
            int checked = 0;
            for (int y = 0; y < std::min(shot->h, c.area.bottom - c.area.top); ++y) {
                for (int x = 0; x < std::min(shot->w, c.area.right - c.area.left); ++x) {
                    const int gx = c.area.left + x, gy = c.area.top + y;
                    if (!InsideABlock(gx, gy))
                        continue;
                    const uint32_t p = static_cast<const uint32_t*>(shot->pixels)[y * shot->pitch / 4 + x];
                    ASSERT_TRUE(Near(p, Blocks(gx, gy), 3)) << x << "," << y;
                    ++checked;
                }
            }
            EXPECT_GT(checked, 0);
            SDL_FreeSurface(shot);
        }
    }

} // namespace
} // namespace test
