// The generic window application: the window class and window, the key table
// its window procedure keeps, the state stack and the process queue, and Run,
// which drives everything through seven virtual operations that the game
// overrides. Everything runs on the main thread.
#pragma once

#include <any>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/process_manager.h"
#include "app/state_manager.h"
#include "platform/win_messages.h"
#include "platform/window.h"

class cApplication {
public:
    cApplication();
    virtual ~cApplication();
    cApplication(const cApplication&) = delete;
    cApplication& operator=(const cApplication&) = delete;

    // Messages the window procedure does not handle itself.
    virtual LRESULT MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool Start();
    virtual bool Init();
    // The frame step of the first loop, which only takes the waiting messages.
    virtual bool PreFrame();
    virtual bool Shutdown();
    // The frame step of the main loop; false ends it.
    virtual bool Frame();

    // Registers the class, opens the window, Init, first loop, Start, main
    // loop, ReleaseAll, Shutdown. False when the window cannot be made.
    bool Run();

    // Moves the window so that its top-left corner is at x, y.
    bool SetWindowPosition(int x, int y);
    // Sizes the window so that its client area is w × h.
    bool SetClientSize(int w, int h);
    // Centres the client area on the desktop.
    bool CenterWindow();
    bool ShowCursor(bool show);

    // The key table: 1 from a key's WM_KEYDOWN to its WM_KEYUP. A state that
    // acts on a key clears it, so that a held key acts once. A key pressed
    // and let go before any frame saw it (a quick tap, a slow frame) stays 1
    // until the end of the next frame, so it acts as a held key would.
    bool IsKeyDown(int code) const;
    void ClearKey(int code);
    // After each frame step: the taps that frame could see are gone.
    void EndKeyFrame();
    // The keys pressed in the last kPressedKeyMilliseconds and not taken yet,
    // oldest first, one at a time; false when none. `shifted` and `altGr`
    // tell whether Shift and AltGr (right Alt) were held when the key went
    // down, `text` the character the system's text input typed with it (0
    // for none). Text that came without a key of its own (an input method's)
    // comes with the code 0.
    bool TakePressedKey(int* code, bool* shifted, bool* altGr, wchar_t* text);

    HWND GetWindow() const { return window; }
    HINSTANCE GetInstance() const { return instance; }
    cProcessManager& GetProcessManager() { return processManager; }
    cStateManager& GetStateManager() { return stateManager; }
    int GetClientWidth() const { return clientWidth; }
    int GetClientHeight() const { return clientHeight; }

    // Callbacks run by ReleaseAll, in the order added.
    using HandlerCallback = std::function<void(const std::any&)>;
    void AddHandler(const std::wstring& name, HandlerCallback callback, std::any value);
    // The handlers, then every process and every state leave (their Exit gets
    // a null application).
    void ReleaseAll();

    static LRESULT StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    static constexpr int kKeyCount = 512;
    static constexpr std::size_t kPressedKeysKept = 64;
    static constexpr double kPressedKeyMilliseconds = 1000.0;

protected:
    struct Handler {
        HandlerCallback callback;
        std::any value;
        std::wstring name;
    };

    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    uint8_t keys[kKeyCount] = {};
    // Per key: went down since the last frame step; let go since then while
    // still 1 in the table (cleared at the end of the next frame step).
    enum : uint8_t { kPressedThisFrame = 1, kReleasedThisFrame = 2 };
    uint8_t keyTaps[kKeyCount] = {};
    struct PressedKey {
        int code;
        double when; // milliseconds
        bool shifted;
        bool altGr;
        wchar_t text = 0;
    };
    std::deque<PressedKey> pressedKeys;
    // The last message was a key press: a WM_CHAR now is that key's text.
    bool keyAwaitsText = false;
    std::vector<Handler> handlers;
    std::wstring className = L"AppClassName";
    platform::WindowClass windowClass;
    uint32_t style = WS_POPUP | WS_BORDER;
    int32_t x = 0;
    int32_t y = 0;
    cStateManager stateManager;
    cProcessManager processManager;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;

private:
    using FrameStep = bool (cApplication::*)();
    void RunLoop(FrameStep step, bool stopMusicWhileInactive);
};

// The one application object; the window procedure reaches it through this.
extern cApplication* g_pApp;
// The loops run while this is non-zero; closing the window clears it.
extern int g_appRunning;
// The window is active: frames are drawn. Inactive, the loop sleeps.
extern int g_appActive;
// A WM_ACTIVATEAPP has arrived at least once; never cleared.
extern uint8_t g_activateAppSeen;
