// The key and mouse pass of a level frame, and the in-level text entry. To
// consume a key is to clear it in the application's key table, so that a held
// key acts once.
#include <cwchar>

#include "app/application.h"
#include "engine/gfx.h"
#include "platform/keyboard.h"
#include "scene/state_level.h"
#include "scene/text_entry.h"
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

} // namespace

void cStateLevel::HandleKeys(void* application)
{
    ApplicationKeys keys(static_cast<cApplication*>(application));
    HandleKeys(keys);
}

void cStateLevel::HandleKeys(iKeySource& keys)
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
    if (TakeKey(keys, VK_RETURN))
        world.keyEnter = 1;

    if (world.textEntryActive && HandleTextInput(keys))
        return;

    // The arrows and Home; the screens that use them clear them.
    if (TakeKey(keys, VK_LEFT))
        world.keyLeft = 1;
    if (TakeKey(keys, VK_RIGHT))
        world.keyRight = 1;
    if (TakeKey(keys, VK_UP))
        world.keyUp = 1;
    if (TakeKey(keys, VK_DOWN))
        world.keyDown = 1;
    if (TakeKey(keys, VK_HOME))
        world.keyHome = 1;

    if (keys.IsKeyDown(VK_BACK) || keys.IsKeyDown(VK_DELETE)) {
        world.keyErase = 1;
        keys.ClearKey(VK_BACK);
        keys.ClearKey(VK_DELETE);
        return;
    }
    world.keyPageUp = TakeKey(keys, VK_PRIOR) ? 1 : 0;
    world.keyPageDown = TakeKey(keys, VK_NEXT) ? 1 : 0;

    // The first handler that takes its key ends the pass. The keys below
    // without an effect of their own are taken so that no later frame sees
    // them.
    if (TakeKey(keys, VK_F1) || TakeKey(keys, VK_SPACE) || TakeKey(keys, VK_UP) || TakeKey(keys, VK_DOWN))
        return;
    if (TakeKey(keys, VK_F2))
        return;
    // F3 and F4 are left down, and hold back everything after them.
    if (keys.IsKeyDown(VK_F3) || keys.IsKeyDown(VK_F4))
        return;
    for (int f = VK_F5; f <= VK_F10; ++f) {
        if (TakeKey(keys, f))
            return;
    }
    if (TakeKey(keys, VK_TAB))
        world.keyTab = 1;
    if (TakeKey(keys, VK_ESCAPE)) {
        // The head-up display opens its game menu with it, or closes the
        // task book.
        world.keyEscape = 1;
        return;
    }
    world.keyLeftCtrl = keys.IsHeld(VK_LCONTROL) ? 1 : 0;
    for (const char* letter = kLetters; *letter; ++letter) {
        if (TakeKey(keys, *letter))
            return;
    }
    // Print Screen: the picture is taken a few frames later (DrawFrame).
    if (TakeKey(keys, VK_SNAPSHOT)) {
        world.screenshotRequest = 1;
        world.screenshotDelay = 1;
    }
}

void cStateLevel::HandleMouse(void* /*application*/)
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

bool cStateLevel::HandleTextInput(iKeySource& keys)
{
    cGameWorld& world = cGameWorld::Instance();
    const bool shift = keys.IsHeld(VK_SHIFT);
    if (shift && TakeKey(keys, '1')) {
        AppendToTextEntry(world, L'!');
        return true;
    }
    if ((shift && TakeKey(keys, '2')) || (keys.IsHeld(VK_RMENU) && TakeKey(keys, 'Q'))) {
        AppendToTextEntry(world, L'@');
        return true;
    }
    if (shift && TakeKey(keys, VK_OEM_MINUS)) {
        AppendToTextEntry(world, L'_');
        return true;
    }

    const bool russian = keys.IsRussianLayout();
    // Taken, so that a held key types one dash and not one a frame.
    if (TakeKey(keys, VK_OEM_MINUS))
        AppendToTextEntry(world, L'-');

    if (russian) {
        if (const wchar_t letter = TakeRussianLetter(keys)) {
            AppendToTextEntry(world, letter);
            return true;
        }
    } else {
        for (int key = 'A'; key <= 'Z'; ++key) {
            if (TakeKey(keys, key)) {
                AppendToTextEntry(world, static_cast<wchar_t>(shift ? key : key - 'A' + 'a'));
                return true;
            }
        }
    }
    for (int key = '0'; key <= '9'; ++key) {
        if (TakeKey(keys, key)) {
            AppendToTextEntry(world, static_cast<wchar_t>(key));
            return true;
        }
    }
    if (TakeKey(keys, VK_OEM_PERIOD)) {
        AppendToTextEntry(world, L'.');
        return true;
    }
    if (TakeKey(keys, VK_SPACE)) {
        AppendToTextEntry(world, L' ');
        return true;
    }
    if (keys.IsKeyDown(VK_BACK) || keys.IsKeyDown(VK_DELETE)) {
        world.keyErase = 1;
        const std::size_t length = TextEntryLength(world);
        if (length > 0)
            world.textEntry[length - 1] = L'\0';
        keys.ClearKey(VK_BACK);
        keys.ClearKey(VK_DELETE);
        return true;
    }
    return false;
}
