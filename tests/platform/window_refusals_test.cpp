// A window handle that is not a live window (none, or one already destroyed)
// is refused by every window operation, as Windows refuses a stale handle;
// showing answers whether the window was visible before; placement keeps
// what its flags say to keep; the test events refuse what they cannot make.
#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <string>
#include <tuple>

#include "platform/sdl_access.h"
#include "platform/test_events.h"
#include "platform/window.h"

using namespace platform;

namespace {

TEST(WindowRefusals, AHandleThatIsNoLiveWindowIsRefusedEverywhere)
{
    HWND destroyed = CreateAppWindow(L"Vandrel", 0, 0, 64, 48);
    ASSERT_TRUE(destroyed) << LastError();
    DestroyAppWindow(destroyed);
    HWND live = CreateAppWindow(L"Vandrel", 0, 0, 64, 48);
    ASSERT_TRUE(live) << LastError();
    RECT rect {};
    const struct {
        const char* what;
        std::function<bool(HWND)> call;
    } operations[] = {
        { "ShowWindow", [](HWND w) { return ShowWindow(w, SW_SHOWNORMAL) || IsWindowVisible(w); } },
        { "UpdateWindow", [](HWND w) { return UpdateWindow(w); } },
        { "GetWindowTitle", [](HWND w) { return !GetWindowTitle(w).empty(); } },
        { "GetWindowRect", [&](HWND w) { return GetWindowRect(w, &rect); } },
        { "GetClientRect", [&](HWND w) { return GetClientRect(w, &rect); } },
        { "MoveWindow", [](HWND w) { return MoveWindow(w, 0, 0, 10, 10, true); } },
        { "SetWindowPos", [](HWND w) { return SetWindowPos(w, HWND_TOP, 0, 0, 10, 10, 0); } },
        { "GetWindowStyle", [](HWND w) { return SetWindowStyle(w, WS_POPUP), GetWindowStyle(w) != 0; } },
        { "GetWindowFrame", [&](HWND w) { return GetWindowFrame(w, &rect); } },
        { "SetFullScreen", [](HWND w) { return SetFullScreen(w, true) || IsFullScreen(w); } },
        { "InjectWindowEvent", [](HWND w) { return InjectWindowEvent(w, WindowEventKind::FocusGained); } },
        { "InjectMouseMotion", [](HWND w) { return InjectMouseMotion(w, 1, 1); } },
        { "InjectMouseButton", [](HWND w) { return InjectMouseButton(w, 1, true, 1, 1); } },
    };
    for (const auto& op : operations) {
        EXPECT_FALSE(op.call(nullptr)) << op.what;
        EXPECT_FALSE(op.call(destroyed)) << op.what;
    }
    // A live window without a place to write to is refused too.
    EXPECT_FALSE(GetWindowRect(live, nullptr) || GetClientRect(live, nullptr) || GetWindowFrame(live, nullptr));
    // A window never captioned has no frame the window manager reported.
    EXPECT_FALSE(GetWindowFrame(live, &rect));
    DestroyAppWindow(live);
    DiscardPendingMessages();
}

TEST(WindowRefusals, ShowingAnswersWhetherTheWindowWasVisible)
{
    HWND window = CreateAppWindow(L"Vandrel", 0, 0, 64, 48);
    ASSERT_TRUE(window) << LastError();
    const struct {
        int command;
        bool wasVisible, visible;
    } steps[] = {
        { SW_HIDE, false, false },          { SW_SHOWNORMAL, false, true }, { SW_SHOWMAXIMIZED, true, true },
        { SW_HIDE, true, false },           { SW_MINIMIZE, false, true },   { SW_HIDE, true, false },
        { SW_SHOWMINIMIZED, false, true },  { SW_RESTORE, true, true },     { SW_HIDE, true, false },
        { SW_SHOWMAXIMIZED, false, true },  { SW_HIDE, true, false },       { SW_SHOW, false, true },
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(ShowWindow(window, steps[i].command), steps[i].wasVisible) << "step " << i;
        EXPECT_EQ(IsWindowVisible(window), steps[i].visible) << "step " << i;
    }
    DestroyAppWindow(window);
}

TEST(WindowRefusals, PlacementKeepsWhatItsFlagsSayToKeep)
{
    HWND window = CreateAppWindow(L"Vandrel", 0, 0, 64, 48);
    ASSERT_TRUE(window) << LastError();
    ShowWindow(window, SW_SHOWNORMAL);
    const struct {
        UINT flags;
        int width, height;
        RECT expected;
    } cases[] = {
        { 0, 300, 200, { 40, 30, 340, 230 } },
        { SWP_NOZORDER | SWP_NOMOVE, 300, 200, { 10, 20, 310, 220 } },
        { SWP_NOSIZE, 300, 200, { 40, 30, 104, 78 } },
        { SWP_NOZORDER, 0, 200, { 40, 30, 104, 78 } }, // no width: the size stays
        { SWP_NOZORDER, 300, 0, { 40, 30, 104, 78 } },
        { SWP_NOMOVE | SWP_NOSIZE, 300, 200, { 10, 20, 74, 68 } },
    };
    for (const HWND after : { HWND_TOP, HWND_TOPMOST, HWND_NOTOPMOST }) {
        for (const auto& c : cases) {
            ASSERT_TRUE(MoveWindow(window, 10, 20, 64, 48, true));
            EXPECT_TRUE(SetWindowPos(window, after, 40, 30, c.width, c.height, c.flags));
            RECT rect {}, client {};
            ASSERT_TRUE(GetWindowRect(window, &rect) && GetClientRect(window, &client));
            EXPECT_EQ((std::tuple { rect.left, rect.top, rect.right, rect.bottom }),
                (std::tuple { c.expected.left, c.expected.top, c.expected.right, c.expected.bottom }))
                << "flags " << c.flags;
            EXPECT_EQ((std::tuple { client.left, client.top, client.right, client.bottom }),
                (std::tuple { 0, 0, rect.right - rect.left, rect.bottom - rect.top }));
        }
    }
    DestroyAppWindow(window);
}

TEST(WindowRefusals, TestEventsRefuseWhatCannotBeMade)
{
    HWND window = CreateAppWindow(L"Vandrel", 0, 0, 64, 48);
    ASSERT_TRUE(window) << LastError();
    const std::string longest(31, 'a'), tooLong(32, 'a'); // an SDL text event holds 31 bytes
    const struct {
        const char* what;
        std::function<bool()> inject;
        bool made;
    } cases[] = {
        { "left button", [&] { return InjectMouseButton(window, 1, true, 2, 3); }, true },
        { "right button", [&] { return InjectMouseButton(window, 3, false, 2, 3); }, true },
        { "button 0", [&] { return InjectMouseButton(window, 0, true, 2, 3); }, false },
        { "button 4", [&] { return InjectMouseButton(window, 4, true, 2, 3); }, false },
        { "known key", [&] { return InjectKey(window, "Escape", true); }, true },
        { "unknown key", [&] { return InjectKey(window, "NoSuchKey", true); }, false },
        { "text", [&] { return InjectText(window, longest.c_str()); }, true },
        { "text too long", [&] { return InjectText(window, tooLong.c_str()); }, false },
        { "no text", [&] { return InjectText(window, nullptr); }, false },
        { "motion", [&] { return InjectMouseMotion(window, 5, 6); }, true },
        { "close", [&] { return InjectWindowEvent(window, WindowEventKind::Close); }, true },
    };
    for (const auto& c : cases) {
        DiscardPendingMessages();
        EXPECT_EQ(c.inject(), c.made) << c.what;
        EXPECT_EQ(SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE, c.made) << c.what;
    }
    DiscardPendingMessages();
    DestroyAppWindow(window);
}

} // namespace
