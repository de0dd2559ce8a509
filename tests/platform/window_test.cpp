#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/sdl_access.h"
#include "platform/window.h"

using namespace platform;

namespace {

LRESULT NoProc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

TEST(WindowOps, DesktopAndFullScreen)
{
    auto Framed = [](HWND w) { return (SDL_GetWindowFlags(SdlWindowOf(w)) & SDL_WINDOW_BORDERLESS) == 0; };
    WindowClass windowClass;
    windowClass.className = L"WindowOps";
    windowClass.procedure = &NoProc;
    ASSERT_TRUE(RegisterWindowClass(windowClass));
    EXPECT_FALSE(RegisterWindowClass(windowClass)); // one class of a name
    HWND window = CreateWindowOfClass(L"WindowOps", L"(c) Vandrel", WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr);
    HWND captioned = CreateWindowOfClass(L"WindowOps", L"c", WS_POPUP | WS_CAPTION, 0, 0, 10, 10, nullptr);
    ASSERT_TRUE(window && captioned) << LastError();
    EXPECT_FALSE(IsWindowVisible(window) || Framed(window)); // WS_BORDER alone has no caption
    EXPECT_TRUE(Framed(captioned));
    int width = 0, height = 0;
    EXPECT_TRUE(GetDesktopSize(&width, &height) && width > 0);
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_TRUE(SetFullScreen(window, true));
    EXPECT_TRUE(IsFullScreen(window));
    ASSERT_TRUE(SetFullScreen(window, false));
    EXPECT_FALSE(IsFullScreen(window));
    // A window that gets its caption back is a window again, with its frame.
    ASSERT_TRUE(SetFullScreen(window, true));
    SetWindowStyle(window, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_TRUE(!IsFullScreen(window) && IsWindowVisible(window));
    DestroyAppWindow(captioned), DestroyAppWindow(window);
    EXPECT_TRUE(UnregisterWindowClass(L"WindowOps", nullptr));
}

} // namespace
