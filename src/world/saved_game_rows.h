// The text of the saved game and of the lot file, and the rules that take
// their rows into the world. Both files are UTF-16LE without a byte-order
// mark, every field ends with ';' and every line with CR (the lot file's lines
// with two). The readers take whatever the table reader made of the bytes and
// never index past a world table, whatever the file holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class cCsvTable;
class cGameWorld;

namespace world {

// The whole file as SaveGame and SaveLots write it.
std::wstring SavedGameText(const cGameWorld& world);
std::wstring LotFileText(const cGameWorld& world);

// The rows of a saved game, over the presets LoadGame made; then the campaign
// rule. A row stops being read at its first missing field.
void ReadSavedGameRows(cGameWorld& world, cCsvTable& table);
// "PLACE" rows onto the fundaments and the building grids.
void ReadLotRows(cGameWorld& world, cCsvTable& table);
// "PLACE" rows into lotTable.
void ReadLotTableRows(cGameWorld& world, cCsvTable& table);

// config.cfg and us.txt as SaveConfig and SaveUsers write them, and us.txt's
// path (empty without a user folder).
std::vector<uint8_t> SettingsBytes(const cGameWorld& world);
std::vector<uint8_t> ProfilesBytes(const cGameWorld& world);
std::wstring ProfilesPath(const cGameWorld& world);
// config.cfg alone, as SaveConfig writes it.
bool SaveSettingsFile(cGameWorld& world);

// A file of the user folder by name; empty when there is no user folder.
std::wstring UserFilePath(const cGameWorld& world, const std::wstring& name);
// The current profile's saved game and lot file.
std::wstring SavedGamePath(const cGameWorld& world);
std::wstring LotFilePath(const cGameWorld& world);
// Writes a file of the user folder whole (temporary file, then rename); logs
// and answers false when it could not, the old file then being intact. The
// player's own files go through SavePlayerFile (player_file_rule.h).
bool WritePlayerFile(const wchar_t* who, const std::wstring& path, const std::vector<uint8_t>& bytes);

// Whether anything (a file, a folder, a dangling link) is at the path.
bool PathExists(const std::wstring& path);
} // namespace world
