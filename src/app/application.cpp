#include "app/application.h"

#include "platform/keyboard.h"
#include "platform/message_pump.h"
#include "platform/time_source.h"
#include "resources/log.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/settings.h"

cApplication* g_pApp = nullptr;
int g_appRunning = 0;
int g_appActive = 0;
uint8_t g_activateAppSeen = 0;

cApplication::cApplication()
    : instance(platform::ProgramInstance())
{
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.procedure = &cApplication::StaticWndProc;
    windowClass.instance = instance;
    windowClass.className = className;
    g_pApp = this;
    stateManager.PopAll(nullptr);
}

cApplication::~cApplication()
{
    platform::DestroyAppWindow(window);
    window = nullptr;
    if (g_pApp == this)
        g_pApp = nullptr;
}

LRESULT cApplication::MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return platform::DefWindowProc(hwnd, message, wParam, lParam);
}

bool cApplication::Start()
{
    return true;
}

bool cApplication::Init()
{
    return true;
}

bool cApplication::PreFrame()
{
    return true;
}

bool cApplication::Shutdown()
{
    return true;
}

bool cApplication::Frame()
{
    return true;
}

bool cApplication::SetWindowPosition(int left, int top)
{
    // The window keeps the size it has: every caller has just set the client
    // size it wants, and the frame around it is what the window manager says,
    // not a caption height guessed here.
    RECT rect;
    if (platform::GetWindowRect(window, &rect))
        platform::MoveWindow(window, left, top, rect.right - rect.left, rect.bottom - rect.top, true);
    x = left;
    y = top;
    return true;
}

bool cApplication::SetClientSize(int w, int h)
{
    if (!window) {
        cLog::Instance().Error(L"Invalid call. No valid window handle.");
        return false;
    }
    RECT outer;
    RECT client;
    platform::GetWindowRect(window, &outer);
    platform::GetClientRect(window, &client);
    platform::MoveWindow(window, outer.left, outer.top, (outer.right - outer.left) - client.right + w,
        (outer.bottom - outer.top) - client.bottom + h, true);
    clientWidth = w;
    clientHeight = h;
    return true;
}

bool cApplication::CenterWindow()
{
    if (!window)
        return false;
    int desktopWidth = 0;
    int desktopHeight = 0;
    platform::GetDesktopSize(&desktopWidth, &desktopHeight);
    RECT client;
    platform::GetClientRect(window, &client);
    return SetWindowPosition((desktopWidth - client.right) >> 1, (desktopHeight - client.bottom) >> 1);
}

bool cApplication::ShowCursor(bool show)
{
    platform::ShowCursor(show);
    return true;
}

bool cApplication::IsKeyDown(int code) const
{
    return code >= 0 && code < kKeyCount && keys[code] != 0;
}

void cApplication::ClearKey(int code)
{
    if (code >= 0 && code < kKeyCount)
        keys[code] = 0;
}

void cApplication::EndKeyFrame()
{
    for (int code = 0; code < kKeyCount; ++code) {
        if (keyTaps[code] & kReleasedThisFrame)
            keys[code] = 0;
        keyTaps[code] = 0;
    }
}

bool cApplication::TakePressedKey(int* code, bool* shifted, bool* altGr, wchar_t* text)
{
    // A press older than that was not meant for what reads it now.
    const double now = platform::NowMilliseconds();
    while (!pressedKeys.empty() && now - pressedKeys.front().when > kPressedKeyMilliseconds)
        pressedKeys.pop_front();
    if (pressedKeys.empty())
        return false;
    const PressedKey key = pressedKeys.front();
    pressedKeys.pop_front();
    if (code)
        *code = key.code;
    if (shifted)
        *shifted = key.shifted;
    if (altGr)
        *altGr = key.altGr;
    if (text)
        *text = key.text;
    return true;
}

void cApplication::AddHandler(const std::wstring& name, HandlerCallback callback, std::any value)
{
    handlers.push_back(Handler { std::move(callback), std::move(value), name });
}

