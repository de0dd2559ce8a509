// Bonus items and jokers. On grid levels (the first of each triple) they fly
// into a bar at the left edge and wait there to be picked up like a car; on
// every other level a bonus item rises from its cell to the top of the
// screen, and clicking it on the way puts its effect to work.
#include <algorithm>
#include <cstddef>

#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    constexpr int kHudPage = 32;
    constexpr int kJoker = 90;
    constexpr int kBombJoker = 91;
    // Standing items fill the bar from this y down, one slot apart.
    constexpr int kBarSlot = 110;
    constexpr int kRisingSize = 128;
    constexpr int kSlotSize = 90;
    constexpr int kTutorialText = 93;
    constexpr int kJokerTipText = 116;
    constexpr int kBombTipText = 133;
    // The middle of a car's image, where a picked item hangs under the
    // pointer, in design units.
    constexpr int kCarMiddleX = 73;
    constexpr int kCarMiddleY = 66;

    const wchar_t* GuiText(int entry)
    {
        return entry >= 0 && entry < kGuiTextCount ? g_guiVocabulary[entry] : L"";
    }

    bool InSlot(const Screen& screen, const cJoker& item)
    {
        return screen.IsMouseInRect(ScaleX(item.targetX), ScaleY(item.targetY), ScaleX(item.targetX + kSlotSize),
            ScaleY(item.targetY + kSlotSize));
    }

} // namespace

const wchar_t* Hud::BonusImageName(int kind, bool firstOfTriple)
{
    if (firstOfTriple) {
        switch (kind) {
        case 1:
            return L"bonus_1";
        case 2:
            return L"bonus_2";
        case 3:
            return L"bonus_3";
        case 4:
            return L"bonus_4";
        case 5:
            return L"bonus_5";
        case kJoker:
            return L"bonus_joker";
        case kBombJoker:
            return L"bonus_joker_bomb";
        default:
            return nullptr;
        }
    }
    switch (kind) {
    case 4:
        return L"bonus_tank_red";
    case 5:
        return L"bonus_tank_black";
    case 6:
        return L"bonus_tank_green";
    case 7:
        return L"bonus_tank_blue";
    case 8:
        return L"bonus_tank_yellow";
    case 21:
        return L"bonus_update";
    case 41:
        return L"bonus_build_black";
    case 100:
        return L"bonus_kaktus";
    case 101:
        return L"bonus_tree";
    case 102:
        return L"bonus_kaktus_blume";
    case 103:
        return L"bonus_wb";
    case 111:
        return L"bonus_manager1";
    case 112:
        return L"bonus_auto3";
    default:
        return nullptr;
    }
}

void Hud::UseBonusItem(int kind)
{
    cGameWorld& world = cGameWorld::Instance();
    switch (kind) {
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 21:
    case 41:
        world.SpawnAutobahnAuto(1, kind);
        break;
    case 100:
    case 101:
        world.FinishLotBuild();
        break;
    case 102:
        Story::Instance().CallScriptFunction("on_blumen");
        break;
    case 103:
        Story::Instance().CallScriptFunction("on_wbaum");
        break;
    case 111:
        world.AddManager();
        break;
    case 112:
        world.SetParkingAutos(3);
        break;
    default:
        break;
    }
}

void Hud::DrawBonusImage(const wchar_t* name, int x, int y, int alpha)
{
    if (!name)
        return;
    const cGameWorld& world = cGameWorld::Instance();
    pages[kHudPage].DrawImage(name, x, y, 0, 0, world.levelTint[0], world.levelTint[1], world.levelTint[2], alpha);
}

void Hud::DrawJokerTutorial()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world.jokerRequested || world.level != 1 || !world.jokers.empty())
        return;
    // Fainter down the bar; pictures only, nothing here can be picked up.
    DrawBonusImage(L"bonus_joker.png", ScaleX(5), ScaleY(100), 155);
    DrawBonusImage(L"bonus_joker.png", ScaleX(5), ScaleY(220), 125);
    DrawBonusImage(L"bonus_joker.png", ScaleX(5), ScaleY(340), 100);
    DrawShopHelpTinted(1, GuiText(kTutorialText), ScaleX(100), ScaleY(155));
}

void Hud::RepackBonusBar()
{
    cGameWorld& world = cGameWorld::Instance();
    // A held item keeps its slot free until it is dropped or put back.
    if (world.autoOnMouse != -1)
        return;
    int n = 0;
    for (cJoker& item : world.jokers) {
        if (item.step == item.steps)
            item.targetY = kBarSlot + kBarSlot * n++;
    }
}

