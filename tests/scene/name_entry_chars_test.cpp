// The characters a name typed in the main menu takes, each key pressed as the
// application reports it (the key code, Shift and AltGr as they were, and the
// text the desktop's layout typed with it), through the menu's own entry.
// What the key codes can tell comes from the key table (so Caps Lock and
// Shift on a Russian letter change nothing); what they cannot (an accented
// letter, a letter of another layout) comes from the text; everything else
// is refused. Each key types once.
#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "frontend/state_menu.h"
#include "platform/utf16.h"
#include "platform/win_messages.h"
#include "scene/text_entry.h"
#include "world/game_world.h"

namespace {

struct Stroke {
    int code;
    bool shifted;
    wchar_t text;
    bool altGr = false;
};

// Keys pressed and let go before the frame: still down in the key table
// (a tap lasts until the frame saw it), and in the pressed list with their
// text.
class TappedKeys : public iKeySource {
public:
    TappedKeys(const Stroke& stroke, bool russian)
        : russian(russian)
    {
        pressed.push_back(stroke);
        down.insert(stroke.code);
    }
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override { down.erase(code); }
    bool IsHeld(int) override { return false; }
    bool IsRussianLayout() override { return russian; }
    bool TakePressed(int* code, bool* shifted, bool* altGr, wchar_t* text) override
    {
        if (pressed.empty())
            return false;
        *code = pressed.front().code;
        *shifted = pressed.front().shifted;
        *altGr = pressed.front().altGr;
        *text = pressed.front().text;
        pressed.pop_front();
        return true;
    }

    std::deque<Stroke> pressed;
    std::set<int> down;
    bool russian;
};

struct Case {
    std::wstring what;
    Stroke stroke;
    bool russian;
    std::wstring typed;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (int key = 'A'; key <= 'Z'; ++key) {
        const wchar_t upper = static_cast<wchar_t>(key), lower = static_cast<wchar_t>(key - 'A' + 'a');
        cases.push_back({ L"small " + std::wstring(1, lower), { key, false, lower }, false, { lower } });
        cases.push_back({ L"capital " + std::wstring(1, upper), { key, true, upper }, false, { upper } });
        // Caps Lock: the layout types a capital, the key table a small one.
        cases.push_back({ L"caps lock " + std::wstring(1, upper), { key, false, upper }, false, { lower } });
    }
    for (int key = '0'; key <= '9'; ++key) {
        const wchar_t digit = static_cast<wchar_t>(key);
        cases.push_back({ L"digit " + std::wstring(1, digit), { key, false, digit }, false, { digit } });
    }
    const Case signs[] = {
        { L"!", { '1', true, L'!' }, false, L"!" },
        { L"@ with Shift", { '2', true, L'@' }, false, L"@" },
        { L"@ with AltGr", { 'Q', false, L'@', true }, false, L"@" },
        { L"_", { VK_OEM_MINUS, true, L'_' }, false, L"_" },
        { L"-", { VK_OEM_MINUS, false, L'-' }, false, L"-" },
        { L".", { VK_OEM_PERIOD, false, L'.' }, false, L"." },
        { L"space", { VK_SPACE, false, L' ' }, false, L" " },
        // Refused signs.
        { L",", { VK_OEM_COMMA, false, L',' }, false, L"" },
        { L"/", { VK_OEM_2, false, L'/' }, false, L"" },
        { L";", { VK_OEM_1, false, L';' }, false, L"" },
        { L"'", { VK_OEM_7, false, L'\'' }, false, L"" },
        { L"=", { VK_OEM_PLUS, false, L'=' }, false, L"" },
        { L"`", { VK_OEM_3, false, L'`' }, false, L"" },
        // Letters the key codes cannot tell.
        { L"e acute on the 2 key", { '2', false, L'\u00E9' }, false, L"\u00E9" },
        { L"o umlaut on the ; key", { VK_OEM_1, false, L'\u00F6' }, false, L"\u00F6" },
        { L"Ukrainian i on the S key", { 'S', false, L'\u0456' }, false, L"\u0456" },
        { L"Cyrillic a, layout not Russian", { 'F', false, L'\u0430' }, false, L"\u0430" },
        { L"Cyrillic capital A, layout not Russian", { 'F', true, L'\u0410' }, false, L"\u0410" },
        // The Russian layout's letters come from the key table, small.
        { L"Russian a", { 'F', false, L'\u0430' }, true, L"\u0430" },
        { L"Russian capital A", { 'F', true, L'\u0410' }, true, L"\u0430" },
        { L"Russian be on the comma key", { VK_OEM_COMMA, false, L'\u0431' }, true, L"\u0431" },
        { L"Russian yu on the full stop key", { VK_OEM_PERIOD, true, L'\u042E' }, true, L"\u044E" },
        { L"Russian layout, digit", { '7', false, L'7' }, true, L"7" },
    };
    cases.insert(cases.end(), std::begin(signs), std::end(signs));
    return cases;
}

TEST(NameEntryCharacters, LettersDigitsAndSignsAreTypedOnceOthersRefused)
{
    cGameWorld& world = cGameWorld::Instance();
    cStateMenu menu;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(platform::WideToNarrow(c.what));
        world.ResetToDefaults();
        world.textEntryActive = 1;
        world.textEntryMax = 12;
        TappedKeys keys(c.stroke, c.russian);
        menu.HandleTextInput(keys);
        EXPECT_EQ(std::wstring(world.textEntry), c.typed);
        // The key that typed is taken, so a later frame does not type again.
        if (!c.typed.empty()) {
            EXPECT_TRUE(keys.down.empty());
        }
    }
    world.ResetToDefaults();
}

} // namespace
