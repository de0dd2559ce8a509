// Typing a name in the main menu: key presses become characters of the
// world's text entry, one frame at a time, from the virtual-key codes of the
// application's key table. A key that is acted on is cleared there, so each
// press types once.
#include <cwchar>

#include "app/application.h"
#include "frontend/state_menu.h"
#include "platform/keyboard.h"
#include "platform/win_messages.h"
#include "scene/state_game.h"
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

class MenuKeys : public iKeySource {
public:
    explicit MenuKeys(cApplication* app)
        : app(app)
    {
    }
    bool IsKeyDown(int code) override { return app && app->IsKeyDown(code); }
    void ClearKey(int code) override
    {
        if (app)
            app->ClearKey(code);
    }
    bool IsHeld(int code) override { return (platform::GetKeyState(code) & 0xF000) != 0; }
    bool IsRussianLayout() override { return platform::IsRussianKeyboardLayout(); }

private:
    cApplication* app;
};

bool Take(iKeySource& keys, int code)
{
    if (!keys.IsKeyDown(code))
        return false;
    keys.ClearKey(code);
    return true;
}

std::size_t Length(const cGameWorld& world)
{
    return wcsnlen(world.textEntry, world::kTextEntryLength);
}

// Appends when the text is shorter than its limit; the limit never passes
// the buffer's room beside the terminating zero.
void Append(cGameWorld& world, wchar_t c)
{
    constexpr int kRoom = world::kTextEntryLength - 1;
    const int limit = world.textEntryMax < kRoom ? world.textEntryMax : kRoom;
    const std::size_t length = Length(world);
    if (limit <= 0 || length >= static_cast<std::size_t>(limit))
        return;
    world.textEntry[length] = c;
    world.textEntry[length + 1] = L'\0';
}

} // namespace

void cStateMenu::HandleTextInput(void* application)
{
    MenuKeys keys(static_cast<cApplication*>(application));
    HandleTextInput(keys);
}

void cStateMenu::HandleTextInput(iKeySource& keys)
{
    cGameWorld& world = cGameWorld::Instance();
    const bool shift = keys.IsHeld(VK_SHIFT);
    if (shift && Take(keys, '1')) {
        Append(world, L'!');
        return;
    }
    if (shift && Take(keys, '2'))
        Append(world, L'@');
    if (keys.IsHeld(VK_RMENU) && Take(keys, 'Q'))
        Append(world, L'@');
    if (shift && Take(keys, VK_OEM_MINUS))
        Append(world, L'_');

    const bool russian = keys.IsRussianLayout();
    if (Take(keys, VK_OEM_MINUS))
        Append(world, L'-');

    if (russian) {
        for (const RussianKey& k : kRussianKeys) {
            if (Take(keys, k.key)) {
                Append(world, k.letter);
                return;
            }
        }
    } else {
        for (int key = 'A'; key <= 'Z'; ++key) {
            if (Take(keys, key)) {
                Append(world, static_cast<wchar_t>(shift ? key : key - 'A' + 'a'));
                return;
            }
        }
    }
    for (int key = '0'; key <= '9'; ++key) {
        if (Take(keys, key))
            Append(world, static_cast<wchar_t>(key));
    }
    if (Take(keys, VK_OEM_PERIOD))
        Append(world, L'.');
    if (Take(keys, VK_SPACE))
        Append(world, L' ');
    if (keys.IsKeyDown(VK_BACK) || keys.IsKeyDown(VK_DELETE)) {
        const std::size_t length = Length(world);
        if (length > 0)
            world.textEntry[length - 1] = L'\0';
        keys.ClearKey(VK_BACK);
        keys.ClearKey(VK_DELETE);
    }
}
