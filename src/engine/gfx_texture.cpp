#include "engine/gfx_texture.h"

#include <SDL_image.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/engine_context.h"
#include "engine/gfx_blend.h"
#include "resources/log.h"

namespace {

// The image as decoded (its pixel format is the file's); null when it cannot
// be decoded.
SDL_Surface* DecodeImage(const void* data, uint32_t size)
{
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    SDL_Surface* decoded = stream ? IMG_Load_RW(stream, 0) : nullptr;
    if (stream && !decoded) {
        // TGA has no signature of its own: it is the last guess.
        SDL_RWseek(stream, 0, RW_SEEK_SET);
        decoded = IMG_LoadTyped_RW(stream, 0, "TGA");
    }
    if (stream)
        SDL_RWclose(stream);
    if (decoded && (decoded->w <= 0 || decoded->h <= 0)) {
        SDL_FreeSurface(decoded);
        decoded = nullptr;
    }
    return decoded;
}

// The image as 32-bit ARGB; null when it cannot be decoded.
SDL_Surface* DecodePixels(const void* data, uint32_t size)
{
    SDL_Surface* decoded = DecodeImage(data, size);
    SDL_Surface* pixels = decoded ? SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(decoded);
    return pixels;
}

// The size a PNG's header gives, once its chunks are checked whole; false for
// anything else, which is then decoded at once.
bool PngSize(const uint8_t* bytes, uint32_t size, int* width, int* height)
{
    static const uint8_t kSignature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    if (size < 33 || std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    auto big = [bytes](int at) {
        return (uint32_t(bytes[at]) << 24) | (uint32_t(bytes[at + 1]) << 16) | (uint32_t(bytes[at + 2]) << 8) | bytes[at + 3];
    };
    // Every chunk whole and unchanged up to the end chunk: a file cut short or
    // damaged is refused now, as one decoded at once would be.
    for (uint32_t at = 8;;) {
        if (size - at < 12)
            return false;
        const uint32_t length = big(static_cast<int>(at));
        if (length > size - at - 12)
            return false;
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), bytes + at + 4, length + 4);
        if (crc != big(static_cast<int>(at + 8 + length)))
            return false;
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0)
            break;
        at += 12 + length;
    }
    const uint32_t w = big(16);
    const uint32_t h = big(20);
    constexpr uint32_t kLargest = 16384;
    if (w == 0 || h == 0 || w > kLargest || h > kLargest)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

// One byte a tile of kTile x kTile pixels of ARGB: 1 when every pixel of it
// is opaque.
std::vector<uint8_t> OpaqueTiles(const void* pixels, int pitch, int width, int height, int tile)
{
    const int columns = (width + tile - 1) / tile;
    const int rows = (height + tile - 1) / tile;
    std::vector<uint8_t> tiles(static_cast<size_t>(columns) * rows, 1);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pixels) + y * pitch);
        uint8_t* tileRow = &tiles[static_cast<size_t>(y / tile) * columns];
        for (int x = 0; x < width; ++x)
            if ((row[x] >> 24) != 0xFF)
                tileRow[x / tile] = 0;
    }
    return tiles;
}

// A streaming texture holding the pixels of an ARGB surface.
SDL_Texture* StreamingCopy(SDL_Renderer* renderer, const SDL_Surface* argb)
{
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, argb->w, argb->h);
    if (texture && SDL_UpdateTexture(texture, nullptr, argb->pixels, argb->pitch) != 0) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
    return texture;
}

} // namespace

void DestroyRendererTexture(SDL_Texture* texture, uint64_t generation)
{
    const engine::Context& context = engine::GetContext();
    if (texture && context.renderer && generation == context.generation)
        SDL_DestroyTexture(texture);
}

