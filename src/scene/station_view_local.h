// Small helpers the station view's source files share: the level tint and
// the names of the images.
#pragma once

#include <string>

#include "scene/design_units.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene::Local {

constexpr int kFirstTreeType = 100;

// Red, green and blue of the level tint, each held to a byte.
struct Tint {
    int r;
    int g;
    int b;
};
inline Tint LevelTint()
{
    const cGameWorld& world = cGameWorld::Instance();
    auto byte = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    return { byte(world.levelTint[0]), byte(world.levelTint[1]), byte(world.levelTint[2]) };
}

// The lamp of a place by its wear.
inline const wchar_t* LampForWear(int wear)
{
    if (wear <= 30)
        return L"lampe_green";
    if (wear <= 70)
        return L"lampe_yellow";
    if (wear <= 90)
        return L"lampe_red";
    return L"blink";
}

// Any screen flag that covers the station: the places then keep their
// service going without taking input.
inline bool StationCovered()
{
    const cGameWorld& world = cGameWorld::Instance();
    return world.levelOver || world.returnToMenu || world.leaveLevel || world.taskBookOpen || world.statisticsOpen
        || world.resultScreenOpen || world.optionsOpen || cSettings::Instance().editorMode || world.noFreeCell
        || world.panelOpen;
}

} // namespace Scene::Local
