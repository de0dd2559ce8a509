// On a display whose OpenGL driver rasterises on the processor (a virtual X
// server with Mesa's llvmpipe) the window is drawn by SDL's software
// renderer, and what it draws reaches the window. Run in a child process
// against a private X server, so the dummy video of the other tests stays.
#include <gtest/gtest.h>

#include <SDL.h>

#include <csignal>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/engine_context.h"
#include "engine/engine_testing.h"

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
    if (access("/usr/bin/Xvfb", X_OK) != 0)
        GTEST_SKIP() << "no Xvfb";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t server = fork();
    ASSERT_GE(server, 0);
    if (server == 0) {
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-nolisten", "tcp",
            static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    pollfd wait { ready[0], POLLIN, 0 };
    char c = 0;
    while (poll(&wait, 1, 10000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty()) {
        kill(server, SIGKILL), waitpid(server, nullptr, 0);
        GTEST_SKIP() << "Xvfb did not start";
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(DrawOnDisplay(":" + number));
    int status = 0;
    waitpid(child, &status, 0);
    kill(server, SIGTERM), waitpid(server, nullptr, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no X video, 3: no window, 4: no renderer, 5: not the software "
                                         "renderer, 6: its pixels are not what it drew";
}

} // namespace
