// Fonts: measuring, drawing in the draw colour, and the cache of drawn lines.
#include <memory>

#include "engine/engine_fixture.h"

namespace test {
namespace {

    using FontPtr = std::unique_ptr<iGfxFont>;

    SIZE Measure(iGfxFont* font, const wchar_t* text)
    {
        SIZE size { -1, -1 };
        font->MeasureText(text, &size);
        return size;
    }

    // Whether some pixel of the area is near the colour.
    bool AnyPixelNear(int x0, int y0, int x1, int y1, uint32_t colour, int tolerance)
    {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                uint32_t argb = 0;
                if (engine::ReadPixel(x, y, &argb) && Near(argb, colour, tolerance))
                    return true;
            }
        }
        return false;
    }

    TEST_F(EngineTest, MeasuresGrowWithTheText)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 14, 1));
        ASSERT_TRUE(font);
        const wchar_t* texts[] = { L"", L"i", L"iW", L"iW ", L"iW Tankstelle", L"iW Tankstelle \x0416\x00E9\x20AC" };
        SIZE last = Measure(font.get(), texts[0]);
        EXPECT_EQ(last.cx, 0);
        for (size_t i = 1; i < std::size(texts); ++i) {
            SCOPED_TRACE(i);
            SIZE size = Measure(font.get(), texts[i]);
            EXPECT_GT(size.cx, last.cx);
            EXPECT_GE(size.cy, 14);
            EXPECT_LT(size.cy, 30);
            last = size;
        }
        EXPECT_EQ(Measure(font.get(), nullptr).cx, 0);
        EXPECT_EQ(Measure(font.get(), nullptr).cy, 0);
        font->MeasureText(L"no crash", nullptr);

        // Bigger sizes measure bigger; every style opens.
        FontPtr small(gfx->CreateFont(L"calibry", 9, 0));
        FontPtr big(gfx->CreateFont(L"CALIBRY", 20, 1));
        FontPtr italic(gfx->CreateFont(L"calibry", 12, 2));
        ASSERT_TRUE(small && big && italic);
        EXPECT_LT(Measure(small.get(), L"Tankstelle").cx, Measure(font.get(), L"Tankstelle").cx);
        EXPECT_GT(Measure(big.get(), L"Tankstelle").cx, Measure(font.get(), L"Tankstelle").cx);
        EXPECT_GT(Measure(big.get(), L"Tankstelle").cy, Measure(font.get(), L"Tankstelle").cy);
    }

    TEST_F(EngineTest, TextIsDrawnInTheDrawColourAndAltAddsAShadow)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 20, 1));
        ASSERT_TRUE(font);
        gfx->SetColor(0xFFFF0000);
        gfx->SetTextColor(0xFF0000FF);
        gfx->DrawText(font.get(), 2, 2, L"MW");
        EXPECT_TRUE(AnyPixelNear(0, 0, 32, 24, 0xFFFF0000, 8));
        EXPECT_FALSE(AnyPixelNear(0, 0, kWidth, kHeight, 0xFF0000FF, 8));

        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFFFFFFFF);
        gfx->DrawTextAlt(font.get(), 2, 2, L"MW");
        EXPECT_TRUE(AnyPixelNear(0, 0, 34, 26, 0xFFFF0000, 8));
        EXPECT_TRUE(AnyPixelNear(0, 0, 34, 26, 0xFF0000FF, 8)); // the shadow

        // Scaled text covers about twice the width.
        auto rightmostInk = [&] {
            int right = -1;
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    if (Pixel(x, y) != 0xFF000000u)
                        right = std::max(right, x);
                }
            }
            return right;
        };
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0);
        gfx->DrawText(font.get(), 0, 0, L"M");
        int plain = rightmostInk();
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0);
        gfx->DrawTextScaled(font.get(), 0, 0, L"M", 2.0f);
        int scaled = rightmostInk();
        EXPECT_GT(plain, 5);
        EXPECT_NEAR(scaled, 2 * plain, 4);

        // Nothing to draw: no crash, no ink.
        device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0);
        gfx->DrawText(font.get(), 0, 0, L"");
        gfx->DrawText(font.get(), 0, 0, nullptr);
        gfx->DrawText(nullptr, 0, 0, L"MW");
        gfx->DrawTextScaled(font.get(), 0, 0, L"MW", 0.0f);
        EXPECT_EQ(rightmostInk(), -1);
    }

    TEST_F(EngineTest, ASteadyFrameRasterisesNoText)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 14, 0));
        FontPtr other(gfx->CreateFont(L"calibry", 14, 0));
        ASSERT_TRUE(font && other);
        int before = engine::TextRasterisations();
        auto frame = [&](uint32_t colour) {
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0);
            gfx->SetColor(colour);
            gfx->DrawText(font.get(), 0, 0, L"Money: 100");
            gfx->DrawTextAlt(font.get(), 0, 20, L"Level 3");
            device->Present();
        };
        frame(0xFFFFFFFF);
        EXPECT_EQ(engine::TextRasterisations() - before, 2);
        frame(0xFFFFFF00); // another colour, or a fade, is the same line
        frame(0x80FFFF00);
        EXPECT_EQ(engine::TextRasterisations() - before, 2);

        gfx->DrawText(font.get(), 0, 0, L"Money: 105"); // a changed text is new
        EXPECT_EQ(engine::TextRasterisations() - before, 3);
        gfx->DrawText(other.get(), 0, 0, L"Money: 100"); // so is another font
        EXPECT_EQ(engine::TextRasterisations() - before, 4);

        // Lines not drawn for a long while are dropped, and made again when needed.
        for (int i = 0; i < 400; ++i)
            device->Present();
        frame(0xFFFFFFFF);
        EXPECT_EQ(engine::TextRasterisations() - before, 6);
        // Releasing resources around a mode change drops them too.
        gfx->ReleaseResources();
        frame(0xFFFFFFFF);
        EXPECT_EQ(engine::TextRasterisations() - before, 8);
    }

    TEST_F(EngineTest, ZombieBytesCountWhatIsAliveUntilAllIsReleased)
    {
        EXPECT_EQ(device->GetZombieBytes(), 0);
        SDL_Surface* picture = MakePicture(16, 8, [](int, int) { return 0xFF336699u; });
        std::vector<uint8_t> png = Encode(picture, ImageFormat::Png);
        SDL_FreeSurface(picture);
        std::unique_ptr<iGfxTexture> a(gfx->CreateTextureFromMemory(png.data(), static_cast<uint32_t>(png.size())));
        std::unique_ptr<iGfxTexture> b(gfx->CreateTextureFromMemory(png.data(), static_cast<uint32_t>(png.size())));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(device->GetZombieBytes(), 2 * 16 * 8 * 4);
        gfx->SetTexture(a.get());
        RECT target { 0, 0, 16, 8 };
        gfx->DrawTexture(nullptr, &target);

        FontPtr font(gfx->CreateFont(L"calibry", 14, 0));
        ASSERT_TRUE(font);
        gfx->DrawText(font.get(), 0, 0, L"cached line");
        int withFont = device->GetZombieBytes();
        EXPECT_GT(withFont, 2 * 16 * 8 * 4);

        a.reset();
        EXPECT_EQ(device->GetZombieBytes(), withFont - 16 * 8 * 4);
        b.reset();
        font.reset();
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

    TEST_F(EngineTest, ObjectsOutlivingTheEngineAreStillFreedSafely)
    {
        SDL_Surface* picture = MakePicture(4, 4, [](int, int) { return 0xFFFFFFFFu; });
        std::vector<uint8_t> png = Encode(picture, ImageFormat::Png);
        SDL_FreeSurface(picture);
        std::unique_ptr<iGfxTexture> texture(
            gfx->CreateTextureFromMemory(png.data(), static_cast<uint32_t>(png.size())));
        FontPtr font(gfx->CreateFont(L"calibry", 14, 0));
        ASSERT_TRUE(texture && font);
        gfx->SetTexture(texture.get());
        RECT target { 0, 0, 4, 4 };
        gfx->DrawTexture(nullptr, &target);
        gfx->DrawText(font.get(), 0, 0, L"late");
        CloseEngine();
        texture.reset();
        font.reset();
        ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

} // namespace
} // namespace test
