// A request to end the program (a posted quit, a window's close, the
// desktop's quit) is seen by QuitPending while it waits, without being
// taken; GetMessage sleeps until the system has something for the loop.
#include <gtest/gtest.h>

#include <SDL.h>

#include <thread>

#include "platform/message_pump.h"
#include "platform/test_events.h"
#include "platform/window.h"

using namespace platform;

namespace {

TEST(QuitRequest, OnlyAQuitOrACloseWaitingIsPendingAndLookingTakesNothing)
{
    HWND window = CreateAppWindow(L"quit", 0, 0, 64, 48);
    ASSERT_NE(window, nullptr);
    enum Kind { kNothing, kKey, kPostedQuit, kPostedClose, kClosedWindow, kDesktopQuit, kOtherWindowEvent };
    const struct {
        const char* what;
        Kind kind;
        bool pending;
    } cases[] = {
        { "nothing waiting", kNothing, false },
        { "a key message waiting", kKey, false },
        { "a window event other than close", kOtherWindowEvent, false },
        { "a posted quit", kPostedQuit, true },
        { "a posted close", kPostedClose, true },
        { "the window closed", kClosedWindow, true },
        { "the desktop's quit", kDesktopQuit, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DiscardPendingMessages();
        switch (c.kind) {
        case kNothing:
            break;
        case kKey:
            ASSERT_TRUE(PostMessage(window, WM_KEYDOWN, VK_ESCAPE, 0));
            break;
        case kOtherWindowEvent:
            ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::FocusLost));
            break;
        case kPostedQuit:
            PostQuitMessage(5);
            break;
        case kPostedClose:
            ASSERT_TRUE(PostMessage(window, WM_KEYDOWN, VK_ESCAPE, 0) && PostMessage(window, WM_CLOSE, 0, 0));
            break;
        case kClosedWindow:
            ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close));
            break;
        case kDesktopQuit:
            ASSERT_TRUE(InjectQuit());
            break;
        }
        EXPECT_EQ(QuitPending(), c.pending);
        EXPECT_EQ(QuitPending(), c.pending) << "asked again";
        // The request is still there for the loop, and gone once taken.
        MSG msg {};
        bool sawQuit = false;
        while (PeekMessage(&msg, PM_REMOVE))
            sawQuit = sawQuit || msg.message == WM_QUIT || msg.message == WM_CLOSE;
        EXPECT_EQ(sawQuit, c.pending);
        EXPECT_FALSE(QuitPending()) << "after the loop took it";
    }
    DiscardPendingMessages();
    DestroyAppWindow(window);
}

TEST(QuitRequest, GetMessageSleepsUntilAnEventComes)
{
    HWND window = CreateAppWindow(L"wait", 0, 0, 64, 48);
    ASSERT_NE(window, nullptr);
    DiscardPendingMessages();
    // The close comes from another thread a little later; whichever way the
    // two meet, the loop gets it as the window's close.
    std::thread closer([window] {
        SDL_Delay(20);
        InjectWindowEvent(window, WindowEventKind::Close);
    });
    MSG msg {};
    EXPECT_EQ(GetMessage(&msg), 1);
    closer.join();
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    DiscardPendingMessages();
    DestroyAppWindow(window);
}

} // namespace
