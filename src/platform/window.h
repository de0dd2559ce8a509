// The game's one window and what the application does with it: the window
// class with its procedure, placement, style, full screen, the cursor. Code
// above the stand-ins sees the window only as an HWND.
#pragma once

#include <string>

#include "platform/win_messages.h"
#include "platform/win_types.h"

namespace platform {

// Opens a hidden window of the given client size (SDL video is started on
// first use). nullptr on failure, with the reason in LastError(). Such a
// window has no procedure: messages for it are dropped.
HWND CreateAppWindow(const std::wstring& title, int x, int y, int width, int height);
// Closes the window and drops the messages still queued for it.
void DestroyAppWindow(HWND window);

std::string LastError();

// The handle the program is known by; the window class and the engine carry it.
HINSTANCE ProgramInstance();

// A window class: the procedure that DispatchMessage calls for every window
// made from it. The class style and instance are kept as given.
struct WindowClass {
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    std::wstring className;
};

// False when the name is empty, the procedure missing or the name taken.
bool RegisterWindowClass(const WindowClass& windowClass);
// False when no such class is registered.
bool UnregisterWindowClass(const std::wstring& className, HINSTANCE instance);

// A window of a registered class, hidden unless the style has WS_VISIBLE; the
// size is the outer size, as Windows takes it. nullptr when the class is
// unknown or the window cannot be made.
HWND CreateWindowOfClass(const std::wstring& className, const std::wstring& title, DWORD style, int x, int y, int width,
    int height, HINSTANCE instance);

bool ShowWindow(HWND window, int command);
bool UpdateWindow(HWND window);
bool IsWindowVisible(HWND window);
std::wstring GetWindowTitle(HWND window);

// Outer rectangle in screen pixels: the client area plus the frame the window
// manager reports (none without a window manager or in full screen).
bool GetWindowRect(HWND window, RECT* rect);
// Client rectangle: left and top 0, right and bottom the client size.
bool GetClientRect(HWND window, RECT* rect);
// Moves and sizes by the outer rectangle; the client area gets what is left
// after the frame. The repaint flag changes nothing here.
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint);
// HWND_TOPMOST keeps the window above others and HWND_TOP raises it, where the
// window manager allows; SWP_NOMOVE, SWP_NOSIZE and SWP_NOZORDER as on Windows.
// A width or height of 0 leaves the size alone.
bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);

// The window style: with WS_CAPTION the window has the window manager's title
// bar and frame (and is no longer full screen), otherwise it is borderless.
// WS_VISIBLE shows it.
void SetWindowStyle(HWND window, DWORD style);
DWORD GetWindowStyle(HWND window);

// The desktop's current mode (the primary display), in pixels.
bool GetDesktopSize(int* width, int* height);
// The part of the primary display that windows may take: the desktop less
// the panels and docks the window manager keeps free. The whole desktop where
// no window manager says otherwise.
bool GetDesktopUsableSize(int* width, int* height);

// The frame the window manager puts around the window's client area (title
// bar and borders): as it reports it now for a captioned window, else as it
// reported it the last time the window had its caption. False when it has
// never said (no window manager, a window never captioned yet).
bool GetWindowFrame(HWND window, RECT* frame);

// Full screen is the desktop-sized full screen; leaving it restores the window.
bool SetFullScreen(HWND window, bool fullScreen);
bool IsFullScreen(HWND window);

// Shows or hides the system cursor over the window.
void ShowCursor(bool show);
bool IsCursorShown();

} // namespace platform
