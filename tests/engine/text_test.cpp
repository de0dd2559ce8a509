// Fonts: the cache of drawn lines, and what stays alive.
#include "engine/engine_fixture.h"

namespace test {
namespace {

    using FontPtr = std::unique_ptr<iGfxFont>;

    TEST_F(EngineTest, LinesAreRasterisedOnceUntilDroppedAfterALongWhileOrWithTheResources)
    {
        FontPtr font(gfx->CreateFont(L"calibry", 14, 0)), other(gfx->CreateFont(L"calibry", 14, 0));
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
