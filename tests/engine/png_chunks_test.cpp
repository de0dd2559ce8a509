// A PNG is walked chunk by chunk before it becomes a texture: one that is
// whole (every chunk inside the file with its CRC right, up to the end chunk)
// is kept as it is and decoded when first drawn; anything else is decoded at
// once, and what cannot be decoded gives no texture.
#include <zlib.h>

#include <cstring>
#include <string>

#include "engine/engine_fixture.h"
#include "resources/log.h"

namespace test {
namespace {

    // Left half red, right half blue, the bottom row green.
    uint32_t Halves(int x, int y)
    {
        return y == 5 ? 0xFF00FF00u : x < 4 ? 0xFFFF0000u : 0xFF0000FFu;
    }

    struct Chunk {
        std::string type;
        std::vector<uint8_t> data;
    };

    void PutBig(std::vector<uint8_t>& out, uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<uint8_t>(value >> shift));
    }

    uint32_t GetBig(const uint8_t* at)
    {
        return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
    }

    // The chunks of a PNG the encoder wrote (its own CRCs are right).
    std::vector<Chunk> Chunks(const std::vector<uint8_t>& png)
    {
        std::vector<Chunk> chunks;
        for (size_t at = 8; at + 12 <= png.size();) {
            const uint32_t length = GetBig(&png[at]);
            chunks.push_back({ std::string(png.begin() + long(at) + 4, png.begin() + long(at) + 8),
                { png.begin() + long(at) + 8, png.begin() + long(at) + 8 + length } });
            at += 12 + length;
        }
        return chunks;
    }

    // The file of these chunks, each with its length and a right CRC.
    std::vector<uint8_t> File(const std::vector<Chunk>& chunks)
    {
        std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
        for (const Chunk& c : chunks) {
            PutBig(out, static_cast<uint32_t>(c.data.size()));
            const size_t typeAt = out.size();
            out.insert(out.end(), c.type.begin(), c.type.end());
            out.insert(out.end(), c.data.begin(), c.data.end());
            PutBig(out, static_cast<uint32_t>(crc32(0L, &out[typeAt], static_cast<uInt>(c.data.size() + 4))));
        }
        return out;
    }

    // The offset of the CRC of the first chunk of that type.
    size_t CrcOf(const std::vector<uint8_t>& file, const std::string& type)
    {
        for (size_t at = 8; at + 12 <= file.size(); at += 12 + GetBig(&file[at]))
            if (std::memcmp(&file[at + 4], type.data(), 4) == 0)
                return at + 8 + GetBig(&file[at]);
        ADD_FAILURE() << "no " << type;
        return 0;
    }

    // A private chunk a decoder skips, of that many bytes, after the header.
    std::vector<uint8_t> WithPrivateChunk(const std::vector<Chunk>& chunks, uint32_t length)
    {
        std::vector<Chunk> with = chunks;
        Chunk extra { "vnDr", std::vector<uint8_t>(length) };
        for (uint32_t i = 0; i < length; ++i)
            extra.data[i] = static_cast<uint8_t>(i * 7);
        with.insert(with.begin() + 1, extra);
        return File(with);
    }

