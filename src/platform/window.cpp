#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/sdl_access.h"
#include "platform/utf16.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

std::string g_lastError;

std::vector<HWND>& Windows()
{
    static std::vector<HWND> windows;
    return windows;
}

std::map<std::wstring, WindowClass>& Classes()
{
    static std::map<std::wstring, WindowClass> classes;
    return classes;
}

bool IsLive(HWND window)
{
    const auto& list = Windows();
    return window && std::find(list.begin(), list.end(), window) != list.end();
}

// The frame around the client area; zero where the window manager does not
// say (no window manager, Wayland, borderless or full screen windows).
RECT FrameOf(HWND window)
{
    RECT frame;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window->sdl, &top, &left, &bottom, &right) == 0) {
        frame.left = left;
        frame.top = top;
        frame.right = right;
        frame.bottom = bottom;
    }
    if ((window->style & WS_CAPTION) == WS_CAPTION && (top | left | bottom | right) != 0) {
        window->knownFrame = frame;
        window->frameKnown = true;
    }
    return frame;
}

} // namespace

std::string LastError()
{
    return g_lastError;
}

HINSTANCE ProgramInstance()
{
    static char marker;
    return &marker;
}

namespace {

HWND CreateWindowWithFlags(const std::wstring& title, int x, int y, int width, int height, Uint32 flags)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        g_lastError = SDL_GetError();
        return nullptr;
    }
    const std::string name = WideToNarrow(title);
    const int w = width > 0 ? width : 1, h = height > 0 ? height : 1;
    // Made for OpenGL from the start where the driver has it: the renderer
    // would otherwise destroy the system's window and make another, and a
    // close request sent to the first one in between would be lost.
    SDL_Window* sdl = SDL_CreateWindow(name.c_str(), x, y, w, h, SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL | flags);
    if (!sdl)
        sdl = SDL_CreateWindow(name.c_str(), x, y, w, h, SDL_WINDOW_HIDDEN | flags);
    if (!sdl) {
        g_lastError = SDL_GetError();
        return nullptr;
    }
    auto* window = new Window;
    window->sdl = sdl;
    Windows().push_back(window);
    return window;
}

} // namespace

HWND CreateAppWindow(const std::wstring& title, int x, int y, int width, int height)
{
    return CreateWindowWithFlags(title, x, y, width, height, 0);
}

void DestroyAppWindow(HWND window)
{
    if (!IsLive(window))
        return;
    DropMessagesFor(window);
    auto& list = Windows();
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
    SDL_DestroyWindow(window->sdl);
    delete window;
}

SDL_Window* SdlWindowOf(HWND window)
{
    // A destroyed window's handle is refused like any other stale handle:
    // its memory is gone.
    return IsLive(window) ? window->sdl : nullptr;
}

HWND WindowFromSdlId(uint32_t windowId)
{
    for (HWND window : Windows())
        if (SDL_GetWindowID(window->sdl) == windowId)
            return window;
    return nullptr;
}

std::vector<HWND> AllWindows()
{
    return Windows();
}

bool RegisterWindowClass(const WindowClass& windowClass)
{
    if (windowClass.className.empty() || !windowClass.procedure)
        return false;
    return Classes().emplace(windowClass.className, windowClass).second;
}

bool UnregisterWindowClass(const std::wstring& className, HINSTANCE /*instance*/)
{
    return Classes().erase(className) == 1;
}

HWND CreateWindowOfClass(const std::wstring& className, const std::wstring& title, DWORD style, int x, int y, int width,
    int height, HINSTANCE /*instance*/)
{
    const auto found = Classes().find(className);
    if (found == Classes().end()) {
        g_lastError = "unknown window class";
        return nullptr;
    }
    // The frame is chosen at creation too: not every video driver can change
    // it afterwards.
    const Uint32 flags = (style & WS_CAPTION) == WS_CAPTION ? 0 : SDL_WINDOW_BORDERLESS;
    HWND window = CreateWindowWithFlags(title, x, y, width, height, flags);
    if (!window)
        return nullptr;
    window->procedure = found->second.procedure;
    SetWindowStyle(window, style);
    return window;
}

bool ShowWindow(HWND window, int command)
{
    if (!IsLive(window))
        return false;
    const bool wasVisible = IsWindowVisible(window);
    switch (command) {
    case SW_HIDE:
        SDL_HideWindow(window->sdl);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        SDL_ShowWindow(window->sdl);
        SDL_MinimizeWindow(window->sdl);
        break;
    case SW_SHOWMAXIMIZED:
        SDL_ShowWindow(window->sdl);
        SDL_MaximizeWindow(window->sdl);
        break;
    default:
        SDL_ShowWindow(window->sdl);
        if (command == SW_SHOWNORMAL || command == SW_RESTORE)
            SDL_RestoreWindow(window->sdl);
        break;
    }
    return wasVisible;
}

