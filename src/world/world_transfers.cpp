// Animations between two screen points: cars sliding between cells, places and
// the road, and the values flying off to the points display.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

// Longer ways take more steps, so a car never jumps too far at once.
cTransfer MakeTransfer(int variant, int type, int source, int x1, int y1, int x2, int y2)
{
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const int far = std::max(std::abs(dx), std::abs(dy));
    cTransfer t;
    t.variant = variant;
    t.autoType = type;
    t.step = 0;
    t.steps = far >= 301 ? 30 : far >= 201 ? 20 : 10;
    t.stepX = static_cast<float>(dx / t.steps);
    t.stepY = static_cast<float>(dy / t.steps);
    t.interval = 0.01;
    t.timer.Restart();
    t.fromX = x1;
    t.fromY = y1;
    t.toX = x2;
    t.toY = y2;
    t.source = source;
    return t;
}

cFlyingMarker MakeMarker(int x, int y, int value)
{
    const float sx = cSettings::Instance().scaleX;
    cFlyingMarker m;
    m.x = x;
    m.y = y;
    m.value = value;
    const double dx = static_cast<double>(x) - 550.0;
    const double distance = std::sqrt(dx * dx + static_cast<double>(y) * y);
    m.steps = static_cast<int>((std::sqrt(distance) + 100.0) / 2.0);
    m.stepY = static_cast<double>(-(y / m.steps));
    m.stepX = (540.0 / sx - x) / m.steps;
    m.alpha = 255;
    m.step = 0;
    m.timer.Restart();
    m.lifeTimer.Restart();
    return m;
}

} // namespace

void cGameWorld::StartTransferFromPlace(int placeAuto, int x1, int y1, int x2, int y2)
{
    if (!world::CheckIndex(L"cGameWorld::StartTransferFromPlace", L"served car", placeAuto, placeAutos.size()))
        return;
    const cPlaceAuto& car = placeAutos[placeAuto];
    transfers.push_back(MakeTransfer(car.variant, car.autoType, car.place, x1, y1, x2, y2));
}

void cGameWorld::StartTransferToFundament(int fundament, int type, int x1, int y1, int x2, int y2)
{
    if (!world::CheckIndex(L"cGameWorld::StartTransferToFundament", L"fundament", fundament, fundaments.size()))
        return;
    fundaments[fundament].carArriving = 1;
    transfers.push_back(MakeTransfer(9, type, fundament, x1, y1, x2, y2));
}

void cGameWorld::StartTransfer(int type, int x1, int y1, int x2, int y2)
{
    roadTransfers.push_back(MakeTransfer(9, type, -1, x1, y1, x2, y2));
}

void cGameWorld::AddPointsMarker(int place)
{
    if (!world::CheckIndex(L"cGameWorld::AddPointsMarker", L"place", place, places.size()))
        return;
    const float sx = cSettings::Instance().scaleX;
    const int x = static_cast<int>(80 / sx + places[place].x);
    flyingValues.push_back(MakeMarker(x, places[place].y, points));
}

void cGameWorld::AddPointsMarkerAtFundament(int fundament)
{
    if (!world::CheckIndex(L"cGameWorld::AddPointsMarkerAtFundament", L"fundament", fundament, fundaments.size()))
        return;
    const int row = fundaments[fundament].row;
    const int column = fundaments[fundament].column;
    if (!world::CheckCell(L"cGameWorld::AddPointsMarkerAtFundament", row, column))
        return;
    // 130 and 50 design units into the cell, on this screen's scale like
    // the cell itself.
    const cSettings& settings = cSettings::Instance();
    const int x = cellX[row][column] + static_cast<int>(130.0f / settings.scaleX);
    const int y = cellY[row][column] + static_cast<int>(50.0f / settings.scaleY);
    flyingValues.push_back(MakeMarker(x, y, points));
}

void cGameWorld::AddFlyingMarker(int value)
{
    const float sx = cSettings::Instance().scaleX;
    const float sy = cSettings::Instance().scaleY;
    cFlyingMarker m;
    m.x = static_cast<int>(540 / sx);
    m.y = static_cast<int>(45 / sy);
    m.value = value;
    m.penalty = 1;
    m.stepY = 2.0;
    m.stepX = 0.0;
    m.steps = 50;
    m.alpha = 255;
    m.step = 0;
    m.timer.Restart();
    m.lifeTimer.Restart();
    flyingValues.push_back(m);
}

void cGameWorld::CreditFlyingValue(const cFlyingMarker& marker)
{
    // Wraps like the game's counters rather than overflow.
    if (!marker.penalty)
        levelPoints = static_cast<int>(static_cast<unsigned>(levelPoints) + static_cast<unsigned>(marker.value));
}

void cGameWorld::LandFlyingValues()
{
    for (const cFlyingMarker& marker : flyingValues)
        CreditFlyingValue(marker);
    flyingValues.clear();
}

void cGameWorld::AddComboRecord(int length, int autoClass)
{
    const int i = world::FindFirst(comboLog, [&](const cComboLogEntry& e) {
        return e.length == length && (autoClass == 6 || e.class_ == autoClass);
    });
    if (i >= 0) {
        comboLog[i].times += 1;
        comboLog[i].points += points;
        return;
    }
    comboLog.push_back(cComboLogEntry {length, 1, autoClass, points});
}

bool cGameWorld::GetMyCombo(int length, int count) const
{
    return world::FindFirst(comboLog, [&](const cComboLogEntry& e) { return e.length == length && e.times >= count; })
        >= 0;
}
