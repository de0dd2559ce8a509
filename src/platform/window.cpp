#include "platform/window.h"

#include <SDL.h>

#include "platform/sdl_access.h"
#include "platform/utf16.h"

namespace platform {

class Window {
public:
    SDL_Window* sdl = nullptr;
};

namespace {
std::string g_lastError;
}

std::string LastError()
{
    return g_lastError;
}

HWND CreateAppWindow(const std::wstring& title, int x, int y, int width, int height)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        g_lastError = SDL_GetError();
        return nullptr;
    }
    SDL_Window* sdl = SDL_CreateWindow(WideToNarrow(title).c_str(), x, y, width > 0 ? width : 1,
                                       height > 0 ? height : 1, SDL_WINDOW_HIDDEN);
    if (!sdl) {
        g_lastError = SDL_GetError();
        return nullptr;
    }
    auto* window = new Window;
    window->sdl = sdl;
    return window;
}

void DestroyAppWindow(HWND window)
{
    if (!window)
        return;
    SDL_DestroyWindow(window->sdl);
    delete window;
}

SDL_Window* SdlWindowOf(HWND window)
{
    return window ? window->sdl : nullptr;
}

} // namespace platform

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {
std::vector<std::pair<SdlEventObserver, void*>>& Observers()
{
    static std::vector<std::pair<SdlEventObserver, void*>> observers;
    return observers;
}
} // namespace

void AddSdlEventObserver(SdlEventObserver observer, void* user)
{
    Observers().emplace_back(observer, user);
}

void RemoveSdlEventObserver(SdlEventObserver observer, void* user)
{
    auto& list = Observers();
    list.erase(std::remove(list.begin(), list.end(), std::make_pair(observer, user)), list.end());
}

void NotifySdlEventObservers(const SDL_Event& event)
{
    // Copy: an observer may remove itself while being notified.
    const auto list = Observers();
    for (const auto& [observer, user] : list)
        observer(event, user);
}

} // namespace platform
