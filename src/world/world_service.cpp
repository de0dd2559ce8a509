// Cars served at places: putting a car on a place, finishing its service, and
// finding the served car of a cell.
#include "resources/log.h"
#include "scene/car_layer.h"
#include "world/game_world.h"
#include "world/world_checks.h"

void cGameWorld::PutAutoOnPlace(int place, int itemCode, int handPlaced)
{
    if (!world::CheckIndex(L"cGameWorld::PutAutoOnPlace", L"place", place, places.size()))
        return;
    // A place serves one car at a time: the new one replaces any other.
    for (std::size_t i = placeAutos.size(); i-- > 0;) {
        if (placeAutos[i].place == place)
            placeAutos.erase(placeAutos.begin() + static_cast<std::ptrdiff_t>(i));
    }

    cPlace& p = places[place];
    cPlaceAuto car;
    car.autoType = p.autoType;
    car.place = place;
    car.x = p.x + p.autoOffsetX;
    car.y = p.y + p.autoOffsetY;
    car.variant = 10 - p.direction;
    car.active = 1;
    car.itemCode = itemCode;
    car.patience = 10;
    car.frames = 10;
    car.serviceTimer.Restart();
    car.animTimer.Restart();
    car.settleTimer.Restart();
    car.lampTimer.Restart();
    car.row = p.row;
    car.column = p.column;
    car.handPlaced = handPlaced != 0 ? 1 : 0;
    placeAutos.push_back(car);

    p.serveCount = 0;
    p.serveFlag = 0;
    p.serviceTimer.Restart();
    p.animTimer.Restart();
    p.effectTimer.Restart();
    p.active = 1;

    if (Scene::CarLayer* carLayer = Scene::CarLayer::Instance())
        carLayer->ResetCarLamp(place);
}

void cGameWorld::FinishServiceAtPlace(int place)
{
    if (!world::CheckIndex(L"cGameWorld::FinishServiceAtPlace", L"place", place, places.size()))
        return;
    const int x = places[place].x + places[place].autoOffsetX;
    const int y = places[place].y + places[place].autoOffsetY;
    auto standing = [&](const cPlaceAuto& a) { return a.x == x && a.y == y; };
    int i = world::FindFirst(placeAutos, standing);
    if (i < 0)
        return;
    if (Scene::CarLayer* carLayer = Scene::CarLayer::Instance()) {
        carLayer->DeletePlaceEffect(place, placeAutos[i].autoType);
        // The screen may have changed the list; find the car again.
        i = world::FindFirst(placeAutos, standing);
        if (i < 0)
            return;
    }
    AddLeavingAuto(i);
    placeAutos.erase(placeAutos.begin() + i);
}

int cGameWorld::FindPlaceAutoAt(int row, int column) const
{
    const int i = world::FindFirst(placeAutos, [&](const cPlaceAuto& a) { return a.row == row && a.column == column; });
    return i < 0 ? -1 : placeAutos[i].place;
}

int cGameWorld::GetPlaceAutoTypeAt(int row, int column) const
{
    const int i = world::FindFirst(placeAutos, [&](const cPlaceAuto& a) { return a.row == row && a.column == column; });
    return i < 0 ? -1 : placeAutos[i].autoType;
}

int cGameWorld::FindPlaceAutoOfClassAt(int row, int column, int autoClass) const
{
    const int i = world::FindFirst(placeAutos, [&](const cPlaceAuto& a) {
        return a.row == row && a.column == column && a.handPlaced == 0 && GetAutoTypeClass(a.autoType) == autoClass;
    });
    return i < 0 ? -1 : placeAutos[i].place;
}
