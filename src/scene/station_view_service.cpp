// What each station element shows and does while a car stands on it: idle
// with its lamp, serving, building, upgrading or being repaired; and the
// served cars leaving a place or a place being taken away.
#include <cwchar>

#include "scene/station_view.h"
#include "scene/station_view_local.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace Scene {

using namespace Local;

namespace {
    // Service codes: the item code a car was put on a place with.
    constexpr int kTimedStay = 1;
    constexpr int kFirstWorkCode = 56;
    constexpr int kLastUpgradeCode = 60;
    constexpr int kBuildCode = 76;
    constexpr int kRepairCode = 86;
    constexpr int kLastWorkCode = 86;
    // The variant each upgrade code brings, codes 56..60.
    constexpr int kUpgradeVariant[] = { 0, 2, 1, 4, 3 };

    constexpr double kTimedStaySeconds = 4.5;
    constexpr double kServiceFrameSeconds = 0.032;
    constexpr double kWorkFrameSeconds = 0.045;
    constexpr int kEmptyLot = 0;
    constexpr int kBuiltStation = 6;

    // Current tasks the script reads after "ok_build".
    constexpr int kTaskTimedStay = 1;
    constexpr int kTaskBuilt = 2;

    // The served car leaves the place: it drives off as a departing car.
    void SendAway(cGameWorld& world, int entry)
    {
        world.placeAutos[entry].active = 0;
        world.AddLeavingAuto(entry);
        world.placeAutos.erase(world.placeAutos.begin() + entry);
    }

    // The place is back to work after a build, repair or upgrade.
    void ResetToIdle(cPlace& place)
    {
        place.state = 0;
        place.animationName = L"phase100";
        place.lampName = L"lampe_green";
    }

    void SetFrameImage(cPlace& place)
    {
        wchar_t frame[8];
        std::swprintf(frame, 8, L"%02d", place.frame);
        place.animationImage = place.animationName + frame + L".png";
    }

    // A place index kept in some record, after place `removed` was erased:
    // above it moves down, equal to it becomes -1.
    int ShiftedIndex(int index, int removed)
    {
        if (index == removed)
            return -1;
        return index > removed ? index - 1 : index;
    }
} // namespace

void StationView::UpdatePlaceState(int index)
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.IsPaused() || !world::IsIndex(index, world.places.size()))
        return;
    cPlace& place = world.places[index];

    // Cars the player dropped on the place are served by the car layer;
    // only those a transfer brought are animated here.
    const int entry = world::FindFirst(
        world.placeAutos, [&](const cPlaceAuto& a) { return a.place == index && a.active != 0 && a.handPlaced == 0; });
    if (entry < 0) {
        place.serveFlag = 0;
        place.animationName = L"phase100";
        place.lampName = LampForWear(place.wear);
        place.animationImage = place.type == 0 || place.type == 1 ? L"" : place.animationName + L".png";
        return;
    }

    place.serveFlag = 1;
    const int code = world.placeAutos[entry].itemCode;
    if (code == kTimedStay) {
        if (place.serviceTimer.Elapsed() >= kTimedStaySeconds) {
            const int car = world.placeAutos[entry].autoType;
            SendAway(world, entry);
            place.serveFlag = 0;
            world.currentTask = kTaskTimedStay;
            world.workingAuto = car;
            Story::Instance().CallScriptFunction("ok_build");
            return;
        }
        SetFrameImage(place);
        return;
    }

    if (code < kFirstWorkCode || code > kLastWorkCode) {
        // The place's variant must be up to the car.
        if (static_cast<long long>(code) - 6 > place.colour) {
            SendAway(world, entry);
            place.serveFlag = 0;
            return;
        }
        if (place.serviceTimer.Elapsed() >= kServiceFrameSeconds) {
            place.serviceTimer.Restart();
            place.frame = place.frame >= place.frameCount ? place.lampFrameCounter : place.frame + 1;
        }
        SetFrameImage(place);
        return;
    }

    if (place.serviceTimer.Elapsed() < kWorkFrameSeconds) {
        SetFrameImage(place);
        return;
    }
    place.serviceTimer.Restart();
    if (place.frame < place.frameCount) {
        ++place.frame;
        SetFrameImage(place);
        return;
    }

    // The work is done.
    SendAway(world, entry);
    place.serveFlag = 0;
    if (code == kBuildCode) {
        // Only an empty lot can be built on; on anything else the car just
        // leaves.
        if (place.type != kEmptyLot)
            return;
        place.type = kBuiltStation;
        ResetToIdle(place);
        const int f = world.FindFundamentAt(place.row, place.column);
        if (f >= 0) {
            world.fundaments[f].content = index;
            world.fundaments[f].status = 0;
            Story::Instance().PlaySound("baustation");
        }
        world.currentTask = kTaskBuilt;
        Story::Instance().CallScriptFunction("ok_build");
    } else if (code == kRepairCode) {
        ResetToIdle(place);
        place.wear = 0;
        Story::Instance().DeleteMyEffects(index);
    } else if (code <= kLastUpgradeCode) {
        ResetToIdle(place);
        place.colour = kUpgradeVariant[code - kFirstWorkCode];
        world.updateColor = place.colour;
        world.updateX = place.row;
        world.updateY = place.column;
        Story::Instance().CallScriptFunction("ok_update");
        world.updateColor = -1;
        Story::Instance().DeleteMyEffects(index);
    } else {
        SetFrameImage(place);
    }
}

