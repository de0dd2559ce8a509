#include "engine/gfx_texture.h"

#include "engine/engine_context.h"

void DestroyRendererTexture(SDL_Texture* texture, uint64_t generation)
{
    const engine::Context& context = engine::GetContext();
    if (texture && context.renderer && generation == context.generation)
        SDL_DestroyTexture(texture);
}

cGfxTexture::cGfxTexture(SDL_Surface* pixels)
    : m_pixels(pixels)
    , m_bytes(static_cast<int64_t>(pixels->pitch) * pixels->h)
{
    engine::Context& context = engine::GetContext();
    context.liveBytes += m_bytes;
    ++context.texturesCreated;
}

cGfxTexture::~cGfxTexture()
{
    DestroyRendererTexture(m_texture, m_generation);
    SDL_FreeSurface(m_pixels);
    engine::GetContext().liveBytes -= m_bytes;
}

SDL_Texture* cGfxTexture::Get()
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return nullptr;
    if (m_texture && m_generation == context.generation)
        return m_texture;
    // The renderer was made anew since: the old texture went with it.
    m_texture = SDL_CreateTextureFromSurface(context.renderer, m_pixels);
    ++context.textureUploads;
    m_generation = context.generation;
    if (m_texture)
        SDL_SetTextureBlendMode(m_texture, SDL_BLENDMODE_BLEND);
    return m_texture;
}
