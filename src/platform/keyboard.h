// Keyboard queries beside the key messages: the state of a key right now, the
// keyboard layout, and the key codes of SDL's keys.
#pragma once

#include <cstdint>

namespace platform {

// Like Windows: the top bit (0x8000, the value is negative) is set while the
// key is down; the lowest bit is the toggle state of Caps Lock and Num Lock.
// As on Windows the state follows the key messages as they are taken, not
// the keyboard now: Shift, Ctrl and Alt (either side or one side) as SDL's
// modifier state was with the last key event the message pump took, other
// keys from the key events it has taken.
int16_t GetKeyState(int virtualKey);

// True when the active layout is Russian: SDL reports a Cyrillic letter for
// the key where the Latin layouts have A.
bool IsRussianKeyboardLayout();

// The virtual-key code of an SDL key (keycode and scancode as SDL gives them);
// 0 for keys the game has no code for. Letters, digits and punctuation follow
// the character on the key; keys that carry a character outside ASCII
// (Cyrillic, accented letters) take the code of their position, as Windows
// gives those layouts the Latin codes.
int VirtualKeyFromSdl(int32_t keycode, int scancode);

} // namespace platform
