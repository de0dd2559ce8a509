// The parking area, the managers at the stack and the queue of lots waiting
// to be built.
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

constexpr int kBuiltFundament = 56;
constexpr int kBuiltDirection = 9;
constexpr int kBuildEffect = 11;

// Whether stack slot `id` waits for a car. Nothing counts as free while the
// changed cells still wait for their combo search.
bool StackSlotFree(const cGameWorld& w, int id)
{
    if (w.selectedCount > 0)
        return false;
    if (w.stackSlots.empty())
        return true;
    const int s = world::FindFirst(w.stackSlots, [&](const cStackSlot& slot) { return slot.id == id; });
    return s >= 0 && w.stackSlots[s].autoType == -1;
}

} // namespace

void cGameWorld::SetParkingAutos(int count)
{
    parkingAutos = count;
}

void cGameWorld::CheckParkingFull()
{
    if (autoOnMouse != -1 || !transfers.empty() || takeFromStack == 0)
        return;
    int free = 0;
    for (int s = 1; s <= parkingAutos; ++s) {
        if (StackSlotFree(*this, s))
            ++free;
    }
    if (free == parkingAutos)
        Story::Instance().CallScriptFunction("on_fill_parking_place");
}

void cGameWorld::AddManager()
{
    if (managerCount >= stackLimit)
        return;
    managerCount += 1;
    // At the limit the managers keep the stack to themselves.
    if (managerCount == stackLimit)
        managerBelowLimit = 0;
    Story::Instance().CallScriptFunction("add_manager");
}

void cGameWorld::SetLotForBuild(int row, int column)
{
    if (!world::CheckCell(L"cGameWorld::SetLotForBuild", row, column))
        return;
    cBuildLot lot;
    lot.row = row;
    lot.column = column;
    lot.pending = 1;
    buildLots.push_back(lot);
}

void cGameWorld::FinishLotBuild()
{
    const int i = world::FindFirst(buildLots, [](const cBuildLot& lot) { return lot.pending == 1; });
    if (i < 0)
        return;
    buildLots[i].pending = 0;
    const int row = buildLots[i].row;
    const int column = buildLots[i].column;
    lastLotRow = row;
    lastLotColumn = column;
    Story::Instance().CallScriptFunction("ok_saw");
    CreateFundament(kBuiltFundament, row, column, kBuiltDirection, -1);
    CreatePlace(0, row, column, kBuiltDirection);
    SetColor(row, column, 0);
    PlayEffectSound("gong"); // sound code 16
    // 10 design units above and left of the cell, on this screen's scale.
    const cSettings& settings = cSettings::Instance();
    CreateMyEffects(-1, kBuildEffect, 0, 0.036f, cellX[row][column] - static_cast<int>(10.0f / settings.scaleX),
        cellY[row][column] - static_cast<int>(10.0f / settings.scaleY), row, column);
}
