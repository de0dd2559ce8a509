// For tests: SDL events put on the queue as the system would, so the message
// pump, the window procedure and the input device see them. Keys are named as
// SDL names them ("A", "5", "Escape", "Return", "Tab", "F1", "Left",
// "Left Shift", "Left Ctrl", "Left Alt"). False when the event cannot be made.
#pragma once

#include "platform/win_types.h"

namespace platform {

enum class WindowEventKind { Close, Minimized, Restored, Maximized, FocusGained, FocusLost };

bool InjectWindowEvent(HWND window, WindowEventKind kind);
// The whole program is asked to end (the desktop's quit, Ctrl+C).
bool InjectQuit();
// A modifier key also changes SDL's modifier state, as a real press does.
bool InjectKey(HWND window, const char* keyName, bool down, bool repeat = false);
// Text as the system's text input gives it after a key press (UTF-8, the
// layout, dead keys and composing already applied).
bool InjectText(HWND window, const char* utf8);
// The mouse moved to x, y in client pixels, no button changing.
bool InjectMouseMotion(HWND window, int x, int y);
// button: 1 left, 2 middle, 3 right; x, y in client pixels.
bool InjectMouseButton(HWND window, int button, bool down, int x, int y);

// Forgets every waiting event and message, a posted quit, and the key and
// modifier state, so one test starts where no other left off.
void DiscardPendingMessages();

} // namespace platform
