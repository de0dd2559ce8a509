// The keys of a main-menu frame. Every key looked at is consumed whether or
// not it does anything here, so a screen sees a press in one frame at most.
#include "frontend/state_menu.h"
#include "platform/win_messages.h"
#include "scene/text_entry.h"
#include "world/game_world.h"

namespace {

constexpr int VK_F9 = VK_F1 + 8;

// Numpad + steps through the three tree kinds the shop plants by hand.
void NextTreeSelection(cGameWorld& world)
{
    if (world.treeSelection == -1)
        world.treeSelection = 101;
    else
        ++world.treeSelection;
    if (world.treeSelection > 103)
        world.treeSelection = 101;
}

} // namespace

void cStateMenu::HandleKeys(iKeySource& keys)
{
    cGameWorld& world = cGameWorld::Instance();
    if (TakeKey(keys, VK_TAB))
        world.keyTab = 1;
    if (TakeKey(keys, VK_ADD))
        NextTreeSelection(world);
    if (world.textEntryActive)
        HandleTextInput(keys);
    for (int key : { 'D', 'S', 'W', 'J' })
        TakeKey(keys, key);
    if (TakeKey(keys, 'U'))
        world.alternateHouse = world.alternateHouse ? 0 : 1;
    TakeKey(keys, 'F');
    if (world.shopOpen)
        TakeKey(keys, VK_F9);
    if (keys.IsHeld(VK_LMENU)) {
        keys.ClearKey(VK_LMENU);
        world.keyLeftAlt = 1;
    } else {
        world.keyLeftAlt = 0;
    }
    if (TakeKey(keys, VK_RETURN))
        world.keyEnter = 1;
    if (TakeKey(keys, VK_ESCAPE)) {
        world.keyEscape = 1;
        world.textEntryActive = 0;
    }
    TakeKey(keys, VK_SPACE);
    if (TakeKey(keys, VK_SNAPSHOT))
        world.menuScreenshotRequest = 1;
}
