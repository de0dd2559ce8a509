#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/keyboard.h"
#include "platform/message_pump.h"
#include "platform/sdl_access.h"
#include "platform/test_events.h"
#include "platform/window.h"

using namespace platform;

namespace {

std::vector<MSG> g_dispatched;

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_dispatched.push_back(MSG { hwnd, message, wParam, lParam });
    return 7;
}

class MessagePump : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowClass windowClass;
        windowClass.procedure = &RecordingProc;
        windowClass.className = L"PumpTest";
        ASSERT_TRUE(RegisterWindowClass(windowClass));
        window = CreateWindowOfClass(L"PumpTest", L"pump", WS_POPUP, 0, 0, 320, 200, ProgramInstance());
        ASSERT_NE(window, nullptr) << LastError();
        DiscardPendingMessages();
        g_dispatched.clear();
    }
    void TearDown() override
    {
        DestroyAppWindow(window);
        UnregisterWindowClass(L"PumpTest", ProgramInstance());
        DiscardPendingMessages();
    }

    // Every message now waiting, taken and dispatched.
    std::vector<MSG> Drain()
    {
        std::vector<MSG> taken;
        MSG msg;
        while (PeekMessage(&msg, PM_REMOVE)) {
            taken.push_back(msg);
            DispatchMessage(&msg);
        }
        return taken;
    }

    HWND window = nullptr;
};

struct Expected {
    UINT message;
    WPARAM wParam;
};

void ExpectMessages(const std::vector<MSG>& got, HWND window, const std::vector<Expected>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].hwnd, window) << "message " << i;
        EXPECT_EQ(got[i].message, expected[i].message) << "message " << i;
        EXPECT_EQ(got[i].wParam, expected[i].wParam) << "message " << i;
    }
}

TEST_F(MessagePump, WindowEventsBecomeTheWindowsMessages)
{
    struct Case {
        WindowEventKind kind;
        std::vector<Expected> messages;
    };
    const Case cases[] = {
        { WindowEventKind::Close, { { WM_CLOSE, 0 } } },
        { WindowEventKind::Minimized, { { WM_SIZE, SIZE_MINIMIZED } } },
        { WindowEventKind::Restored, { { WM_SIZE, SIZE_RESTORED } } },
        { WindowEventKind::Maximized, { { WM_SIZE, SIZE_MAXIMIZED } } },
        { WindowEventKind::FocusGained, { { WM_ACTIVATEAPP, 1 }, { WM_ACTIVATE, WA_ACTIVE }, { WM_NCACTIVATE, 1 } } },
        { WindowEventKind::FocusLost, { { WM_ACTIVATEAPP, 0 }, { WM_ACTIVATE, WA_INACTIVE }, { WM_NCACTIVATE, 0 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        ASSERT_TRUE(InjectWindowEvent(window, c.kind));
        ExpectMessages(Drain(), window, c.messages);
    }
    // Dispatch reached the window's procedure with each of them.
    EXPECT_EQ(g_dispatched.size(), 10u);
}

TEST_F(MessagePump, QuitOfTheProgramClosesTheWindow)
{
    ASSERT_TRUE(InjectQuit());
    ExpectMessages(Drain(), window, { { WM_CLOSE, 0 } });
}

TEST_F(MessagePump, PeekWithoutRemoveLeavesTheMessage)
{
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_CLOSE);
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_CLOSE);
    ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&msg, PM_REMOVE));
}

TEST_F(MessagePump, PostedQuitComesLastWithoutAWindow)
{
    PostQuitMessage(3);
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close));
    MSG msg;
    ASSERT_EQ(GetMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_CLOSE);
    ASSERT_EQ(GetMessage(&msg), 0);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 3u);
    // Taken once only; dispatching it reaches no procedure.
    EXPECT_FALSE(PeekMessage(&msg, PM_REMOVE));
    MSG quit { nullptr, WM_QUIT, 0, 0 };
    EXPECT_EQ(DispatchMessage(&quit), 0);
}

TEST_F(MessagePump, GetMessageSleepsUntilAnEventArrives)
{
    const auto start = std::chrono::steady_clock::now();
    std::thread later([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        InjectWindowEvent(window, WindowEventKind::Restored);
    });
    MSG msg;
    const int got = GetMessage(&msg);
    const auto waited = std::chrono::steady_clock::now() - start;
    later.join();
    EXPECT_EQ(got, 1);
    EXPECT_EQ(msg.message, WM_SIZE);
    EXPECT_GE(waited, std::chrono::milliseconds(70));
}