bool UpdateWindow(HWND window)
{
    // Nothing is painted outside a frame: the next frame draws the window.
    return IsLive(window);
}

bool IsWindowVisible(HWND window)
{
    return IsLive(window) && (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_SHOWN) != 0;
}

std::wstring GetWindowTitle(HWND window)
{
    if (!IsLive(window))
        return {};
    return NarrowToWide(SDL_GetWindowTitle(window->sdl));
}

bool GetWindowRect(HWND window, RECT* rect)
{
    if (!IsLive(window) || !rect)
        return false;
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window->sdl, &x, &y);
    SDL_GetWindowSize(window->sdl, &w, &h);
    const RECT frame = FrameOf(window);
    rect->left = x - frame.left;
    rect->top = y - frame.top;
    rect->right = x + w + frame.right;
    rect->bottom = y + h + frame.bottom;
    return true;
}

bool GetClientRect(HWND window, RECT* rect)
{
    if (!IsLive(window) || !rect)
        return false;
    int w = 0, h = 0;
    SDL_GetWindowSize(window->sdl, &w, &h);
    *rect = RECT { 0, 0, w, h };
    return true;
}

bool MoveWindow(HWND window, int x, int y, int width, int height, bool /*repaint*/)
{
    if (!IsLive(window))
        return false;
    const RECT frame = FrameOf(window);
    const int clientWidth = std::max(1, width - frame.left - frame.right);
    const int clientHeight = std::max(1, height - frame.top - frame.bottom);
    SDL_SetWindowSize(window->sdl, clientWidth, clientHeight);
    SDL_SetWindowPosition(window->sdl, x + frame.left, y + frame.top);
    return true;
}

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    if (!IsLive(window))
        return false;
    if (!(flags & SWP_NOZORDER)) {
        // Window managers may refuse either request; the game goes on regardless.
        if (insertAfter == HWND_TOPMOST)
            SDL_SetWindowAlwaysOnTop(window->sdl, SDL_TRUE);
        else if (insertAfter == HWND_NOTOPMOST)
            SDL_SetWindowAlwaysOnTop(window->sdl, SDL_FALSE);
        else if (insertAfter == HWND_TOP && IsWindowVisible(window))
            SDL_RaiseWindow(window->sdl);
    }
    RECT rect;
    GetWindowRect(window, &rect);
    const bool move = !(flags & SWP_NOMOVE);
    const bool size = !(flags & SWP_NOSIZE) && width > 0 && height > 0;
    if (move || size)
        MoveWindow(window, move ? x : rect.left, move ? y : rect.top, size ? width : rect.right - rect.left,
            size ? height : rect.bottom - rect.top, true);
    return true;
}

void SetWindowStyle(HWND window, DWORD style)
{
    if (!IsLive(window))
        return;
    window->style = style;
    const bool captioned = (style & WS_CAPTION) == WS_CAPTION;
    // SDL does not touch the frame of a full-screen window: one that gets its
    // caption back leaves full screen first, or it would come back without
    // a frame.
    if (captioned && IsFullScreen(window))
        SDL_SetWindowFullscreen(window->sdl, 0);
    SDL_SetWindowBordered(window->sdl, captioned ? SDL_TRUE : SDL_FALSE);
    if (style & WS_VISIBLE)
        SDL_ShowWindow(window->sdl);
}

DWORD GetWindowStyle(HWND window)
{
    return IsLive(window) ? window->style : 0;
}

bool GetDesktopSize(int* width, int* height)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    if (width)
        *width = mode.w;
    if (height)
        *height = mode.h;
    return true;
}

bool GetDesktopUsableSize(int* width, int* height)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_Rect area;
    if (SDL_GetDisplayUsableBounds(0, &area) != 0)
        return GetDesktopSize(width, height);
    if (width)
        *width = area.w;
    if (height)
        *height = area.h;
    return true;
}

bool GetWindowFrame(HWND window, RECT* frame)
{
    if (!IsLive(window) || !frame)
        return false;
    FrameOf(window);
    if (!window->frameKnown)
        return false;
    *frame = window->knownFrame;
    return true;
}

bool SetFullScreen(HWND window, bool fullScreen)
{
    if (!IsLive(window))
        return false;
    return SDL_SetWindowFullscreen(window->sdl, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

bool IsFullScreen(HWND window)
{
    return IsLive(window) && (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void ShowCursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool IsCursorShown()
{
    return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

} // namespace platform
