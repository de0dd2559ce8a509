// Effect sounds: the wave files of data/sound/wav played on the world's 20
// effect slots.
#include <string>

#include "resources/log.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/settings.h"

void cGameWorld::PlayEffectSound(const char* name)
{
    if (!soundEngine || cSettings::Instance().mute || !name)
        return;
    for (iSoundInstance*& slot : effectSounds) {
        if (slot && slot->IsFinished()) {
            slot->Release();
            slot = nullptr;
        }
    }
    for (iSoundInstance*& slot : effectSounds) {
        if (slot)
            continue;
        const std::string path = std::string("data/sound/wav/") + name + ".wav";
        slot = soundEngine->Play2D(path.c_str());
        if (slot)
            slot->SetVolume(effectsVolume);
        else
            cLog::Instance().Write(L"sound file %s not found ...", path.c_str());
        return;
    }
    // Every slot is busy: this sound is dropped.
}
