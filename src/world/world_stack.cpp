// The stack: the slots where cars queue, and the cars driving into them.
#include <algorithm>

#include "resources/log.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace {

// Cars drive into a slot from above it; a slot y beyond any screen is pulled
// in so that the drive's start stays a number.
constexpr int kMaxSlotY = 1000000;

int FindSlot(const cGameWorld& w, int id)
{
    return world::FindFirst(w.stackSlots, [&](const cStackSlot& s) { return s.id == id; });
}

} // namespace

void cGameWorld::SetStackCoordinateAndDirection(int id, int x, int y, int direction)
{
    if (y < -kMaxSlotY || y > kMaxSlotY) {
        cLog::Instance().Warning(
            L"cGameWorld::SetStackCoordinateAndDirection -> y %d of slot %d lies off any screen, clamped", y, id);
        y = std::clamp(y, -kMaxSlotY, kMaxSlotY);
    }
    cStackSlot slot;
    slot.id = id;
    slot.autoType = -1;
    slot.x = x;
    slot.y = y;
    slot.direction = direction;
    slot.state = 1;
    slot.timer.Restart();
    slot.settleTimer.Restart();
    slot.frameTimer.Restart();
    slot.timerA.Restart();
    slot.timerB.Restart();
    slot.timerC.Restart();
    stackSlots.push_back(slot);
}

void cGameWorld::SetToStackCoordinate(int id, int x, int y)
{
    const int s = FindSlot(*this, id);
    if (s < 0)
        return;
    stackSlots[s].toX = x;
    stackSlots[s].toY = y;
}

void cGameWorld::SetFromStackCoordinate(int id, int x, int y)
{
    const int s = FindSlot(*this, id);
    if (s < 0)
        return;
    stackSlots[s].fromX = x;
    stackSlots[s].fromY = y;
}

void cGameWorld::AddToStack(int slot, int autoType)
{
    // The managers take their turn at the stack, unless they are at their
    // limit or the grid levels pour the stack themselves. While a transfer
    // runs the hand-over is left alone, or the level would freeze.
    if (stackLimit != managerCount && !IsFirstLevelOfTriple(level) && transfers.empty())
        managerBelowLimit = 1;

    const int s = FindSlot(*this, slot);
    if (s < 0) {
        cLog::Instance().Error(L"cGameWorld::AddToStack -> stack slot %d does not exist", slot);
        return;
    }
    cStackSlot& target = stackSlots[s];
    target.autoType = autoType;
    target.state = 2;
    target.settleStep = 0;
    target.frameCounter = 0;
    target.settling = 0;
    target.flagB = 0;
    target.timer.Restart();
    target.settleTimer.Restart();
    target.frameTimer.Restart();
    const int x = target.x;
    const int y = target.y;
    DriveAutoIntoStack(slot, x, y - 30, x, y);
}

void cGameWorld::DriveAutoIntoStack(int slot, int x1, int y1, int x2, int y2)
{
    const int s = FindSlot(*this, slot);
    if (s < 0) {
        cLog::Instance().Error(L"cGameWorld::DriveAutoIntoStack -> stack slot %d does not exist", slot);
        return;
    }
    stackSlots[s].busy = 1;
    cAutobahnAuto car;
    car.state = 5;
    car.autoType = stackSlots[s].autoType;
    car.kind = stackSlots[s].direction;
    car.target = slot;
    car.pathX = {x1, x2};
    car.pathY = {y1, y2};
    car.x = static_cast<float>(x1);
    car.y = static_cast<float>(y1);
    car.counter = 0;
    car.stepTimer.Restart();
    stackCars.push_back(car);
}
