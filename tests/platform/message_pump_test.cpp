#include <gtest/gtest.h>

#include <vector>

#include "platform/keyboard.h"
#include "platform/message_pump.h"
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
    static std::vector<MSG> Drain()
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

TEST_F(MessagePump, EventsBecomeTheWindowsMessagesOfTheWindow)
{
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close));
    ASSERT_TRUE(InjectQuit());
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Minimized));
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Restored));
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::FocusGained));
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::FocusLost));
    ASSERT_TRUE(InjectKey(window, "Escape", true));
    ASSERT_TRUE(InjectKey(window, "Escape", true, true));
    ASSERT_TRUE(InjectKey(window, "Escape", false));
    ASSERT_TRUE(InjectMouseButton(window, 1, true, 12, 34));
    ASSERT_TRUE(InjectMouseButton(window, 3, true, 300, 199));
    ASSERT_TRUE(InjectMouseButton(window, 1, false, 13, 35));
    ASSERT_TRUE(InjectMouseButton(window, 3, false, 0, 0));
    ASSERT_TRUE(InjectMouseButton(window, 2, true, 5, 6));
    EXPECT_FALSE(InjectKey(window, "NoSuchKey", true));
    // lParam: key flags (repeat bit 30, release bit 31) or the client position.
    const MSG expected[] = { { window, WM_CLOSE, 0, 0 }, { window, WM_CLOSE, 0, 0 },
        { window, WM_SIZE, SIZE_MINIMIZED, 0 }, { window, WM_SIZE, SIZE_RESTORED, 0 },
        { window, WM_ACTIVATEAPP, 1, 0 }, { window, WM_ACTIVATE, WA_ACTIVE, 0 }, { window, WM_NCACTIVATE, 1, 0 },
        { window, WM_ACTIVATEAPP, 0, 0 }, { window, WM_ACTIVATE, WA_INACTIVE, 0 }, { window, WM_NCACTIVATE, 0, 0 },
        { window, WM_KEYDOWN, VK_ESCAPE, 0 }, { window, WM_KEYDOWN, VK_ESCAPE, 0x40000000 },
        { window, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000000) },
        { window, WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(12, 34) },
        { window, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MakeMouseLParam(300, 199) },
        { window, WM_LBUTTONUP, MK_RBUTTON, MakeMouseLParam(13, 35) }, { window, WM_RBUTTONUP, 0, 0 },
        { window, WM_MBUTTONDOWN, MK_MBUTTON, MakeMouseLParam(5, 6) } };
    const std::vector<MSG> got = Drain();
    ASSERT_EQ(got.size(), std::size(expected));
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].hwnd, expected[i].hwnd);
        EXPECT_EQ(got[i].message, expected[i].message);
        EXPECT_EQ(got[i].wParam, expected[i].wParam);
        const LPARAM mask = got[i].message >= WM_LBUTTONDOWN ? ~LPARAM(0) : LPARAM(0xC0000000);
        EXPECT_EQ(got[i].lParam & mask, expected[i].lParam & mask);
    }
    EXPECT_EQ(g_dispatched.size(), got.size()); // each reached the window's procedure
    EXPECT_EQ(MouseYOf(MakeMouseLParam(-3, -4)), -4); // above the client area

    // The key state follows the keys the pump took.
    ASSERT_TRUE(InjectKey(window, "Left Ctrl", true));
    Drain();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    ASSERT_TRUE(InjectKey(window, "Left Ctrl", false));
    Drain();
    EXPECT_EQ(GetKeyState(VK_LCONTROL), 0);
}

TEST_F(MessagePump, PeekCanLeaveTheMessageAndAPostedQuitComesLast)
{
    PostQuitMessage(3);
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    ASSERT_EQ(GetMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_CLOSE);
    ASSERT_EQ(GetMessage(&msg), 0);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessage(&msg, PM_REMOVE)); // taken once only
    EXPECT_EQ(DispatchMessage(&msg), 0);
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