bool StationView::HasPlaceAuto(int index) const
{
    const cGameWorld& world = cGameWorld::Instance();
    for (const cPlaceAuto& served : world.placeAutos) {
        if (served.place == index && served.autoType != -1)
            return true;
    }
    return false;
}

void StationView::ReleasePlaceAuto(int index)
{
    cGameWorld& world = cGameWorld::Instance();
    const int entry = world::FindFirst(
        world.placeAutos, [&](const cPlaceAuto& a) { return a.place == index && a.handPlaced == 0; });
    if (entry < 0)
        return;
    world.AddLeavingAuto(entry);
    world.placeAutos.erase(world.placeAutos.begin() + entry);
}

void StationView::RemovePlace(int index)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(index, world.places.size()))
        return;
    const int row = world.places[index].row;
    const int column = world.places[index].column;
    const int fundament = world.FindFundamentAt(row, column);
    if (fundament < 0)
        return;
    world.fundaments[fundament].content = -1;
    ErasePlace(index);
}

void StationView::ErasePlace(int index)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(index, world.places.size()))
        return;
    // A fundament's content names the place built on it when that place
    // stands on its cell; otherwise it is a place or car type and stays.
    for (cFundament& f : world.fundaments) {
        const bool link = world::IsIndex(f.content, world.places.size()) && world.places[f.content].row == f.row
            && world.places[f.content].column == f.column;
        if (link)
            f.content = ShiftedIndex(f.content, index);
    }

    // Every car served at the place drives off; the others follow their
    // place down the list.
    for (std::size_t i = 0; i < world.placeAutos.size();) {
        if (world.placeAutos[i].place == index) {
            world.AddLeavingAuto(static_cast<int>(i));
            world.placeAutos.erase(world.placeAutos.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (world.placeAutos[i].place > index)
            --world.placeAutos[i].place;
        ++i;
    }
    world.places.erase(world.places.begin() + index);

    world.hoveredElement = ShiftedIndex(world.hoveredElement, index);
    world.tooltipElement = ShiftedIndex(world.tooltipElement, index);
    // On station levels transfers, the selection of changed cells and the
    // effects of places name places; on grid levels they name fundaments.
    if (world.drawStation == 0)
        return;
    for (cTransfer& transfer : world.transfers) {
        if (transfer.source >= 0)
            transfer.source = ShiftedIndex(transfer.source, index);
    }
    int kept = 0;
    for (int i = 0; i < world.selectedCount && i < world::kSelection; ++i) {
        const int shifted = ShiftedIndex(world.selectedIndex[i], index);
        if (shifted < 0 && world.selectedIndex[i] >= 0)
            continue;
        world.selectedIndex[kept] = shifted;
        world.selectedRow[kept] = world.selectedRow[i];
        world.selectedColumn[kept] = world.selectedColumn[i];
        ++kept;
    }
    world.selectedCount = kept;
    for (cEffect& effect : world.effects) {
        if (effect.owner >= 0)
            effect.owner = ShiftedIndex(effect.owner, index);
    }
}

} // namespace Scene
