// The message pump: SDL's events become the Windows messages the application
// handles, taken one at a time the Windows way.
//
//   window closed (or the whole program asked to quit)  WM_CLOSE
//   minimised / restored / maximised                    WM_SIZE SIZE_MINIMIZED / SIZE_RESTORED / SIZE_MAXIMIZED
//   focus gained / lost                                 WM_ACTIVATEAPP, WM_ACTIVATE, WM_NCACTIVATE with 1 / 0
//   key pressed (each repeat again) / released          WM_KEYDOWN / WM_KEYUP with the virtual-key code
//   text typed (the layout's characters, dead keys      WM_CHAR with the character, one per character,
//   and composing done)                                 after the key's WM_KEYDOWN
//   mouse button pressed / released                     WM_LBUTTONDOWN ... with client coordinates
//
// Every SDL event taken from the queue is shown to the SDL event observers
// first (platform/sdl_access.h), messages or not.
#pragma once

#include "platform/win_messages.h"

namespace platform {

// Takes the next message without waiting. PM_REMOVE takes it off the queue,
// PM_NOREMOVE leaves it for the next call. False when nothing waits. A quit
// posted with PostQuitMessage comes as WM_QUIT (no window) once the queue is
// otherwise empty.
bool PeekMessage(MSG* msg, UINT removeFlags);

// Waits until a message arrives and takes it: 0 for WM_QUIT, -1 when events
// cannot be read at all, else 1.
int GetMessage(MSG* msg);

// Characters come as WM_CHAR straight from the system's text input, which
// already follows the keyboard layout: nothing to translate.
bool TranslateMessage(const MSG* msg);

// Calls the procedure of the message's window; 0 when it has none.
LRESULT DispatchMessage(const MSG* msg);

// The default procedure: the message is handled and nothing follows from it.
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void PostQuitMessage(int exitCode);

// True when the program has been asked to end (a window closed, the
// desktop's quit, SIGTERM) and the loop has not taken the request yet. Looks
// at the waiting events without taking any, for work that must give way
// while it keeps the loop from running.
bool QuitPending();

// Queues a message behind those already waiting.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform
