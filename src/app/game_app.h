// The game's application: it starts the engine and chooses the display mode,
// starts the sound, the cursors, the screens and the script host, runs the
// frame step that applies pending display and language changes and switches
// between the main-menu, level and exit states, and shuts everything down with
// a report of the graphics memory still held.
#pragma once

#include <string>

#include "app/application.h"
#include "app/input_process.h"
#include "frontend/state_exit.h"
#include "frontend/state_menu.h"
#include "scene/state_level.h"

class cGameApp : public cApplication {
public:
    enum State { kStateMenu = 0, kStateLevel = 1, kStateExit = 2 };

    cGameApp();
    ~cGameApp() override;

    LRESULT MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Search paths, the engine and its device, the display mode. False only
    // when the device cannot be made.
    bool Init() override;
    // Sound, cursors, screens, input, the main menu and the script host. False
    // when the game is to end before the main loop.
    bool Start() override;
    bool PreFrame() override;
    // One frame of the main loop; false ends it.
    bool Frame() override;
    bool Shutdown() override;

    // The state to switch to at the end of this frame: 0 main menu, 1 level,
    // 2 exit. Any other number cancels a pending switch and gives false.
    bool RequestState(int state);
    // The main menu starts a level: clicks and per-level flags cleared, the
    // level state requested, the game clock at 0.
    bool OnMenuStartGame();
    // The log text of a device error code.
    static std::wstring GetDeviceErrorText(HRESULT code);

    // The display sequences (w × h the configured size).
    void ApplyFullScreenMode();
    void ApplyWindowedMode();
    void ApplyDesktopTooSmallMode();
    // Switches between full screen and a window after the options changed it.
    void ApplyVideoMode();
    // Deletes and makes the six fonts for the configured width.
    void RecreateFonts();

    iProcess* PendingState() const { return pendingState; }
    // Tests stand their own states in for the three.
    void SetStatesForTests(iProcess* menu, iProcess* level, iProcess* exit);

protected:
    // The desktop's current size; tests give one of their own.
    virtual void QueryDesktopSize(int& width, int& height);
    // The part of the desktop a window may take: the desktop's size less
    // the room the window manager keeps for its panels; tests give one of
    // their own.
    virtual void QueryUsableArea(int& width, int& height);
    // Starts and closes the engine library; tests keep their recording one.
    virtual void StartEngine();
    virtual void StopEngine();

private:
    // The smaller size the game also runs at, when the configured one does
    // not fit on the desktop.
    static constexpr int kDesignWidth = 1280;
    static constexpr int kDesignHeight = 1024;
    static constexpr int kSmallWidth = 1024;
    static constexpr int kSmallHeight = 768;
    static bool FitsOnDesktop(int width, int height);
    // A window of this client size fits, with its title bar and borders, on
    // the part of the desktop windows may take.
    bool WindowFits(int width, int height);
    // The window was asked for where it does not fit: full screen stays,
    // and the options tell the player why.
    void RefuseWindow(int width, int height);
    // Full screen shows the design size wherever the desktop holds it: the
    // options offer only "full screen" and "a 1024 × 768 window", so the
    // smaller size chosen for the window must not outlive it. True when the
    // size changed.
    static bool TakeFullScreenSize();
    // Clears the frame and resets the 2D state after a display change.
    void ClearDisplay();
    void AddSearchPaths();

    cStateMenu stateMenu;
    cStateLevel stateLevel;
    cStateExit stateExit;
    cInputProcess inputProcess;
    iProcess* pendingState = nullptr;
    iProcess* states[3];
    // Whether a frame has run through (and the log said so).
    bool running = false;
};
