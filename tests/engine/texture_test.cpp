// Images go in as file bytes and come out as pixels of the frame.
#include <SDL_image.h>

#include <memory>

#include "engine/engine_fixture.h"
#include "resources/log.h"
#include "support/temp_folder.h"

namespace test {
namespace {

    using TexturePtr = std::unique_ptr<iGfxTexture>;

    // A 4 × 4 picture of four 2 × 2 blocks: white, red / green, blue.
    uint32_t Quadrants(int x, int y)
    {
        static const uint32_t colours[4] = { 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF };
        return colours[(y / 2) * 2 + x / 2];
    }

    TexturePtr LoadQuadrants(iGfx2D* gfx, ImageFormat format = ImageFormat::Png)
    {
        SDL_Surface* picture = MakePicture(4, 4, Quadrants);
        std::vector<uint8_t> bytes = Encode(picture, format);
        SDL_FreeSurface(picture);
        return TexturePtr(gfx->CreateTextureFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size()), 0, 1, 0));
    }

    TEST_F(EngineTest, EveryImageFormatDecodesToItsPixels)
    {
        struct Case {
            ImageFormat format;
            int tolerance;
        } cases[]
            = { { ImageFormat::Png, 0 }, { ImageFormat::Bmp, 0 }, { ImageFormat::Tga, 0 }, { ImageFormat::Jpg, 60 } };
        for (const Case& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.format));
            TexturePtr texture = LoadQuadrants(gfx, c.format);
            ASSERT_TRUE(texture);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0);
            gfx->SetTexture(texture.get());
            RECT target { 0, 0, 4, 4 };
            gfx->DrawTexture(nullptr, &target);
            // The middle of each block: JPEG blurs the edges between them.
            EXPECT_TRUE(Near(Pixel(0, 0), 0xFFFFFFFF, c.tolerance));
            EXPECT_TRUE(Near(Pixel(3, 0), 0xFFFF0000, c.tolerance));
            EXPECT_TRUE(Near(Pixel(0, 3), 0xFF00FF00, c.tolerance));
            EXPECT_TRUE(Near(Pixel(3, 3), 0xFF0000FF, c.tolerance));
        }
    }

    TEST_F(EngineTest, TintModulatesColourAndAlpha)
    {
        TexturePtr texture = LoadQuadrants(gfx);
        ASSERT_TRUE(texture);
        struct Case {
            uint32_t background;
            uint32_t tint;
            int x, y;
            uint32_t expected;
        } cases[] = {
            { 0xFF000000, 0xFFFFFFFF, 1, 1, 0xFFFFFFFF }, // white leaves the image as it is
            { 0xFF000000, MakeARGB(255, 128, 255, 0), 1, 1, 0xFF80FF00 }, // white × tint = tint
            { 0xFF000000, MakeARGB(255, 128, 255, 0), 5, 1, 0xFF800000 }, // red keeps only red
            { 0xFF0000FF, MakeARGB(128, 255, 255, 255), 5, 1, 0xFF80007F }, // half red over blue
            { 0xFF00FF00, MakeARGB(0, 255, 255, 255), 1, 1, 0xFF00FF00 }, // alpha 0 draws nothing
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << std::hex << c.tint << " at " << std::dec << c.x << "," << c.y);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, c.background);
            gfx->SetColor(c.tint);
            gfx->SetTexture(texture.get());
            RECT target { 0, 0, 8, 8 }; // twice the size: block middles stay pure
            gfx->DrawTexture(nullptr, &target);
            EXPECT_TRUE(Near(Pixel(c.x, c.y), c.expected, 2));
        }
    }

    TEST_F(EngineTest, SourceRectangleGoesIntoTargetRectangle)
    {
        TexturePtr texture = LoadQuadrants(gfx);
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        RECT blue { 2, 2, 4, 4 };
        RECT target { 10, 20, 12, 22 };
        gfx->DrawTexture(&blue, &target);
        EXPECT_EQ(Pixel(10, 20), 0xFF0000FFu);
        EXPECT_EQ(Pixel(11, 21), 0xFF0000FFu);
        EXPECT_EQ(Pixel(12, 20), 0xFF000000u);
        EXPECT_EQ(Pixel(9, 20), 0xFF000000u);

        // A source reaching past the picture is cut, not stretched: the red block
        // lands at its own size and the rest of the target stays untouched.
        RECT pastRight { 2, 0, 6, 2 };
        RECT wide { 30, 0, 34, 2 };
        gfx->DrawTexture(&pastRight, &wide);
        EXPECT_EQ(Pixel(30, 0), 0xFFFF0000u);
        EXPECT_EQ(Pixel(31, 1), 0xFFFF0000u);
        EXPECT_EQ(Pixel(32, 0), 0xFF000000u);

        // Empty or inverted rectangles draw nothing.
        RECT empty { 0, 0, 0, 0 };
        RECT inverted { 40, 40, 30, 30 };
        gfx->DrawTexture(&empty, &target);
        gfx->DrawTexture(nullptr, &inverted);
        gfx->SetTexture(nullptr);
        RECT corner { 0, 0, 4, 4 };
        gfx->DrawTexture(nullptr, &corner); // no texture bound: nothing
        EXPECT_EQ(Pixel(0, 0), 0xFF000000u);
    }

    TEST_F(EngineTest, BytesThatAreNoImageGiveNoTexture)
    {
        std::vector<std::wstring> errors;
        cLog::Instance().SetObserver([&](const wchar_t* kind, const std::wstring& message) {
            if (std::wstring(kind) == L"error")
                errors.push_back(message);
        });
        const uint8_t garbage[] = { 0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7 };
        SDL_Surface* picture = MakePicture(4, 4, Quadrants);
        std::vector<uint8_t> png = Encode(picture, ImageFormat::Png);
        SDL_FreeSurface(picture);
        png.resize(png.size() / 2); // cut short, as a damaged file would be

        EXPECT_EQ(gfx->CreateTextureFromMemory(nullptr, 10), nullptr);
        EXPECT_EQ(gfx->CreateTextureFromMemory(garbage, 0), nullptr);
        EXPECT_EQ(gfx->CreateTextureFromMemory(garbage, sizeof garbage), nullptr);
        EXPECT_EQ(gfx->CreateTextureFromMemory(png.data(), static_cast<uint32_t>(png.size())), nullptr);
        cLog::Instance().SetObserver(nullptr);
        EXPECT_EQ(errors.size(), 4u);
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

    // Large images take shortcuts (opaque areas copied, faded images drawn
    // from a copy with scaled alpha): each must look as the plain blend does,
    // which small source areas still get.
    TEST_F(EngineTest, LargeImagesDrawAsSmallOnesDoOpaqueOrFaded)
    {
        // Left half opaque red, right half half-transparent blue.
        SDL_Surface* picture
            = MakePicture(512, 512, [](int x, int) { return x < 256 ? 0xFFFF0000u : 0x800000FFu; });
        std::vector<uint8_t> bytes = Encode(picture, ImageFormat::Png);
        SDL_FreeSurface(picture);
        TexturePtr texture(gfx->CreateTextureFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        const RECT leftHalf { 0, 0, 32, kHeight };
        const RECT rightHalf { 32, 0, kWidth, kHeight };
        for (uint32_t alpha : { 255u, 100u, 1u }) {
            SCOPED_TRACE(alpha);
            gfx->SetColor((alpha << 24) | 0xFFFFFF);
            const RECT bigRed { 0, 0, 256, 512 };
            const RECT bigBlue { 256, 0, 512, 512 };
            const RECT smallRed { 0, 0, 16, 16 };
            const RECT smallBlue { 300, 0, 316, 16 };
            // A faded copy follows a new alpha within a few draws.
            for (int draw = 0; draw < 4; ++draw) {
                device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF00FF00);
                gfx->DrawTexture(&bigRed, &leftHalf);
                gfx->DrawTexture(&bigBlue, &rightHalf);
            }
            const uint32_t bigLeft = Pixel(10, 20);
            const uint32_t bigRight = Pixel(50, 20);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF00FF00);
            gfx->DrawTexture(&smallRed, &leftHalf);
            gfx->DrawTexture(&smallBlue, &rightHalf);
            EXPECT_TRUE(Near(bigLeft, Pixel(10, 20), 2));
            EXPECT_TRUE(Near(bigRight, Pixel(50, 20), 2));
        }
        // Drawn faded at another alpha, the large image shows its last whole
        // copy until the new one is written, then follows.
        gfx->SetColor(0x40FFFFFF);
        const RECT whole { 0, 0, 512, 512 };
        const RECT screen { 0, 0, kWidth, kHeight };
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000);
        gfx->DrawTexture(&whole, &screen);
        EXPECT_TRUE(Near(Pixel(10, 20), 0xFF010000, 2)) << "still the last whole copy";
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000);
        gfx->DrawTexture(&whole, &screen);
        EXPECT_TRUE(Near(Pixel(10, 20), 0xFF400000, 2));
        gfx->SetColor(0xFFFFFFFF);
    }

    TEST_F(EngineTest, TexturesSurviveAChangeOfDisplayMode)
    {
        TexturePtr texture = LoadQuadrants(gfx);
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        RECT target { 0, 0, 4, 4 };
        gfx->DrawTexture(nullptr, &target);

        ASSERT_EQ(device->SetDisplayMode(32, 24, 32, 0, 0, 0), S_OK);
        uint32_t argb = 0;
        EXPECT_FALSE(engine::ReadPixel(32, 0, &argb));
        EXPECT_TRUE(engine::ReadPixel(31, 23, &argb));
        device->Clear(0, nullptr, GFX_CLEAR_ALL, 0);
        gfx->DrawTexture(nullptr, &target);
        EXPECT_EQ(Pixel(3, 3), 0xFF0000FFu);
    }

    TEST_F(EngineTest, ScreenshotIsWrittenByItsExtensionAndDecodes)
    {
        TexturePtr texture = LoadQuadrants(gfx);
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        RECT target { 0, 0, 8, 8 };
        gfx->DrawTexture(nullptr, &target);

        TempFolder folder;
        struct Case {
            const char* name;
            const char* type; // what the file must decode as
            int tolerance;
        } cases[] = { { "shot.png", "PNG", 0 }, { "screenshots/en_level3_0.jpg", "JPG", 40 } };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            std::string path = folder / c.name;
            RECT all { 0, 0, kWidth, kHeight };
            ASSERT_EQ(device->SaveScreenshot(&all, &all, std::wstring(path.begin(), path.end()).c_str(), 20, 5), S_OK);
            SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
            ASSERT_NE(file, nullptr);
            SDL_Surface* shot = IMG_LoadTyped_RW(file, 1, c.type);
            ASSERT_NE(shot, nullptr) << IMG_GetError();
            EXPECT_EQ(shot->w, kWidth);
            EXPECT_EQ(shot->h, kHeight);
            SDL_Surface* argb = SDL_ConvertSurfaceFormat(shot, SDL_PIXELFORMAT_ARGB8888, 0);
            auto at = [&](int x, int y) {
                return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(argb->pixels) + y * argb->pitch)[x];
            };
            EXPECT_TRUE(Near(at(1, 1), 0xFFFFFFFF, c.tolerance));
            EXPECT_TRUE(Near(at(6, 6), 0xFF0000FF, c.tolerance));
            EXPECT_TRUE(Near(at(40, 40), 0xFF000000, c.tolerance));
            SDL_FreeSurface(argb);
            SDL_FreeSurface(shot);
        }

        // A path that cannot be written fails without writing anything.
        std::string blocked = folder / "shot.png/inside.png";
        EXPECT_LT(
            device->SaveScreenshot(nullptr, nullptr, std::wstring(blocked.begin(), blocked.end()).c_str(), 20, 5), 0);
    }

} // namespace
} // namespace test
