// Fonts: drawing in the draw colour, the cache of drawn lines, and what stays alive.
#include "engine/engine_fixture.h"

namespace test {
namespace {

    using FontPtr = std::unique_ptr<iGfxFont>;

    TEST_F(EngineTest, TextIsDrawnInTheDrawColourAndAltAddsAShadow)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 20, 1));
        ASSERT_TRUE(font);
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

    TEST_F(EngineTest, LinesAreRasterisedOnceUntilDroppedAfterALongWhileOrWithTheResources)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 14, 0)), other(gfx->CreateFont(L"calibry", 14, 0));
        ASSERT_TRUE(font && other);
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

    TEST_F(EngineTest, ObjectsOutlivingTheEngineAreStillFreedSafely)
    {
        auto texture = Texture(gfx, 16, 8, [](int, int) { return 0xFF336699u; });
        FontPtr font(gfx->CreateFont(L"calibry", 14, 0));
        ASSERT_TRUE(texture && font);
        EXPECT_GT(device->GetZombieBytes(), 16 * 8 * 4);
        gfx->DrawText(font.get(), 0, 0, L"cached line");
        CloseEngine();
        texture.reset();
        font.reset();
        ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

} // namespace
} // namespace test