cGfxTexture* cGfxTexture::Decode(const void* data, uint32_t size)
{
    if (!data || size == 0 || size > static_cast<uint32_t>(INT_MAX)) {
        cLog::Instance().Error(L"cGfx2D::CreateTextureFromMemory -> No image data");
        return nullptr;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> encoded(bytes, bytes + size);
    // A PNG tells its size in its header: its pixels are decoded when it is
    // first drawn, so a page's images that a level never shows (the other
    // levels' backgrounds) take no memory.
    int width = 0;
    int height = 0;
    if (PngSize(bytes, size, &width, &height))
        return new cGfxTexture(std::move(encoded), width, height);
    SDL_Surface* pixels = DecodePixels(data, size);
    if (!pixels) {
        cLog::Instance().Error(L"cGfx2D::CreateTextureFromMemory -> Unable to decode the image: %s", IMG_GetError());
        return nullptr;
    }
    auto* texture = new cGfxTexture(std::move(encoded), pixels->w, pixels->h);
    texture->Upload(pixels);
    SDL_FreeSurface(pixels);
    return texture;
}

cGfxTexture::cGfxTexture(std::vector<uint8_t> encoded, int width, int height)
    : m_encoded(std::move(encoded))
    , m_width(width)
    , m_height(height)
    , m_bytes(static_cast<int64_t>(width) * height * 4)
{
    engine::Context& context = engine::GetContext();
    context.liveBytes += m_bytes;
    ++context.texturesCreated;
    m_lastDrawn = context.frame;
    context.textures.insert(this);
}

cGfxTexture::~cGfxTexture()
{
    DestroyRendererTexture(m_texture, m_generation);
    DestroyRendererTexture(m_shown.texture, m_fadedGeneration);
    DestroyRendererTexture(m_next.texture, m_fadedGeneration);
    SDL_FreeSurface(m_keptPixels);
    engine::Context& context = engine::GetContext();
    context.liveBytes -= m_bytes;
    context.textures.erase(this);
}

void cGfxTexture::NoteDrawn()
{
    const uint64_t frame = engine::GetContext().frame;
    if (frame != m_lastDrawn)
        ++m_framesDrawn;
    m_lastDrawn = frame;
}

void cGfxTexture::ReleaseIfIdle(uint64_t frame)
{
    // Only an image that was on screen for a while: one drawn on a few frames
    // of a load, to have it ready for later, stays ready.
    if (m_framesDrawn < engine::kShownTextureFrames || frame - m_lastDrawn < engine::kIdleTextureFrames
        || m_encoded.empty())
        return;
    m_framesDrawn = 0;
    DestroyRendererTexture(m_texture, m_generation);
    DestroyRendererTexture(m_shown.texture, m_fadedGeneration);
    DestroyRendererTexture(m_next.texture, m_fadedGeneration);
    SDL_FreeSurface(m_keptPixels);
    m_texture = nullptr;
    m_shown = m_next = FadedCopy {};
    m_keptPixels = nullptr;
}

void engine::ReleaseIdleTextures()
{
    const Context& context = GetContext();
    for (cGfxTexture* texture : context.textures)
        texture->ReleaseIfIdle(context.frame);
}

void cGfxTexture::Upload(SDL_Surface* pixels)
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return;
    // The software renderer's textures are made streaming, so that large
    // areas can be blended from their pixels (engine::BlendDirect); an image
    // with an alpha channel is converted straight into the texture.
    const bool streaming = engine::SoftwareRenderer();
    const Uint32 format = pixels->format->format;
    if (streaming && SDL_ISPIXELFORMAT_ALPHA(format) && !SDL_ISPIXELFORMAT_INDEXED(format)) {
        m_texture = SDL_CreateTexture(context.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, m_width, m_height);
        void* to = nullptr;
        int pitch = 0;
        if (m_texture && SDL_LockTexture(m_texture, nullptr, &to, &pitch) == 0) {
            const bool converted = SDL_ConvertPixels(m_width, m_height, format, pixels->pixels, pixels->pitch,
                                       SDL_PIXELFORMAT_ARGB8888, to, pitch)
                == 0;
            if (converted)
                m_opaqueTiles = OpaqueTiles(to, pitch, m_width, m_height, kTile);
            SDL_UnlockTexture(m_texture);
            if (!converted) {
                SDL_DestroyTexture(m_texture);
                m_texture = nullptr;
            }
        }
    }
    if (!m_texture) {
        SDL_Surface* argb = format == SDL_PIXELFORMAT_ARGB8888 ? pixels : SDL_ConvertSurfaceFormat(pixels, SDL_PIXELFORMAT_ARGB8888, 0);
        if (argb) {
            m_opaqueTiles = OpaqueTiles(argb->pixels, argb->pitch, m_width, m_height, kTile);
            m_texture = streaming ? StreamingCopy(context.renderer, argb) : SDL_CreateTextureFromSurface(context.renderer, argb);
        }
        if (argb != pixels)
            SDL_FreeSurface(argb);
    }
    ++context.textureUploads;
    if (m_uploaded)
        ++context.textureReuploads;
    m_uploaded = true;
    m_generation = context.generation;
    // The blend mode is chosen with each draw (cGfx2D::DrawTexture).
}

bool cGfxTexture::Opaque(int left, int top, int right, int bottom) const
{
    if (m_opaqueTiles.empty() || left < 0 || top < 0 || right > m_width || bottom > m_height || right <= left || bottom <= top)
        return false;
    const int columns = (m_width + kTile - 1) / kTile;
    for (int ty = top / kTile; ty <= (bottom - 1) / kTile; ++ty)
        for (int tx = left / kTile; tx <= (right - 1) / kTile; ++tx)
            if (!m_opaqueTiles[static_cast<size_t>(ty) * columns + tx])
                return false;
    return true;
}

