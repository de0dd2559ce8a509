#include "engine/engine_fixture.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

namespace test {

std::vector<uint8_t> Encode(SDL_Surface* picture, ImageFormat format)
{
    if (format == ImageFormat::Tga) {
        // Uncompressed true-colour TGA, 32 bits, rows from the top.
        std::vector<uint8_t> bytes(18, 0);
        bytes[2] = 2;
        bytes[12] = static_cast<uint8_t>(picture->w);
        bytes[13] = static_cast<uint8_t>(picture->w >> 8);
        bytes[14] = static_cast<uint8_t>(picture->h);
        bytes[15] = static_cast<uint8_t>(picture->h >> 8);
        bytes[16] = 32;
        bytes[17] = 0x28;
        for (int y = 0; y < picture->h; ++y) {
            auto* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(picture->pixels) + y * picture->pitch);
            for (int x = 0; x < picture->w; ++x) {
                for (int n = 0; n < 4; ++n)
                    bytes.push_back(static_cast<uint8_t>(row[x] >> (8 * n)));
            }
        }
        return bytes;
    }
    std::vector<uint8_t> buffer(1 << 20);
    SDL_RWops* out = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    int rc = -1;
    switch (format) {
    case ImageFormat::Png:
        rc = IMG_SavePNG_RW(picture, out, 0);
        break;
    case ImageFormat::Bmp:
        rc = SDL_SaveBMP_RW(picture, out, 0);
        break;
    case ImageFormat::Jpg:
        rc = IMG_SaveJPG_RW(picture, out, 0, 95);
        break;
    case ImageFormat::Tga:
        break;
    }
    EXPECT_EQ(rc, 0) << SDL_GetError();
    buffer.resize(static_cast<size_t>(SDL_RWtell(out)));
    SDL_RWclose(out);
    return buffer;
}

::testing::AssertionResult Near(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int n = 0; n < 4; ++n) {
        if (std::abs(Channel(actual, n) - Channel(expected, n)) > tolerance) {
            char text[64];
            std::snprintf(text, sizeof text, "0x%08X is not near 0x%08X", actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace test
