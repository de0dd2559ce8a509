#include "scene/text_entry.h"

#include <locale.h>
#include <wctype.h>

#include <cwchar>

#include "app/application.h"
#include "platform/keyboard.h"
#include "platform/win_messages.h"
#include "world/game_world.h"
#include "world/world_sizes.h"

namespace {

// The Russian layout: the key and the small Cyrillic letter it types,
// searched in this order.
struct RussianKey {
    int key;
    wchar_t letter;
};
constexpr RussianKey kRussianKeys[] = {
    { 'A', L'\u0444' },
    { 'B', L'\u0438' },
    { 'C', L'\u0441' },
    { 'D', L'\u0432' },
    { 'E', L'\u0443' },
    { 'F', L'\u0430' },
    { 'G', L'\u043F' },
    { 'H', L'\u0440' },
    { 'I', L'\u0448' },
    { 'J', L'\u043E' },
    { 'K', L'\u043B' },
    { 'L', L'\u0434' },
    { 'M', L'\u044C' },
    { 'N', L'\u0442' },
    { 'O', L'\u0449' },
    { 'P', L'\u0437' },
    { 'Q', L'\u0439' },
    { 'R', L'\u043A' },
    { 'S', L'\u044B' },
    { 'T', L'\u0435' },
    { 'U', L'\u0433' },
    { 'V', L'\u043C' },
    { 'W', L'\u0446' },
    { 'X', L'\u0447' },
    { 'Y', L'\u043D' },
    { 'Z', L'\u044F' },
    { VK_OEM_1, L'\u0436' },
    { VK_OEM_COMMA, L'\u0431' },
    { VK_OEM_PERIOD, L'\u044E' },
    { VK_OEM_3, L'\u0451' },
    { VK_OEM_7, L'\u044D' },
    { VK_OEM_6, L'\u044A' },
    { VK_OEM_4, L'\u0445' },
};

} // namespace

bool ApplicationKeys::IsKeyDown(int code)
{
    return app && app->IsKeyDown(code);
}

void ApplicationKeys::ClearKey(int code)
{
    if (app)
        app->ClearKey(code);
}

bool ApplicationKeys::TakePressed(int* code, bool* shifted, bool* altGr, wchar_t* text)
{
    return app && app->TakePressedKey(code, shifted, altGr, text);
}

bool ApplicationKeys::IsHeld(int code)
{
    return (platform::GetKeyState(code) & 0xF000) != 0;
}

bool ApplicationKeys::IsRussianLayout()
{
    return platform::IsRussianKeyboardLayout();
}

bool TakeKey(iKeySource& keys, int code)
{
    if (!keys.IsKeyDown(code))
        return false;
    keys.ClearKey(code);
    return true;
}

wchar_t TakeRussianLetter(iKeySource& keys)
{
    for (const RussianKey& k : kRussianKeys) {
        if (TakeKey(keys, k.key))
            return k.letter;
    }
    return 0;
}

std::size_t TextEntryLength(const cGameWorld& world)
{
    return wcsnlen(world.textEntry, world::kTextEntryLength);
}

void AppendToTextEntry(cGameWorld& world, wchar_t c)
{
    constexpr int kRoom = world::kTextEntryLength - 1;
    const int limit = world.textEntryMax < kRoom ? world.textEntryMax : kRoom;
    const std::size_t length = TextEntryLength(world);
    if (limit <= 0 || length >= static_cast<std::size_t>(limit))
        return;
    world.textEntry[length] = c;
    world.textEntry[length + 1] = L'\0';
}

bool IsLetter(wchar_t c)
{
    // The program's own locale is "C", which knows only ASCII letters.
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!utf8)
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c >= 0xC0;
    return iswalpha_l(static_cast<wint_t>(c), utf8) != 0;
}

bool TypedByKeyTable(wchar_t c, bool russianLayout)
{
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'))
        return true;
    return russianLayout && c >= 0x0400 && c <= 0x04FF;
}
