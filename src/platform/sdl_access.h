// For the stand-ins only: the SDL objects behind the platform's handles.
#pragma once

#include "platform/win_types.h"

struct SDL_Window;

namespace platform {

SDL_Window* SdlWindowOf(HWND window);

} // namespace platform
