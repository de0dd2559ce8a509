// Fonts: drawing in the draw colour, the cache of drawn lines, and what stays alive.
#include <memory>

#include "engine/engine_fixture.h"

namespace test {
namespace {

    using FontPtr = std::unique_ptr<iGfxFont>;

    TEST_F(EngineTest, TextIsDrawnInTheDrawColourAndAltAddsAShadow)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 20, 1));
        ASSERT_TRUE(font);
        SIZE narrow {}, wide {};
        font->MeasureText(L"iW", &narrow);
        font->MeasureText(L"iW \x0416\x20AC", &wide);
        EXPECT_GT(wide.cx, narrow.cx);
        EXPECT_GE(narrow.cy, 20);
        auto count = [&](uint32_t colour) { // pixels of the frame near the colour
            int n = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    n += Near(Pixel(x, y), colour, 8) ? 1 : 0;
            return n;
        };
        gfx->SetColor(0xFFFF0000);
        gfx->SetTextColor(0xFF0000FF);
        gfx->DrawText(font.get(), 2, 2, L"MW");
        EXPECT_GT(count(0xFFFF0000), 20);
        EXPECT_EQ(count(0xFF0000FF), 0);
        gfx->DrawTextAlt(font.get(), 2, 2, L"MW");
        EXPECT_GT(count(0xFF0000FF), 0); // the shadow
    }

    TEST_F(EngineTest, ASteadyFrameRasterisesNoText)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 14, 0)), other(gfx->CreateFont(L"calibry", 14, 0));
        ASSERT_TRUE(font && other);
        const int before = engine::TextRasterisations();
        auto frame = [&](uint32_t colour) {
            gfx->SetColor(colour);
            gfx->DrawText(font.get(), 0, 0, L"Money: 100");
            gfx->DrawTextAlt(font.get(), 0, 20, L"Level 3");
            device->Present();
        };
        frame(0xFFFFFFFF);
        frame(0x80FFFF00); // another colour, or a fade, is the same line
        EXPECT_EQ(engine::TextRasterisations() - before, 2);
        gfx->DrawText(font.get(), 0, 0, L"Money: 105"); // a changed text is new
        gfx->DrawText(other.get(), 0, 0, L"Money: 100"); // so is another font
        EXPECT_EQ(engine::TextRasterisations() - before, 4);
        // Lines not drawn for a long while are dropped, and made again when needed.
        for (int i = 0; i < 400; ++i)
            device->Present();
        frame(0xFFFFFFFF);
        EXPECT_EQ(engine::TextRasterisations() - before, 6);
        gfx->ReleaseResources(); // around a mode change
        frame(0xFFFFFFFF);
        EXPECT_EQ(engine::TextRasterisations() - before, 8);
    }

    TEST_F(EngineTest, ZombieBytesCountWhatIsAliveAndLateReleasesAreSafe)
    {
        auto a = Texture(gfx, 16, 8, [](int, int) { return 0xFF336699u; });
        auto b = Texture(gfx, 16, 8, [](int, int) { return 0xFF336699u; });
        ASSERT_TRUE(a && b);
        EXPECT_EQ(device->GetZombieBytes(), 2 * 16 * 8 * 4);
        FontPtr font(gfx->CreateFont(L"calibry", 14, 0));
        gfx->DrawText(font.get(), 0, 0, L"cached line");
        const int withFont = device->GetZombieBytes();
        EXPECT_GT(withFont, 2 * 16 * 8 * 4);
        a.reset();
        EXPECT_EQ(device->GetZombieBytes(), withFont - 16 * 8 * 4);
        CloseEngine(); // objects outliving the engine are still freed safely
        b.reset();
        font.reset();
        ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

} // namespace
} // namespace test
