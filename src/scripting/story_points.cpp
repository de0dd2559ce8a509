// Story methods: points, money, awards, bonuses and jokers. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

int Story::GetMoney()
{
    return 0;
}

void Story::SetMoney(int /*money*/) { }

void Story::SetPoints(int /*points*/) { }

int Story::GetCurrentPoints()
{
    return 0;
}

void Story::MaxPoints(int /*points*/) { }

void Story::SetSpeedForPoints(double /*speed*/) { }

void Story::MinusPoints(int /*n*/) { }

int Story::GetMinusPoints()
{
    return 0;
}

void Story::NoMinusPoints(bool /*on*/) { }

int Story::GetPatience()
{
    return 0;
}

void Story::AddAward(int /*n*/) { }

void Story::SetAwards(int /*n*/, int /*value*/) { }

bool Story::Brutal()
{
    return false;
}

void Story::SetBonusSystem(const std::string& /*name*/) { }

std::string Story::GetBonusSystem()
{
    return {};
}

void Story::SetBonusConfiguration(int /*value*/) { }

int Story::GetClassAutoBonus()
{
    return 0;
}

int Story::GetTypeBonus()
{
    return 0;
}

int Story::GetBonusList()
{
    return 0;
}

int Story::GetStationBonus(int /*i*/)
{
    return 0;
}

int Story::GetXBonus()
{
    return 0;
}

int Story::GetXSuperBonus()
{
    return 0;
}

void Story::SetCounterBonusForSpecAuto(int /*i*/, int /*value*/) { }

bool Story::GetMyCombo(int /*length*/, int /*count*/)
{
    return false;
}

void Story::AddJoker(int /*count*/) { }

int Story::GetJokerList(int /*type*/)
{
    return 0;
}

void Story::SetJoker(int /*value*/) { }

int Story::GetJoker()
{
    return 0;
}

bool Story::IfJoker()
{
    return false;
}
