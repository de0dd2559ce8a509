// Story methods: time and sound. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

void Story::SetTimeForLevel(int /*seconds*/) { }

int Story::GetTimeForLevel()
{
    return 0;
}

int Story::GetTotalTimerForLevel()
{
    return 0;
}

int Story::GetCurrTime()
{
    return 0;
}

int Story::GetCurrentTimerForLevel()
{
    return 0;
}

int Story::GetTimeLimit()
{
    return 0;
}

void Story::SetProcessTimeInStation(double /*seconds*/) { }

double Story::GetProcessTimeInStation()
{
    return 0.0;
}

void Story::SetProcessTimeInStack(double /*seconds*/) { }

double Story::GetProcessTimeInStack()
{
    return 0.0;
}

void Story::SpeedAnimationProcess(double /*speed*/) { }

void Story::StartMusic(const std::string& /*name*/) { }

bool Story::MusicPlay()
{
    return false;
}

void Story::StopMusic() { }

void Story::StartSound(int /*code*/) { }

void Story::PlaySound(const char* /*name*/) { }
