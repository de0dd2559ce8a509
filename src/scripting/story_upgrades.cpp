// Story methods: upgrades and staff. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

int Story::GetBeton()
{
    return 0;
}

void Story::SetBeton() { }

int Story::GetCrane()
{
    return 0;
}

void Story::SetCrane() { }

int Story::GetModern53()
{
    return 0;
}

int Story::GetAntifog()
{
    return 0;
}

int Story::GetAntiCloud()
{
    return 0;
}

int Story::GetWerbung()
{
    return 0;
}

int Story::GetConsultant()
{
    return 0;
}

int Story::GetProfi()
{
    return 0;
}

void Story::SetProfi(int /*value*/) { }

int Story::GetEntertainment()
{
    return 0;
}

int Story::GetUpdate()
{
    return 0;
}

void Story::SetUpdate(int /*value*/) { }

int Story::GetUpdateColor()
{
    return 0;
}

int Story::GetUpdateX()
{
    return 0;
}

int Story::GetUpdateY()
{
    return 0;
}

int Story::GetCurrentUpgrade()
{
    return 0;
}

void Story::ClearUpgrades() { }

void Story::SetTuv(int /*value*/) { }

void Story::SetManager(int /*count*/) { }

int Story::GetManager()
{
    return 0;
}
