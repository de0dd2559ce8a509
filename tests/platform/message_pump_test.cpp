#include <gtest/gtest.h>

#include <tuple>
#include <utility>
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

TEST(MessagePump, EventsBecomeTheWindowsMessagesAPostedQuitComesLast)
{
    WindowClass windowClass;
    windowClass.procedure = &RecordingProc;
    windowClass.className = L"PumpTest";
    ASSERT_TRUE(RegisterWindowClass(windowClass));
    HWND window = CreateWindowOfClass(L"PumpTest", L"pump", WS_POPUP, 0, 0, 320, 200, ProgramInstance());
    ASSERT_NE(window, nullptr) << LastError();
    DiscardPendingMessages();
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close) && InjectQuit());
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Minimized));
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::FocusLost));
    ASSERT_TRUE(InjectKey(window, "Escape", true) && InjectKey(window, "Escape", true, true));
    ASSERT_TRUE(InjectMouseButton(window, 1, true, 12, 34) && InjectMouseButton(window, 3, true, 300, 199));
    ASSERT_TRUE(InjectMouseButton(window, 1, false, 13, 35) && InjectKey(window, "Escape", false));
    // lParam: key flags (repeat bit 30, release bit 31) or the client position.
    const MSG expected[] = { { window, WM_CLOSE, 0, 0 }, { window, WM_CLOSE, 0, 0 },
        { window, WM_SIZE, SIZE_MINIMIZED, 0 },
        { window, WM_ACTIVATEAPP, 0, 0 }, { window, WM_ACTIVATE, WA_INACTIVE, 0 }, { window, WM_NCACTIVATE, 0, 0 },
        { window, WM_KEYDOWN, VK_ESCAPE, 0 }, { window, WM_KEYDOWN, VK_ESCAPE, 0x40000000 },
        { window, WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(12, 34) },
        { window, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MakeMouseLParam(300, 199) },
        { window, WM_LBUTTONUP, MK_RBUTTON, MakeMouseLParam(13, 35) },
        { window, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000000) } };
    auto fields = [](const MSG& m) {
        const LPARAM mask = m.message >= WM_LBUTTONDOWN ? ~LPARAM(0) : LPARAM(0xC0000000);
        return std::tuple { m.hwnd, m.message, m.wParam, m.lParam & mask };
    };
    MSG msg;
    for (const MSG& e : expected) {
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        DispatchMessage(&msg);
        EXPECT_EQ(fields(msg), fields(e)) << std::hex << e.message;
        EXPECT_TRUE(e.message != WM_KEYDOWN || GetKeyState(VK_ESCAPE) < 0); // the key state follows the pump
    }
    EXPECT_EQ(GetKeyState(VK_ESCAPE), 0);
    EXPECT_EQ(g_dispatched.size(), std::size(expected)); // each reached the window's procedure

    PostQuitMessage(3);
    ASSERT_TRUE(InjectWindowEvent(window, WindowEventKind::Close));
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    EXPECT_TRUE(GetMessage(&msg) == 1 && msg.message == WM_CLOSE);
    ASSERT_EQ(GetMessage(&msg), 0);
    EXPECT_EQ((std::tuple { msg.hwnd, msg.message, msg.wParam }), (std::tuple { HWND(nullptr), WM_QUIT, WPARAM(3) }));
    EXPECT_EQ(DispatchMessage(&msg), 0);
    DestroyAppWindow(window);
    UnregisterWindowClass(L"PumpTest", ProgramInstance());
    DiscardPendingMessages();
}

// Each of the three buttons has its own messages, and every mouse message
// carries the buttons held after it; a window coming back or into focus says so.
TEST(MessagePump, EveryButtonAndWindowChangeBecomesItsMessage)
{
    HWND window = CreateAppWindow(L"buttons", 0, 0, 64, 48);
    ASSERT_NE(window, nullptr) << LastError();
    DiscardPendingMessages();
    const std::tuple<int, bool, UINT, WPARAM> presses[] = { { 1, true, WM_LBUTTONDOWN, MK_LBUTTON },
        { 2, true, WM_MBUTTONDOWN, MK_LBUTTON | MK_MBUTTON }, { 3, true, WM_RBUTTONDOWN, MK_LBUTTON | MK_MBUTTON | MK_RBUTTON },
        { 1, false, WM_LBUTTONUP, MK_MBUTTON | MK_RBUTTON }, { 2, false, WM_MBUTTONUP, MK_RBUTTON },
        { 3, false, WM_RBUTTONUP, 0 } };
    for (const auto& [button, down, message, held] : presses)
        ASSERT_TRUE(InjectMouseButton(window, button, down, button, 40 + button));
    MSG msg {};
    for (const auto& [button, down, message, held] : presses) {
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        EXPECT_EQ((std::tuple { msg.hwnd, msg.message, msg.wParam, msg.lParam }),
            (std::tuple { window, message, held, MakeMouseLParam(button, 40 + button) }))
            << "button " << button << (down ? " down" : " up");
    }
    const std::pair<WindowEventKind, std::vector<std::pair<UINT, WPARAM>>> changes[] = {
        { WindowEventKind::Restored, { { WM_SIZE, SIZE_RESTORED } } },
        { WindowEventKind::Maximized, { { WM_SIZE, SIZE_MAXIMIZED } } },
        { WindowEventKind::FocusGained, { { WM_ACTIVATEAPP, 1 }, { WM_ACTIVATE, WA_ACTIVE }, { WM_NCACTIVATE, 1 } } } };
    for (const auto& [kind, expected] : changes) {
        ASSERT_TRUE(InjectWindowEvent(window, kind));
        std::vector<std::pair<UINT, WPARAM>> seen;
        for (int poll = 0; poll < 2; ++poll) // SDL ends a poll where the last one stopped
            while (PeekMessage(&msg, PM_REMOVE))
                seen.emplace_back(msg.message, msg.wParam);
        EXPECT_EQ(seen, expected) << static_cast<int>(kind);
    }
    DestroyAppWindow(window);
    DiscardPendingMessages();
}

