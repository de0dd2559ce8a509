#include "sound/sound_engine.h"

iSoundEngine* CreateSoundEngine()
{
    return nullptr;
}
