// The game's one window. Code above the stand-ins sees it only as an HWND.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform {

// Opens a window of the given client size (SDL video is started on first
// use). nullptr on failure, with the reason in LastError().
HWND CreateAppWindow(const std::wstring& title, int x, int y, int width, int height);
void DestroyAppWindow(HWND window);

std::string LastError();

} // namespace platform
