// Typing a name in the main menu through the application's own key messages:
// keys tapped faster than the frames come are typed in the order pressed,
// each press once, letters of the layout and an input method's text as they
// came, with Shift as it was when the key went down; a key still held types
// nothing more in the next frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "frontend/state_menu.h"
#include "platform/utf16.h"
#include "platform/win_messages.h"
#include "platform/window_internal.h"
#include "scene/hud_fixture.h"

namespace {

struct Press {
    int code; // 0: text of an input method, without a key
    wchar_t text; // 0: the key types no text of its own
    bool letGo = true;
    bool shift = false; // held while the key went down, let go before the frame
};

using MenuTypingTest = test::HudTest;

TEST_F(MenuTypingTest, ABurstOfKeysIsTypedInOrderEachPressOnce)
{
    const struct {
        const char* what;
        std::vector<Press> burst;
        std::wstring typed;
    } cases[] = {
        { "letters", { { 'V', L'v' }, { 'A', L'a' }, { 'N', L'n' } }, L"van" },
        { "the same key twice", { { 'A', L'a' }, { 'A', L'a' } }, L"aa" },
        { "a key still held", { { 'B', L'b', false } }, L"b" },
        { "digits and signs", { { '7', L'7' }, { VK_OEM_MINUS, L'-' }, { VK_OEM_PERIOD, L'.' }, { VK_SPACE, L' ' } },
            L"7-. " },
        { "a letter and a digit", { { 'K', L'k' }, { '1', L'1' } }, L"k1" },
        { "backspace after letters", { { 'A', L'a' }, { 'B', L'b' }, { VK_BACK, L'\b' } }, L"a" },
        { "a letter of the layout", { { 'Z', L'z' }, { 0xDE, L'\u00e4' } }, L"z\u00e4" },
        { "an input method's letter", { { 'O', L'o' }, { 0, L'\u00e9' } }, L"o\u00e9" },
        { "a key without text", { { 'W', 0 } }, L"w" },
        { "Shift and a letter", { { 'G', L'G', true, true }, { 'O', L'o' } }, L"Go" },
        { "Shift and 2", { { '2', L'@', true, true } }, L"@" },
        { "Shift and minus", { { VK_OEM_MINUS, L'_', true, true } }, L"_" },
        { "Shift and 1, then 1", { { '1', L'!', true, true }, { '1', L'1' } }, L"!1" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cApplication app;
        cStateMenu state;
        std::fill(std::begin(world.textEntry), std::end(world.textEntry), L'\0');
        world.textEntryActive = 1;
        world.textEntryMax = 20;
        for (const Press& p : c.burst) {
            platform::NoteHeldModifierKey(p.shift ? VK_LSHIFT : 0);
            if (p.code)
                cApplication::StaticWndProc(nullptr, WM_KEYDOWN, static_cast<WPARAM>(p.code), 0);
            if (p.text)
                cApplication::StaticWndProc(nullptr, WM_CHAR, static_cast<WPARAM>(p.text), 0);
            if (p.code && p.letGo)
                cApplication::StaticWndProc(nullptr, WM_KEYUP, static_cast<WPARAM>(p.code), 0);
        }
        platform::NoteHeldModifierKey(0);
        Wait(17);
        state.HandleTextInput(&app);
        EXPECT_EQ(platform::WideToNarrow(world.textEntry), platform::WideToNarrow(c.typed));
        for (const Press& p : c.burst)
            EXPECT_FALSE(p.code && app.IsKeyDown(p.code)) << "each key acted on is taken: " << p.code;
        app.EndKeyFrame();

        // The next frame: nothing new was pressed, so nothing is typed.
        Wait(17);
        state.HandleTextInput(&app);
        EXPECT_EQ(platform::WideToNarrow(world.textEntry), platform::WideToNarrow(c.typed)) << "the next frame";
        app.EndKeyFrame();
    }
}

} // namespace
