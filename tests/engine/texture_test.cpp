// Images go in as file bytes and come out as pixels of the frame; text lines
// are rasterised once and drawn from a cache.
#include "engine/engine_fixture.h"
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
    // from a copy with scaled alpha): each must look as the plain blend does,
    // which small source areas still get.
    TEST_F(EngineTest, LargeImagesDrawAsSmallOnesDoOpaqueOrFaded)
    {
        // Left half opaque red, right half half-transparent blue.
        auto texture = Texture(gfx, 512, 512, [](int x, int) { return x < 256 ? 0xFFFF0000u : 0x800000FFu; });
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        const RECT leftHalf { 0, 0, 32, kHeight }, rightHalf { 32, 0, kWidth, kHeight };
        const RECT bigRed { 0, 0, 256, 512 }, bigBlue { 256, 0, 512, 512 };
        const RECT smallRed { 0, 0, 16, 16 }, smallBlue { 300, 0, 316, 16 };
        for (uint32_t alpha : { 255u, 100u, 1u }) {
            SCOPED_TRACE(alpha);
            gfx->SetColor((alpha << 24) | 0xFFFFFF);
            // A faded copy follows a new alpha within a few draws.
            for (int draw = 0; draw < 4; ++draw) {
                device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF00FF00);
                gfx->DrawTexture(&bigRed, &leftHalf);
                gfx->DrawTexture(&bigBlue, &rightHalf);
            }
            const uint32_t bigLeft = Pixel(10, 20), bigRight = Pixel(50, 20);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF00FF00);
            gfx->DrawTexture(&smallRed, &leftHalf);
            gfx->DrawTexture(&smallBlue, &rightHalf);
            EXPECT_TRUE(Near(bigLeft, Pixel(10, 20), 2));
            EXPECT_TRUE(Near(bigRight, Pixel(50, 20), 2));
        }
        // Drawn faded at another alpha, the large image shows its last whole
        // copy until the new one is written, then follows.
        gfx->SetColor(0x40FFFFFF);
        const RECT whole { 0, 0, 512, 512 }, screen { 0, 0, kWidth, kHeight };
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000);
        gfx->DrawTexture(&whole, &screen);
        EXPECT_TRUE(Near(Pixel(10, 20), 0xFF010000, 2)) << "still the last whole copy";
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000);
        gfx->DrawTexture(&whole, &screen);
        EXPECT_TRUE(Near(Pixel(10, 20), 0xFF400000, 2));
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
