// Story methods: time and sound. The level's time, the service and waiting
// times, the music stream and the effect sounds of the world's 20 slots.
#include <string>
#include <sys/stat.h>

#include "resources/log.h"
#include "scripting/script_index.h"
#include "scripting/story.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_sizes.h"

namespace {

// A music is named by a file of data/sound/music/ without its ".ogg": a plain
// name, never a path out of the folder, and a regular file, so the stream is
// never opened on a pipe or a device that would keep the game waiting.
bool IsMusicFile(const std::string& name, const std::string& path)
{
    struct stat status { };
    return Scripting::CheckScriptText(L"StartMusic", name) && name.find('/') == std::string::npos
        && name.find('\\') == std::string::npos && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// A player who keeps failing a level gets a little more time from the fourth
// try on: 10 % on the fourth, 15 % on the fifth, 20 % on the sixth. In whole
// percent, so that 100 seconds become exactly 115 and not 114.99...
int TimePercent(int tries)
{
    switch (tries) {
    case 4:
        return 110;
    case 5:
        return 115;
    case 6:
        return 120;
    default:
        return 100;
    }
}

// The longest time limit a level may set: a day. The level end and the
// rating work with twice and fractions of the limit.
constexpr int kMaxLevelSeconds = 24 * 60 * 60;

} // namespace

void Story::SetTimeForLevel(int seconds)
{
    if (!Scripting::CheckScriptRange(L"SetTimeForLevel", L"time", seconds, 0, kMaxLevelSeconds))
        return;
    cGameWorld& world = cGameWorld::Instance();
    int time = seconds;
    const int level = world.level;
    if (level >= 0 && level < world::kLevelTableSize && world.levelCounter[level] >= 4 && world.levelStatus[level] < 1
        && !cGameWorld::IsFirstLevelOfTriple(level)) {
        time = seconds * TimePercent(world.levelCounter[level]) / 100;
    }
    world.levelTimeLimit = time;
}

int Story::GetTimeForLevel()
{
    return cGameWorld::Instance().levelTimeLimit;
}

int Story::GetTotalTimerForLevel()
{
    return cGameWorld::Instance().levelTimeLimit;
}

int Story::GetCurrTime()
{
    return cGameWorld::Instance().levelElapsed;
}

int Story::GetCurrentTimerForLevel()
{
    return cGameWorld::Instance().levelElapsed;
}

int Story::GetTimeLimit()
{
    return cGameWorld::Instance().timeLimitMode;
}

void Story::SetProcessTimeInStation(double seconds)
{
    if (Scripting::CheckScriptNumber(L"SetProcessTimeInStation", seconds))
        cGameWorld::Instance().processTimeInStation = seconds;
}

double Story::GetProcessTimeInStation()
{
    return cGameWorld::Instance().processTimeInStation;
}

void Story::SetProcessTimeInStack(double seconds)
{
    if (Scripting::CheckScriptNumber(L"SetProcessTimeInStack", seconds))
        cGameWorld::Instance().processTimeInStack = seconds;
}

double Story::GetProcessTimeInStack()
{
    return cGameWorld::Instance().processTimeInStack;
}

void Story::SpeedAnimationProcess(double speed)
{
    if (Scripting::CheckScriptNumber(L"SpeedAnimationProcess", speed))
        cGameWorld::Instance().animationSpeed = speed;
}

void Story::StartMusic(const std::string& name)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.soundEngine || cSettings::Instance().mute)
        return;
    if (world.musicStream) {
        world.musicStream->Stop();
        world.musicStream->Release();
        world.musicStream = nullptr;
    }
    const std::string path = "data/sound/music/" + name + ".ogg";
    if (!IsMusicFile(name, path)) {
        cLog::Instance().Write(L"music file %s...", path.substr(0, 64).c_str());
        return;
    }
    world.musicStream = world.soundEngine->Play2D(path.c_str());
    if (world.musicStream)
        world.musicStream->SetVolume(world.musicPlayVolume);
    else
        cLog::Instance().Write(L"music file %s...", path.c_str());
}

bool Story::MusicPlay()
{
    const cGameWorld& world = cGameWorld::Instance();
    return world.musicStream && !world.musicStream->IsFinished();
}

void Story::StopMusic()
{
    cGameWorld& world = cGameWorld::Instance();
    // A stream that ended by itself stays until the next StartMusic gives it back.
    if (!world.musicStream || world.musicStream->IsFinished())
        return;
    world.musicStream->Stop();
    world.musicStream->Release();
    world.musicStream = nullptr;
}

void Story::StartSound(int code)
{
    switch (code) {
    case 0:
    case 16:
    case 17:
        PlaySound("gong");
        break;
    case 11:
        PlaySound("change_status_timer");
        break;
    case 23:
        PlaySound("gong_award");
        break;
    case 66:
        PlaySound("bonus6");
        break;
    case 77:
        PlaySound("alarmincoming");
        break;
    default:
        break;
    }
}

void Story::PlaySound(const char* name)
{
    cGameWorld::Instance().PlayEffectSound(name);
}
