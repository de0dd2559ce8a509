// Story methods: snow, rain and wind, fog, clouds and balloons. The records
// and their operations belong to the world; the fog's fade runs on the
// effects screen.
#include "resources/log.h"
#include "scene/effects_layer.h"
#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

// Every flake and drop is drawn and moved each frame; a script that asks for
// more than this is refused rather than stalling the frame.
constexpr int kMaxWeatherParticles = 2000;

bool CheckParticles(const wchar_t* method, int count, size_t kept)
{
    const int room = kMaxWeatherParticles - static_cast<int>(kept);
    return Scripting::CheckScriptCount(method, count, room);
}

// Clouds and balloons drift between two points given in design pixels; a
// point further off than this lies off any screen and its drift arithmetic
// would leave the range of an int.
constexpr int kMaxDriftCoordinate = 1000000;

bool CheckDriftPoints(const wchar_t* method, int x1, int y1, int x2, int y2)
{
    for (const int value : { x1, y1, x2, y2 }) {
        if (!Scripting::CheckScriptRange(method, L"coordinate", value, -kMaxDriftCoordinate, kMaxDriftCoordinate))
            return false;
    }
    return true;
}

} // namespace

void Story::StartSnow(int mode, int n, int c)
{
    const size_t kept = mode == 1 ? 0 : cGameWorld::Instance().snowFlakes.size();
    if (CheckParticles(L"StartSnow", n, kept))
        cGameWorld::Instance().StartSnow(mode, n, c);
}

void Story::AddSnow(int n)
{
    if (CheckParticles(L"AddSnow", n, cGameWorld::Instance().snowFlakes.size()))
        cGameWorld::Instance().AddSnow(n);
}

void Story::MinusSnow(int n)
{
    cGameWorld::Instance().MinusSnow(n);
}

void Story::StopSnow()
{
    cGameWorld& world = cGameWorld::Instance();
    world.snowTimer.Stop();
    world.snowing = 0;
}

void Story::SetSpeedSnow(double speed)
{
    if (Scripting::CheckScriptNumber(L"SetSpeedSnow", speed))
        cGameWorld::Instance().snowSpeed = speed;
}

void Story::StartRain(int n)
{
    if (CheckParticles(L"StartRain", n, 0))
        cGameWorld::Instance().StartRain(n);
}

void Story::StopRain()
{
    cGameWorld& world = cGameWorld::Instance();
    world.rainTimer.Stop();
    world.raining = 0;
}

void Story::SetSpeedRain(double speed)
{
    if (Scripting::CheckScriptNumber(L"SetSpeedRain", speed))
        cGameWorld::Instance().rainSpeed = speed;
}

void Story::SetWind(int wind)
{
    cGameWorld::Instance().SetWind(wind);
}

// The fog fades in from nothing up to the level's fog alpha.
void Story::StartFog()
{
    cGameWorld::Instance().fogOn = 1;
    if (Scene::EffectsLayer* effects = Scene::EffectsLayer::Instance())
        effects->SetFog(0, Scene::EffectsLayer::kFogFadeSeconds, 0);
}

// The fog fades out from 200 whatever it shows now; the effects screen turns
// it off once it has gone.
void Story::StopFog()
{
    if (Scene::EffectsLayer* effects = Scene::EffectsLayer::Instance())
        effects->SetFog(200, Scene::EffectsLayer::kFogFadeSeconds, 1);
}

void Story::SetFogAlpha(int alpha)
{
    cGameWorld::Instance().fogAlpha = alpha;
}

void Story::StartClouds(int /*ignored*/)
{
    cGameWorld::Instance().cloudsOn = 1;
}

void Story::StopClouds()
{
    cGameWorld::Instance().cloudsOn = 0;
}

void Story::SetCloudStop(bool stop)
{
    cGameWorld::Instance().cloudsStop = stop ? 1 : 0;
}

// Every cloud fades from a to b: its alpha and its alpha at the start become
// a, its target b.
void Story::SetCloudAlpha(int a, int b)
{
    for (cCloud& cloud : cGameWorld::Instance().clouds) {
        cloud.alphaA = a;
        cloud.alphaB = a;
        cloud.alpha2 = b;
    }
}

void Story::AddCloud(int a, int b, int c, int d, int e, int f)
{
    if (CheckDriftPoints(L"AddCloud", b, c, d, e)
        && Scripting::CheckScriptRoom(L"AddCloud", cGameWorld::Instance().clouds.size()))
        cGameWorld::Instance().AddCloud(a, b, c, d, e, f);
}

// The number given with the texture is the cloud's start delay in seconds.
void Story::AddTextureCloud(int id, const std::string& texture, float alpha)
{
    if (Scripting::CheckScriptNumber(L"AddTextureCloud", alpha)
        && Scripting::CheckScriptText(L"AddTextureCloud", texture))
        cGameWorld::Instance().AddTextureCloud(id, texture, alpha);
}

void Story::AddBalon(int a, int b, int c, int d, int e, int f)
{
    if (CheckDriftPoints(L"AddBalon", b, c, d, e)
        && Scripting::CheckScriptRoom(L"AddBalon", cGameWorld::Instance().balloons.size()))
        cGameWorld::Instance().AddBalon(a, b, c, d, e, f);
}

void Story::AddTextureBalon(int id, const std::string& texture)
{
    if (Scripting::CheckScriptText(L"AddTextureBalon", texture))
        cGameWorld::Instance().AddTextureBalon(id, texture);
}
