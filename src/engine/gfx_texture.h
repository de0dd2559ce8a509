// An image and the renderer texture made from it.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "engine/gfx.h"

class cGfxTexture : public iGfxTexture {
public:
    // An image (PNG, JPG, BMP, TGA) kept as its file bytes, not its pixels:
    // the pixels are decoded into the renderer's texture when the image is
    // first drawn (others at once), and again should the renderer be made
    // anew. Null when the data is no image.
    static cGfxTexture* Decode(const void* data, uint32_t size);
    ~cGfxTexture() override;
    cGfxTexture(const cGfxTexture&) = delete;
    cGfxTexture& operator=(const cGfxTexture&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Every pixel of the area is opaque (known once drawn, by tiles): drawn
    // at full alpha it needs no blending.
    bool Opaque(int left, int top, int right, int bottom) const;
    // The renderer's texture, made for the current renderer when there is
    // none yet; null when there is no renderer.
    SDL_Texture* Get();
    // The texture with every pixel's alpha already scaled by `alpha`, for an
    // image drawn large and faded (fog): the software renderer blends it at
    // full alpha far faster than it modulates. When the alpha changes, the
    // copy follows over the next few draws; null when it cannot be made.
    SDL_Texture* GetFaded(uint8_t alpha);
    // The image's pixels (ARGB8888), decoded on first use and kept, for an
    // image drawn faded; null when it cannot be decoded.
    const SDL_Surface* KeptPixels();
    // Gives back the decoded pixels and renderer textures of an image not
    // drawn for a while; they are decoded again when it is next drawn.
    void ReleaseIfIdle(uint64_t frame);

private:
    cGfxTexture(std::vector<uint8_t> encoded, int width, int height);
    // Makes the renderer's texture from the image's pixels, in whatever
    // format they were decoded.
    void Upload(SDL_Surface* pixels);

    std::vector<uint8_t> m_encoded;
    // Kept only for images drawn faded, to blend or scale their alpha again.
    SDL_Surface* m_keptPixels = nullptr;
    struct FadedCopy {
        SDL_Texture* texture = nullptr;
        int alpha = -1;
        int rowsDone = 0;
    };
    bool FillFaded(FadedCopy& copy, int from, int to);
    FadedCopy m_shown;
    FadedCopy m_next;
    uint64_t m_fadedGeneration = 0;
    SDL_Texture* m_texture = nullptr;
    uint64_t m_generation = 0;
    bool m_uploaded = false; // handed to a renderer at least once
    int m_width;
    int m_height;
    static constexpr int kTile = 32;
    std::vector<uint8_t> m_opaqueTiles;
    bool m_undecodable = false;
    int64_t m_bytes;
    void NoteDrawn();
    uint64_t m_lastDrawn = 0; // the frame
    int m_framesDrawn = 0;
};

// Renderer textures tied to one renderer generation: destroyed with their
// object while that renderer lives, left alone once it has gone (SDL freed them).
void DestroyRendererTexture(SDL_Texture* texture, uint64_t generation);

namespace engine {
// Images shown on this many frames and then not drawn for this many (ten
// seconds at 60 Hz) give their pixels back: a screen left keeps only its
// images' file bytes.
constexpr int kShownTextureFrames = 60;
constexpr uint64_t kIdleTextureFrames = 600;
void ReleaseIdleTextures();
} // namespace engine
