// Inside the platform layer: what stands behind an HWND, how the message pump
// finds a window from an SDL event, and the key state the pump keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_messages.h"

struct SDL_Window;

namespace platform {

class Window {
public:
    SDL_Window* sdl = nullptr;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    // The frame last reported while the window had its caption.
    RECT knownFrame {};
    bool frameKnown = false;
};

// The window with this SDL window id; nullptr when it is not ours.
HWND WindowFromSdlId(uint32_t windowId);
// Every live window, for messages addressed to all of them.
std::vector<HWND> AllWindows();

// Drops the queued messages of a window that is going away.
void DropMessagesFor(HWND window);
// Drops every queued message and a posted quit.
void DiscardQueuedMessages();

// The keys the pump has seen go down and not yet up, and the modifiers (SDL's
// KMOD_* bits) the last key event it took carried, for GetKeyState.
void NoteKeyState(int virtualKey, bool down);
void NoteHeldModifiers(uint16_t sdlModifiers);
// The same in the game's key codes, for tests that call the window procedure
// without the pump: only this one-sided modifier is held (VK_LSHIFT,
// VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU); any other code,
// 0 among them, holds none.
void NoteHeldModifierKey(int virtualKey);
void ForgetKeyStates();

} // namespace platform
