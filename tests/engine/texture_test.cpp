// Images go in as file bytes and come out as pixels of the frame; text lines
// are rasterised once and drawn from a cache.
#include "engine/engine_fixture.h"
#include "engine/gfx_blend.h"
#include "resources/log.h"

namespace test {
namespace {

    // A 4 × 4 picture of four 2 × 2 blocks: white, red / green, blue.
    uint32_t Quadrants(int x, int y)
    {
        static const uint32_t colours[4] = { 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF };
        return colours[(y / 2) * 2 + x / 2];
    }

    TEST_F(EngineTest, TintModulatesColourAndAlphaAndSourceRectanglesAreCutNotStretchedAcrossModeChanges)
    {
        auto texture = Texture(gfx, 4, 4, Quadrants);
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        // Background, tint, where, and what shows there: white leaves the image as
        // it is; white × tint = tint; red keeps only red; half red over blue; alpha 0 draws nothing.
        const std::tuple<uint32_t, uint32_t, int, int, uint32_t> cases[] = {
            { 0xFF000000, 0xFFFFFFFF, 5, 5, 0xFF0000FF },
            { 0xFF000000, 0xFF80FF00, 1, 1, 0xFF80FF00 }, { 0xFF000000, 0xFF80FF00, 5, 1, 0xFF800000 },
            { 0xFF0000FF, 0x80FFFFFF, 5, 1, 0xFF80007F }, { 0xFF00FF00, 0x00FFFFFF, 1, 1, 0xFF00FF00 } };
        const RECT twice { 0, 0, 8, 8 }; // block middles stay pure
        for (const auto& [background, tint, x, y, expected] : cases) {
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, background);
            gfx->SetColor(tint);
            gfx->DrawTexture(nullptr, &twice);
            EXPECT_TRUE(Near(Pixel(x, y), expected, 2)) << std::hex << tint;
        }
        gfx->SetColor(0xFFFFFFFF);
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000);
        // A source reaching past the picture is cut: the red block lands at its own size.
        // Empty or inverted rectangles draw nothing.
        const RECT pastRight { 2, 0, 6, 2 }, wide { 30, 0, 34, 2 }, empty { 0, 0, 0, 0 }, inverted { 40, 40, 30, 30 };
        gfx->DrawTexture(&pastRight, &wide);
        gfx->DrawTexture(&empty, &twice);
        gfx->DrawTexture(nullptr, &inverted);
        EXPECT_EQ((std::tuple { Pixel(31, 1), Pixel(32, 0), Pixel(0, 0), Pixel(35, 35) }),
            std::tuple(0xFFFF0000u, 0xFF000000u, 0xFF000000u, 0xFF000000u));
        // Textures survive a change of display mode.
        ASSERT_EQ(device->SetDisplayMode(32, 24, 32, 0, 0, 0), S_OK);
        uint32_t argb = 0;
        EXPECT_FALSE(engine::ReadPixel(32, 0, &argb));
        gfx->DrawTexture(nullptr, &twice);
        EXPECT_EQ(Pixel(7, 7), 0xFF0000FFu);
    }

    TEST_F(EngineTest, BytesThatAreNoImageGiveNoTexture)
    {
        const uint8_t garbage[] = { 0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7 };
        std::vector<uint8_t> png = Png(4, 4, Quadrants);
        png.resize(png.size() / 2); // cut short, as a damaged file would be
        EXPECT_EQ(gfx->CreateTextureFromMemory(garbage, 0), nullptr);
        EXPECT_EQ(gfx->CreateTextureFromMemory(garbage, sizeof garbage), nullptr);
        EXPECT_EQ(gfx->CreateTextureFromMemory(png.data(), static_cast<uint32_t>(png.size())), nullptr);
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

    // Large images take shortcuts (opaque areas copied, faded images drawn
    // from a copy with scaled alpha, large areas blended by the engine's own
    // blitter): each must look as SDL's plain blend of small pieces does.
    uint32_t Speckled(int x, int y)
    {
        const uint32_t alpha = x < 64 ? 0xFF : (x * 37 + y * 11) & 0xFF; // every alpha, and opaque tiles
        return (alpha << 24) | ((x * 5 + y * 3) & 0xFF) << 16 | ((x * y) & 0xFF) << 8 | ((x ^ y) * 7 & 0xFF);
    }

    TEST_F(EngineTest, LargeImagesDrawAsSmallPiecesDoOpaqueBlendedOrFaded)
    {
        auto background = Texture(gfx, kWidth, kHeight, [](int x, int y) { return 0xFF000000u | ((x * 4) << 16) | (y * 5); });
        auto texture = Texture(gfx, 256, 256, Speckled);
        ASSERT_TRUE(background && texture);
        const RECT screen { 0, 0, kWidth, kHeight };
        auto frame = [&](uint32_t colour, int left, int top, int piece) {
            gfx->SetColor(0xFFFFFFFF);
            gfx->SetTexture(background.get());
            gfx->DrawTexture(nullptr, &screen);
            gfx->SetColor(colour);
            gfx->SetTexture(texture.get());
            for (int y = 0; y < 256; y += piece)
                for (int x = 0; x < 256; x += piece) {
                    const RECT source { x, y, x + piece, y + piece }, target { left + x, top + y, left + x + piece, top + y + piece };
                    gfx->DrawTexture(&source, &target);
                }
            std::vector<uint32_t> pixels;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    pixels.push_back(Pixel(x, y));
            return pixels;
        };
        // Where, and at which alpha: opaque and blended areas at full alpha
        // are drawn exactly as SDL draws them; a faded copy rounds once more.
        const std::tuple<int, int, uint32_t, int> cases[] = { { -30, -20, 255, 0 }, { -100, -150, 255, 0 },
            { -30, -20, 100, 2 }, { -100, -150, 1, 2 } };
        for (const auto& [left, top, alpha, tolerance] : cases) {
            SCOPED_TRACE(testing::Message() << left << "," << top << " alpha " << alpha);
            const uint32_t colour = (alpha << 24) | 0xFFFFFF;
            std::vector<uint32_t> large;
            for (int draw = 0; draw < 5; ++draw) // a faded copy follows a new alpha within a few draws
                large = frame(colour, left, top, 256);
            const std::vector<uint32_t> small = frame(colour, left, top, 8);
            for (size_t i = 0; i < large.size(); ++i)
                ASSERT_TRUE(Near(large[i] | 0xFF000000u, small[i] | 0xFF000000u, tolerance)) << "pixel " << i;
        }
    }

    // The engine's blend of a row faded by `alpha` is SDL's blend of a copy of
    // the row with its alpha so scaled, channel by channel, alpha included.
    TEST(DirectBlend, AFadedRowBlendsAsSdlBlendsItsScaledCopy)
    {
        constexpr int kCount = 255; // four pixels at a time, and the rest one by one
        for (const uint32_t alpha : { 255u, 200u, 77u, 1u }) {
            uint32_t row[kCount], scaled[kCount], ours[kCount], sdl[kCount];
            for (uint32_t x = 0; x < kCount; ++x) {
                const uint32_t a = x == 3 ? 0xFF : x;
                row[x] = (a << 24) | ((x * 7) & 0xFF) << 16 | ((255 - x) << 8) | ((x * x) & 0xFF);
                scaled[x] = (row[x] & 0xFFFFFF) | (((a * alpha + 127) / 255) << 24);
                ours[x] = sdl[x] = (x * 0x01030507u) ^ 0x5A000000u;
            }
            engine::BlendRow(row, ours, kCount, static_cast<uint8_t>(alpha));
            SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(scaled, kCount, 1, 32, kCount * 4, SDL_PIXELFORMAT_ARGB8888);
            SDL_Surface* onto = SDL_CreateRGBSurfaceWithFormatFrom(sdl, kCount, 1, 32, kCount * 4, SDL_PIXELFORMAT_ARGB8888);
            ASSERT_TRUE(from && onto);
            SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_BLEND);
            SDL_BlitSurface(from, nullptr, onto, nullptr);
            SDL_FreeSurface(from), SDL_FreeSurface(onto);
            for (int x = 0; x < kCount; ++x)
                ASSERT_EQ(ours[x], sdl[x]) << "alpha " << alpha << " pixel " << x;
        }
    }

    // The one face is named in any case; any other face, or an unknown style,
    // is drawn in regular Carlito with a log line.
    TEST_F(EngineTest, TheFaceIsNamedInAnyCaseAndAnUnknownStyleIsDrawnRegular)
    {
        std::vector<std::wstring> lines;
        cLog::Instance().SetObserver([&](const wchar_t*, const std::wstring& line) { lines.push_back(line); });
        std::unique_ptr<iGfxFont> bold(gfx->CreateFont(L"CaliBRY", 14, 2)), odd(gfx->CreateFont(L"calibry", 14, 3)),
            other(gfx->CreateFont(L"Arial", 14, -1));
        cLog::Instance().SetObserver(nullptr);
        EXPECT_TRUE(bold && odd && other);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_NE(lines[0].find(L"Unknown style 3"), std::wstring::npos);
        EXPECT_NE(lines[1].find(L"\"Arial\""), std::wstring::npos);
        EXPECT_NE(lines[2].find(L"Unknown style -1"), std::wstring::npos);
    }

    TEST_F(EngineTest, LinesAreRasterisedOnceUntilDroppedAfterALongWhileOrWithTheResources)
    {
        std::unique_ptr<iGfxFont> font(gfx->CreateFont(L"calibry", 14, 0)), other(gfx->CreateFont(L"calibry", 14, 0));
        const int before = engine::TextRasterisations();
        auto frame = [&](uint32_t colour) {
            gfx->SetColor(colour); // another colour, or a fade, is the same line
            gfx->DrawText(font.get(), 0, 0, L"Money: 100");
            gfx->DrawTextAlt(font.get(), 0, 20, L"Level 3");
            device->Present();
        };
        frame(0xFFFFFFFF);
        frame(0x80FFFF00);
        gfx->DrawText(other.get(), 0, 0, L"Money: 100"); // another font is a new line
        EXPECT_EQ(engine::TextRasterisations() - before, 3);
        for (int i = 0; i < 400; ++i)
            device->Present();
        frame(0xFFFFFFFF);
        EXPECT_EQ(engine::TextRasterisations() - before, 5);
        gfx->ReleaseResources(); // around a mode change
        frame(0xFFFFFFFF);
        EXPECT_EQ(engine::TextRasterisations() - before, 7);
    }

} // namespace
} // namespace test