SDL_Texture* cGfxTexture::Get()
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return nullptr;
    NoteDrawn();
    if (m_texture && m_generation == context.generation)
        return m_texture;
    // The renderer was made anew since (or there was none): the old texture
    // went with it, and the image is decoded once more for the new one.
    m_texture = nullptr;
    if (m_undecodable)
        return nullptr;
    if (m_keptPixels) {
        Upload(m_keptPixels);
        return m_texture;
    }
    SDL_Surface* pixels = DecodeImage(m_encoded.data(), static_cast<uint32_t>(m_encoded.size()));
    if (!pixels || pixels->w != m_width || pixels->h != m_height) {
        // Said once: the image stays undrawn rather than failing every frame.
        cLog::Instance().Error(L"cGfx2D::CreateTextureFromMemory -> Unable to decode the image: %s", IMG_GetError());
        m_undecodable = true;
        SDL_FreeSurface(pixels);
        return nullptr;
    }
    Upload(pixels);
    SDL_FreeSurface(pixels);
    return m_texture;
}

const SDL_Surface* cGfxTexture::KeptPixels()
{
    NoteDrawn();
    if (m_keptPixels || m_undecodable)
        return m_keptPixels;
    m_keptPixels = DecodePixels(m_encoded.data(), static_cast<uint32_t>(m_encoded.size()));
    if (!m_keptPixels || m_keptPixels->w != m_width || m_keptPixels->h != m_height) {
        cLog::Instance().Error(L"cGfx2D::CreateTextureFromMemory -> Unable to decode the image: %s", IMG_GetError());
        m_undecodable = true;
        SDL_FreeSurface(m_keptPixels);
        m_keptPixels = nullptr;
    }
    return m_keptPixels;
}

// Writes rows [from, to) of the copy with every pixel's alpha scaled, in
// place, through a table of the 256 scaled alphas.
bool cGfxTexture::FillFaded(FadedCopy& copy, int from, int to)
{
    uint8_t scaledAlpha[256];
    for (uint32_t a = 0; a < 256; ++a)
        scaledAlpha[a] = static_cast<uint8_t>((a * static_cast<uint32_t>(copy.alpha) + 127) / 255);
    const SDL_Rect rows { 0, from, m_width, to - from };
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(copy.texture, &rows, &pixels, &pitch) != 0)
        return false;
    for (int y = from; y < to; ++y) {
        const auto* source = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(m_keptPixels->pixels) + y * m_keptPixels->pitch);
        auto* target = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + (y - from) * pitch);
        for (int x = 0; x < m_width; ++x)
            target[x] = (uint32_t { scaledAlpha[source[x] >> 24] } << 24) | (source[x] & 0xFFFFFF);
    }
    SDL_UnlockTexture(copy.texture);
    copy.rowsDone = to;
    return true;
}

SDL_Texture* cGfxTexture::GetFaded(uint8_t alpha)
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer || m_undecodable)
        return nullptr;
    NoteDrawn();
    if (m_fadedGeneration != context.generation) {
        m_shown = m_next = FadedCopy {}; // they went with the old renderer
        m_fadedGeneration = context.generation;
    }
    if (m_shown.texture && m_shown.alpha == alpha)
        return m_shown.texture;
    if (!KeptPixels())
        return nullptr;
    auto make = [&](FadedCopy& copy) {
        if (!copy.texture) {
            copy.texture = SDL_CreateTexture(context.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, m_width, m_height);
            if (copy.texture)
                SDL_SetTextureBlendMode(copy.texture, SDL_BLENDMODE_BLEND);
        }
        return copy.texture != nullptr;
    };
    // The first faded draw shows the image at once.
    if (!m_shown.texture) {
        if (!make(m_shown))
            return nullptr;
        m_shown.alpha = alpha;
        return FillFaded(m_shown, 0, m_height) ? m_shown.texture : nullptr;
    }
    // A fade steps every few frames: the next copy is written a band of rows
    // a draw, and the shown one stays until it is whole, a few frames behind
    // the fade, so that no frame rewrites the whole image. A copy once begun
    // is finished, so a fast fade still moves on screen.
    if (!make(m_next))
        return m_shown.texture;
    if (m_next.rowsDone == 0)
        m_next.alpha = alpha;
    constexpr int kRowsPerDraw = 256;
    FillFaded(m_next, m_next.rowsDone, std::min(m_height, m_next.rowsDone + kRowsPerDraw));
    if (m_next.rowsDone == m_height) {
        std::swap(m_shown, m_next);
        m_next.rowsDone = 0;
    }
    return m_shown.texture;
}