    TEST_F(EngineTest, AWholePngWaitsForItsFirstDrawAndADamagedOneIsDecodedAtOnceOrRefused)
    {
        ASSERT_EQ(device->SetDisplayMode(320, 16, 32, 0, 0, 0), S_OK);
        const std::vector<uint8_t> plain = Png(8, 6, Halves);
        const std::vector<Chunk> chunks = Chunks(plain);
        ASSERT_EQ(chunks.front().type, "IHDR");
        ASSERT_EQ(chunks.back().type, "IEND");
        auto damaged = [&](const std::string& type) {
            std::vector<uint8_t> file = WithPrivateChunk(chunks, 16);
            file[CrcOf(file, type) + 2] ^= 0x10;
            return file;
        };
        auto cut = [](std::vector<uint8_t> file, size_t keep) {
            file.resize(keep);
            return file;
        };
        enum Outcome { kOnFirstDraw, kAtOnce, kRefused };
        const struct {
            const char* what;
            std::vector<uint8_t> file;
            Outcome outcome;
        } cases[] = {
            { "as the encoder wrote it", plain, kOnFirstDraw },
            // Chunk lengths with each of their four bytes in use.
            { "an empty private chunk", WithPrivateChunk(chunks, 0), kOnFirstDraw },
            { "a private chunk of 0x2F bytes", WithPrivateChunk(chunks, 0x2F), kOnFirstDraw },
            { "a private chunk of 0x1FE bytes", WithPrivateChunk(chunks, 0x1FE), kOnFirstDraw },
            { "a private chunk of 0x010203 bytes", WithPrivateChunk(chunks, 0x010203), kOnFirstDraw },
            { "a private chunk of 0x01020304 bytes", WithPrivateChunk(chunks, 0x01020304), kOnFirstDraw },
            // A damaged chunk the picture does not need: the decoder drops it.
            { "the private chunk's CRC damaged", damaged("vnDr"), kAtOnce },
            { "the header's CRC damaged", damaged("IHDR"), kRefused },
            { "the pixels' CRC damaged", damaged("IDAT"), kRefused },
            { "the end chunk's CRC damaged", damaged("IEND"), kAtOnce },
            { "cut inside the pixels", cut(plain, plain.size() - 20), kRefused },
            { "cut inside the end chunk", cut(plain, plain.size() - 4), kAtOnce },
            { "the end chunk's CRC short of a byte", cut(plain, plain.size() - 1), kAtOnce },
            { "without its end chunk", cut(plain, plain.size() - 12), kAtOnce },
            { "without its end chunk, the pixels' CRC short of a byte", cut(plain, plain.size() - 13), kRefused },
            { "a chunk longer than the file", cut(WithPrivateChunk(chunks, 0x2F), 33 + 30), kRefused },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            std::vector<std::wstring> errors;
            cLog::Instance().SetObserver([&](const wchar_t* kind, const std::wstring& line) {
                if (std::wstring(kind) == L"error")
                    errors.push_back(line);
            });
            const int uploads = engine::TextureUploads();
            std::unique_ptr<iGfxTexture> texture(
                gfx->CreateTextureFromMemory(c.file.data(), static_cast<uint32_t>(c.file.size())));
            cLog::Instance().SetObserver(nullptr);
            EXPECT_EQ(texture == nullptr, c.outcome == kRefused);
            EXPECT_EQ(errors.size(), c.outcome == kRefused ? 1u : 0u);
            EXPECT_EQ(engine::TextureUploads() - uploads, c.outcome == kAtOnce ? 1 : 0) << "decoded before drawn";
            if (!texture)
                continue;
            // Drawn from a source wider than the picture: it lands at its own
            // size, every pixel as the encoder was given it.
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
            gfx->SetColor(0xFFFFFFFF);
            gfx->SetTexture(texture.get());
            const RECT wide { 0, 0, 16, 8 };
            gfx->DrawTexture(&wide, &wide);
            EXPECT_EQ(engine::TextureUploads() - uploads, 1);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 10; ++x)
                    ASSERT_EQ(Pixel(x, y), x < 8 && y < 6 ? Halves(x, y) : 0xFF000000u) << x << "," << y;
        }
        EXPECT_EQ(device->GetZombieBytes(), 0);
    }

    // The header's size is taken on trust up to 16384 pixels a side, with
    // every byte of it read: a wider picture is decoded at once.
    TEST_F(EngineTest, APngsHeaderSizeIsReadWholeAndTrustedUpTo16384PixelsASide)
    {
        ASSERT_EQ(device->SetDisplayMode(320, 16, 32, 0, 0, 0), S_OK);
        const struct {
            int width, height;
            bool onFirstDraw;
        } cases[] = { { 1, 1, true }, { 258, 3, true }, { 3, 258, true }, { 16384, 1, true }, { 1, 16384, true },
            { 16385, 1, false }, { 1, 16385, false }, { 65536, 1, false } };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
            const std::vector<uint8_t> file = Png(c.width, c.height, [](int, int) { return 0xFF808080u; });
            const int uploads = engine::TextureUploads();
            std::unique_ptr<iGfxTexture> texture(
                gfx->CreateTextureFromMemory(file.data(), static_cast<uint32_t>(file.size())));
            ASSERT_NE(texture, nullptr);
            EXPECT_EQ(engine::TextureUploads() - uploads, c.onFirstDraw ? 0 : 1);
            // Its own size on screen: grey up to its edge, nothing past it.
            device->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
            gfx->SetColor(0xFFFFFFFF);
            gfx->SetTexture(texture.get());
            const RECT whole { 0, 0, 320, 16 };
            gfx->DrawTexture(&whole, &whole);
            const int w = std::min(c.width, 319), h = std::min(c.height, 15);
            EXPECT_EQ(Pixel(w - 1, h - 1), 0xFF808080u);
            EXPECT_EQ(Pixel(w, 0), c.width > 319 ? 0xFF808080u : 0xFF000000u);
            EXPECT_EQ(Pixel(0, h), c.height > 15 ? 0xFF808080u : 0xFF000000u);
        }
    }

} // namespace
} // namespace test
