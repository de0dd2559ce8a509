// A started engine drawing into an off-screen target, and images made in
// memory to feed it.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"

namespace test {

class EngineTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    void SetUp() override
    {
        ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
        ASSERT_EQ(device->Create(nullptr, kWidth, kHeight, 32, 1), S_OK);
        ASSERT_EQ(device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u), S_OK);
        ASSERT_EQ(device->BeginScene(), S_OK);
    }
    void TearDown() override { CloseEngine(); }

    static uint32_t Pixel(int x, int y)
    {
        uint32_t argb = 0;
        EXPECT_TRUE(engine::ReadPixel(x, y, &argb)) << x << "," << y;
        return argb;
    }

    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
};

// A picture of the given size whose pixel (x, y) is colour(x, y) (ARGB).
template <typename ColourOf> SDL_Surface* MakePicture(int width, int height, ColourOf colour)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < width; ++x)
            row[x] = colour(x, y);
    }
    return s;
}

enum class ImageFormat { Png, Bmp, Jpg, Tga };

// Encodes the picture as a file of that format would hold it.
std::vector<uint8_t> Encode(SDL_Surface* picture, ImageFormat format);

// Channel n (0 blue, 1 green, 2 red, 3 alpha) of an ARGB word.
inline int Channel(uint32_t argb, int n)
{
    return static_cast<int>((argb >> (8 * n)) & 0xFF);
}

// Every channel of `actual` within `tolerance` of `expected`.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected, int tolerance);

} // namespace test
