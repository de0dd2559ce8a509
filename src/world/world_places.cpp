// Place templates and the places made from them: service places on grid cells
// and decorations placed by screen position.
#include <string>

#include "resources/log.h"
#include "scene/car_layer.h"
#include "scene/station_view.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

constexpr int kFirstDecorationType = 100;

int FindPlaceTemplate(const cGameWorld& w, int id, int direction)
{
    return world::FindFirst(w.placeTemplates,
        [&](const cPlaceTemplate& t) { return t.id == id && t.direction == direction; });
}

int FindOverTemplate(const cGameWorld& w, int id)
{
    return world::FindFirst(w.overTemplates, [&](const cOverTemplate& t) { return t.id == id; });
}

} // namespace

void cGameWorld::AddPlace(int id, const std::string& name, int value)
{
    cPlaceTemplate t;
    t.id = id;
    t.texture = name;
    t.value = value;
    placeTemplates.push_back(t);
}

void cGameWorld::AddPlaceLot(int id, const std::string& name, int a, int b, int c)
{
    cPlaceTemplate t;
    t.id = id;
    t.lotTexture = NarrowToWideString(name);
    t.objectOffsetX = a;
    t.objectOffsetY = b;
    t.lotValue = c;
    placeTemplates.push_back(t);
}

void cGameWorld::SetOffsetForAuto(int id, int x, int y, int direction)
{
    const int i = FindPlaceTemplate(*this, id, direction);
    if (i < 0)
        return;
    placeTemplates[i].autoOffsetX = x;
    placeTemplates[i].autoOffsetY = y;
}

void cGameWorld::SetObjectOffsets(int id, int direction, int x, int y)
{
    const int i = FindPlaceTemplate(*this, id, direction);
    if (i < 0)
        return;
    placeTemplates[i].objectOffsetX = x;
    placeTemplates[i].objectOffsetY = y;
}

void cGameWorld::CreatePlace(int type, int row, int column, int direction)
{
    const bool decoration = type >= kFirstDecorationType;
    // A service place takes its screen position from the cell tables.
    if (!decoration && !world::CheckCell(L"cGameWorld::CreatePlace", row, column))
        return;

    cPlace place;
    place.type = type;
    place.direction = direction;
    place.placeTimer.Restart();
    if (decoration) {
        place.x = row;
        place.y = column;
        const int over = FindOverTemplate(*this, type);
        if (over >= 0)
            place.texture = overTemplates[over].texture;
        place.row = -1;
        place.column = -1;
    } else {
        place.x = cellX[row][column] + 5;
        place.y = cellY[row][column] + 10;
        place.lampName = L"lampe_green";
        const int t = FindPlaceTemplate(*this, type, direction);
        if (t >= 0) {
            const cPlaceTemplate& tpl = placeTemplates[t];
            place.texture = tpl.texture;
            place.autoOffsetX = tpl.autoOffsetX;
            place.autoOffsetY = tpl.autoOffsetY;
            place.objectOffsetX = tpl.objectOffsetX;
            place.objectOffsetY = tpl.objectOffsetY;
            place.value = tpl.value;
        }
        place.row = row;
        place.column = column;
    }
    places.push_back(place);
    const int index = static_cast<int>(places.size()) - 1;

    if (Scene::StationView* stationView = Scene::StationView::Instance())
        stationView->GetElementImageSize(type, row, column);

    if (!decoration && type != 0) {
        const int f = FindFundamentAt(row, column);
        if (f >= 0)
            fundaments[f].content = index;
    }
}

void cGameWorld::CreatePlace111(int type, int x, int y, int state, int extra)
{
    cPlace place;
    place.type = type;
    place.x = x;
    place.y = y;
    place.state = state;
    place.direction = 9;
    place.extra = extra;
    // Placed by screen position: no cell of its own.
    place.row = -1;
    place.column = -1;
    place.placeTimer.Restart();
    const int over = FindOverTemplate(*this, type);
    if (over >= 0) {
        place.texture = overTemplates[over].texture;
        place.autoType = overTemplates[over].type;
    }
    places.push_back(place);
}

void cGameWorld::AddMyOver(int id, int x, int y, int direction)
{
    cPlace place;
    place.type = id;
    place.x = x;
    place.y = y;
    place.state = 1;
    place.direction = direction;
    place.row = -1;
    place.column = -1;
    place.placeTimer.Restart();
    if (id >= kFirstDecorationType) {
        const int over = FindOverTemplate(*this, id);
        if (over >= 0)
            place.texture = overTemplates[over].texture;
    }
    places.push_back(place);
    if (Scene::StationView* screen = Scene::StationView::Instance())
        screen->GetTreeImageSize(id, x, y);
}

void cGameWorld::PlaceTexture(int type, const std::string& name)
{
    const int i = world::FindFirst(places, [&](const cPlace& p) { return p.type == type; });
    if (i < 0) {
        cLog::Instance().Write(L"error -> SCRIPT PlaceTexture - number %d not exist", type);
        return;
    }
    places[i].texture = name;
    const int x = places[i].x;
    const int y = places[i].y;
    if (Scene::StationView* stationView = Scene::StationView::Instance())
        stationView->GetElementImageSize(type, x, y);
}

void cGameWorld::SetLimitForColorChange(int limit)
{
    for (cPlace& place : places)
        place.colorChangeLimit = limit;
}

void cGameWorld::SetPlaceAuto(int place, int autoType)
{
    if (!world::CheckIndex(L"cGameWorld::SetPlaceAuto", L"place", place, places.size()))
        return;
    places[place].autoType = autoType;
    places[place].serviceTimer.Restart();
}

void cGameWorld::ApplyComboToPlace(int place, int length)
{
    if (!world::CheckIndex(L"cGameWorld::ApplyComboToPlace", L"place", place, places.size()))
        return;
    // 60 design units above the place, on this screen's scale.
    const int above = static_cast<int>(60.0f / cSettings::Instance().scaleY);
    CreateMyEffects(place, length, 0, 0.036f, places[place].x, places[place].y - above, places[place].row,
        places[place].column);

    if (damageMode == 1 && world::IsIndex(place, places.size())) {
        cPlace& p = places[place];
        p.wear += length == 3 ? 5 : length == 4 ? 10 : length == 5 ? 15 : 20;
        p.animationName = L"phase100";
        p.lampName = p.wear <= 30 ? L"lampe_green" : p.wear <= 70 ? L"lampe_yellow" : p.wear <= 90 ? L"lampe_red" : L"blink";
        if (p.wear > 100) {
            p.state = 2;
            p.wear = 0;
            p.lampName = L"none";
            if (Scene::CarLayer* carLayer = Scene::CarLayer::Instance())
                carLayer->StartPlaceSmoke(place);
        }
    }
    FinishServiceAtPlace(place);
}

void cGameWorld::RelayoutPlaces()
{
    for (cPlace& place : places) {
        // Places set by screen position have no cell to follow.
        if (place.type >= kFirstDecorationType || !world::IsGridCell(place.row, place.column))
            continue;
        place.x = cellX[place.row][place.column] + 5;
        place.y = cellY[place.row][place.column] + 10;
    }
    placeAutos.clear();
}
