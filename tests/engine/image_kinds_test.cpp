// Images without an alpha channel (true colour or paletted) draw with their
// own colours, opaque; a PNG whose chunks are whole but whose pixels do not
// decode gives a texture that draws nothing, said once in the log; lines
// join their points in the draw colour.
#include <SDL.h>
#include <SDL_image.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include "engine/engine_fixture.h"
#include "resources/log.h"

namespace test {
namespace {

    uint32_t Stripes(int x, int)
    {
        static const uint32_t colours[3] = { 0xFFFF0000u, 0xFF00FF00u, 0xFF2040C0u };
        return colours[(x / 4) % 3];
    }

    // PNG bytes of a surface of that format (RGB24 is written as true colour
    // without alpha, INDEX8 as a palette), painted with Stripes.
    std::vector<uint8_t> PngOfFormat(int width, int height, Uint32 format)
    {
        SDL_Surface* argb = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(argb->pixels) + y * argb->pitch)[x] = Stripes(x, y);
        SDL_Surface* s = argb;
        if (format == SDL_PIXELFORMAT_INDEX8) {
            s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, format);
            const SDL_Color palette[3] = { { 0xFF, 0, 0, 0xFF }, { 0, 0xFF, 0, 0xFF }, { 0x20, 0x40, 0xC0, 0xFF } };
            SDL_SetPaletteColors(s->format->palette, palette, 0, 3);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    static_cast<uint8_t*>(s->pixels)[y * s->pitch + x] = static_cast<uint8_t>((x / 4) % 3);
        } else if (format != SDL_PIXELFORMAT_ARGB8888) {
            s = SDL_ConvertSurfaceFormat(argb, format, 0);
        }
        std::vector<uint8_t> buffer(1 << 20);
        SDL_RWops* out = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
        EXPECT_EQ(IMG_SavePNG_RW(s, out, 0), 0) << SDL_GetError();
        buffer.resize(static_cast<size_t>(SDL_RWtell(out)));
        SDL_RWclose(out);
        if (s != argb)
            SDL_FreeSurface(s);
        SDL_FreeSurface(argb);
        return buffer;
    }

    // The same file with the pixel data replaced by bytes that are no
    // compressed stream, the chunk's CRC made right again: the file is whole,
    // only its pixels cannot be decoded.
    std::vector<uint8_t> WithGarbledPixels(std::vector<uint8_t> png)
    {
        auto big = [&](size_t at) { return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 | png[at + 3]; };
        for (size_t at = 8; at + 12 <= png.size(); at += 12 + big(at)) {
            if (std::memcmp(&png[at + 4], "IDAT", 4) != 0)
                continue;
            const uint32_t length = big(at);
            for (uint32_t i = 0; i < length; ++i)
                png[at + 8 + i] = static_cast<uint8_t>(0xFF - i * 13);
            const uLong crc = crc32(0L, &png[at + 4], length + 4);
            for (int i = 0; i < 4; ++i)
                png[at + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
            return png;
        }
        ADD_FAILURE() << "no pixel data";
        return png;
    }

    struct ErrorCount {
        ErrorCount()
        {
            cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring&) {
                if (std::wstring(kind) == L"error")
                    ++errors;
            });
        }
        ~ErrorCount() { cLog::Instance().SetObserver(nullptr); }
        int errors = 0;
    };

    TEST_F(EngineTest, ImagesWithoutAlphaDrawTheirOwnColoursOpaqueSmallLargeAndFaded)
    {
        const struct {
            const char* what;
            Uint32 format;
            int size;
            uint32_t colour;
        } cases[] = {
            { "true colour", SDL_PIXELFORMAT_RGB24, 12, 0xFFFFFFFF },
            { "paletted", SDL_PIXELFORMAT_INDEX8, 12, 0xFFFFFFFF },
            { "true colour, large", SDL_PIXELFORMAT_RGB24, 256, 0xFFFFFFFF },
            { "true colour, large, faded", SDL_PIXELFORMAT_RGB24, 256, 0x80FFFFFF },
            { "paletted, large, faded", SDL_PIXELFORMAT_INDEX8, 256, 0x80FFFFFF },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            const std::vector<uint8_t> file = PngOfFormat(c.size, c.size, c.format);
            std::unique_ptr<iGfxTexture> texture(gfx->CreateTextureFromMemory(file.data(), uint32_t(file.size())));
            ASSERT_NE(texture, nullptr);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
            gfx->SetColor(c.colour);
            gfx->SetTexture(texture.get());
            const RECT whole { 0, 0, c.size, c.size };
            gfx->DrawTexture(&whole, &whole);
            const uint32_t alpha = c.colour >> 24;
            for (int x : { 0, 3, 4, 8, 11 }) {
                const uint32_t full = Stripes(x, 0);
                uint32_t expected = 0xFF000000u;
                for (int shift = 0; shift < 24; shift += 8)
                    expected |= (((full >> shift) & 0xFF) * alpha / 255) << shift;
                EXPECT_TRUE(Near(Pixel(x, 5), expected, 2)) << x;
            }
        }
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

    TEST_F(EngineTest, AWholePngWhosePixelsDoNotDecodeDrawsNothingAndIsReportedOnce)
    {
        const struct {
            const char* what;
            int size;
            uint32_t colour;
        } cases[] = {
            { "small", 12, 0xFFFFFFFF },
            { "large", 256, 0xFFFFFFFF },
            { "large, faded", 256, 0x80FFFFFF },
            { "small, tinted", 12, 0xC0FF8040 },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            const std::vector<uint8_t> file = WithGarbledPixels(Png(c.size, c.size, [](int, int) { return 0xFFFFFFFFu; }));
            ErrorCount log;
            std::unique_ptr<iGfxTexture> texture(gfx->CreateTextureFromMemory(file.data(), uint32_t(file.size())));
            ASSERT_NE(texture, nullptr) << "a whole file waits for its first draw";
            EXPECT_EQ(log.errors, 0);
            gfx->SetColor(c.colour);
            gfx->SetTexture(texture.get());
            const RECT whole { 0, 0, c.size, c.size };
            for (int frame = 0; frame < 3; ++frame) {
                device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
                gfx->DrawTexture(&whole, &whole);
                for (int at : { 0, 5, 11 })
                    EXPECT_EQ(Pixel(at, at), 0xFF000000u) << "frame " << frame;
                device->EndScene();
                device->Present();
                device->BeginScene();
            }
            EXPECT_EQ(log.errors, 1);
        }
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

    TEST_F(EngineTest, LinesJoinTheirPointsInTheDrawColourAndFewerThanTwoPointsDrawNothing)
    {
        const float path[][2] = { { 2, 2 }, { 20, 2 }, { 20, 20 }, { 40, 20 } };
        const struct {
            const char* what;
            int count;
            uint32_t colour;
            uint32_t onLine; // what shows on each drawn segment
        } cases[] = {
            { "all four points", 4, 0xFFFF0000, 0xFFFF0000 },
            { "half see-through", 4, 0x8000FF00, 0xFF008000 },
            { "the first two", 2, 0xFFFF0000, 0xFFFF0000 },
            { "one point", 1, 0xFFFF0000, 0 },
            { "none", 0, 0xFFFF0000, 0 },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
            gfx->SetColor(c.colour);
            gfx->DrawLines(path, c.count);
            // Points along each segment (x, y, which segment), from the first
            // point to next to the last.
            const int probes[][3] = { { 2, 2, 0 }, { 11, 2, 0 }, { 20, 11, 1 }, { 30, 20, 2 }, { 39, 20, 2 } };
            for (const auto& [x, y, segment] : probes) {
                const bool drawn = c.onLine != 0 && segment + 1 < c.count;
                EXPECT_TRUE(Near(Pixel(x, y), drawn ? c.onLine : 0xFF000000u, 2)) << x << "," << y;
            }
            EXPECT_EQ(Pixel(11, 11), 0xFF000000u) << "inside the corner";
            EXPECT_EQ(Pixel(2, 3), 0xFF000000u) << "beside the line";
        }
        gfx->DrawLines(nullptr, 4);
        EXPECT_EQ(Pixel(11, 2), 0xFF000000u);
    }

} // namespace
} // namespace test
