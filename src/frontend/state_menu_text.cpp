// Typing a name in the main menu: key presses become characters of the
// world's text entry, from the virtual-key codes of the application. The keys
// pressed since the last frame are typed first, in the order pressed, so a
// quick typist loses no letter to a slow frame; then the key table's. A key
// that is acted on is cleared in the table, so each press types once. Letters
// the key codes cannot tell (accented letters, a layout's own letters) come
// from the system's text input that goes with the key.
#include <algorithm>
#include <cwchar>
#include <iterator>

#include "app/application.h"
#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/state_menu.h"
#include "platform/keyboard.h"
#include "platform/time_source.h"
#include "platform/win_messages.h"
#include "scene/text_entry.h"
#include "world/game_world.h"
#include "world/world_sizes.h"

void cStateMenu::HandleTextInput(void* application)
{
    ApplicationKeys keys(static_cast<cApplication*>(application));
    HandleTextInput(keys);
}

namespace {

// One pressed key seen as the only key down, with Shift and AltGr as they
// were when the key went down; the rest asked of the keys.
class PressedKey : public iKeySource {
public:
    PressedKey(iKeySource& keys, int code, bool shifted, bool altGr)
        : keys(keys)
        , code(code)
        , shifted(shifted)
        , altGr(altGr)
    {
    }
    bool IsKeyDown(int c) override { return c == code && !taken; }
    void ClearKey(int c) override
    {
        taken = taken || c == code;
        keys.ClearKey(c);
    }
    bool IsHeld(int c) override
    {
        if (c == VK_SHIFT)
            return shifted;
        return c == VK_RMENU ? altGr : keys.IsHeld(c);
    }
    bool IsRussianLayout() override { return keys.IsRussianLayout(); }

private:
    iKeySource& keys;
    int code;
    bool shifted;
    bool altGr;
    bool taken = false;
};

// A letter the system typed that the key table cannot (an accented letter, a
// letter of a layout's own key, one made with a dead key): typed as it came,
// where every font of the game can draw it, else refused with a word on the
// name field. The key it came with types nothing of its own then.
bool TypeLetterOfTheLayout(iKeySource& keys, int code, wchar_t text)
{
    if (!text || !IsLetter(text) || TypedByKeyTable(text, keys.IsRussianLayout()))
        return false;
    if (code)
        keys.ClearKey(code);
    cGameWorld& world = cGameWorld::Instance();
    const bool drawn = std::all_of(std::begin(g_fonts), std::end(g_fonts),
        [text](iGfxFont* font) { return !font || font->CanDraw(text); });
    if (drawn)
        AppendToTextEntry(world, text);
    else
        world.textEntryRefusedAt = platform::NowMilliseconds();
    return true;
}

} // namespace

void cStateMenu::HandleTextInput(iKeySource& keys)
{
    int code = 0;
    bool shifted = false;
    bool altGr = false;
    wchar_t text = 0;
    while (keys.TakePressed(&code, &shifted, &altGr, &text)) {
        if (TypeLetterOfTheLayout(keys, code, text) || !code)
            continue;
        PressedKey pressed(keys, code, shifted, altGr);
        TypeKeys(pressed);
    }
    TypeKeys(keys);
}

void cStateMenu::TypeKeys(iKeySource& keys)
{
    cGameWorld& world = cGameWorld::Instance();
    const bool shift = keys.IsHeld(VK_SHIFT);
    if (shift && TakeKey(keys, '1')) {
        AppendToTextEntry(world, L'!');
        return;
    }
    if (shift && TakeKey(keys, '2'))
        AppendToTextEntry(world, L'@');
    if (keys.IsHeld(VK_RMENU) && TakeKey(keys, 'Q'))
        AppendToTextEntry(world, L'@');
    if (shift && TakeKey(keys, VK_OEM_MINUS))
        AppendToTextEntry(world, L'_');

    const bool russian = keys.IsRussianLayout();
    if (TakeKey(keys, VK_OEM_MINUS))
        AppendToTextEntry(world, L'-');

    if (russian) {
        if (const wchar_t letter = TakeRussianLetter(keys)) {
            AppendToTextEntry(world, letter);
            return;
        }
    } else {
        for (int key = 'A'; key <= 'Z'; ++key) {
            if (TakeKey(keys, key)) {
                AppendToTextEntry(world, static_cast<wchar_t>(shift ? key : key - 'A' + 'a'));
                return;
            }
        }
    }
    for (int key = '0'; key <= '9'; ++key) {
        if (TakeKey(keys, key))
            AppendToTextEntry(world, static_cast<wchar_t>(key));
    }
    if (TakeKey(keys, VK_OEM_PERIOD))
        AppendToTextEntry(world, L'.');
    if (TakeKey(keys, VK_SPACE))
        AppendToTextEntry(world, L' ');
    if (keys.IsKeyDown(VK_BACK) || keys.IsKeyDown(VK_DELETE)) {
        const std::size_t length = TextEntryLength(world);
        if (length > 0)
            world.textEntry[length - 1] = L'\0';
        keys.ClearKey(VK_BACK);
        keys.ClearKey(VK_DELETE);
    }
}
