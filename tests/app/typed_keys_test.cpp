// Keys and text typed faster than frames read them, and the window messages
// that ask for the video mode again or belong to another window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game_app_fixture.h"
#include "platform/time_source.h"

namespace {

class cKeysApp : public cApplication {
public:
    // Everything typed, as (code, text) pairs, oldest first.
    std::vector<std::pair<int, wchar_t>> TakeAll()
    {
        std::vector<std::pair<int, wchar_t>> typed;
        int code = 0;
        wchar_t text = 0;
        while (TakePressedKey(&code, nullptr, nullptr, &text))
            typed.emplace_back(code, text);
        return typed;
    }
};

class TypedKeys : public GameAppTest {
protected:
    void SetUp() override
    {
        GameAppTest::SetUp();
        platform::SetTimeSourceForTests([this] { return nowMs; });
    }
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        GameAppTest::TearDown();
    }
    double nowMs = 5000.0;
};

// Typed in a burst before any frame reads it, the last 64 presses are kept
// in order, each with its own text; so is text from an input method, which
// comes without a key. Nothing older than that is handed out afterwards.
TEST_F(TypedKeys, ABurstKeepsItsLastSixtyFourPressesInOrder)
{
    cKeysApp app;
    struct Case {
        const char* what;
        bool withKey;
        int typed;
    };
    const Case cases[] = {
        { "one key", true, 1 },
        { "exactly a line", true, 64 },
        { "one more than a line", true, 65 },
        { "a long burst", true, 150 },
        { "input method, a line", false, 64 },
        { "input method, one more", false, 65 },
        { "input method, a long burst", false, 150 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < c.typed; ++i) {
            const wchar_t letter = static_cast<wchar_t>(0x100 + i);
            if (c.withKey)
                cApplication::StaticWndProc(nullptr, WM_KEYDOWN, static_cast<WPARAM>(1 + i), 0);
            cApplication::StaticWndProc(nullptr, WM_CHAR, letter, 0);
            if (c.withKey)
                cApplication::StaticWndProc(nullptr, WM_KEYUP, static_cast<WPARAM>(1 + i), 0);
        }
        const auto typed = app.TakeAll();
        const int kept = std::min(c.typed, 64);
        ASSERT_EQ(typed.size(), static_cast<size_t>(kept));
        for (int k = 0; k < kept; ++k) {
            const int i = c.typed - kept + k;
            EXPECT_EQ(typed[k].first, c.withKey ? 1 + i : 0) << k;
            EXPECT_EQ(typed[k].second, static_cast<wchar_t>(0x100 + i)) << k;
        }
        app.EndKeyFrame();
    }
}

// A maximised window asks for the video mode again; restoring it does not.
// Closing a window that is not the game's leaves the game running.
TEST_F(TypedKeys, WindowMessagesThatAreNotTheGamesOwnChangeNothing)
{
    cKeysApp app;
    for (const auto& [wParam, changed] : { std::pair { SIZE_RESTORED, 0 }, { SIZE_MAXIMIZED, 1 } }) {
        world.videoModeChanged = 0;
        EXPECT_EQ(cApplication::StaticWndProc(nullptr, WM_SIZE, wParam, 0), 0);
        EXPECT_EQ(world.videoModeChanged, changed) << wParam;
        EXPECT_EQ(g_appActive, 1);
    }
    HWND other = reinterpret_cast<HWND>(&app);
    for (UINT message : { WM_CLOSE, WM_DESTROY }) {
        g_appRunning = 1;
        EXPECT_EQ(cApplication::StaticWndProc(other, message, 0, 0), 1) << message;
        EXPECT_EQ(g_appRunning, 1) << message;
    }
    platform::DiscardPendingMessages();
}

} // namespace