void Hud::DrawFlyingBonusItem(std::size_t index, bool firstOfTriple)
{
    cGameWorld& world = cGameWorld::Instance();
    cJoker& item = world.jokers[index];
    if (item.timer.Elapsed() > item.speed && !world.IsPaused()) {
        item.step += 1;
        item.timer.Restart();
    }
    const int x = static_cast<int>(static_cast<float>(item.step) * item.stepX + static_cast<float>(item.x));
    const int y = static_cast<int>(static_cast<float>(item.step) * item.stepY + static_cast<float>(item.y));
    const int alpha = item.alphaStart == 255
        ? 255
        : std::min(255,
            static_cast<int>(static_cast<float>(item.step) * item.alphaStep + static_cast<float>(item.alphaStart)));
    const wchar_t* image = BonusImageName(item.item, firstOfTriple);

    // Items flying into the bar are drawn in design pixels and cannot be
    // caught on the way.
    if (firstOfTriple) {
        DrawBonusImage(image, x, y, alpha);
        return;
    }
    // A rising item starts on its cell and so moves in pixels of this screen.
    const int left = x;
    const int top = y;
    // A used item rises on until it is removed, but gives no second effect.
    if (item.used || !IsMouseInRect(left, top, left + ScaleX(kRisingSize), top + ScaleY(kRisingSize))) {
        DrawBonusImage(image, left, top, alpha);
        return;
    }
    DrawBonusImage(image, left, top, 255);
    DrawBonusImage(L"bonus_over", left, top, 255);
    if (world.leftClick) {
        world.leftClick = 0;
        item.used = 1;
        // The effect may add items and so move the list: the item is not
        // touched after this.
        UseBonusItem(item.item);
    }
}

void Hud::DrawStandingBonusItem(std::size_t index, bool firstOfTriple)
{
    cGameWorld& world = cGameWorld::Instance();
    cJoker& item = world.jokers[index];
    // A rising item that reached the top unclicked is gone without effect.
    if (!firstOfTriple) {
        item.used = 1;
        return;
    }
    const int left = ScaleX(item.targetX);
    const int top = ScaleY(item.targetY);
    DrawBonusImage(BonusImageName(item.item, true), left, top, 255);
    // A picked item stays in its slot until the mouse leaves it; it cannot be
    // picked a second time.
    if (item.used || world.autoOnMouse != -1 || !InSlot(*this, item))
        return;
    DrawBonusImage(L"bonus_over_joker", left, top, 255);
    if (item.item == kJoker && world.jokerTipSeen == 0)
        DrawShopHelp(1, GuiText(kJokerTipText), ScaleX(item.targetX + 80), ScaleY(item.targetY + 50));
    if (item.item == kBombJoker && world.bombTipSeen == 0)
        DrawShopHelp(1, GuiText(kBombTipText), ScaleX(item.targetX + 80), ScaleY(item.targetY + 50));
    // Under a menu that pauses the game the slot shows as hovered, but
    // nothing is picked up.
    if (!world.leftDown || world.IsPaused())
        return;
    item.used = 1;
    world.autoOnMouse = item.item;
    world.heldCarItem = Story::Instance().GetAutoColor(item.item);
    world.heldCarVariant = 1;
    // Held like a car, with its middle under the pointer: it lands on the
    // cell the pointer is over, which is the cell it is seen over.
    world.grabOffsetX = ScaleX(kCarMiddleX);
    world.grabOffsetY = ScaleY(kCarMiddleY);
    world.managerBelowLimit = 0;
    if (item.item == kJoker)
        world.jokerTipSeen = 1;
    if (item.item == kBombJoker)
        world.bombTipSeen = 1;
}

void Hud::DrawBonusSlots()
{
    cGameWorld& world = cGameWorld::Instance();
    DrawJokerTutorial();
    if (world.jokers.empty())
        return;
    RepackBonusBar();

    const bool firstOfTriple = cGameWorld::IsFirstLevelOfTriple(world.level);
    // An effect may add items: the length is read anew for each item, and
    // nothing is removed before the pass is over.
    for (std::size_t i = 0; i < world.jokers.size(); ++i) {
        const cJoker& item = world.jokers[i];
        if (item.step < item.steps)
            DrawFlyingBonusItem(i, firstOfTriple);
        else
            DrawStandingBonusItem(i, firstOfTriple);
    }

    // A used item lingers while the mouse is over its slot.
    std::erase_if(world.jokers, [this](const cJoker& item) { return item.used && !InSlot(*this, item); });
}

} // namespace Scene
