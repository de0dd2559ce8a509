// Road traffic: the cars passing on the lanes beside the station, the start
// rule that keeps a gap between them, the cars driving into the stack slots,
// the selector sign over special road cars and the place a stack car drives
// to.
#include <cmath>
#include <cwchar>
#include <vector>

#include "platform/game_random.h"
#include "scene/car_layer.h"
#include "scene/station_view.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    // A car within this distance of its end point (in x and in y) has passed.
    constexpr float kArrivedDistance = 5.0f;
    // The car that drives in the police alarm: it waits at the start more
    // often than it goes.
    constexpr int kAlarmCar = 90;
    constexpr int kAlarmStartPercent = 40;
    constexpr int kAlarmStartPercentTogether = 30;
    constexpr int kAlarmLevel = 30;
    constexpr int kAlarmSound = 77;
    constexpr double kArrivalStepSeconds = 0.016;
    constexpr float kVerticalArrivalStep = 3.0f;
    constexpr double kSelectorFrameSeconds = 0.034;
    constexpr int kSelectorFrames = 10;
    constexpr int kMaxCandidates = 100;

    bool HasArrived(const cAutobahnAuto& car)
    {
        return std::fabs(car.x - static_cast<float>(car.pathX[1])) < kArrivedDistance
            && std::fabs(car.y - static_cast<float>(car.pathY[1])) < kArrivedDistance;
    }

    bool HasPath(const cAutobahnAuto& car)
    {
        return car.pathX.size() >= 2 && car.pathY.size() >= 2;
    }

    // One step along the car's line: first `step` pixels in x, then `step`
    // in y, each time with the other coordinate put back on the line. A
    // line that is level or upright has no slope to follow; the car then
    // moves along its one free axis.
    void StepAlongPath(cAutobahnAuto& car, float step)
    {
        const float sx = static_cast<float>(car.pathX[0]);
        const float sy = static_cast<float>(car.pathY[0]);
        const float ex = static_cast<float>(car.pathX[1]);
        const float ey = static_cast<float>(car.pathY[1]);
        const float dx = ex < sx ? -step : step;
        const float dy = sy < ey ? step : -step;
        if (ex == sx) {
            car.y += dy;
            return;
        }
        if (ey == sy) {
            car.x += dx;
            return;
        }
        const float slope = (ey - sy) / (ex - sx);
        car.x += dx;
        car.y = (car.x - sx) * slope + sy;
        car.y += dy;
        car.x = (car.y - sy) / slope + sx;
    }

    bool AlarmCarStarts(int percent)
    {
        return platform::GameRand() % 100 < percent;
    }
} // namespace

void CarLayer::UpdateRoadCars(int road)
{
    cGameWorld& world = cGameWorld::Instance();
    const float step = static_cast<float>(world.autobahnStep);
    for (size_t i = 0; i < world.autobahnCars.size(); ++i) {
        cAutobahnAuto& car = world.autobahnCars[i];
        if (car.road != road || !HasPath(car))
            continue;
        if (car.waiting) {
            if (!MayRoadCarStart(static_cast<int>(i), car.kind, static_cast<int>(car.x), static_cast<int>(car.y))
                || car.pauseTimer.Elapsed() <= car.pause)
                continue;
            car.pauseTimer.Restart();
            if (car.autoType == kAlarmCar && !AlarmCarStarts(kAlarmStartPercent))
                continue;
            car.waiting = 0;
            car.counter = 0;
            car.startTimer.Restart();
            if (car.autoType == kAlarmCar && world.level == kAlarmLevel)
                Story::Instance().StartSound(kAlarmSound);
            continue;
        }
        if (HasArrived(car)) {
            // The car has passed; a new one waits at the start of the lane.
            const int type = Story::Instance().GetRandomAutoAutobahn(road);
            if (type != -1)
                car.autoType = type;
            car.x = static_cast<float>(car.pathX[0]);
            car.y = static_cast<float>(car.pathY[0]);
            car.waiting = 1;
            car.restarted = 0;
            car.counter = 0;
            car.startTimer.Restart();
            continue;
        }
        StepAlongPath(car, step);
    }
}

