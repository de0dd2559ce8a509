// Story methods: places, lots and building. Templates and creation go to the
// world's place and lot operations; the counts, searches and small changes
// are the Story's own. A place's state is also the "property" the scripts
// read: 2 means out of order. Searches take the first match in list order.
#include <vector>

#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

constexpr int kLastStationType = 99;
constexpr int kOutOfOrder = 2;
constexpr int kBuilt = 9;
constexpr int kFreeForBuilding = -1;

template <typename Test> int FindPlace(Test test)
{
    const std::vector<cPlace>& places = cGameWorld::Instance().places;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (test(places[i]))
            return static_cast<int>(i);
    }
    return -1;
}

template <typename Test> int CountPlaces(Test test)
{
    int count = 0;
    for (const cPlace& place : cGameWorld::Instance().places)
        count += test(place) ? 1 : 0;
    return count;
}

// The place at a script's index, null (with a log line) when there is none.
cPlace* PlaceAt(const wchar_t* method, int index)
{
    std::vector<cPlace>& places = cGameWorld::Instance().places;
    if (!Scripting::CheckScriptIndex(method, index, static_cast<int>(places.size())))
        return nullptr;
    return &places[index];
}

const char* OverSpriteForCode(int code)
{
    switch (code) {
    case 105:
        return "kaktus_06";
    case 111:
        return "elkasnow_02";
    case 112:
        return "elkasnow_03";
    case 113:
        return "elkasnow_04";
    case 114:
        return "elkasnow_05";
    case 115:
        return "elkasnow_06";
    default:
        return nullptr;
    }
}

} // namespace

void Story::AddPlace(int id, const std::string& name, int value)
{
    if (Scripting::CheckScriptText(L"AddPlace", name)
        && Scripting::CheckScriptRoom(L"AddPlace", cGameWorld::Instance().placeTemplates.size()))
        cGameWorld::Instance().AddPlace(id, name, value);
}

void Story::AddPlaceLot(int id, const std::string& name, int a, int b, int c)
{
    if (Scripting::CheckScriptText(L"AddPlaceLot", name)
        && Scripting::CheckScriptRoom(L"AddPlaceLot", cGameWorld::Instance().placeTemplates.size()))
        cGameWorld::Instance().AddPlaceLot(id, name, a, b, c);
}

void Story::AddFundament(int id, const std::string& texture, const std::string& texture2, int value)
{
    if (Scripting::CheckScriptText(L"AddFundament", texture) && Scripting::CheckScriptText(L"AddFundament", texture2)
        && Scripting::CheckScriptRoom(L"AddFundament", cGameWorld::Instance().fundamentTemplates.size()))
        cGameWorld::Instance().AddFundament(id, texture, texture2, value);
}

void Story::CreatePlace(int type, int row, int column, int direction)
{
    if (Scripting::CheckScriptRoom(L"CreatePlace", cGameWorld::Instance().places.size()))
        cGameWorld::Instance().CreatePlace(type, row, column, direction);
}

void Story::CreatePlace111(int type, int row, int column, int direction, int extra)
{
    if (Scripting::CheckScriptRoom(L"CreatePlace111", cGameWorld::Instance().places.size()))
        cGameWorld::Instance().CreatePlace111(type, row, column, direction, extra);
}

void Story::CreateFundament(int texture, int row, int column, int direction, int value)
{
    if (Scripting::CheckScriptRoom(L"CreateFundament", cGameWorld::Instance().fundaments.size()))
        cGameWorld::Instance().CreateFundament(texture, row, column, direction, value);
}

void Story::CreateLot(int a, int b, int c, int d, int e, int f, int g)
{
    if (Scripting::CheckScriptRoom(L"CreateLot", cGameWorld::Instance().fundaments.size()))
        cGameWorld::Instance().CreateLot(a, b, c, d, e, f, g);
}

void Story::PlaceTexture(int number, const std::string& name)
{
    if (Scripting::CheckScriptText(L"PlaceTexture", name))
        cGameWorld::Instance().PlaceTexture(number, name);
}

void Story::SetLotForBuild(int row, int column)
{
    if (Scripting::CheckScriptRoom(L"SetLotForBuild", cGameWorld::Instance().buildLots.size()))
        cGameWorld::Instance().SetLotForBuild(row, column);
}

void Story::AddToLink(int a, int b, int c, int d)
{
    if (Scripting::CheckScriptRoom(L"AddToLink", cGameWorld::Instance().links.size()))
        cGameWorld::Instance().AddToLink(a, b, c, d);
}

int Story::GetPlaceCounter(int type)
{
    return CountPlaces([&](const cPlace& p) { return p.type == type; });
}

int Story::GetFreePlace()
{
    return CountPlaces([](const cPlace& p) { return p.type == 0; });
}

int Story::CounterNotBadStation()
{
    return CountPlaces([](const cPlace& p) { return p.type <= kLastStationType && p.state != kOutOfOrder; });
}

int Story::GetPlaceForRepaire()
{
    return FindPlace([](const cPlace& p) { return p.type <= kLastStationType && p.state >= kOutOfOrder; });
}

