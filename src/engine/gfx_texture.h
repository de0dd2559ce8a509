// A decoded image and the renderer texture made from it.
#pragma once

#include <SDL.h>

#include "engine/gfx.h"

class cGfxTexture : public iGfxTexture {
public:
    // Takes the surface (ARGB8888). Counts its bytes as live until deleted.
    explicit cGfxTexture(SDL_Surface* pixels);
    ~cGfxTexture() override;
    cGfxTexture(const cGfxTexture&) = delete;
    cGfxTexture& operator=(const cGfxTexture&) = delete;

    int Width() const { return m_pixels->w; }
    int Height() const { return m_pixels->h; }
    // The renderer's texture, made on first use for the current renderer;
    // null when there is no renderer.
    SDL_Texture* Get();

private:
    SDL_Surface* m_pixels;
    SDL_Texture* m_texture = nullptr;
    uint64_t m_generation = 0;
    int64_t m_bytes;
};

// Renderer textures tied to one renderer generation: destroyed with their
// object while that renderer lives, left alone once it has gone (SDL freed them).
void DestroyRendererTexture(SDL_Texture* texture, uint64_t generation);
