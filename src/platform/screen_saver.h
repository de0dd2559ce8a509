// The screen saver waits while the game runs. The desktop's own setting is not
// touched: SDL holds the screen saver off only for as long as the program
// lives, so nothing stays changed after the game ends.
#pragma once

namespace platform {

void InhibitScreenSaver();
bool IsScreenSaverInhibited();

} // namespace platform