TEST_F(MessagePump, KeysCarryTheirCodeAndRepeatAsAnotherKeyDown)
{
    ASSERT_TRUE(InjectKey(window, "Escape", true));
    ASSERT_TRUE(InjectKey(window, "Escape", true, true));
    ASSERT_TRUE(InjectKey(window, "Escape", false));
    const auto got = Drain();
    ExpectMessages(got, window, { { WM_KEYDOWN, VK_ESCAPE }, { WM_KEYDOWN, VK_ESCAPE }, { WM_KEYUP, VK_ESCAPE } });
    EXPECT_EQ(got[0].lParam & 0x40000000, 0); // first press
    EXPECT_NE(got[1].lParam & 0x40000000, 0); // the key was already down
    EXPECT_NE(got[2].lParam & 0x80000000L, 0); // released
    EXPECT_FALSE(InjectKey(window, "NoSuchKey", true));
}

TEST_F(MessagePump, KeyStateFollowsTheKeysThePumpTook)
{
    ASSERT_TRUE(InjectKey(window, "PrintScreen", true));
    ASSERT_TRUE(InjectKey(window, "Left Ctrl", true));
    Drain();
    EXPECT_LT(GetKeyState(VK_SNAPSHOT), 0);
    EXPECT_LT(GetKeyState(VK_LCONTROL), 0);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    ASSERT_TRUE(InjectKey(window, "PrintScreen", false));
    ASSERT_TRUE(InjectKey(window, "Left Ctrl", false));
    Drain();
    EXPECT_EQ(GetKeyState(VK_SNAPSHOT), 0);
    EXPECT_EQ(GetKeyState(VK_LCONTROL), 0);
}

TEST_F(MessagePump, MouseButtonsCarryClientCoordinates)
{
    ASSERT_TRUE(InjectMouseButton(window, 1, true, 12, 34));
    ASSERT_TRUE(InjectMouseButton(window, 3, true, 300, 199));
    ASSERT_TRUE(InjectMouseButton(window, 1, false, 13, 35));
    ASSERT_TRUE(InjectMouseButton(window, 3, false, 0, 0));
    ASSERT_TRUE(InjectMouseButton(window, 2, true, 5, 6));
    const auto got = Drain();
    ExpectMessages(got, window,
        { { WM_LBUTTONDOWN, MK_LBUTTON }, { WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON }, { WM_LBUTTONUP, MK_RBUTTON },
            { WM_RBUTTONUP, 0 }, { WM_MBUTTONDOWN, MK_MBUTTON } });
    EXPECT_EQ(MouseXOf(got[0].lParam), 12);
    EXPECT_EQ(MouseYOf(got[0].lParam), 34);
    EXPECT_EQ(MouseXOf(got[1].lParam), 300);
    EXPECT_EQ(MouseYOf(got[1].lParam), 199);
    EXPECT_EQ(MouseXOf(MakeMouseLParam(-3, -4)), -3); // left of or above the client area
    EXPECT_EQ(MouseYOf(MakeMouseLParam(-3, -4)), -4);
}

void CountEvent(const SDL_Event& event, void* user)
{
    if (event.type == SDL_MOUSEMOTION || event.type == SDL_MOUSEBUTTONDOWN)
        ++*static_cast<int*>(user);
}

TEST_F(MessagePump, ObserversSeeEveryEventTakenMessageOrNot)
{
    int seen = 0;
    AddSdlEventObserver(&CountEvent, &seen);
    SDL_Event motion {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = SDL_GetWindowID(SdlWindowOf(window));
    motion.motion.x = 10;
    ASSERT_EQ(SDL_PushEvent(&motion), 1);
    ASSERT_TRUE(InjectMouseButton(window, 1, true, 1, 1));
    const auto got = Drain();
    RemoveSdlEventObserver(&CountEvent, &seen);
    EXPECT_EQ(seen, 2);
    ASSERT_EQ(got.size(), 1u); // motion makes no message
    EXPECT_EQ(got[0].message, WM_LBUTTONDOWN);
}

TEST_F(MessagePump, MessagesOfAClosedWindowAreDropped)
{
    PostMessage(window, WM_KEYDOWN, 'A', 0);
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE)); // both now on the pump's queue
    DestroyAppWindow(window);
    window = nullptr;
    EXPECT_FALSE(PeekMessage(&msg, PM_REMOVE));
    EXPECT_TRUE(g_dispatched.empty());
}

} // namespace
