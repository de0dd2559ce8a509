// Story methods: cars and the road. The car types of a level, the special
// cars, the car on the mouse, parking and the roads past the station. Most
// store one world field or forward to the world's car and road operations,
// which check road ids and counts themselves.
#include <climits>
#include <cmath>
#include <vector>

#include "platform/game_random.h"
#include "resources/log.h"
#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_sizes.h"

namespace {

// The random choice of a class draws from at most this many types.
constexpr int kClassCandidates = 100;
// Parking counts stack slots 1..n each frame; more slots than this no level
// can show.
constexpr int kMaxParkingAutos = 1000;
constexpr int kAutobahnId = 1;

int FindAutoType(int type)
{
    const std::vector<cAutoType>& types = cGameWorld::Instance().autoTypes;
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i].id == type)
            return static_cast<int>(i);
    }
    return -1;
}

int FindRoad(int id)
{
    const std::vector<cAutobahnRoad>& roads = cGameWorld::Instance().autobahnRoads;
    for (std::size_t i = 0; i < roads.size(); ++i) {
        if (roads[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

void Story::AddAuto(int type, int variant, const std::string& name)
{
    // A new type takes a place in the list of types.
    if (Scripting::CheckScriptText(L"AddAuto", name)
        && (FindAutoType(type) >= 0 || Scripting::CheckScriptRoom(L"AddAuto", cGameWorld::Instance().autoTypes.size())))
        cGameWorld::Instance().AddAuto(type, variant, name);
}

void Story::SetAutoParameters(int type, int colourGroup, int value)
{
    const int t = FindAutoType(type);
    if (t < 0) {
        cLog::Instance().Write(L"auto %d not found", type);
        return;
    }
    cAutoType& autoType = cGameWorld::Instance().autoTypes[t];
    autoType.colour = colourGroup;
    autoType.value = value;
}

void Story::SetAutoClass(int type, int autoClass, int secondClass)
{
    const int t = FindAutoType(type);
    if (t < 0)
        return;
    cAutoType& autoType = cGameWorld::Instance().autoTypes[t];
    autoType.class_ = autoClass;
    autoType.classValue = secondClass;
}

int Story::GetAutoClass(int type)
{
    return cGameWorld::Instance().GetAutoTypeClass(type);
}

int Story::GetAutoColor(int type)
{
    return cGameWorld::Instance().GetAutoTypeColour(type);
}

int Story::GetRandomAuto(int kind)
{
    return cGameWorld::Instance().GetRandomAuto(kind);
}

int Story::GetRandomAutoByTyp(int autoClass)
{
    int collected[kClassCandidates];
    int count = 0;
    for (const cAutoType& autoType : cGameWorld::Instance().autoTypes) {
        if (count == kClassCandidates)
            break;
        if (autoType.class_ == autoClass)
            collected[count++] = autoType.id;
    }
    // No type of that class: there is nothing to draw from.
    if (count == 0)
        return -1;
    return collected[platform::GameRand() % count];
}

bool Story::GetAutoByTyp()
{
    return cGameWorld::Instance().autoByType != 0;
}

void Story::SetAutoByTyp(bool on)
{
    cGameWorld::Instance().autoByType = on ? 1 : 0;
}

void Story::SetOffsetForAuto(int a, int b, int c, int d)
{
    cGameWorld::Instance().SetOffsetForAuto(a, b, c, d);
}

void Story::SetObjectOffsets(int a, int b, int c, int d)
{
    cGameWorld::Instance().SetObjectOffsets(a, b, c, d);
}

bool Story::IHaveSpecAuto(int type)
{
    return cGameWorld::Instance().IHaveSpecAuto(type);
}

bool Story::ICreateSpecAuto(int type)
{
    return cGameWorld::Instance().ICreateSpecAuto(type);
}

void Story::AddSpecAuto(int /*ignored*/, int type)
{
    // The item starts at the first cell of the combo applied last.
    cGameWorld& world = cGameWorld::Instance();
    if (Scripting::CheckScriptRoom(L"AddSpecAuto", world.jokers.size()))
        world.AddSpecAuto(world.bonusCellRow[0], world.bonusCellColumn[0], type);
}

void Story::SetColor(int row, int column, int colour)
{
    cGameWorld::Instance().SetColor(row, column, colour);
}

bool Story::MouseAuto()
{
    return cGameWorld::Instance().autoOnMouse >= 0;
}

bool Story::MouseAsAuto()
{
    return cGameWorld::Instance().autoOnMouse != -1;
}

void Story::SetHelpAuto(int on)
{
    cGameWorld::Instance().helpAuto = on;
}

void Story::SetDamage(int mode)
{
    cGameWorld::Instance().damageMode = mode;
}

int Story::GetDamage()
{
    return cGameWorld::Instance().damageMode;
}

int Story::GetNotDamage()
{
    return cGameWorld::Instance().boughtNotDamage;
}

int Story::GetWorkingAuto()
{
    return cGameWorld::Instance().workingAuto;
}

bool Story::Transfer()
{
    return !cGameWorld::Instance().transfers.empty();
}

void Story::SetParkingAutos(int count)
{
    if (Scripting::CheckScriptCount(L"SetParkingAutos", count, kMaxParkingAutos))
        cGameWorld::Instance().SetParkingAutos(count);
}

int Story::GetParkingAutos()
{
    return cGameWorld::Instance().parkingAutos;
}

int Story::GetAddParkingAutos(int i)
{
    if (!Scripting::CheckScriptIndex(L"GetAddParkingAutos", i, world::kLevelTableSize))
        return 0;
    return cGameWorld::Instance().addParkingAutos[i];
}

void Story::SetParkingLot(int value)
{
    cGameWorld::Instance().parkingLot = value;
}

int Story::GetParkingLot()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (world.boughtParkingLot[1] == 1)
        return 1;
    return world.boughtParkingLot[0] == 1 ? 2 : 3;
}

void Story::SetAutoBahn(int id, double speed, int a)
{
    if (Scripting::CheckScriptNumber(L"SetAutoBahn", speed))
        cGameWorld::Instance().SetAutoBahn(id, speed, a);
}

void Story::SetAutoBahnSpeed(int id, double speed, int a)
{
    if (Scripting::CheckScriptNumber(L"SetAutoBahnSpeed", speed))
        cGameWorld::Instance().SetAutoBahnSpeed(id, speed, a);
}

void Story::SetAutoBahnPoints(int id, int x1, int y1, int x2, int y2)
{
    cGameWorld::Instance().SetAutoBahnPoints(id, x1, y1, x2, y2);
}

void Story::SetAutoBahnPointsCity(int a, int b, int c, int d, int e, int f, int g)
{
    cGameWorld::Instance().SetAutoBahnPointsCity(a, b, c, d, e, f, g);
}

int Story::GetXAutobahn()
{
    const int r = FindRoad(kAutobahnId);
    return r < 0 ? 0 : cGameWorld::Instance().autobahnRoads[r].endX;
}

int Story::GetYAutobahn()
{
    const int r = FindRoad(kAutobahnId);
    return r < 0 ? 0 : cGameWorld::Instance().autobahnRoads[r].endY;
}

void Story::SetDistanceAutobahn(int d)
{
    cGameWorld::Instance().autobahnDistance = d;
}

void Story::SetProcentAnotherCarsAutobahn(int percent)
{
    cGameWorld::Instance().autobahnOtherCarsPercent = percent;
}

void Story::SetStepAutobahn(int step)
{
    cGameWorld::Instance().autobahnStep = step;
}

void Story::SetAutobahnDelay(double seconds)
{
    // The delay is kept in whole seconds; a value no int can hold is refused.
    if (!Scripting::CheckScriptNumber(L"SetAutobahnDelay", seconds))
        return;
    const double whole = std::trunc(seconds);
    if (whole < static_cast<double>(INT_MIN) || whole > static_cast<double>(INT_MAX)) {
        cLog::Instance().Warning(L"Story::SetAutobahnDelay -> delay %f is out of range, ignored", seconds);
        return;
    }
    cGameWorld::Instance().autobahnDelay = static_cast<int>(whole);
}

int Story::GetOnlyAutobahn()
{
    return cGameWorld::Instance().onlyAutobahn;
}

void Story::SetOnlyAutobahn(int /*ignored*/)
{
    cGameWorld::Instance().onlyAutobahn = 1;
}

void Story::TakeFromAutobahn(int on)
{
    cGameWorld::Instance().takeFromAutobahn = on;
}

void Story::EnableAutoForAutobahn(int a, int b, int flag)
{
    if (Scripting::CheckScriptRoom(L"EnableAutoForAutobahn", cGameWorld::Instance().autobahnAutos.size()))
        cGameWorld::Instance().EnableAutoForAutobahn(a, b, flag);
}

void Story::DisableAutoForAutobahn(int a, int b)
{
    cGameWorld::Instance().DisableAutoForAutobahn(a, b);
}

void Story::EnableClassAutoForAutobahn(int a, int autoClass)
{
    if (Scripting::CheckScriptRoom(L"EnableClassAutoForAutobahn", cGameWorld::Instance().autobahnClasses.size()))
        cGameWorld::Instance().EnableClassAutoForAutobahn(a, autoClass);
}

bool Story::IsEnableClassAutoForAutobahn(int autoClass)
{
    return cGameWorld::Instance().IsEnableClassAutoForAutobahn(autoClass);
}

bool Story::ExistInAutobahn(int type)
{
    return cGameWorld::Instance().ExistInAutobahn(type);
}

int Story::GetRandomAutoAutobahn(int road)
{
    return cGameWorld::Instance().GetRandomAutoAutobahn(road);
}

void Story::AddTransportToAutobahn(int road, int count)
{
    if (Scripting::CheckScriptRoom(L"AddTransportToAutobahn", cGameWorld::Instance().autobahnCars.size(), count))
        cGameWorld::Instance().AddTransportToAutobahn(road, count);
}

void Story::AddTransportToCity(int a, int b, int c, int d)
{
    if (Scripting::CheckScriptRoom(L"AddTransportToCity", cGameWorld::Instance().autobahnCars.size()))
        cGameWorld::Instance().AddTransportToCity(a, b, c, d);
}

void Story::SetAutobahnAutosPerType(int /*ignored*/)
{
    cGameWorld::Instance().autobahnAutosPerType = 1;
}

void Story::ChoiceAutobahnAutos(int type)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!Scripting::CheckScriptRoom(L"ChoiceAutobahnAutos", world.chosenAutobahnAutos.size()))
        return;
    world.ChoiceAutobahnAutos(type);
    world.autobahnAutosChosen = 1;
}

int Story::GetLeftRight()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!Scripting::CheckScriptIndex(L"GetLeftRight", world.currentProfile, world::kProfiles + 1))
        return 0;
    return world.profileDrive[world.currentProfile];
}
