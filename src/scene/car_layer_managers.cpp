// The managers' moves out of the stack and the cars sliding between two
// points: to a place, back to the road, onto a grid cell. A moved car only
// counts for combos once its slide has arrived. The grid cars themselves are
// in car_layer_managers_grid.cpp.
#include <algorithm>
#include <vector>

#include "scene/car_layer.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr double kFrameCounterSeconds = 0.016;
    constexpr int kFrameCounterWrap = 60;
    // Cars sliding to a place are drawn this far lower, onto the place.
    constexpr int kPlaceDrop = 15;

    void AdvanceFrameCounter(cStackSlot& slot)
    {
        if (slot.frameTimer.Elapsed() <= kFrameCounterSeconds)
            return;
        slot.frameTimer.Restart();
        if (++slot.frameCounter > kFrameCounterWrap)
            slot.frameCounter = 0;
    }

    // The player takes the stack; the managers' count starts again.
    void HandStackToPlayer(cGameWorld& world)
    {
        world.managerBelowLimit = 1;
        world.managerMoves = 0;
    }

    // One step of the slide when its step time has passed; the screen point
    // of the car, without the drop onto a place.
    void StepTransfer(cTransfer& transfer, bool paused)
    {
        if (!paused && transfer.timer.Elapsed() > transfer.interval) {
            ++transfer.step;
            transfer.timer.Restart();
        }
    }

    bool Finished(const cTransfer& transfer)
    {
        return transfer.step >= transfer.steps;
    }
} // namespace

void CarLayer::UpdateTransfer()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.IsPaused() || !world.levelActive || world.taskBookOpen || world.managerBelowLimit)
        return;
    const bool firstOfTriple = cGameWorld::IsFirstLevelOfTriple(world.level);
    if (world.stackLimit != world.managerCount && world.managerMoves >= world.managerCount && !firstOfTriple)
        return;
    if (cSettings::Instance().developerMode || world.autoOnMouse != -1)
        return;
    if (world.profi == 1 && TransferByHints())
        return;

    Story& story = Story::Instance();
    for (size_t i = 0; i < world.stackSlots.size(); ++i) {
        cStackSlot& slot = world.stackSlots[i];
        AdvanceFrameCounter(slot);
        if (slot.busy)
            continue;
        world.workingAuto = slot.autoType;
        if (slot.autoType == -1)
            continue;
        const int colour = story.GetAutoColor(slot.autoType);
        world.currentStack = slot.id;
        // The grid levels pour their stack onto the cells instead.
        if (firstOfTriple)
            continue;
        const int place = PickPlaceForKind(colour);
        if (place == -1) {
            if (world.transfers.empty()) {
                HandStackToPlayer(world);
                return;
            }
            continue;
        }
        if (SendStackCarToPlace(static_cast<int>(i), place, colour))
            return;
    }
    if (!world.managerBelowLimit && world.transfers.empty())
        HandStackToPlayer(world);
}

bool CarLayer::SendStackCarToPlace(int slotIndex, int place, int colour)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(slotIndex, world.stackSlots.size()) || !world::IsIndex(place, world.places.size()))
        return false;
    cStackSlot& slot = world.stackSlots[slotIndex];
    world.SetPlaceAuto(place, slot.autoType);
    world.PutAutoOnPlace(place, colour, 0);
    // PutAutoOnPlace replaces an older record of the place; the new one is
    // always the last.
    if (world.placeAutos.empty() || world.placeAutos.back().place != place)
        return false;
    const int record = static_cast<int>(world.placeAutos.size()) - 1;
    cPlaceAuto& car = world.placeAutos[record];
    car.arriving = 1;
    const cSettings& settings = cSettings::Instance();
    world.StartTransferFromPlace(record, slot.x, slot.y, static_cast<int>(static_cast<float>(car.x) * settings.scaleX),
        static_cast<int>(static_cast<float>(car.y) * settings.scaleY));
    Story::Instance().PlaySound("transfer");
    slot.autoType = -1;
    ++world.managerMoves;
    return world.managerMoves >= world.managerCount;
}

