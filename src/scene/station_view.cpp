#include "scene/station_view.h"

#include <cstdint>

#include "engine/gfx.h"
#include "scene/car_layer.h"
#include "scene/screen_manager.h"
#include "scene/station_view_local.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

using namespace Local;

StationView::StationView()
    : Screen(0, 0, 0, 0)
{
    fadeInTimer.Start();
}

StationView::~StationView()
{
    OnDeactivate();
}

StationView* StationView::Instance()
{
    return cScreenManager::Instance().Get<StationView>(cScreenManager::kStationView);
}

void StationView::OnActivate()
{
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    // The design pages are for exactly 1280 pixels; any other width takes the
    // smaller ones.
    const bool design = cSettings::Instance().width == 1280;
    pages[kTreesPage].Load(design ? L"data/gui/interface/menu/menu_trees" : L"data/gui/interface/menu/menu_trees_1024");
    pages[kStationPage].Load(
        design ? L"data/gui/interface/menu/menu_tankstelle" : L"data/gui/interface/menu/menu_tankstelle_1024");
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0xFFFFFFFF);
    listCount = 0;
    firstVisible0 = 0;
    firstVisible2 = 0;
    firstVisible3 = 0;
    firstVisible5 = 0;
    fadeInTimer.Restart();
}

void StationView::OnDeactivate()
{
    pages[kStationPage].Unload();
    pages[kTreesPage].Unload();
}

void StationView::GetElementImageSize(int type, int x, int y)
{
    cGameWorld& world = cGameWorld::Instance();
    // Station elements are hit-tested by their cell's outline; the screen
    // keeps no size for them.
    for (cPlace& place : world.places) {
        if (place.type != type || place.x != x || place.y != y)
            continue;
        place.imageWidth = 0;
        place.imageHeight = 0;
        if (type >= kFirstTreeType)
            return;
    }
}

void StationView::GetTreeImageSize(int type, int x, int y)
{
    if (type < kFirstTreeType)
        return;
    cGameWorld& world = cGameWorld::Instance();
    for (cPlace& place : world.places) {
        if (place.type != type || place.x != x || place.y != y)
            continue;
        place.animationName = cGameWorld::NarrowToWideString(place.texture);
        uint32_t width = 0;
        uint32_t height = 0;
        pages[kTreesPage].GetImageSize((place.animationName + L".png").c_str(), &width, &height);
        place.imageWidth = static_cast<int>(width);
        place.imageHeight = static_cast<int>(height);
        return;
    }
}

int StationView::GetPlaceUnderMouse(bool checkDrop)
{
    cGameWorld& world = cGameWorld::Instance();
    int candidate = -1;
    for (std::size_t i = 0; i < world.places.size(); ++i) {
        const cPlace& place = world.places[i];
        if (place.type < kFirstTreeType && world.IsMouseOverPlace(place.row, place.column)) {
            candidate = static_cast<int>(i);
            break;
        }
    }
    if (candidate < 0 || !checkDrop || world.autoOnMouse == -1)
        return candidate;
    // A place serves one car at a time.
    for (const cPlaceAuto& served : world.placeAutos) {
        if (served.place == candidate)
            return -1;
    }
    CarLayer* carLayer = CarLayer::Instance();
    if (!carLayer || !carLayer->CanServeAt(candidate, world.autoOnMouse))
        return -1;
    return candidate;
}

void StationView::DrawDecorations()
{
    cGameWorld& world = cGameWorld::Instance();
    const Tint tint = LevelTint();
    for (const cSuperOver& over : world.superOvers) {
        const std::wstring name = cGameWorld::NarrowToWideString(over.texture) + L".png";
        pages[kTreesPage].DrawImage(name.c_str(), ScaleX(over.x), ScaleY(over.y), 0, 0, tint.r, tint.g, tint.b, 255);
    }
}

void StationView::DrawFoundation(int x, int y)
{
    pages[kStationPage].DrawImage(L"fundament_on.png", x, y, 0, 0, 255, 255, 255, 255);
}

void StationView::DrawTemplateHover(int templateIndex, int x, int y, bool over)
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(templateIndex, world.placeTemplates.size()))
        return;
    const std::wstring name = cGameWorld::NarrowToWideString(world.placeTemplates[templateIndex].texture)
        + (over ? L"_over.png" : L"_on.png");
    const Tint tint = LevelTint();
    pages[kStationPage].DrawImage(name.c_str(), ScaleX(x), ScaleY(y), 0, 0, tint.r, tint.g, tint.b, 255);
}

void StationView::DrawStationImage(const wchar_t* name, int x, int y, int alpha)
{
    pages[kStationPage].DrawImage(name, x, y, 0, 0, 255, 255, 255, alpha);
}

void StationView::DrawStationImageScaled(const wchar_t* name, int x, int y, int percent, int alpha)
{
    uint32_t width = 0;
    uint32_t height = 0;
    pages[kStationPage].GetImageSize(name, &width, &height);
    const int w = static_cast<int>(static_cast<int64_t>(width) * percent / 100);
    const int h = static_cast<int>(static_cast<int64_t>(height) * percent / 100);
    // A cut of nothing would draw the whole image.
    if (w <= 0 || h <= 0)
        return;
    pages[kStationPage].DrawImage(name, x, y, w, h, 255, 255, 255, alpha);
}

} // namespace Scene
