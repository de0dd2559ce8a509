// Small rules of the grid that the car operations rely on: the grid levels,
// the special-car strip and the cars leaving their places.
#include "world/game_world.h"
#include "world/world_checks.h"

bool cGameWorld::IsFirstLevelOfTriple(int level)
{
    return level >= 1 && level <= 28 && (level - 1) % 3 == 0;
}

void cGameWorld::AddSpecAutoEntry(int type)
{
    cSpecAutoEntry entry;
    entry.autoType = type;
    entry.x = 1280;
    entry.timer.Restart();
    specialAutos.push_back(entry);
}

void cGameWorld::AddLeavingAuto(int placeAuto)
{
    if (!world::CheckIndex(L"cGameWorld::AddLeavingAuto", L"served car", placeAuto, placeAutos.size()))
        return;
    const cPlaceAuto& car = placeAutos[placeAuto];
    cLeavingAuto leaving;
    leaving.autoType = car.autoType;
    leaving.x = car.x;
    leaving.y = car.y + 15;
    leaving.direction = car.variant;
    leaving.sprite = NarrowToWideString(GetAutoTypeName(car.autoType, car.variant)) + L".png";
    leaving.alpha = 255;
    leaving.alive = 1;
    leaving.timer.Restart();
    leavingAutos.push_back(leaving);
}
