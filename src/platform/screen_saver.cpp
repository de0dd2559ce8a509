#include "platform/screen_saver.h"

#include <SDL.h>

namespace platform {

void InhibitScreenSaver()
{
    SDL_DisableScreenSaver();
}

bool IsScreenSaverInhibited()
{
    return SDL_IsScreenSaverEnabled() == SDL_FALSE;
}

} // namespace platform
