// The small lists the level scripts set up: icons, the special-car strip, the
// chosen road cars and the lot links; and the image sizes of the places.
#include "scene/station_view.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace {

constexpr int kSpecialCarRoad = 1;

} // namespace

void cGameWorld::AddIcon(int id, const std::string& texture)
{
    cIcon icon;
    icon.id = id;
    icon.texture = NarrowToWideString(texture);
    icon.timer.Restart();
    icons.push_back(icon);
}

void cGameWorld::DeleteIcon(int id)
{
    std::erase_if(icons, [&](const cIcon& icon) { return icon.id == id; });
}

bool cGameWorld::IHaveSpecAuto(int type) const
{
    return world::FindFirst(specialAutos, [&](const cSpecAutoEntry& e) { return e.autoType == type && e.flag == 1; })
        >= 0;
}

bool cGameWorld::ICreateSpecAuto(int type) const
{
    return world::FindFirst(specialAutos, [&](const cSpecAutoEntry& e) { return e.autoType == type && e.flag == 0; })
        >= 0;
}

void cGameWorld::RemoveSpecAuto(int type)
{
    const int i = world::FindFirst(specialAutos, [&](const cSpecAutoEntry& e) { return e.autoType == type; });
    if (i >= 0)
        specialAutos.erase(specialAutos.begin() + i);
}

void cGameWorld::SpawnSpecAuto(int type)
{
    if (world::FindFirst(specialAutos, [&](const cSpecAutoEntry& e) { return e.autoType == type; }) >= 0)
        SpawnAutobahnAuto(kSpecialCarRoad, type);
}

void cGameWorld::ChoiceAutobahnAutos(int type)
{
    chosenAutobahnAutos.push_back(type);
}

bool cGameWorld::IsChosenAutobahnAuto(int type) const
{
    return world::FindFirst(chosenAutobahnAutos, [&](int t) { return t == type; }) >= 0;
}

void cGameWorld::AddToLink(int a, int b, int c, int d)
{
    links.push_back(cLink { a, b, c, d });
}

void cGameWorld::PreparePlaceImages()
{
    Scene::StationView* stationView = Scene::StationView::Instance();
    if (!stationView)
        return;
    // By index: the screen writes into the places it is asked about.
    for (std::size_t i = 0; i < places.size(); ++i)
        stationView->GetElementImageSize(places[i].type, places[i].x, places[i].y);
}
