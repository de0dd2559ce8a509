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

class WindowOps : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowClass windowClass;
        windowClass.className = L"WindowOps";
        windowClass.procedure = &NoProc;
        ASSERT_TRUE(RegisterWindowClass(windowClass));
        EXPECT_FALSE(RegisterWindowClass(windowClass)); // one class of a name
        window = CreateWindowOfClass(L"WindowOps", L"(c) Vandrel", WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr);
        ASSERT_NE(window, nullptr) << LastError();
    }
    void TearDown() override
    {
        DestroyAppWindow(window);
        EXPECT_TRUE(UnregisterWindowClass(L"WindowOps", nullptr));
    }
    HWND window = nullptr;
};

TEST_F(WindowOps, OpensHiddenFramedByItsCaptionStyleAndMovesAndSizes)
{
    EXPECT_EQ(GetWindowTitle(window), L"(c) Vandrel");
    EXPECT_FALSE(IsWindowVisible(window));
    // WS_BORDER alone has no caption: the window opens without a frame.
    EXPECT_NE(SDL_GetWindowFlags(SdlWindowOf(window)) & SDL_WINDOW_BORDERLESS, 0u);
    HWND captioned = CreateWindowOfClass(L"WindowOps", L"c", WS_POPUP | WS_CAPTION, 0, 0, 10, 10, nullptr);
    ASSERT_NE(captioned, nullptr);
    EXPECT_EQ(SDL_GetWindowFlags(SdlWindowOf(captioned)) & SDL_WINDOW_BORDERLESS, 0u);
    DestroyAppWindow(captioned);
    SetWindowStyle(window, WS_POPUP | WS_VISIBLE | WS_SYSMENU);
    EXPECT_TRUE(IsWindowVisible(window));

    ASSERT_TRUE(MoveWindow(window, 40, 30, 640, 480, true));
    ASSERT_TRUE(SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE));
    RECT outer, client;
    ASSERT_TRUE(GetWindowRect(window, &outer));
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(outer.right - outer.left, 640);
    EXPECT_EQ(outer.bottom - outer.top, 480);
    EXPECT_LE(client.right, 640);
    ASSERT_TRUE(SetWindowPos(window, HWND_TOP, 10, 20, 320, 240, SWP_NOMOVE));
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.bottom - outer.top, 240);
    EXPECT_FALSE(GetWindowRect(nullptr, &outer));
}

TEST_F(WindowOps, DesktopAndFullScreen)
{
    int width = 0, height = 0;
    ASSERT_TRUE(GetDesktopSize(&width, &height));
    EXPECT_GT(width, 0);
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_TRUE(SetFullScreen(window, true));
    EXPECT_TRUE(IsFullScreen(window));
    ASSERT_TRUE(SetFullScreen(window, false));
    EXPECT_FALSE(IsFullScreen(window));
    // A window that gets its caption back is a window again, with its frame.
    ASSERT_TRUE(SetFullScreen(window, true));
    SetWindowStyle(window, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_FALSE(IsFullScreen(window));
}

} // namespace
