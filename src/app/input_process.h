// The mouse around the engine's input device: the input process starts and
// stops the device, keeps the mouse captured inside the window while the game
// has it and feeds its position to the cursor set. In windowed mode the left
// Ctrl key gives the mouse back to the desktop (and pauses the game); the next
// left click in the window takes it again.
#pragma once

#include <cstdint>

#include "app/process.h"
#include "platform/win_types.h"

// 1 while the game holds the mouse; the program starts holding it.
extern uint8_t g_mouseCaptured;
// The second pointer InitInput fills in; nothing uses it.
extern void* g_pInputAux;

// From the application's window procedure, for every message it passes on: a
// left click while the mouse is free takes it back and resumes the game.
void CaptureMouseOnClick(HWND window, UINT message);

class cInputProcess : public iProcess {
public:
    cInputProcess()
        : iProcess(L"cInputProcess")
    {
    }

    // Starts the device on the application's window, centres and clips the
    // mouse, makes it the world's mouse, hides the system cursor and adds the
    // cursor synchroniser.
    bool Init(void* application) override;
    // Every input tick: a window change re-attaches the device; left Ctrl in
    // windowed mode frees the mouse; otherwise the device and the cursor move.
    bool Update(void* application) override;
    void Exit(void* application) override;
};
