#include "scene/build_menu.h"

#include "resources/log.h"
#include "world/game_world.h"

namespace Scene {

namespace {

    // Car values of work cars start here; the place types follow them.
    constexpr int kWorkValueBase = 70;
    constexpr int kBigTwin = 20; // the large variant of a work place
    constexpr int kServeOffset = 10; // a place serves with its type + this
    constexpr int kStartValue = 245;

    bool IsIndex(int index, std::size_t size)
    {
        return index >= 0 && static_cast<std::size_t>(index) < size;
    }

    int FindTemplate(const cGameWorld& world, int id)
    {
        for (std::size_t i = 0; i < world.placeTemplates.size(); ++i) {
            if (world.placeTemplates[i].id == id)
                return static_cast<int>(i);
        }
        return -1;
    }

    int FindPlaceAtCell(const cGameWorld& world, int row, int column, int type, bool anyType)
    {
        for (std::size_t i = 0; i < world.places.size(); ++i) {
            const cPlace& p = world.places[i];
            if (p.row == row && p.column == column && (anyType || p.type == type))
                return static_cast<int>(i);
        }
        return -1;
    }

} // namespace

BuildMenu::BuildMenu()
    : Screen(0, 0, 0, 0)
{
}

BuildMenu::~BuildMenu() = default;

void BuildMenu::OnActivate()
{
    value = kStartValue;
    selection = -1;
    counter = 0;
    timer.Restart();
}

int BuildMenu::ChoosePlaceType(int autoType)
{
    const cGameWorld& world = cGameWorld::Instance();
    const int t = world.GetAutoTypeValue(autoType) - kWorkValueBase;
    for (const cPlace& p : world.places) {
        if (p.type == t + kBigTwin)
            return t;
    }
    return t + kBigTwin;
}

void BuildMenu::BuildForAuto(int fundament, int autoType, const std::string& building)
{
    const int t = cGameWorld::Instance().GetAutoTypeValue(autoType) - kWorkValueBase;
    if (building == "cisterne")
        BuildPlace(fundament, t + kBigTwin, t + 2 * kBigTwin, autoType);
    else
        BuildPlace(fundament, t, t + kServeOffset, autoType);
}

bool BuildMenu::BuildPlace(int fundament, int placeType, int serveType, int autoType)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!IsIndex(fundament, world.fundaments.size())) {
        cLog::Instance().Error(L"MenuBuild::BuildPlace -> fundament %d does not exist", fundament);
        return false;
    }
    // Without a template there is nothing to build; the fundament must not
    // record an index of -1 as if it were one.
    const int tpl = FindTemplate(world, placeType);
    if (tpl < 0) {
        cLog::Instance().Error(L"MenuBuild::BuildPlace -> no place template %d", placeType);
        return false;
    }
    const int row = world.fundaments[fundament].row;
    const int column = world.fundaments[fundament].column;
    const int direction = world.fundaments[fundament].direction;
    world.fundaments[fundament].content = tpl;
    world.CreatePlace(placeType, row, column, direction);

    if (world.places.empty()) {
        cLog::Instance().Write(L"ERROR, not found place %d", placeType);
        world.SetPause(false);
        world.buildMenuOpen = 0;
        return false;
    }
    int place = FindPlaceAtCell(world, row, column, placeType, false);
    if (place < 0)
        place = static_cast<int>(world.places.size()) - 1;
    cPlace& p = world.places[place];
    const cPlaceTemplate& t = world.placeTemplates[tpl];
    p.active = 255;
    p.texture = t.texture;
    p.autoOffsetX = t.autoOffsetX;
    p.autoOffsetY = t.autoOffsetY;
    lastBuiltX = p.x + 100;
    lastBuiltY = p.y;
    lastBuiltType = placeType;
    world.SetPlaceAuto(place, autoType);
    world.PutAutoOnPlace(place, serveType, 0);
    return true;
}

bool BuildMenu::PutAutoAtFundament(int fundament, int autoType)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!IsIndex(fundament, world.fundaments.size())) {
        cLog::Instance().Error(L"MenuBuild::PutAutoAtFundament -> fundament %d does not exist", fundament);
        return false;
    }
    selection = fundament;
    const cFundament& f = world.fundaments[fundament];
    const int place = FindPlaceAtCell(world, f.row, f.column, 0, true);
    if (place < 0) {
        cLog::Instance().Error(L"MenuBuild::PutAutoAtFundament -> no place on cell %d:%d", f.row, f.column);
        return false;
    }
    world.SetPlaceAuto(place, autoType);
    world.PutAutoOnPlace(place, world.places[place].type, 0);
    return true;
}

int BuildMenu::ReleaseFundament(int place)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!IsIndex(place, world.places.size())) {
        cLog::Instance().Error(L"MenuBuild::ReleaseFundament -> place %d does not exist", place);
        return -1;
    }
    const cPlace& p = world.places[place];
    for (std::size_t i = 0; i < world.fundaments.size(); ++i) {
        cFundament& f = world.fundaments[i];
        if (f.row == p.row && f.column == p.column) {
            f.content = -1;
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace Scene