bool CarLayer::TransferByHints()
{
    cGameWorld& world = cGameWorld::Instance();
    Story& story = Story::Instance();
    const int hints = std::min(world.hintCount, world::kHints);
    for (int k = 0; k < hints; ++k) {
        for (size_t i = 0; i < world.stackSlots.size(); ++i) {
            cStackSlot& slot = world.stackSlots[i];
            AdvanceFrameCounter(slot);
            if (slot.busy)
                continue;
            world.workingAuto = slot.autoType;
            if (slot.autoType == -1 || world.GetAutoTypeClass(slot.autoType) != world.hintClass[k])
                continue;
            world.currentStack = slot.id;
            const int place = world.hintIndex[k];
            if (!world::IsIndex(place, world.places.size()))
                break;
            if (SendStackCarToPlace(static_cast<int>(i), place, story.GetAutoColor(slot.autoType)))
                return true;
            // The hint's place now waits for this car; a second car sent
            // there would replace its record, and the first would be lost.
            break;
        }
    }
    return false;
}

void CarLayer::DrawSlidingCar(const cTransfer& transfer, int drop)
{
    const cSettings& settings = cSettings::Instance();
    const int x
        = static_cast<int>(static_cast<float>(transfer.fromX) + static_cast<float>(transfer.step) * transfer.stepX);
    const int y
        = static_cast<int>(static_cast<float>(transfer.fromY) + static_cast<float>(transfer.step) * transfer.stepY)
        + drop;
    DrawTinted(kCarPage, CarImageName(transfer.autoType, transfer.variant, L".png"),
        static_cast<int>(static_cast<float>(x) / settings.scaleX),
        static_cast<int>(static_cast<float>(y) / settings.scaleY), 255);
}

void CarLayer::DrawTransfersToPlaces()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool paused = world.IsPaused();
    for (cTransfer& transfer : world.transfers) {
        StepTransfer(transfer, paused);
        if (transfer.step != transfer.steps)
            DrawSlidingCar(transfer, kPlaceDrop);
    }
    // While the player holds the stack the arrived cars wait on their way.
    if (world.managerBelowLimit)
        return;
    for (size_t i = 0; i < world.transfers.size();) {
        if (!Finished(world.transfers[i])) {
            ++i;
            continue;
        }
        const int place = world.transfers[i].source;
        world.transfers.erase(world.transfers.begin() + static_cast<std::ptrdiff_t>(i));
        const int record
            = world::FindFirst(world.placeAutos, [&](const cPlaceAuto& car) { return car.place == place; });
        if (record < 0)
            continue;
        cPlaceAuto& car = world.placeAutos[record];
        car.arriving = 0;
        car.inService = 1;
        car.settling = 1;
        car.settleStep = 0;
        ResetCarLamp(place);
        // A broken place serves no combo.
        if (world::IsIndex(place, world.places.size()) && world.places[place].state != 2) {
            const cPlaceAuto& arrived = world.placeAutos[record];
            if (world.AddSelectedCell(place, arrived.row, arrived.column))
                world.lastPlacedCarType = arrived.autoType;
        }
    }
}

void CarLayer::DrawTransfers()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool paused = world.IsPaused();
    for (cTransfer& transfer : world.roadTransfers) {
        StepTransfer(transfer, paused);
        if (transfer.step != transfer.steps)
            DrawSlidingCar(transfer, 0);
    }
    std::erase_if(world.roadTransfers, Finished);
}

void CarLayer::DrawTransfersToFundaments()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool paused = world.IsPaused();
    for (cTransfer& transfer : world.transfers) {
        StepTransfer(transfer, paused);
        if (transfer.step != transfer.steps)
            DrawSlidingCar(transfer, 0);
    }
    for (size_t i = 0; i < world.transfers.size();) {
        if (!Finished(world.transfers[i])) {
            ++i;
            continue;
        }
        const cTransfer arrived = world.transfers[i];
        world.transfers.erase(world.transfers.begin() + static_cast<std::ptrdiff_t>(i));
        if (!world::IsIndex(arrived.source, world.fundaments.size()))
            continue;
        cFundament& cell = world.fundaments[arrived.source];
        cell.autoType = arrived.autoType;
        cell.alpha = 255;
        cell.hidden = 0;
        cell.bounce = 0;
        cell.carArriving = 0;
        if (arrived.autoType != -1 && world.AddSelectedCell(arrived.source, cell.row, cell.column))
            world.lastPlacedCarType = arrived.autoType;
    }
}

} // namespace Scene
