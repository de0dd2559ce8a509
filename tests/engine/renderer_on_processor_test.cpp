// On a display whose OpenGL driver rasterises on the processor (a virtual X
// server with Mesa's llvmpipe) the window is drawn by SDL's software
// renderer, and what it draws reaches the window. Run in a child process
// against a private X server, so the dummy video of the other tests stays.
#include <gtest/gtest.h>

#include <SDL.h>

#include <optional>
#include <string>

#include "engine/engine_context.h"
#include "engine/engine_testing.h"
#include "support/private_display.h"

namespace {

// The child's answer: 0 when the software renderer drew the window.
int DrawOnDisplay(const std::string& display)
{
    setenv("DISPLAY", display.c_str(), 1);
    if (SDL_VideoInit("x11") != 0)
        return 2;
    SDL_Window* window = SDL_CreateWindow("Vandrel", 0, 0, 64, 48, SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
    if (!window)
        return 3;
    SDL_Renderer* renderer = engine::CreateWindowRenderer(window);
    if (!renderer)
        return 4;
    std::fprintf(stderr, "renderer: %s\n", engine::RendererInUse().c_str());
    if (engine::RendererInUse() != "software")
        return 5;
    SDL_SetRenderDrawColor(renderer, 200, 40, 10, 255);
    SDL_RenderClear(renderer);
    Uint32 pixel = 0;
    const SDL_Rect one { 10, 10, 1, 1 };
    if (SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4) != 0 || pixel != 0xFFC8280Au)
        return 6;
    return 0;
}

TEST(RendererOnProcessor, AnOpenGlDriverOnTheProcessorGivesWayToSdlsSoftwareRenderer)
{
    std::optional<int> status;
    ASSERT_NO_FATAL_FAILURE(test::RunOnPrivateDisplay(status, DrawOnDisplay));
    if (!status)
        GTEST_SKIP() << "no X server installed (/usr/bin/Xvfb)";
    EXPECT_EQ(*status, 0) << "2: no X video, 3: no window, 4: no renderer, 5: not the software "
                          "renderer, 6: its pixels are not what it drew";
}

} // namespace