void CarLayer::UpdateRoadCarsTogether()
{
    cGameWorld& world = cGameWorld::Instance();
    int lanes = 1;
    for (const cAutobahnAuto& car : world.autobahnCars)
        lanes = std::max(lanes, car.road);
    std::vector<bool> arrived(static_cast<size_t>(lanes) + 1, false);
    for (cAutobahnAuto& car : world.autobahnCars) {
        if (!HasPath(car) || !HasArrived(car))
            continue;
        car.waiting = 1;
        if (car.road >= 1)
            arrived[static_cast<size_t>(car.road)] = true;
    }
    bool all = true;
    for (int lane = 1; lane <= lanes; ++lane)
        all = all && arrived[static_cast<size_t>(lane)];
    // Every lane has brought its car home: they all set off again together,
    // each car keeping its type.
    if (all) {
        for (cAutobahnAuto& car : world.autobahnCars) {
            if (HasPath(car) && HasArrived(car)) {
                car.x = static_cast<float>(car.pathX[0]);
                car.y = static_cast<float>(car.pathY[0]);
            }
        }
    }
    const float step = static_cast<float>(world.autobahnStep);
    for (size_t i = 0; i < world.autobahnCars.size(); ++i) {
        cAutobahnAuto& car = world.autobahnCars[i];
        if (!HasPath(car))
            continue;
        if (car.waiting) {
            if (!MayRoadCarStart(static_cast<int>(i), car.kind, static_cast<int>(car.x), static_cast<int>(car.y)))
                continue;
            if (car.autoType == kAlarmCar && !AlarmCarStarts(kAlarmStartPercentTogether))
                continue;
            car.waiting = 0;
            continue;
        }
        StepAlongPath(car, step);
    }
}

bool CarLayer::MayRoadCarStart(int index, int direction, int x, int y)
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(index, world.autobahnCars.size()))
        return false;
    const cAutobahnAuto& self = world.autobahnCars[index];
    const int gap = world.autobahnDistance;
    for (size_t i = 0; i < world.autobahnCars.size(); ++i) {
        const cAutobahnAuto& other = world.autobahnCars[i];
        if (static_cast<int>(i) == index || other.waiting || other.road != self.road || other.kind != direction
            || other.pathX.empty() || self.pathX.empty() || other.pathX[0] != self.pathX[0])
            continue;
        const int otherY = static_cast<int>(other.y);
        (void)x;
        if (otherY == y)
            return false;
        const bool up = direction == 7 || direction == 9;
        if (up && otherY < y && y < otherY + gap)
            return false;
        if (!up && otherY - gap < y && y < otherY)
            return false;
    }
    return true;
}

void CarLayer::UpdateStackArrivals()
{
    cGameWorld& world = cGameWorld::Instance();
    for (size_t i = 0; i < world.stackCars.size();) {
        cAutobahnAuto& car = world.stackCars[i];
        if (!HasPath(car)) {
            ++i;
            continue;
        }
        if (car.stepTimer.Elapsed() < kArrivalStepSeconds && !world.IsPaused()) {
            ++i;
            continue;
        }
        car.stepTimer.Restart();
        if (HasArrived(car)) {
            // The car has reached its slot: it bounces there once and may be
            // taken.
            const int slot
                = world::FindFirst(world.stackSlots, [&](const cStackSlot& s) { return s.id == car.target; });
            if (slot >= 0) {
                cStackSlot& target = world.stackSlots[slot];
                target.busy = 0;
                target.settleTimer.Restart();
                target.settling = 1;
                target.settleStep = 0;
            }
            world.stackCars.erase(world.stackCars.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;
            continue;
        }
        if (car.pathX[0] == car.pathX[1]) {
            // One car on an upright path moves per frame, towards its slot:
            // always growing y, a car on a path leading up would never arrive.
            car.y += car.pathY[0] < car.pathY[1] ? kVerticalArrivalStep : -kVerticalArrivalStep;
            return;
        }
        StepAlongPath(car, 1.0f);
        ++i;
    }
}

int CarLayer::PickPlaceForKind(int colourGroup)
{
    cGameWorld& world = cGameWorld::Instance();
    const int colour = colourGroup >= 6 && colourGroup <= 10 ? colourGroup - 6 : 0;
    const StationView* stationView = StationView::Instance();
    auto busy = [&](int index) {
        if (stationView)
            return stationView->HasPlaceAuto(index);
        return world::FindFirst(world.placeAutos, [&](const cPlaceAuto& a) {
            return a.place == index && a.autoType != -1;
        }) >= 0;
    };
    int candidates[kMaxCandidates];
    int count = 0;
    for (const bool effectTest : { true, false }) {
        for (size_t i = 0; i < world.places.size() && count < kMaxCandidates; ++i) {
            const cPlace& place = world.places[i];
            if (place.type < 6 || place.type > 11 || place.state != 0 || place.colour != colour)
                continue;
            if (effectTest && world.IsEffectNearlyDone(place.row, place.column))
                continue;
            if (busy(static_cast<int>(i)))
                continue;
            candidates[count++] = static_cast<int>(i);
        }
        if (count > 0)
            break;
    }
    if (count == 0)
        return -1;
    return candidates[platform::GameRand() % count];
}

void CarLayer::DrawSelector(int x, int y)
{
    if (selectorTimer.Elapsed() > kSelectorFrameSeconds) {
        selectorTimer.Restart();
        if (++selectorFrame >= kSelectorFrames)
            selectorFrame = 0;
    }
    wchar_t name[32];
    std::swprintf(name, 32, L"selector00%02d", selectorFrame);
    pages[kCarPage].DrawImage(name, x, y - 10, 0, 0, 255, 255, 255, 255);
}

} // namespace Scene
