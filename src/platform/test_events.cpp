#include "platform/test_events.h"

#include <SDL.h>

#include <cstring>

#include "platform/keyboard.h"
#include "platform/sdl_access.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

uint32_t WindowIdOf(HWND window)
{
    SDL_Window* sdl = SdlWindowOf(window);
    return sdl ? SDL_GetWindowID(sdl) : 0;
}

bool Push(SDL_Event& event)
{
    if (!SDL_WasInit(SDL_INIT_EVENTS) && SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
        return false;
    event.common.timestamp = SDL_GetTicks();
    return SDL_PushEvent(&event) == 1;
}

SDL_Keymod ModifierOf(SDL_Keycode key)
{
    switch (key) {
    case SDLK_LSHIFT:
        return KMOD_LSHIFT;
    case SDLK_RSHIFT:
        return KMOD_RSHIFT;
    case SDLK_LCTRL:
        return KMOD_LCTRL;
    case SDLK_RCTRL:
        return KMOD_RCTRL;
    case SDLK_LALT:
        return KMOD_LALT;
    case SDLK_RALT:
        return KMOD_RALT;
    default:
        return KMOD_NONE;
    }
}

} // namespace

bool InjectWindowEvent(HWND window, WindowEventKind kind)
{
    const uint32_t id = WindowIdOf(window);
    if (id == 0)
        return false;
    SDL_Event event {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = id;
    switch (kind) {
    case WindowEventKind::Close:
        event.window.event = SDL_WINDOWEVENT_CLOSE;
        break;
    case WindowEventKind::Minimized:
        event.window.event = SDL_WINDOWEVENT_MINIMIZED;
        break;
    case WindowEventKind::Restored:
        event.window.event = SDL_WINDOWEVENT_RESTORED;
        break;
    case WindowEventKind::Maximized:
        event.window.event = SDL_WINDOWEVENT_MAXIMIZED;
        break;
    case WindowEventKind::FocusGained:
        event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
        break;
    case WindowEventKind::FocusLost:
        event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
        break;
    }
    return Push(event);
}

bool InjectQuit()
{
    SDL_Event event {};
    event.type = SDL_QUIT;
    return Push(event);
}

bool InjectKey(HWND window, const char* keyName, bool down, bool repeat)
{
    const SDL_Keycode key = SDL_GetKeyFromName(keyName);
    if (key == SDLK_UNKNOWN)
        return false;
    SDL_Scancode scancode = SDL_GetScancodeFromName(keyName);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        scancode = SDL_GetScancodeFromKey(key);
    SDL_Event event {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = WindowIdOf(window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scancode;
    if (const SDL_Keymod mod = ModifierOf(key); mod != KMOD_NONE) {
        const int mods = SDL_GetModState();
        SDL_SetModState(static_cast<SDL_Keymod>(down ? (mods | mod) : (mods & ~mod)));
    }
    event.key.keysym.mod = static_cast<Uint16>(SDL_GetModState());
    return Push(event);
}

bool InjectText(HWND window, const char* utf8)
{
    SDL_Event event {};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = WindowIdOf(window);
    if (!utf8 || std::strlen(utf8) >= sizeof(event.text.text))
        return false;
    std::strcpy(event.text.text, utf8);
    return Push(event);
}

bool InjectMouseMotion(HWND window, int x, int y)
{
    const uint32_t id = WindowIdOf(window);
    if (id == 0)
        return false;
    SDL_Event event {};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = id;
    event.motion.x = x;
    event.motion.y = y;
    return Push(event);
}

bool InjectMouseButton(HWND window, int button, bool down, int x, int y)
{
    const uint32_t id = WindowIdOf(window);
    if (id == 0 || button < 1 || button > 3)
        return false;
    SDL_Event event {};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = id;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return Push(event);
}

void DiscardPendingMessages()
{
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    DiscardQueuedMessages();
    ForgetKeyStates();
    SDL_SetModState(KMOD_NONE);
}

} // namespace platform
