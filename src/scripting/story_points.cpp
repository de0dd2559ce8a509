// Story methods: points, money, awards, bonuses and jokers. Money changes
// during a level only through the script; the combos and jokers themselves
// belong to the world.
#include "resources/log.h"
#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_sizes.h"

namespace {

// The award row of the current profile; null (with a log line) when the
// profile index does not address the table.
int* CurrentAwards(const wchar_t* method)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!Scripting::CheckScriptIndex(method, world.currentProfile, world::kProfiles + 1))
        return nullptr;
    return world.profileAwards[world.currentProfile];
}

} // namespace

int Story::GetMoney()
{
    return cGameWorld::Instance().money;
}

void Story::SetMoney(int money)
{
    cGameWorld::Instance().money = money;
}

void Story::SetPoints(int points)
{
    cGameWorld::Instance().points = points;
}

int Story::GetCurrentPoints()
{
    return cGameWorld::Instance().levelPoints;
}

void Story::MaxPoints(int points)
{
    cGameWorld::Instance().maxPoints = points;
}

void Story::SetSpeedForPoints(double speed)
{
    if (Scripting::CheckScriptNumber(L"SetSpeedForPoints", speed))
        cGameWorld::Instance().pointsSpeed = speed;
}

void Story::MinusPoints(int n)
{
    int& counter = cGameWorld::Instance().levelPoints;
    // Wraps like the game's counters, without the undefined overflow of a
    // signed difference.
    counter = static_cast<int>(static_cast<unsigned>(counter) - static_cast<unsigned>(n));
}

int Story::GetMinusPoints()
{
    return cGameWorld::Instance().penaltyThreshold;
}

void Story::NoMinusPoints(bool on)
{
    cGameWorld::Instance().noPenalty = on ? 1 : 0;
}

int Story::GetPatience()
{
    return cGameWorld::Instance().patience;
}

void Story::AddAward(int n)
{
    int* awards = CurrentAwards(L"AddAward");
    if (!awards || !Scripting::CheckScriptIndex(L"AddAward", n, world::kAwards))
        return;
    if (awards[n] != 0)
        return;
    awards[n] = 1;
    cGameWorld& world = cGameWorld::Instance();
    world.newAward = 1;
    world.lastAward = n;
}

void Story::SetAwards(int n, int value)
{
    int* awards = CurrentAwards(L"SetAwards");
    if (awards && Scripting::CheckScriptIndex(L"SetAwards", n, world::kAwards))
        awards[n] = value;
}

bool Story::Brutal()
{
    return cGameWorld::Instance().brutal != 0;
}

void Story::SetBonusSystem(const std::string& name)
{
    cGameWorld::Instance().bonusByClass = name == "color" ? 0 : 1;
}

std::string Story::GetBonusSystem()
{
    return cGameWorld::Instance().bonusByClass ? "classe" : "color";
}

void Story::SetBonusConfiguration(int value)
{
    cGameWorld::Instance().bonusConfiguration = value;
}

int Story::GetClassAutoBonus()
{
    return cGameWorld::Instance().bonusAutoClass;
}

int Story::GetTypeBonus()
{
    return cGameWorld::Instance().bonusType;
}

// The bonus cells of the combo applied last: their number, and the station
// bonus of each, for "on_bonus" to pay out.
int Story::GetBonusList()
{
    return cGameWorld::Instance().bonusCellCount;
}

int Story::GetStationBonus(int i)
{
    if (!Scripting::CheckScriptIndex(L"GetStationBonus", i, world::kBonusCells))
        return 0;
    return cGameWorld::Instance().bonusCellKind[i];
}

int Story::GetXBonus()
{
    return cGameWorld::Instance().bonusMultiplier;
}

int Story::GetXSuperBonus()
{
    return cGameWorld::Instance().superBonusMultiplier;
}

void Story::SetCounterBonusForSpecAuto(int i, int value)
{
    if (Scripting::CheckScriptIndex(L"SetCounterBonusForSpecAuto", i, world::kIndexTable))
        cGameWorld::Instance().specAutoBonusCounter[i] = value;
}

bool Story::GetMyCombo(int length, int count)
{
    return cGameWorld::Instance().GetMyCombo(length, count);
}

void Story::AddJoker(int count)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!Scripting::CheckScriptRoom(L"AddJoker", world.jokers.size(), count))
        return;
    world.AddJoker(count);
    world.jokerRequested = 0;
}

int Story::GetJokerList(int type)
{
    int count = 0;
    for (const cJoker& joker : cGameWorld::Instance().jokers)
        count += joker.item == type ? 1 : 0;
    return count;
}

void Story::SetJoker(int value)
{
    cGameWorld::Instance().joker = value;
}

int Story::GetJoker()
{
    return cGameWorld::Instance().boughtJoker == 1 ? 1 : 0;
}

bool Story::IfJoker()
{
    // Set by the grid's combo search while a joker stands on a changed cell.
    return cGameWorld::Instance().jokerInUse != 0;
}

double Story::GetSpeedForPoints()
{
    return cGameWorld::Instance().pointsSpeed;
}
