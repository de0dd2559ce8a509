#include "engine/gfx_texture.h"

#include <SDL_image.h>

#include <climits>

#include "engine/engine_context.h"
#include "resources/log.h"

namespace {

// The image as 32-bit ARGB; null when it cannot be decoded.
SDL_Surface* DecodePixels(const void* data, uint32_t size)
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
    SDL_Surface* pixels = decoded ? SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(decoded);
    if (pixels && (pixels->w <= 0 || pixels->h <= 0)) {
        SDL_FreeSurface(pixels);
        pixels = nullptr;
    }
    return pixels;
}

bool AllOpaque(const SDL_Surface* pixels)
{
    for (int y = 0; y < pixels->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pixels->pixels) + y * pixels->pitch);
        for (int x = 0; x < pixels->w; ++x)
            if ((row[x] >> 24) != 0xFF)
                return false;
    }
    return true;
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
    SDL_Surface* pixels = DecodePixels(data, size);
    if (!pixels) {
        cLog::Instance().Error(L"cGfx2D::CreateTextureFromMemory -> Unable to decode the image: %s", IMG_GetError());
        return nullptr;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    auto* texture = new cGfxTexture(std::vector<uint8_t>(bytes, bytes + size), pixels->w, pixels->h, AllOpaque(pixels));
    // Made for the renderer now, while the page loads, not in a frame.
    texture->Upload(pixels);
    SDL_FreeSurface(pixels);
    return texture;
}

cGfxTexture::cGfxTexture(std::vector<uint8_t> encoded, int width, int height, bool opaque)
    : m_encoded(std::move(encoded))
    , m_width(width)
    , m_height(height)
    , m_opaque(opaque)
    , m_bytes(static_cast<int64_t>(width) * height * 4)
{
    engine::Context& context = engine::GetContext();
    context.liveBytes += m_bytes;
    ++context.texturesCreated;
}

cGfxTexture::~cGfxTexture()
{
    DestroyRendererTexture(m_texture, m_generation);
    engine::GetContext().liveBytes -= m_bytes;
}

void cGfxTexture::Upload(SDL_Surface* pixels)
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return;
    m_texture = SDL_CreateTextureFromSurface(context.renderer, pixels);
    ++context.textureUploads;
    m_generation = context.generation;
    if (m_texture)
        SDL_SetTextureBlendMode(m_texture, SDL_BLENDMODE_BLEND);
}

SDL_Texture* cGfxTexture::Get()
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return nullptr;
    if (m_texture && m_generation == context.generation)
        return m_texture;
    // The renderer was made anew since (or there was none): the old texture
    // went with it, and the image is decoded once more for the new one.
    m_texture = nullptr;
    if (SDL_Surface* pixels = DecodePixels(m_encoded.data(), static_cast<uint32_t>(m_encoded.size()))) {
        Upload(pixels);
        SDL_FreeSurface(pixels);
    }
    return m_texture;
}
