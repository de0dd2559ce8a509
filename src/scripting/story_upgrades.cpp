// Story methods: upgrades and staff. The upgrades are bought in the station
// shop and kept as owned-flags (1 = owned); a getter named after an upgrade
// answers 1 only for a flag of exactly 1. The managers at the stack are
// bounded by the stack limit that StackCounter sets.
#include "resources/log.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

int Owned(int flag)
{
    return flag == 1 ? 1 : 0;
}

} // namespace

int Story::GetBeton()
{
    return Owned(cGameWorld::Instance().boughtBeton);
}

void Story::SetBeton()
{
    cGameWorld::Instance().boughtBeton = 1;
}

int Story::GetCrane()
{
    return Owned(cGameWorld::Instance().boughtCrane);
}

void Story::SetCrane()
{
    cGameWorld::Instance().boughtCrane = 1;
}

int Story::GetModern53()
{
    return Owned(cGameWorld::Instance().boughtModern53);
}

int Story::GetAntifog()
{
    return Owned(cGameWorld::Instance().boughtAntifog);
}

int Story::GetAntiCloud()
{
    return Owned(cGameWorld::Instance().boughtAntiCloud);
}

int Story::GetWerbung()
{
    return Owned(cGameWorld::Instance().boughtWerbung);
}

int Story::GetConsultant()
{
    return cGameWorld::Instance().boughtConsultant;
}

int Story::GetProfi()
{
    return cGameWorld::Instance().boughtProfi;
}

void Story::SetProfi(int value)
{
    // The managers' option of following the help hints; GetProfi answers
    // the bought upgrade instead.
    cGameWorld::Instance().profi = value;
}

int Story::GetEntertainment()
{
    return cGameWorld::Instance().boughtEntertainment;
}

int Story::GetUpdate()
{
    const int* stages = cGameWorld::Instance().boughtUpdate;
    for (int stage = 4; stage >= 1; --stage) {
        if (stages[stage - 1] == 1)
            return stage;
    }
    return 0;
}

void Story::SetUpdate(int value)
{
    cGameWorld::Instance().update = value;
}

int Story::GetUpdateColor()
{
    return cGameWorld::Instance().updateColor;
}

int Story::GetUpdateX()
{
    return cGameWorld::Instance().updateX;
}

int Story::GetUpdateY()
{
    return cGameWorld::Instance().updateY;
}

int Story::GetCurrentUpgrade()
{
    return cGameWorld::Instance().currentUpgrade;
}

void Story::ClearUpgrades() { }

void Story::SetTuv(int value)
{
    cGameWorld::Instance().inspection = value;
}

void Story::SetManager(int count)
{
    if (count < 0) {
        cLog::Instance().Warning(L"Story::SetManager -> count %d is negative, ignored", count);
        return;
    }
    cGameWorld& world = cGameWorld::Instance();
    world.managerCount = count < world.stackLimit ? count : world.stackLimit;
    // At the limit the managers keep the stack to themselves.
    if (world.managerCount == world.stackLimit)
        world.managerBelowLimit = 0;
}

int Story::GetManager()
{
    return cGameWorld::Instance().managerCount;
}
