// What a texture draw puts on screen: images blend with what lies under
// them, only the part of the source inside the image is drawn, the engine's
// own blitter steps aside wherever SDL would place pixels differently, and
// a new display mode keeps every image drawing.
#include <SDL.h>

#include <array>
#include <optional>
#include <tuple>

#include "engine/engine_context.h"
#include "engine/engine_fixture.h"

namespace test {
namespace {

    struct Spot {
        int x, y;
    };

    // Source over target at the source's alpha, channel by channel.
    uint32_t Mix(uint32_t source, uint32_t target)
    {
        const uint32_t a = source >> 24;
        uint32_t out = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8)
            out |= ((((source >> shift) & 0xFF) * a + ((target >> shift) & 0xFF) * (255 - a)) / 255) << shift;
        return out;
    }

    std::vector<uint32_t> Frame()
    {
        std::vector<uint32_t> argb;
        int width = 0, height = 0;
        EXPECT_TRUE(engine::ReadFrame(&argb, &width, &height));
        return argb;
    }

    // Columns of two pixels: opaque red, half blue, clear, a quarter white.
    uint32_t AlphaColumns(int x, int)
    {
        static const uint32_t colours[4] = { 0xFFFF0000, 0x800000FF, 0x00FFFFFF, 0x40FFFFFF };
        return colours[x / 2];
    }

    TEST_F(EngineTest, ImagesBlendByTheirAlphaWhateverWasDrawnBefore)
    {
        auto texture = Texture(gfx, 8, 4, AlphaColumns);
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        const RECT opaquePart { 0, 0, 2, 4 }, opaqueAt { 10, 10, 12, 14 }, at { 10, 10, 18, 14 };
        // What comes before the draw that is checked: nothing, the opaque
        // columns alone (copied, not blended), a new renderer.
        enum class Before { Nothing, OpaquePart, ModeChange };
        for (const Before before : { Before::Nothing, Before::OpaquePart, Before::ModeChange, Before::Nothing }) {
            SCOPED_TRACE(static_cast<int>(before));
            if (before == Before::ModeChange) {
                ASSERT_EQ(device->SetDisplayMode(kWidth + 2, kHeight, 32, 0, 0, 0), S_OK);
                ASSERT_EQ(device->SetDisplayMode(kWidth, kHeight, 32, 0, 0, 0), S_OK);
            }
            for (const uint32_t background : { 0xFF00FF00u, 0xFF804020u }) {
                device->Clear(0, nullptr, GFX_CLEAR_TARGET, background);
                if (before == Before::OpaquePart)
                    gfx->DrawTexture(&opaquePart, &opaqueAt);
                gfx->DrawTexture(nullptr, &at);
                for (int x = 0; x < 8; ++x)
                    EXPECT_TRUE(Near(Pixel(10 + x, 11), Mix(AlphaColumns(x, 0), background), 2)) << "column " << x;
                EXPECT_EQ(Pixel(9, 11), background);
            }
        }
    }

    // An image opaque but for one half-transparent pixel, at each corner in
    // turn: that pixel still blends, drawn whole or alone.
    TEST_F(EngineTest, OneSeeThroughPixelAtAnyCornerOfAnOpaqueImageStillBlends)
    {
        constexpr int kSize = 70; // not a whole number of blocks of any power of two
        static Spot clear {};
        const Spot corners[] = { { 0, 0 }, { kSize - 1, 0 }, { 0, kSize - 1 }, { kSize - 1, kSize - 1 } };
        constexpr uint32_t kBackground = 0xFF00FF00;
        for (const Spot corner : corners) {
            SCOPED_TRACE(testing::Message() << corner.x << "," << corner.y);
            clear = corner;
            auto texture = Texture(gfx, kSize, kSize, [](int x, int y) { return x == clear.x && y == clear.y ? 0x80FF0000u : 0xFF0000FFu; });
            ASSERT_TRUE(texture);
            gfx->SetTexture(texture.get());
            const RECT whole { 0, 0, kSize, kSize }, pixel { corner.x, corner.y, corner.x + 1, corner.y + 1 };
            // Either way the corner pixel lands at the middle of the frame.
            constexpr int kX = kWidth / 2, kY = kHeight / 2;
            for (const RECT* source : { &whole, &pixel }) {
                device->Clear(0, nullptr, GFX_CLEAR_TARGET, kBackground);
                const int left = kX - (corner.x - source->left), top = kY - (corner.y - source->top);
                const RECT target { left, top, left + source->right - source->left, top + source->bottom - source->top };
                gfx->DrawTexture(source, &target);
                EXPECT_TRUE(Near(Pixel(kX, kY), Mix(0x80FF0000u, kBackground), 2));
                const int besideX = corner.x == 0 ? kX + 1 : kX - 1, besideY = corner.y == 0 ? kY + 1 : kY - 1;
                EXPECT_EQ(Pixel(besideX, besideY), source == &whole ? 0xFF0000FFu : kBackground);
            }
        }
    }

