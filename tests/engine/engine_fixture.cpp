#include "engine/engine_fixture.h"

#include <SDL.h>
#include <SDL_image.h>

namespace test {

uint32_t Pixel(int x, int y)
{
    uint32_t argb = 0;
    EXPECT_TRUE(engine::ReadPixel(x, y, &argb)) << x << "," << y;
    return argb;
}

std::vector<uint8_t> Png(int width, int height, uint32_t (*colour)(int x, int y))
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x] = colour(x, y);
    std::vector<uint8_t> buffer(1 << 20);
    SDL_RWops* out = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_EQ(IMG_SavePNG_RW(s, out, 0), 0) << SDL_GetError();
    buffer.resize(static_cast<size_t>(SDL_RWtell(out)));
    SDL_RWclose(out), SDL_FreeSurface(s);
    return buffer;
}

std::unique_ptr<iGfxTexture> Texture(iGfx2D* gfx, int width, int height, uint32_t (*colour)(int x, int y))
{
    const std::vector<uint8_t> bytes = Png(width, height, colour);
    return std::unique_ptr<iGfxTexture>(gfx->CreateTextureFromMemory(bytes.data(), uint32_t(bytes.size())));
}

::testing::AssertionResult Near(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance)
            return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
    return ::testing::AssertionSuccess();
}

} // namespace test