void cApplication::ReleaseAll()
{
    for (const Handler& handler : handlers)
        if (handler.callback)
            handler.callback(handler.value);
    processManager.RemoveAll(nullptr);
    stateManager.PopAll(nullptr);
}

LRESULT cApplication::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    cApplication* app = g_pApp;
    switch (message) {
    case WM_DESTROY:
    case WM_CLOSE:
        if (app && hwnd == app->window) {
            platform::PostQuitMessage(0);
            g_appRunning = 0;
            return 0;
        }
        return 1;

    case WM_SIZE: {
        cGameWorld& world = cGameWorld::Instance();
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXHIDE) {
            g_appActive = 0;
            // The stream is given back, not just forgotten: the handle is the
            // only way to free it.
            if (world.musicStream) {
                world.musicStream->Stop();
                world.musicStream->Release();
                world.musicStream = nullptr;
            }
        } else {
            g_appActive = 1;
            if (wParam == SIZE_MAXIMIZED)
                world.videoModeChanged = 1;
        }
        return 0;
    }

    case WM_ACTIVATEAPP:
        g_activateAppSeen = 1;
        g_appActive = wParam != 0;
        return 0;

    case WM_ACTIVATE:
        g_appActive = wParam != 0;
        return 0;

    case WM_NCACTIVATE:
        // Switching away and back re-applies the video mode in the next frame.
        if (g_activateAppSeen) {
            cGameWorld& world = cGameWorld::Instance();
            world.videoModeChanged = 1;
            world.fullScreen = cSettings::Instance().screenMode == 1;
        }
        return 1;

    case WM_KEYDOWN:
    case WM_KEYUP:
        if (app && wParam < static_cast<WPARAM>(kKeyCount)) {
            uint8_t& key = app->keys[wParam];
            uint8_t& tap = app->keyTaps[wParam];
            if (message == WM_KEYDOWN) {
                key = 1;
                tap = kPressedThisFrame;
            } else if (key && (tap & kPressedThisFrame)) {
                // No frame has seen this press yet: the next one does.
                tap |= kReleasedThisFrame;
            } else {
                key = 0;
            }
            // Kept a moment for whoever types, so a name typed right after
            // the click that opens its field loses no letter; a long wait
            // cannot grow the list past a line. The modifiers are those of
            // this very message: the pump keeps them in step with the keys.
            if (message == WM_KEYDOWN && wParam != 0) {
                if (app->pressedKeys.size() >= kPressedKeysKept)
                    app->pressedKeys.pop_front();
                const bool shifted = (platform::GetKeyState(VK_SHIFT) & 0x8000) != 0;
                const bool altGr = (platform::GetKeyState(VK_RMENU) & 0x8000) != 0;
                app->pressedKeys.push_back({ static_cast<int>(wParam), platform::NowMilliseconds(), shifted, altGr });
            }
            app->keyAwaitsText = message == WM_KEYDOWN && wParam != 0;
        }
        return 0;

    case WM_CHAR:
        // The text goes with the key pressed just before it; text from an
        // input method, which comes on its own, is kept by itself.
        if (app && wParam != 0) {
            if (app->keyAwaitsText && !app->pressedKeys.empty() && app->pressedKeys.back().text == 0) {
                app->pressedKeys.back().text = static_cast<wchar_t>(wParam);
            } else {
                if (app->pressedKeys.size() >= kPressedKeysKept)
                    app->pressedKeys.pop_front();
                app->pressedKeys.push_back(
                    { 0, platform::NowMilliseconds(), false, false, static_cast<wchar_t>(wParam) });
            }
            app->keyAwaitsText = false;
        }
        return 0;

    case WM_SYSCOMMAND:
        // Moving, sizing, the window menu, the task list, the screen saver and
        // monitor power-down are blocked while the game runs.
        if (wParam == SC_SIZE || wParam == SC_MOVE || wParam == SC_KEYMENU || wParam == SC_TASKLIST
            || wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;

    default:
        break;
    }
    if (app)
        return app->MsgProc(hwnd, message, wParam, lParam);
    return platform::DefWindowProc(hwnd, message, wParam, lParam);
}
