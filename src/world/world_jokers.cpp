// Jokers and bonus items with their flight to a slot of the bar.
#include <algorithm>

#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

constexpr int kJokerKind = 90;
constexpr int kFlightSteps = 100;

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

} // namespace

void cGameWorld::AddJoker(int count)
{
    if (!world::CheckCount(L"cGameWorld::AddJoker", count))
        return;
    for (int n = 0; n < count; ++n) {
        const int slotY = 110 * static_cast<int>(jokers.size()) + 110;
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
    const int slotY = 110 * static_cast<int>(jokers.size()) + 110;
    jokers.push_back(MakeFlight(autoOnMouse, mouseX, mouseY - 50, 0, slotY, 0.0));
}

void cGameWorld::AddSpecAuto(int row, int column, int type)
{
    if (!world::CheckCell(L"cGameWorld::AddSpecAuto", row, column))
        return;
    const int x = std::max(0, cellX[row][column] + 50);
    const int y = cellY[row][column] + 50;
    // Grid levels collect the item in the bar; elsewhere it rises and fades.
    if (IsFirstLevelOfTriple(level)) {
        const int slotY = 100 * static_cast<int>(jokers.size()) + 100;
        jokers.push_back(MakeFlight(type, x, y, 0, slotY, 0.0));
    } else {
        // Rising from the cell, in pixels of this screen like the cell.
        const int top = static_cast<int>(60 / cSettings::Instance().scaleY);
        jokers.push_back(MakeFlight(type, x, y, x, top, 0.017));
    }
}
