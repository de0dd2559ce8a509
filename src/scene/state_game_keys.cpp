// The key and mouse pass of a level frame, and the in-level text entry. To
// consume a key is to clear it in the application's key table, so that a held
// key acts once.
#include <cwchar>

#include "app/application.h"
#include "engine/gfx.h"
#include "platform/keyboard.h"
#include "scene/state_game.h"
#include "world/game_world.h"
#include "world/world_sizes.h"

namespace {

constexpr int VK_F2 = VK_F1 + 1;
constexpr int VK_F3 = VK_F1 + 2;
constexpr int VK_F4 = VK_F1 + 3;
constexpr int VK_F5 = VK_F1 + 4;
constexpr int VK_F10 = VK_F1 + 9;

// The keys the level takes, in the order it looks at them.
constexpr char kLetters[] = "ABCEGHJKLDFMNOIPRSTUWQXYZ";

// The Russian layout: the key, and the Cyrillic small letter it types as an
// offset from 1032 (U+0408), so 40 is U+0430. The second 0xBC is never
// reached, since the search stops at the first.
struct RussianKey {
    int key;
    int letter;
};
constexpr RussianKey kRussianKeys[] = {
    { 'A', 60 },
    { 'B', 48 },
    { 'C', 57 },
    { 'D', 42 },
    { 'E', 59 },
    { 'F', 40 },
    { 'G', 55 },
    { 'H', 56 },
    { 'I', 64 },
    { 'J', 54 },
    { 'K', 51 },
    { 'L', 44 },
    { 'M', 68 },
    { 'N', 58 },
    { 'O', 65 },
    { 'P', 47 },
    { 'Q', 49 },
    { 'R', 50 },
    { 'S', 67 },
    { 'T', 45 },
    { 'U', 43 },
    { 'V', 52 },
    { 'W', 62 },
    { 'X', 63 },
    { 'Y', 53 },
    { 'Z', 71 },
    { VK_OEM_1, 46 },
    { VK_OEM_COMMA, 41 },
    { VK_OEM_PERIOD, 70 },
    { VK_OEM_3, 73 },
    { VK_OEM_COMMA, 41 },
    { VK_OEM_7, 69 },
    { VK_OEM_6, 66 },
    { VK_OEM_4, 61 },
};
constexpr int kCyrillicBase = 1032;

// The application's key table and the platform's keyboard.
class ApplicationKeys : public iKeySource {
public:
    explicit ApplicationKeys(cApplication* app)
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

// Consumes the key when it is down.
bool Take(iKeySource& keys, int code)
{
    if (!keys.IsKeyDown(code))
        return false;
    keys.ClearKey(code);
    return true;
}

// The longest text the entry may hold: its limit, but never more than its
// buffer has room for beside the terminating zero.
std::size_t EntryCapacity(const cGameWorld& world)
{
    constexpr int kRoom = world::kTextEntryLength - 1;
    const int limit = world.textEntryMax < kRoom ? world.textEntryMax : kRoom;
    return limit > 0 ? static_cast<std::size_t>(limit) : 0;
}

// The entry's length; an entry that fills its whole buffer without a zero
// counts as full.
std::size_t EntryLength(const cGameWorld& world)
{
    return wcsnlen(world.textEntry, world::kTextEntryLength);
}

void Append(cGameWorld& world, wchar_t c)
{
    const std::size_t length = EntryLength(world);
    if (length >= EntryCapacity(world))
        return;
    world.textEntry[length] = c;
    world.textEntry[length + 1] = L'\0';
}

} // namespace

void cStateGame::HandleKeys(void* application)
{
    ApplicationKeys keys(static_cast<cApplication*>(application));
    HandleKeys(keys);
}

void cStateGame::HandleKeys(iKeySource& keys)
{
    cGameWorld& world = cGameWorld::Instance();
    world.keyEnter = 0;
    world.keyTab = 0;
    world.buttonEvent = 0;
    world.keyLeftShift = 0;
    world.keyRightShift = 0;
    world.keyEscape = 0;
    world.keyErase = 0;

    if (keys.IsHeld(VK_LSHIFT)) {
        keys.ClearKey(VK_LSHIFT);
        world.keyLeftShift = 1;
    }
    if (keys.IsHeld(VK_RSHIFT)) {
        keys.ClearKey(VK_RSHIFT);
        world.keyRightShift = 1;
    }
    world.keyLeftAlt = 0;
    if (keys.IsHeld(VK_LMENU)) {
        keys.ClearKey(VK_LMENU);
        world.keyLeftAlt = 1;
    }
    HandleMouse(nullptr);
    if (Take(keys, VK_RETURN))
        world.keyEnter = 1;

    if (world.textEntryActive && HandleTextInput(keys))
        return;

    // The arrows and Home; the screens that use them clear them.
    if (Take(keys, VK_LEFT))
        world.keyLeft = 1;
    if (Take(keys, VK_RIGHT))
        world.keyRight = 1;
    if (Take(keys, VK_UP))
        world.keyUp = 1;
    if (Take(keys, VK_DOWN))
        world.keyDown = 1;
    if (Take(keys, VK_HOME))
        world.keyHome = 1;

    if (keys.IsKeyDown(VK_BACK) || keys.IsKeyDown(VK_DELETE)) {
        world.keyErase = 1;
        keys.ClearKey(VK_BACK);
        keys.ClearKey(VK_DELETE);
        return;
    }
    world.keyPageUp = Take(keys, VK_PRIOR) ? 1 : 0;
    world.keyPageDown = Take(keys, VK_NEXT) ? 1 : 0;

    // The first handler that takes its key ends the pass. The keys below
    // without an effect of their own are taken so that no later frame sees
    // them.
    if (Take(keys, VK_F1) || Take(keys, VK_SPACE) || Take(keys, VK_UP) || Take(keys, VK_DOWN))
        return;
    if (Take(keys, VK_F2))
        return;
    // F3 and F4 are left down, and hold back everything after them.
    if (keys.IsKeyDown(VK_F3) || keys.IsKeyDown(VK_F4))
        return;
    for (int f = VK_F5; f <= VK_F10; ++f) {
        if (Take(keys, f))
            return;
    }
    if (Take(keys, VK_TAB))
        world.keyTab = 1;
    if (Take(keys, VK_ESCAPE)) {
        // The head-up display opens its game menu with it, or closes the
        // task book.
        world.keyEscape = 1;
        return;
    }
    world.keyLeftCtrl = keys.IsHeld(VK_LCONTROL) ? 1 : 0;
    for (const char* letter = kLetters; *letter; ++letter) {
        if (Take(keys, *letter))
            return;
    }
    if (keys.IsHeld(VK_SNAPSHOT))
        keys.ClearKey(VK_SNAPSHOT);
}

void cStateGame::HandleMouse(void* /*application*/)
{
    cGameWorld& world = cGameWorld::Instance();
    world.wheelDown = 0;
    world.wheelUp = 0;
    world.rightDown = 0;
    world.rightClick = 0;
    world.clickEvent = 0;
    world.leftClick = 0;
    iInputDevice* input = g_pInputDevice;
    if (!input) {
        world.leftDown = 0;
        return;
    }
    const int wheel = input->GetWheelDelta();
    if (wheel < 0)
        world.wheelDown = 1;
    else if (wheel > 0)
        world.wheelUp = 1;
    if (input->WasButtonClicked(0)) {
        world.leftClick = 1;
        world.clickEvent = 1;
        world.clickCursor = 1;
    }
    if (input->IsButtonDown(0)) {
        world.leftDown = 1;
        world.clickEvent = 1;
        world.clickCursor = 0;
    } else {
        world.leftDown = 0;
    }
    if (input->WasButtonClicked(1))
        world.rightClick = 1;
    world.rightDown = input->IsButtonDown(1) ? 1 : 0;
}

bool cStateGame::HandleTextInput(iKeySource& keys)
{
    cGameWorld& world = cGameWorld::Instance();
    const bool shift = keys.IsHeld(VK_SHIFT);
    if (shift && Take(keys, '1')) {
        Append(world, L'!');
        return true;
    }
    if ((shift && Take(keys, '2')) || (keys.IsHeld(VK_RMENU) && Take(keys, 'Q'))) {
        Append(world, L'@');
        return true;
    }
    if (shift && Take(keys, VK_OEM_MINUS)) {
        Append(world, L'_');
        return true;
    }

    const bool russian = keys.IsRussianLayout();
    // Taken, so that a held key types one dash and not one a frame.
    if (Take(keys, VK_OEM_MINUS))
        Append(world, L'-');

    if (russian) {
        for (const RussianKey& k : kRussianKeys) {
            if (Take(keys, k.key)) {
                Append(world, static_cast<wchar_t>(kCyrillicBase + k.letter));
                return true;
            }
        }
    } else {
        for (int key = 'A'; key <= 'Z'; ++key) {
            if (Take(keys, key)) {
                Append(world, static_cast<wchar_t>(shift ? key : key - 'A' + 'a'));
                return true;
            }
        }
    }
    for (int key = '0'; key <= '9'; ++key) {
        if (Take(keys, key)) {
            Append(world, static_cast<wchar_t>(key));
            return true;
        }
    }
    if (Take(keys, VK_OEM_PERIOD)) {
        Append(world, L'.');
        return true;
    }
    if (Take(keys, VK_SPACE)) {
        Append(world, L' ');
        return true;
    }
    if (keys.IsKeyDown(VK_BACK) || keys.IsKeyDown(VK_DELETE)) {
        world.keyErase = 1;
        const std::size_t length = EntryLength(world);
        if (length > 0)
            world.textEntry[length - 1] = L'\0';
        keys.ClearKey(VK_BACK);
        keys.ClearKey(VK_DELETE);
        return true;
    }
    return false;
}
