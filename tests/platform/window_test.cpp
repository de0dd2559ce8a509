#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/message_pump.h"
#include "platform/sdl_access.h"
#include "platform/window.h"

using namespace platform;

namespace {

LRESULT NoProc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

TEST(WindowClassTest, RegistrationRefusesIncompleteAndDuplicateClasses)
{
    WindowClass good;
    good.className = L"WindowTestClass";
    good.procedure = &NoProc;
    WindowClass noName = good;
    noName.className.clear();
    WindowClass noProc = good;
    noProc.procedure = nullptr;

    EXPECT_FALSE(RegisterWindowClass(noName));
    EXPECT_FALSE(RegisterWindowClass(noProc));
    EXPECT_TRUE(RegisterWindowClass(good));
    EXPECT_FALSE(RegisterWindowClass(good));
    EXPECT_EQ(CreateWindowOfClass(L"NoSuchClass", L"t", 0, 0, 0, 10, 10, nullptr), nullptr);
    EXPECT_TRUE(UnregisterWindowClass(L"WindowTestClass", nullptr));
    EXPECT_FALSE(UnregisterWindowClass(L"WindowTestClass", nullptr));
}

class WindowOps : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowClass windowClass;
        windowClass.className = L"WindowOps";
        windowClass.procedure = &NoProc;
        ASSERT_TRUE(RegisterWindowClass(windowClass));
        window = CreateWindowOfClass(L"WindowOps", L"(c) Vandrel", WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr);
        ASSERT_NE(window, nullptr) << LastError();
    }
    void TearDown() override
    {
        DestroyAppWindow(window);
        UnregisterWindowClass(L"WindowOps", nullptr);
    }
    HWND window = nullptr;
};

TEST_F(WindowOps, OpensHiddenWithItsTitleAndShowsOnRequest)
{
    EXPECT_EQ(GetWindowTitle(window), L"(c) Vandrel");
    EXPECT_FALSE(IsWindowVisible(window));
    ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(UpdateWindow(window));
    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(WindowOps, ASizeOfZeroStillMakesAWindow)
{
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_GE(client.right, 1);
    EXPECT_GE(client.bottom, 1);
}

TEST_F(WindowOps, MovingAndSizingKeepClientAndOuterRectanglesConsistent)
{
    ASSERT_TRUE(MoveWindow(window, 40, 30, 640, 480, true));
    RECT outer, client;
    ASSERT_TRUE(GetWindowRect(window, &outer));
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(outer.right - outer.left, 640);
    EXPECT_EQ(outer.bottom - outer.top, 480);
    EXPECT_LE(client.right, 640);

    // NOMOVE and NOSIZE leave the rectangle alone; a zero size keeps the size.
    ASSERT_TRUE(SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE));
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, 640);
    EXPECT_EQ(after.bottom - after.top, 480);
    ASSERT_TRUE(SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, 0));
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, 640);
    ASSERT_TRUE(SetWindowPos(window, HWND_TOP, 10, 20, 320, 240, SWP_NOMOVE));
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, 320);
    EXPECT_EQ(after.bottom - after.top, 240);
}

TEST_F(WindowOps, CaptionStyleChoosesTheFrame)
{
    // WS_BORDER alone has no caption: the window opens without a frame.
    EXPECT_NE(SDL_GetWindowFlags(SdlWindowOf(window)) & SDL_WINDOW_BORDERLESS, 0u);
    HWND captioned = CreateWindowOfClass(L"WindowOps", L"c", WS_POPUP | WS_CAPTION, 0, 0, 10, 10, nullptr);
    ASSERT_NE(captioned, nullptr);
    EXPECT_EQ(SDL_GetWindowFlags(SdlWindowOf(captioned)) & SDL_WINDOW_BORDERLESS, 0u);
    DestroyAppWindow(captioned);

    SetWindowStyle(window, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(GetWindowStyle(window), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_FALSE(IsWindowVisible(window));
    SetWindowStyle(window, WS_POPUP | WS_VISIBLE | WS_SYSMENU);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(WindowOps, DesktopAndFullScreen)
{
    int width = 0, height = 0;
    ASSERT_TRUE(GetDesktopSize(&width, &height));
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
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

TEST_F(WindowOps, OperationsOnNoWindowFailQuietly)
{
    RECT rect;
    EXPECT_FALSE(GetWindowRect(nullptr, &rect));
    EXPECT_FALSE(GetClientRect(nullptr, &rect));
    EXPECT_FALSE(MoveWindow(nullptr, 0, 0, 1, 1, true));
    EXPECT_FALSE(SetWindowPos(nullptr, HWND_TOP, 0, 0, 0, 0, 0));
    EXPECT_FALSE(ShowWindow(nullptr, SW_SHOWNORMAL));
    EXPECT_EQ(GetWindowStyle(nullptr), 0u);
    SetWindowStyle(nullptr, WS_CAPTION);
    DestroyAppWindow(nullptr);
}

TEST_F(WindowOps, CursorShowsAndHides)
{
    ShowCursor(false);
    EXPECT_FALSE(IsCursorShown());
    ShowCursor(true);
    EXPECT_TRUE(IsCursorShown());
}

} // namespace
