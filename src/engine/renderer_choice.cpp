// Which renderer draws into the game's window. An OpenGL driver that
// rasterises on the processor (Mesa's llvmpipe, softpipe and swrast, the
// drivers of a machine without a graphics chip or of a virtual display) is
// more than twice as slow as SDL's own software renderer and takes twice the
// memory: there the game draws with SDL's software renderer, its draw calls
// batched, straight into the window. A graphics chip gets the accelerated
// renderer with the vertical sync.
#include <SDL.h>
#include <sys/mman.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "engine/engine_context.h"
#include "engine/engine_testing.h"

namespace engine {

namespace {

    constexpr unsigned kGlRenderer = 0x1F01;

    // The GL_RENDERER string of the renderer's current OpenGL context; empty
    // when the renderer does not draw through OpenGL.
    std::string GlRendererOf(SDL_Renderer* renderer)
    {
        SDL_RendererInfo info {};
        if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || SDL_strncmp(info.name, "opengl", 6) != 0)
            return "";
        using GetString = const unsigned char*(SDLCALL*)(unsigned);
        auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
        return name ? reinterpret_cast<const char*>(name) : "";
    }

    // The OpenGL driver stays loaded with the window, but once its renderer
    // is gone nothing runs its code again: the code pages it touched (a
    // processor rasteriser's compiler alone holds tens of megabytes) are
    // dropped from the process. Code is never written, so a page run after
    // all is simply read in again from the library file.
    void ReleaseGlDriverPages()
    {
#ifdef __linux__
        FILE* maps = std::fopen("/proc/self/maps", "r");
        if (!maps)
            return;
        char line[4096];
        while (std::fgets(line, sizeof line, maps)) {
            unsigned long from = 0;
            unsigned long to = 0;
            char access[8] = "";
            char path[4096] = "";
            if (std::sscanf(line, "%lx-%lx %7s %*s %*s %*s %4095s", &from, &to, access, path) != 4)
                continue;
            const std::string file = path;
            const bool driver = file.find("libLLVM") != std::string::npos || file.find("_dri.so") != std::string::npos;
            if (driver && std::string(access) == "r-xp")
                madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
        }
        std::fclose(maps);
#endif
    }

    SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window)
    {
        SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
        // The window's surface shown by the windowing system itself, not
        // through yet another (accelerated, so again processor-bound) renderer.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }

} // namespace

bool IsProcessorRasteriser(const std::string& glRenderer)
{
    std::string name = glRenderer;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* cpu : { "llvmpipe", "softpipe", "swrast", "software rasterizer" })
        if (name.find(cpu) != std::string::npos)
            return true;
    return false;
}

SDL_Renderer* CreateWindowRenderer(SDL_Window* window)
{
    Context& context = GetContext();
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    std::string gl = renderer ? GlRendererOf(renderer) : "";
    if (renderer && IsProcessorRasteriser(gl)) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        ReleaseGlDriverPages();
    }
    if (!renderer) {
        renderer = CreateSoftwareRenderer(window);
        gl.clear();
    }
    SDL_RendererInfo info {};
    context.rendererName.clear();
    if (renderer && SDL_GetRendererInfo(renderer, &info) == 0 && info.name)
        context.rendererName = gl.empty() ? info.name : std::string(info.name) + " (" + gl + ")";
    return renderer;
}

std::string RendererInUse()
{
    return GetContext().rendererName;
}

} // namespace engine