// A message reaches the procedure of a live window only; anything else is
// not handled (0) and harms nothing.
TEST(MessagePump, OnlyAMessageForALiveWindowIsDispatched)
{
    WindowClass windowClass;
    windowClass.procedure = &RecordingProc;
    windowClass.className = L"DispatchTest";
    ASSERT_TRUE(RegisterWindowClass(windowClass));
    HWND window = CreateWindowOfClass(L"DispatchTest", L"dispatch", WS_POPUP, 0, 0, 64, 48, ProgramInstance());
    HWND gone = CreateWindowOfClass(L"DispatchTest", L"gone", WS_POPUP, 0, 0, 64, 48, ProgramInstance());
    ASSERT_TRUE(window && gone) << LastError();
    DestroyAppWindow(gone);
    const MSG toWindow { window, WM_KEYDOWN, VK_ESCAPE, 0 }, toNoWindow { nullptr, WM_KEYDOWN, VK_ESCAPE, 0 },
        toGone { gone, WM_KEYDOWN, VK_ESCAPE, 0 };
    const std::pair<const MSG*, LRESULT> cases[] = { { nullptr, 0 }, { &toNoWindow, 0 }, { &toGone, 0 }, { &toWindow, 7 } };
    for (const auto& [msg, result] : cases) {
        g_dispatched.clear();
        EXPECT_EQ(DispatchMessage(msg), result) << (msg ? msg->hwnd : nullptr);
        EXPECT_EQ(g_dispatched.size(), size_t(result != 0));
    }
    DestroyAppWindow(window);
    UnregisterWindowClass(L"DispatchTest", ProgramInstance());
    DiscardPendingMessages();
}

// Everything below goes down and up before the program takes one message, as
// when a fast typist meets a slow frame: each key message still reads the
// modifiers held when its key went down.
TEST(MessagePump, TheKeyStateFollowsTheMessagesTakenNotTheKeyboardNow)
{
    WindowClass windowClass;
    windowClass.procedure = &RecordingProc;
    windowClass.className = L"KeyStateTest";
    ASSERT_TRUE(RegisterWindowClass(windowClass));
    HWND window = CreateWindowOfClass(L"KeyStateTest", L"keys", WS_POPUP, 0, 0, 320, 200, ProgramInstance());
    ASSERT_NE(window, nullptr) << LastError();
    DiscardPendingMessages();
    const std::pair<const char*, bool> strokes[]
        = { { "Left Shift", true }, { "B", true }, { "B", false }, { "Left Shift", false }, { "Right Alt", true },
              { "Q", true }, { "Q", false }, { "Right Alt", false }, { "O", true }, { "O", false } };
    for (const auto& [key, down] : strokes)
        ASSERT_TRUE(InjectKey(window, key, down)) << key;
    // Per letter going down: Shift held, AltGr held.
    std::vector<std::tuple<WPARAM, bool, bool>> seen;
    MSG msg;
    while (PeekMessage(&msg, PM_REMOVE)) {
        if (msg.message == WM_KEYDOWN && msg.wParam >= 'A' && msg.wParam <= 'Z')
            seen.emplace_back(msg.wParam, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_RMENU) < 0);
    }
    const std::vector<std::tuple<WPARAM, bool, bool>> expected
        = { { 'B', true, false }, { 'Q', false, true }, { 'O', false, false } };
    EXPECT_EQ(seen, expected);
    DestroyAppWindow(window);
    UnregisterWindowClass(L"KeyStateTest", ProgramInstance());
    DiscardPendingMessages();
}

} // namespace
