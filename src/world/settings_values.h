// Checks for the values config.cfg and us.txt hand the settings and the world.
// Every value from these files is checked here, once, before it sizes or
// indexes anything.
#pragma once

#include <string>
#include <vector>

namespace world {

// A language code names the user folder: exactly three lower-case letters,
// so "../../x" can never leave the data folder.
bool IsValidLanguageCode(const std::wstring& code);

// Only these sizes have a layout (scale factors): 1280 x 1024 and 1024 x 768.
bool HasDefinedScale(int width, int height);

// The profile in use, 1..6.
int ClampWorkplace(int workplace);

// A level number against the levels that exist (0 = none yet, up to the
// station-building level).
int ClampLevel(int level);

// The values of an awards or bonus list, "%d;" each: exactly count values,
// those missing from a short list read as 0.
std::vector<int> ReadValueList(const std::wstring& text, int count);
std::wstring WriteValueList(const int* values, int count);

// A volume factor within 0..1; anything that is no number becomes 1.
float ClampVolume(float volume);

// "yy:mm:dd" of the local date.
std::wstring DateText();

} // namespace world
