// Jokers and bonus items with their flight to a slot of the bar, and the car
// on the mouse going back where it came from.
#include <algorithm>
#include <vector>

#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

constexpr int kJokerKind = 90;
constexpr int kBombKind = 91;
constexpr int kFlightSteps = 100;
// The road the cars sent away drive off on.
constexpr int kMainRoadId = 1;

cJoker MakeFlight(int item, int x, int y, int targetX, int targetY, double speed)
{
    cJoker j;
    j.item = item;
    j.x = x;
    j.y = y;
    j.targetX = targetX;
    j.targetY = targetY;
    j.steps = kFlightSteps;
    j.step = 0;
    j.stepX = static_cast<float>(targetX - x) / kFlightSteps;
    j.stepY = static_cast<float>(targetY - y) / kFlightSteps;
    j.alpha = 255;
    j.alphaStart = 255;
    j.alphaStep = 2.55f;
    j.speed = speed;
    j.used = 0;
    j.timer.Restart();
    return j;
}

// A flight into the bar's slot at design y slotY. The item starts where it is
// seen, in pixels of this screen, so it flies to where the slot is drawn on
// this screen and lands there without a jump; the target stays the slot's
// design position, which the bar keeps for the standing item.
cJoker MakeBarFlight(int item, int x, int y, int slotY)
{
    cJoker j = MakeFlight(item, x, y, 0, static_cast<int>(slotY / cSettings::Instance().scaleY), 0.0);
    j.targetY = slotY;
    return j;
}

// The design y of the bar's slot after the items already in the list.
int NextSlotY(const std::vector<cJoker>& items)
{
    return 110 * static_cast<int>(items.size()) + 110;
}

// A held car of a station level back where it came from: one from the stack
// stands in its slot again while the slot is still free; one from the road,
// or one whose slot a new car has taken meanwhile, slides back to the road
// from where it is seen, as a dropped car does, but the player dropped
// nothing and pays nothing.
void ReturnStationCar(cGameWorld& w, int type)
{
    if (!w.carFromRoad) {
        const int slot = world::FindFirst(w.stackSlots, [&](const cStackSlot& s) { return s.id == w.currentStack; });
        if (slot >= 0 && w.stackSlots[slot].autoType == -1) {
            w.stackSlots[slot].autoType = type;
            return;
        }
    }
    int mouseX = 0;
    int mouseY = 0;
    cGameWorld::GetMousePosition(mouseX, mouseY);
    const cSettings& settings = cSettings::Instance();
    const int fromX = static_cast<int>(static_cast<float>(mouseX - w.grabOffsetX) * settings.scaleX);
    const int fromY = static_cast<int>(static_cast<float>(mouseY - w.grabOffsetY) * settings.scaleY);
    const int road = world::FindFirst(w.autobahnRoads, [](const cAutobahnRoad& r) { return r.id == kMainRoadId; });
    const cAutobahnRoad none;
    const cAutobahnRoad& target = road < 0 ? none : w.autobahnRoads[road];
    w.StartTransfer(type, fromX, fromY, target.endX, target.endY);
}

} // namespace

void cGameWorld::AddJoker(int count)
{
    if (!world::CheckCount(L"cGameWorld::AddJoker", count))
        return;
    for (int n = 0; n < count; ++n) {
        const int slotY = NextSlotY(jokers);
        cJoker j;
        j.item = kJokerKind;
        j.x = j.targetX = 0;
        j.y = j.targetY = slotY;
        j.step = j.steps = 1;
        j.alpha = j.alphaStart = 255;
        j.speed = 0.0;
        j.used = 0;
        j.timer.Restart();
        jokers.push_back(j);
    }
}

void cGameWorld::AddJokerSlot()
{
    int mouseX = 0;
    int mouseY = 0;
    GetMousePosition(mouseX, mouseY);
    jokers.push_back(MakeBarFlight(autoOnMouse, mouseX, mouseY - 50, NextSlotY(jokers)));
}

void cGameWorld::PutBackHeldCar()
{
    const int held = autoOnMouse;
    if (held == -1)
        return;
    if (drawStation != 0) {
        ReturnStationCar(*this, held);
        autoOnMouse = -1;
        carFromRoad = 0;
        carFromRoadAux = 0;
        return;
    }
    if (world::IsIndex(swapSource, fundaments.size())) {
        cFundament& source = fundaments[swapSource];
        source.autoType = held;
        source.alpha = 255;
    } else if ((held == kJokerKind || held == kBombKind) && IsFirstLevelOfTriple(level)) {
        AddJokerSlot();
    }
    swapSource = -1;
    autoOnMouse = -1;
    stackMovedToGrid = 1;
    managerBelowLimit = 1;
}

void cGameWorld::AddSpecAuto(int row, int column, int type)
{
    if (!world::CheckCell(L"cGameWorld::AddSpecAuto", row, column))
        return;
    const int x = std::max(0, cellX[row][column] + 50);
    const int y = cellY[row][column] + 50;
    // Grid levels collect the item in the bar; elsewhere it rises and fades.
    // The bar's slots are 110 apart, so an item aims at the one it will
    // stand in.
    if (IsFirstLevelOfTriple(level)) {
        jokers.push_back(MakeBarFlight(type, x, y, NextSlotY(jokers)));
    } else {
        // Rising from the cell, in pixels of this screen like the cell.
        const int top = static_cast<int>(60 / cSettings::Instance().scaleY);
        jokers.push_back(MakeFlight(type, x, y, x, top, 0.017));
    }
}