int Story::ExistWorkPlace(int type)
{
    // Work places 6..10 serve the colours 0..4; any other type has no colour
    // and finds no place.
    if (type < 6 || type > 10)
        return 0;
    const int colour = type - 6;
    return CountPlaces(
        [&](const cPlace& p) { return p.type >= 6 && p.type <= 10 && p.state != kOutOfOrder && p.colour == colour; });
}

int Story::GetPlaceProperty(int type)
{
    const int i = FindPlace([&](const cPlace& p) { return p.type == type; });
    if (i < 0)
        return -1;
    cGameWorld& world = cGameWorld::Instance();
    world.hoveredElement = i;
    return world.places[i].state;
}

int Story::GetPlace()
{
    return cGameWorld::Instance().hoveredElement;
}

void Story::SetPlaceProperty(int index, int value)
{
    if (cPlace* place = PlaceAt(L"SetPlaceProperty", index))
        place->state = value;
}

int Story::GetStatePlace(int index)
{
    const cPlace* place = PlaceAt(L"GetStatePlace", index);
    return place ? place->state : -1;
}

void Story::SetStatePlace(int index, int state)
{
    if (cPlace* place = PlaceAt(L"SetStatePlace", index))
        place->state = state;
}

void Story::SetActiveUnactivePlace(int type, int x, int y, int a, int b)
{
    const int i = FindPlace([&](const cPlace& p) { return p.type == type && p.x == x && p.y == y; });
    if (i < 0)
        return;
    cPlace& place = cGameWorld::Instance().places[i];
    place.placeTimer.Restart();
    place.active = static_cast<unsigned char>(a);
    place.alpha = b;
}

void Story::ChangeNumberInOver(int /*ignored*/, int x, int y, int code)
{
    const char* sprite = OverSpriteForCode(code);
    const int i = FindPlace([&](const cPlace& p) { return p.x == x && p.y == y; });
    if (sprite && i >= 0)
        cGameWorld::Instance().places[i].texture = sprite;
}

int Story::GetColorPlace(int row, int column)
{
    const cGameWorld& world = cGameWorld::Instance();
    // A cell whose fundament shares its list position with a place marked -1
    // has no colour. The fundament list may be longer than the place list.
    const int f = world.FindFundamentAt(row, column);
    if (f >= 0 && f < static_cast<int>(world.places.size()) && world.places[f].state == -1)
        return -1;
    const int i = FindPlace([&](const cPlace& p) { return p.row == row && p.column == column && p.state == 0; });
    return i < 0 ? -1 : world.places[i].colour;
}

void Story::AddAutoToFundament(int row, int column, int car)
{
    cGameWorld::Instance().AddAutoToFundament(row, column, car);
}

void Story::SetBuildingStatus(int row, int column, int status)
{
    // A cell off the grid is refused with a line; a cell of the grid without
    // a fundament keeps its status.
    if (!Scripting::CheckScriptCell(L"SetBuildingStatus", row, column))
        return;
    cGameWorld& world = cGameWorld::Instance();
    const int f = world.FindFundamentAt(row, column);
    if (f < 0)
        return;
    world.fundaments[f].status = status;
    world.lotStatus[row][column] = status;
}

int Story::GetBuildingStatus(int row, int column)
{
    const cGameWorld& world = cGameWorld::Instance();
    const int f = world.FindFundamentAt(row, column);
    return f < 0 ? -1 : world.fundaments[f].status;
}

bool Story::PlaceIsBuild(int kind)
{
    for (const cFundament& f : cGameWorld::Instance().fundaments) {
        if (f.status == kBuilt && f.content == kind)
            return true;
    }
    return false;
}

bool Story::ExistPlaceForBuild()
{
    for (const cFundament& f : cGameWorld::Instance().fundaments) {
        if (f.content == kFreeForBuilding)
            return true;
    }
    return false;
}

int Story::GetFreeLot()
{
    int count = 0;
    for (const cBuildLot& lot : cGameWorld::Instance().buildLots)
        count += lot.pending == 1 ? 1 : 0;
    return count;
}

int Story::GetProcentBuilding()
{
    return 10;
}

int Story::GetBuild()
{
    return cGameWorld::Instance().build;
}

void Story::SetBuild(int value)
{
    cGameWorld::Instance().build = value;
}

void Story::SetDrawStation(int on)
{
    cGameWorld::Instance().drawStation = on;
}

int Story::GetX()
{
    return cGameWorld::Instance().lastLotRow;
}

int Story::GetY()
{
    return cGameWorld::Instance().lastLotColumn;
}

int Story::GetWorkingPlace()
{
    return cGameWorld::Instance().workingPlace;
}

int Story::GetNeededPlace()
{
    return cGameWorld::Instance().neededPlace;
}

int Story::FindPlaceAt(int type, int x, int y, int level)
{
    return FindPlace([&](const cPlace& p) { return p.type == type && p.x == x && p.y == y && p.direction == level; });
}