    // A large half-transparent image whose four quadrants differ.
    uint32_t HalfQuadrants(int x, int y)
    {
        static const uint32_t colours[4] = { 0x80FF0000, 0x800000FF, 0x80FFFFFF, 0x80000000 };
        return colours[(y / 32) * 2 + x / 32];
    }

    TEST_F(EngineTest, LargeImagesLandWhereTheRendererPlacesThemUnderAnyScaleViewportOrClip)
    {
        auto texture = Texture(gfx, 64, 64, HalfQuadrants);
        ASSERT_TRUE(texture);
        SDL_Renderer* renderer = engine::GetContext().renderer;
        constexpr int kLeft = -20, kTop = -24;
        constexpr uint32_t kGreen = 0xFF00FF00;
        struct Case {
            float scaleX, scaleY;
            int viewportX, viewportY;
            int clipRight; // the clip's right edge, 0 for none
        };
        const Case cases[] = { { 1, 1, 0, 0, 0 }, { 2, 1, 0, 0, 0 }, { 1, 2, 0, 0, 0 }, { 1.5f, 1, 0, 0, 0 },
            { 1, 1, 8, 0, 0 }, { 1, 1, 0, 6, 0 }, { 1, 1, 0, 0, 30 } };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "scale " << c.scaleX << "x" << c.scaleY << " viewport " << c.viewportX
                                            << "," << c.viewportY << " clip " << c.clipRight);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, kGreen);
            SDL_RenderSetScale(renderer, c.scaleX, c.scaleY);
            const SDL_Rect viewport { c.viewportX, c.viewportY, kWidth - c.viewportX, kHeight - c.viewportY };
            SDL_RenderSetViewport(renderer, &viewport);
            const SDL_Rect clip { 0, 0, c.clipRight, kHeight };
            SDL_RenderSetClipRect(renderer, c.clipRight ? &clip : nullptr);
            const int sdlBlends = engine::LargeSdlBlends();
            gfx->SetColor(0xFFFFFFFF);
            gfx->SetTexture(texture.get());
            const RECT target { kLeft, kTop, kLeft + 64, kTop + 64 };
            gfx->DrawTexture(nullptr, &target);
            SDL_RenderSetClipRect(renderer, nullptr);
            SDL_RenderSetViewport(renderer, nullptr);
            SDL_RenderSetScale(renderer, 1, 1);
            if (c.scaleX == 1 && c.scaleY == 1 && c.viewportX == 0 && c.viewportY == 0 && c.clipRight == 0) {
                EXPECT_EQ(engine::LargeSdlBlends(), sdlBlends); // the engine's own blitter was used
            }

            const std::vector<uint32_t> frame = Frame();
            ASSERT_EQ(frame.size(), size_t(kWidth * kHeight));
            int checked = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) {
                    // The image's pixel under this one's centre; pixels next
                    // to an edge of colour may be filtered and are skipped.
                    const float ix = (x + 0.5f) / c.scaleX - c.viewportX - kLeft;
                    const float iy = (y + 0.5f) / c.scaleY - c.viewportY - kTop;
                    auto nearEdge = [](float v) { return std::abs(v) < 1.5f || std::abs(v - 32) < 1.5f || std::abs(v - 64) < 1.5f; };
                    if (nearEdge(ix) || nearEdge(iy) || (c.clipRight && std::abs(x - c.clipRight) < 1))
                        continue;
                    const bool inViewport = x >= c.viewportX && y >= c.viewportY; // scaled only without an offset
                    const bool inside
                        = inViewport && ix > 0 && ix < 64 && iy > 0 && iy < 64 && (!c.clipRight || x < c.clipRight);
                    const uint32_t expected = inside ? Mix(HalfQuadrants(int(ix), int(iy)), kGreen) : kGreen;
                    ASSERT_TRUE(Near(frame[size_t(y * kWidth + x)], expected, 3)) << "pixel " << x << "," << y;
                    ++checked;
                }
            EXPECT_GT(checked, kWidth * kHeight / 2);
        }
    }

    // A 4 × 4 picture of sixteen different opaque colours.
    uint32_t Distinct(int x, int y)
    {
        return 0xFF000000u | uint32_t(40 + x * 60) << 16 | uint32_t(40 + y * 60) << 8 | 0x80;
    }

    TEST_F(EngineTest, OnlyTheSourceInsideTheImageIsDrawnAndNothingForAnEmptyOne)
    {
        auto texture = Texture(gfx, 4, 4, Distinct);
        ASSERT_TRUE(texture);
        gfx->SetTexture(texture.get());
        struct Case {
            std::optional<RECT> source;
            RECT target;
            RECT painted; // where pixels of the image appear ({} for nowhere)
            Spot from; // the image pixel at the painted area's top left
        };
        const Case cases[] = {
            { std::nullopt, { 5, 6, 9, 10 }, { 5, 6, 9, 10 }, { 0, 0 } }, // all of it
            { RECT { 1, 1, 3, 3 }, { 20, 0, 22, 2 }, { 20, 0, 22, 2 }, { 1, 1 } },
            { RECT { 0, 0, 0, 4 }, { 5, 6, 9, 10 }, {}, {} }, // no width
            { RECT { 0, 0, 4, 0 }, { 5, 6, 9, 10 }, {}, {} }, // no height
            { RECT { 3, 0, 1, 4 }, { 5, 6, 9, 10 }, {}, {} }, // right of its left
            { RECT { 0, 3, 4, 1 }, { 5, 6, 9, 10 }, {}, {} }, // bottom above its top
            { RECT { 4, 0, 6, 4 }, { 5, 6, 7, 10 }, {}, {} }, // beside the image
            { RECT { 0, 4, 4, 6 }, { 5, 6, 9, 8 }, {}, {} }, // below it
            { RECT { -3, 0, 0, 4 }, { 5, 6, 8, 10 }, {}, {} }, // left of it
            { RECT { 0, -2, 4, 0 }, { 5, 6, 9, 8 }, {}, {} }, // above it
            { RECT { 0, 0, 4, 4 }, { 9, 6, 5, 10 }, {}, {} }, // inverted target
            { RECT { 0, 0, 4, 4 }, { 5, 6, 9, 6 }, {}, {} }, // flat target
            { RECT { 2, 0, 3, 4 }, { 30, 1, 31, 5 }, { 30, 1, 31, 5 }, { 2, 0 } }, // one column
            { RECT { 0, 3, 4, 4 }, { 30, 9, 34, 10 }, { 30, 9, 34, 10 }, { 0, 3 } }, // one row
            { RECT { 3, 3, 4, 4 }, { 40, 40, 41, 41 }, { 40, 40, 41, 41 }, { 3, 3 } }, // the last pixel
            { RECT { 3, 0, 5, 2 }, { 40, 0, 42, 2 }, { 40, 0, 41, 2 }, { 3, 0 } }, // one past the right, cut
            { RECT { -1, 2, 1, 4 }, { 50, 20, 52, 22 }, { 51, 20, 52, 22 }, { 0, 2 } }, // one before the left, cut
            { RECT { 1, 3, 3, 5 }, { 50, 30, 52, 32 }, { 50, 30, 52, 31 }, { 1, 3 } }, // one past the bottom, cut
            { RECT { 2, -1, 4, 1 }, { 56, 30, 58, 32 }, { 56, 31, 58, 32 }, { 2, 0 } }, // one above the top, cut
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "target " << c.target.left << "," << c.target.top);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000);
            gfx->DrawTexture(c.source ? &*c.source : nullptr, &c.target);
            const std::vector<uint32_t> frame = Frame();
            ASSERT_EQ(frame.size(), size_t(kWidth * kHeight));
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) {
                    const RECT& p = c.painted;
                    const bool painted = x >= p.left && x < p.right && y >= p.top && y < p.bottom;
                    const uint32_t expected
                        = painted ? Distinct(int(c.from.x) + x - p.left, int(c.from.y) + y - p.top) : 0xFF000000u;
                    ASSERT_EQ(frame[size_t(y * kWidth + x)], expected) << std::hex << "pixel " << std::dec << x << "," << y;
                }
        }
    }

    TEST_F(EngineTest, ANewDisplayModeKeepsImagesAndTextDrawingAtItsSize)
    {
        auto texture = Texture(gfx, 4, 4, Distinct);
        std::unique_ptr<iGfxFont> font(gfx->CreateFont(L"calibry", 14, 0));
        ASSERT_TRUE(texture && font);
        // Width, height, accepted; a refused mode leaves the last one drawing.
        const std::tuple<int, int, bool> modes[] = { { 32, 24, true }, { 32, 24, true }, { 32, 40, true },
            { 80, 40, true }, { 80, 60, true },
            { 0, 60, false }, { 80, 0, false }, { -1, -1, false }, { kWidth, kHeight, true } };
        int width = kWidth, height = kHeight;
        for (const auto& [w, h, accepted] : modes) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            EXPECT_EQ(device->SetDisplayMode(w, h, 32, 0, 0, 0) == S_OK, accepted);
            if (accepted)
                width = w, height = h;
            uint32_t argb = 0;
            EXPECT_FALSE(engine::ReadPixel(width, height - 1, &argb) || engine::ReadPixel(width - 1, height, &argb));
            ASSERT_EQ(device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000), S_OK);
            // The image in the bottom right corner, a line of text at the top left.
            gfx->SetColor(0xFFFFFFFF);
            gfx->SetTexture(texture.get());
            const RECT corner { width - 4, height - 4, width, height };
            gfx->DrawTexture(nullptr, &corner);
            gfx->DrawText(font.get(), 0, 0, L"Money");
            EXPECT_EQ((std::pair { Pixel(width - 4, height - 4), Pixel(width - 1, height - 1) }),
                (std::pair { Distinct(0, 0), Distinct(3, 3) }));
            int lit = 0;
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 30; ++x)
                    lit += (Pixel(x, y) & 0xFF) > 0x80;
            EXPECT_GT(lit, 10);
            device->Present();
        }
    }

} // namespace
} // namespace test
