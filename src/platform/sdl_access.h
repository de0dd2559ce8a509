// For the stand-ins only: the SDL objects behind the platform's handles, and
// the SDL events the platform's message pump takes from the queue.
#pragma once

#include "platform/win_types.h"

struct SDL_Window;
union SDL_Event;

namespace platform {

// nullptr for a handle that is no live window (none, or one destroyed).
SDL_Window* SdlWindowOf(HWND window);

// Every SDL event the message pump takes is shown to each observer first, so
// the engine's input device sees mouse motion, buttons and the wheel.
using SdlEventObserver = void (*)(const SDL_Event& event, void* user);
void AddSdlEventObserver(SdlEventObserver observer, void* user);
void RemoveSdlEventObserver(SdlEventObserver observer, void* user);
void NotifySdlEventObservers(const SDL_Event& event);

} // namespace platform
