#include "world/settings.h"

#include <memory>

#include "world/game_world.h"

cSettings& cSettings::Instance()
{
    static cSettings settings;
    return settings;
}

void cSettings::ResetToDefaults()
{
    const auto fresh = std::unique_ptr<cSettings>(new cSettings());
    *this = *fresh;
}

void cSettings::SetResolution(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    if (width == 1280) {
        scaleX = 1.0f;
        scaleY = 1.0f;
    } else {
        scaleX = 1.25f;
        scaleY = 1.33f;
    }
}

void cSettings::LoadSettingsAndProfiles()
{
    LoadSettingsAndProfiles(cGameWorld::Instance());
}

void cSettings::LoadSettingsAndProfiles(cGameWorld& /*world*/)
{
}
