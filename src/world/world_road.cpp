// The roads and city streets, and the cars driving on them.
#include <algorithm>

#include "platform/game_random.h"
#include "resources/log.h"
#include "scene/car_layer.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace {

constexpr int kStationLevel = 31;
constexpr int kStationLevelCar = 95;

// Road ids address autobahnCarCount; an id outside it, or one no road has, is
// refused. Answers the road's index.
int CheckRoad(const cGameWorld& w, const wchar_t* who, int id)
{
    if (id < 0 || id >= world::kRoads) {
        cLog::Instance().Error(L"%ls -> road %d is out of range (0 to %d)", who, id, world::kRoads - 1);
        return -1;
    }
    const int r = world::FindFirst(w.autobahnRoads, [&](const cAutobahnRoad& road) { return road.id == id; });
    if (r < 0)
        cLog::Instance().Error(L"%ls -> road %d does not exist", who, id);
    return r;
}

cAutobahnAuto MakeRoadCar(const cAutobahnRoad& road, int type, int x1, int y1, int x2, int y2)
{
    cAutobahnAuto car;
    car.state = 0;
    car.kind = road.kind;
    // A car faces along its road: the road's direction is its sprite variant.
    car.variant = road.kind;
    car.autoType = type;
    car.road = road.id;
    car.target = -1;
    car.progress = 0.0;
    car.x = static_cast<float>(x1);
    car.y = static_cast<float>(y1);
    car.pathX = {x1, x2};
    car.pathY = {y1, y2};
    car.sortKey = 0;
    car.stepTimer.Restart();
    car.pauseTimer.Restart();
    car.startTimer.Restart();
    return car;
}

} // namespace

void cGameWorld::SetAutoBahn(int id, double speed, int kind)
{
    if (id < 0 || id >= world::kRoads) {
        cLog::Instance().Error(L"cGameWorld::SetAutoBahn -> road %d is out of range (0 to %d)", id, world::kRoads - 1);
        return;
    }
    if (static_cast<int>(autobahnRoads.size()) >= world::kRoads) {
        cLog::Instance().Error(L"cGameWorld::SetAutoBahn -> road %d refused: %d roads already", id, world::kRoads);
        return;
    }
    cAutobahnRoad road;
    road.id = id;
    road.kind = kind;
    road.speed = speed;
    road.state = 2;
    autobahnRoads.push_back(road);
}

void cGameWorld::SetAutoBahnPoints(int id, int x1, int y1, int x2, int y2)
{
    const int r = CheckRoad(*this, L"cGameWorld::SetAutoBahnPoints", id);
    if (r < 0)
        return;
    cAutobahnRoad& road = autobahnRoads[r];
    road.startX = x1;
    road.startY = y1;
    road.endX = x2;
    road.endY = y2;
}

void cGameWorld::SetAutoBahnPointsCity(int id, int x1, int y1, int x2, int y2, int segment, int value)
{
    const int r = CheckRoad(*this, L"cGameWorld::SetAutoBahnPointsCity", id);
    if (r < 0 || !world::CheckIndex(L"cGameWorld::SetAutoBahnPointsCity", L"segment", segment, cAutobahnRoad::kSegments))
        return;
    cAutobahnRoad& road = autobahnRoads[r];
    road.segStartX[segment] = x1;
    road.segStartY[segment] = y1;
    road.segEndX[segment] = x2;
    road.segEndY[segment] = y2;
    road.segValue[segment] = value;
    road.segCount = segment;
}

void cGameWorld::SetAutoBahnSpeed(int id, double speed, int mode)
{
    const int r = CheckRoad(*this, L"cGameWorld::SetAutoBahnSpeed", id);
    if (r < 0)
        return;
    autobahnRoads[r].speed = speed;
    autobahnRoads[r].speedMode = mode;
}

void cGameWorld::AddTransportToAutobahn(int road, int count)
{
    const int r = CheckRoad(*this, L"cGameWorld::AddTransportToAutobahn", road);
    if (r < 0 || !world::CheckCount(L"cGameWorld::AddTransportToAutobahn", count))
        return;
    autobahnCarCount[road] = count;
    for (int i = 0; i < count; ++i) {
        const int type = level == kStationLevel ? kStationLevelCar : GetRandomAutoAutobahn(road);
        if (type == -1) {
            cLog::Instance().Error(L"cGameWorld::AddTransportToAutobahn -> no car type may drive on road %d", road);
            return;
        }
        const cAutobahnRoad& lane = autobahnRoads[r];
        autobahnCars.push_back(MakeRoadCar(lane, type, lane.startX, lane.startY, lane.endX, lane.endY));
    }
}

void cGameWorld::AddTransportToCity(int road, int segment, int type, int offset)
{
    const int r = CheckRoad(*this, L"cGameWorld::AddTransportToCity", road);
    if (r < 0 || !world::CheckIndex(L"cGameWorld::AddTransportToCity", L"segment", segment, cAutobahnRoad::kSegments))
        return;
    const cAutobahnRoad& street = autobahnRoads[r];
    const int sx = street.segStartX[segment];
    const int sy = street.segStartY[segment];
    const int ex = street.segEndX[segment];
    const int ey = street.segEndY[segment];
    cAutobahnAuto car = MakeRoadCar(street, type, sx, sy, ex, ey);
    car.kind = street.segValue[segment];   // the street's direction, which picks the sprite
    car.variant = car.kind;
    car.segment = segment;
    const double x = static_cast<double>(sx) + offset;
    // A segment that runs straight up and down has no slope: the car stays
    // level with its start.
    const double y = ex == sx ? sy : sy + static_cast<double>(ey - sy) * (x - sx) / (ex - sx);
    car.x = static_cast<float>(x);
    car.y = static_cast<float>(y);
    autobahnCars.push_back(car);
}

void cGameWorld::SpawnAutobahnAuto(int road, int type)
{
    const int r = CheckRoad(*this, L"cGameWorld::SpawnAutobahnAuto", road);
    if (r < 0)
        return;
    const cAutobahnRoad& lane = autobahnRoads[r];
    cAutobahnAuto car = MakeRoadCar(lane, type, lane.startX, lane.startY, lane.endX, lane.endY);
    // The start offset is drawn below the road delay; without a delay the car
    // starts at once.
    car.progress = autobahnDelay >= 1 ? platform::GameRand() % autobahnDelay : 0;
    car.waiting = 1;
    car.restarted = 0;
    autobahnCars.push_back(car);
    if (Scene::CarLayer* carLayer = Scene::CarLayer::Instance())
        carLayer->PlaceAtPathStart(static_cast<int>(autobahnCars.size()) - 1);
    std::stable_sort(autobahnCars.begin(), autobahnCars.end(),
        [](const cAutobahnAuto& a, const cAutobahnAuto& b) { return a.sortKey > b.sortKey; });
    AddSpecAutoEntry(type);
}

bool cGameWorld::ExistInAutobahn(int type) const
{
    return world::FindFirst(autobahnCars, [&](const cAutobahnAuto& c) { return c.autoType == type; }) >= 0;
}
