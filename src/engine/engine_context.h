// What the engine's objects share inside the stand-in: the renderer, the
// off-screen target, and the bookkeeping of live textures and fonts.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>

class cGfxFont;
class cGfxTexture;

namespace engine {

struct Context {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    // Off-screen drawing (no window, or the dummy video driver): the renderer
    // draws straight into this surface, so pixels can be read back.
    SDL_Surface* target = nullptr;
    // The target's own hidden window, when the video subsystem can make one:
    // its software renderer queues the draw calls and rasterises them all at
    // once when the frame is shown, as a window's renderer does, and the
    // target is that window's surface.
    SDL_Window* targetWindow = nullptr;
    int logicalWidth = 0;
    int logicalHeight = 0;
    bool wantFullScreen = false;
    // Raised each time the renderer is made anew: SDL textures of an older
    // generation died with their renderer and are made again on next use.
    uint64_t generation = 0;
    uint64_t frame = 0;
    int64_t liveBytes = 0;
    std::set<cGfxFont*> fonts;
    std::set<cGfxTexture*> textures;
    int textRasterisations = 0;
    std::function<void(const std::wstring&)> rasterisationObserver;
    std::function<void(const std::wstring&)> measurementObserver;
    int texturesCreated = 0;
    int textureUploads = 0;
    int textureReuploads = 0; // uploads of an image that had been uploaded before
    // Large areas (engine::kLargeBlendArea pixels and more) blended by SDL's
    // own blitter rather than by engine::BlendDirect.
    int largeSdlBlends = 0;
    // Wall time spent inside the draw calls and in presenting, for the
    // frame benchmark.
    uint64_t drawNanoseconds = 0;
    uint64_t presentNanoseconds = 0;
    // Time slept to pace frames, and the renderer in use, for the same.
    uint64_t paceNanoseconds = 0;
    std::string rendererName;
    // When the last frame was shown, for pacing frames without vertical sync.
    uint64_t lastPresentTicks = 0;
};

Context& GetContext();

// Adds the wall time of its scope to one of the context's counters.
class ScopedTime {
public:
    explicit ScopedTime(uint64_t& counter)
        : counter(counter)
        , start(SDL_GetPerformanceCounter())
    {
    }
    ~ScopedTime()
    {
        const uint64_t ticks = SDL_GetPerformanceCounter() - start;
        counter += ticks * 1000000000ull / SDL_GetPerformanceFrequency();
    }
    ScopedTime(const ScopedTime&) = delete;
    ScopedTime& operator=(const ScopedTime&) = delete;

private:
    uint64_t& counter;
    uint64_t start;
};

// The renderer of a window: the accelerated one unless its OpenGL driver
// rasterises on the processor, else SDL's software renderer; null when none
// can be made.
SDL_Renderer* CreateWindowRenderer(SDL_Window* window);

// Logical (game) pixels to window pixels and back, as the renderer maps them.
void LogicalToWindow(int x, int y, int* wx, int* wy);

} // namespace engine
