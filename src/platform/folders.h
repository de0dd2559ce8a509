// Where the game's files live on this system: the program folder (the one that
// holds data/) and the per-user folder for settings, saves and the log.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// ${XDG_DATA_HOME:-$HOME/.local/share}/vandrel-first-<language>, no trailing
// slash. Empty when neither variable is set.
std::string UserFolderPath(const std::string& language);

// Creates the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

// The folder holding data/: the executable's folder or one of its parents, or
// the installed share folder. Empty when none is found.
std::string FindProgramFolder();

// Writes a player file whole: a temporary file created fresh in the same
// folder (exclusively, never through a link, under a name of its own at most
// seven bytes longer than the file's), flushed to disk, then renamed over the
// old one. Both names are taken relative to the open folder, so a file whose
// path is near PATH_MAX is written like any other. On failure the old file is
// untouched, the temporary is removed and false is returned. Temporaries that
// earlier writes to the same file left behind when cut short are removed.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size);
bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes);

// Renames a file over another of the same folder in one step and makes the
// rename durable before it returns, so that a later rename in that folder is
// never found done without this one. False (nothing changed) when the two
// are not in one folder or the rename fails.
bool RenameDurably(const std::string& from, const std::string& to);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

} // namespace platform
