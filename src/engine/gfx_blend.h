// Alpha blending of large images straight into the software renderer's
// target: the same arithmetic as SDL's own blitter, four pixels at a time.
// SDL blends one pixel at a time, which made full-screen layers (fog, the
// level background, rows of platforms) most of a frame's cost.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace engine {

// Areas from this size up are worth blending here; SDL's per-call work
// outweighs the blend below it.
constexpr int kLargeBlendArea = 64 * 64;

// The surface the software renderer draws into, when the renderer is SDL's
// software renderer and draws 1:1 (no scaling, no viewport offset, no clip,
// no render target); null otherwise.
SDL_Surface* DirectTarget();

// Whether the renderer is SDL's software renderer: its textures are then made
// streaming, so that their pixels can be read for blending.
bool SoftwareRenderer();

// Blends the `source` area of a streaming ARGB8888 texture onto the target at
// `target` (same size, whole pixels), as SDL_RenderCopy blends it with white
// colour and full alpha: what SDL has queued is drawn first. False, with
// nothing drawn, where DirectTarget() is null or the texture cannot be read.
bool BlendDirect(SDL_Texture* texture, const SDL_Rect& source, const SDL_FRect& target);
// The same from ARGB8888 pixels in memory, every pixel's alpha first scaled
// by `alpha` as (a * alpha + 127) / 255: a faded image, as SDL blends a copy
// of it with its alpha so scaled.
bool BlendDirect(const SDL_Surface* pixels, const SDL_Rect& source, const SDL_FRect& target, uint8_t alpha);

// One row, the source's alpha scaled by `alpha` as above: per channel
// (s * a >> 8) + (d * (255 - a) >> 8), the target's alpha as if the source's
// colour there were 255; an opaque source pixel is copied and a transparent
// one leaves the target as it is. SDL's blitter gives these very values.
void BlendRow(const uint32_t* source, uint32_t* target, int count, uint8_t alpha = 255);

} // namespace engine
