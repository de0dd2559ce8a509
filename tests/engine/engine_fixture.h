// A started engine drawing into an off-screen target, and images made in
// memory to feed it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"

namespace test {

class EngineTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64, kHeight = 48;

    void SetUp() override
    {
        ASSERT_EQ(InitEngine(522, &device, &gfx), S_OK);
        ASSERT_EQ(device->Create(nullptr, kWidth, kHeight, 32, 1), S_OK);
        ASSERT_EQ(device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u), S_OK);
        ASSERT_EQ(device->BeginScene(), S_OK);
    }
    void TearDown() override { CloseEngine(); }

    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
};

// The frame's pixel (ARGB).
uint32_t Pixel(int x, int y);

// PNG bytes of a picture whose pixel (x, y) is colour(x, y) (ARGB), and a texture made from them.
std::vector<uint8_t> Png(int width, int height, uint32_t (*colour)(int x, int y));
std::unique_ptr<iGfxTexture> Texture(iGfx2D* gfx, int width, int height, uint32_t (*colour)(int x, int y));

// Every channel of `actual` within `tolerance` of `expected`.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected, int tolerance);

} // namespace test
