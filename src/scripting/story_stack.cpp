// Story methods: the stack. The slots where arriving cars wait, which cars
// may enter them, and the counts the managers and the screens work with. The
// slots themselves and the cars driving into them belong to the world.
#include <algorithm>
#include <vector>

#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

// The screens scan this many slots each frame; no level has more.
constexpr int kMaxStackCounter = 1000;

int FindSlot(int id)
{
    const std::vector<cStackSlot>& slots = cGameWorld::Instance().stackSlots;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

bool EverySlotOccupied()
{
    for (const cStackSlot& slot : cGameWorld::Instance().stackSlots) {
        if (slot.autoType == -1)
            return false;
    }
    return true;
}

} // namespace

void Story::SetStackCoordinateAndDirection(int slot, int x, int y, int direction)
{
    if (Scripting::CheckScriptRoom(L"SetStackCoordinateAndDirection", cGameWorld::Instance().stackSlots.size()))
        cGameWorld::Instance().SetStackCoordinateAndDirection(slot, x, y, direction);
}

void Story::SetToStackCoordinate(int slot, int x, int y)
{
    cGameWorld::Instance().SetToStackCoordinate(slot, x, y);
}

void Story::SetFromStackCoordinate(int slot, int x, int y)
{
    cGameWorld::Instance().SetFromStackCoordinate(slot, x, y);
}

void Story::AddToStack(int slot, int car)
{
    // The world hands the stack to the managers, fills the slot and drives
    // the car in from 30 pixels above it.
    cGameWorld::Instance().AddToStack(slot, car);
}

int Story::GetAutoFromStack(int slot)
{
    const int s = FindSlot(slot);
    return s < 0 ? -1 : cGameWorld::Instance().stackSlots[s].autoType;
}

int Story::StackFree(int slot)
{
    const cGameWorld& world = cGameWorld::Instance();
    // Nothing is free while the cells of the last move wait for their combo
    // search.
    if (world.selectedCount > 0)
        return 0;
    if (world.stackSlots.empty())
        return 1;
    const int s = FindSlot(slot);
    return s >= 0 && world.stackSlots[s].autoType == -1 ? 1 : 0;
}

int Story::GetCurrentStack()
{
    return cGameWorld::Instance().currentStack;
}

void Story::EnableAutoForStack(int autoClass)
{
    if (Scripting::CheckScriptRoom(L"EnableAutoForStack", cGameWorld::Instance().stackAutoClasses.size()))
        cGameWorld::Instance().EnableAutoForStack(autoClass);
}

void Story::EnableAutoTypForStack(int type)
{
    if (Scripting::CheckScriptRoom(L"EnableAutoTypForStack", cGameWorld::Instance().stackAutoTypes.size()))
        cGameWorld::Instance().EnableAutoTypForStack(type);
}

int Story::GetCounterEnableAuto()
{
    return static_cast<int>(cGameWorld::Instance().stackAutoTypes.size());
}

int Story::GetElementEnableAuto(int i)
{
    const std::vector<int>& types = cGameWorld::Instance().stackAutoTypes;
    if (!Scripting::CheckScriptIndex(L"GetElementEnableAuto", i, static_cast<int>(types.size())))
        return -1;
    return types[i];
}

int Story::GetCounterEnableClassAuto()
{
    return static_cast<int>(cGameWorld::Instance().stackAutoClasses.size());
}

int Story::GetElementEnableClassAuto(int i)
{
    const std::vector<int>& classes = cGameWorld::Instance().stackAutoClasses;
    if (!Scripting::CheckScriptIndex(L"GetElementEnableClassAuto", i, static_cast<int>(classes.size())))
        return -1;
    return classes[i];
}

void Story::TakeFromStack(int value)
{
    cGameWorld::Instance().takeFromStack = value;
}

int Story::GetTakeFromStack()
{
    return cGameWorld::Instance().takeFromStack;
}

void Story::StackParameterToTask(int a, int b, int c, int d)
{
    int* params = cGameWorld::Instance().stackTaskParams;
    params[0] = a;
    params[1] = b;
    params[2] = c;
    params[3] = d;
}

void Story::StackCounter(int count, int limit, int flag)
{
    if (!Scripting::CheckScriptCount(L"StackCounter", count, kMaxStackCounter)
        || !Scripting::CheckScriptCount(L"StackCounter", limit, kMaxStackCounter))
        return;
    cGameWorld& world = cGameWorld::Instance();
    world.stackCounter = count;
    world.stackLimit = limit;
    world.stackCounterFlag = static_cast<uint8_t>(flag);
}

bool Story::IsStackFull()
{
    return EverySlotOccupied();
}

bool Story::IsStackEmpty()
{
    for (const cStackSlot& slot : cGameWorld::Instance().stackSlots) {
        if (slot.autoType != -1)
            return false;
    }
    return true;
}

bool Story::IsStackBusy()
{
    const cGameWorld& world = cGameWorld::Instance();
    const bool full = EverySlotOccupied();
    if (!full && world.stackLimit != world.managerCount)
        return true;
    return full;
}

bool Story::HasEnabledAutoType(int type, int& count)
{
    const std::vector<int>& types = cGameWorld::Instance().stackAutoTypes;
    count = static_cast<int>(types.size());
    return std::find(types.begin(), types.end(), type) != types.end();
}

void Story::PutAutoIntoStack(int slot, int car)
{
    const int s = FindSlot(slot);
    if (s < 0)
        return;
    // Unlike AddToStack, the slot's other per-car values, its busy byte and
    // the managers' turn are left as they are.
    cStackSlot& target = cGameWorld::Instance().stackSlots[s];
    target.autoType = car;
    target.state = 2;
    target.timer.Restart();
    target.settleTimer.Restart();
}
