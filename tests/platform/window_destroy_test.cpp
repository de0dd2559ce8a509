// A destroyed window is gone from the screen and from SDL: its id names no
// window any more, while the windows beside it stay as they were.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/sdl_access.h"
#include "platform/window.h"

using namespace platform;

namespace {

TEST(WindowDestroy, OnlyTheDestroyedWindowsLeaveSdl)
{
    // Which of three windows are destroyed, in order; the rest must live on.
    const std::vector<std::vector<int>> cases = { { 0 }, { 1 }, { 2, 0 }, { 0, 1, 2 } };
    for (const auto& destroyed : cases) {
        HWND windows[3] = {};
        uint32_t ids[3] = {};
        for (int i = 0; i < 3; ++i) {
            windows[i] = CreateAppWindow(L"Vandrel", 0, 0, 100 + i, 80);
            ASSERT_TRUE(windows[i] && SdlWindowOf(windows[i]));
            ids[i] = SDL_GetWindowID(SdlWindowOf(windows[i]));
        }
        bool gone[3] = {};
        for (int i : destroyed) {
            DestroyAppWindow(windows[i]);
            gone[i] = true;
            for (int j = 0; j < 3; ++j) {
                SDL_Window* known = SDL_GetWindowFromID(ids[j]);
                EXPECT_EQ(known == nullptr, gone[j]) << "window " << j << " after destroying " << i;
                if (!gone[j]) {
                    int width = 0, height = 0;
                    SDL_GetWindowSize(known, &width, &height);
                    EXPECT_EQ(width, 100 + j);
                }
            }
        }
        for (int i = 0; i < 3; ++i)
            if (!gone[i])
                DestroyAppWindow(windows[i]);
        for (uint32_t id : ids)
            EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
    }
}

} // namespace
