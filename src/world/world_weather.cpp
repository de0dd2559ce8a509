// Rain drops and snow flakes, placed at random over the screen.
#include "platform/game_random.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

// Drops start 5 pixels in from either side, so the width must leave room.
bool ScreenFits(const wchar_t* who, int minWidth, int width, int height)
{
    if (width >= minWidth && height > 0)
        return true;
    cLog::Instance().Error(L"%ls -> no weather on a screen of %d x %d", who, width, height);
    return false;
}

cSnowFlake MakeFlake(int width, int height)
{
    cSnowFlake flake;
    flake.x = flake.startX = platform::GameRand() % width + 5;
    flake.y = flake.startY = platform::GameRand() % height + 5;
    flake.screenWidth = width;
    flake.screenHeight = height;
    return flake;
}

} // namespace

void cGameWorld::StartRain(int count)
{
    const int width = cSettings::Instance().GetWidth();
    const int height = cSettings::Instance().GetHeight();
    if (!world::CheckCount(L"cGameWorld::StartRain", count) || !ScreenFits(L"cGameWorld::StartRain", 10, width, height))
        return;
    rainDrops.clear();
    for (int i = 0; i < count; ++i) {
        cRainDrop drop;
        drop.x = platform::GameRand() % (width - 9) + 5;
        drop.y = platform::GameRand() % height;
        drop.screenWidth = width;
        drop.screenHeight = height;
        drop.drawX = drop.x;
        drop.drawY = drop.y;
        rainDrops.push_back(drop);
    }
    rainTimer.Restart();
    raining = 1;
}

void cGameWorld::StartSnow(int mode, int count, int wind)
{
    const int width = cSettings::Instance().GetWidth();
    const int height = cSettings::Instance().GetHeight();
    if (!world::CheckCount(L"cGameWorld::StartSnow", count) || !ScreenFits(L"cGameWorld::StartSnow", 1, width, height))
        return;
    if (mode == 1)
        snowFlakes.clear();
    for (int i = 0; i < count; ++i) {
        cSnowFlake flake = MakeFlake(width, height);
        int r = platform::GameRand() % 6;
        if (r == 0)
            r = 1;
        flake.sizeClass = 5 / r + 2;
        // Every class above 1 starts at 10; classes 2, 3 and 4 then get their own.
        flake.speed = 10.0;
        if (flake.sizeClass == 2)
            flake.speed = 12.0;
        else if (flake.sizeClass == 3)
            flake.speed = 14.0;
        else if (flake.sizeClass == 4)
            flake.speed = 19.0;
        flake.wind = wind;
        flake.phase = 2;
        snowFlakes.push_back(flake);
    }
    snowing = 1;
    snowTimer.Restart();
}

void cGameWorld::AddSnow(int count)
{
    const int width = cSettings::Instance().GetWidth();
    const int height = cSettings::Instance().GetHeight();
    if (!world::CheckCount(L"cGameWorld::AddSnow", count) || !ScreenFits(L"cGameWorld::AddSnow", 1, width, height))
        return;
    for (int i = 0; i < count; ++i) {
        cSnowFlake flake = MakeFlake(width, height);
        int r = platform::GameRand() % 4;
        if (r == 0)
            r = 1;
        flake.sizeClass = 4 / r;
        switch (flake.sizeClass) {
        case 1: flake.speed = 10.0; break;
        case 2: flake.speed = 12.0; break;
        case 3: flake.speed = 14.0; break;
        default: flake.speed = 19.0; break;
        }
        flake.wind = 0;
        flake.phase = 1;
        snowFlakes.push_back(flake);
    }
    snowing = 1;
}

void cGameWorld::SetWind(int wind)
{
    for (cSnowFlake& flake : snowFlakes)
        flake.wind = wind;
}

void cGameWorld::MinusSnow(int /*count*/) { }

void cGameWorld::ClearWeather()
{
    rainDrops.clear();
    snowFlakes.clear();
}
