// Scripts held in memory between loading and running: the repository slots
// shared by the host's files.
#pragma once

#include <cstdint>
#include <memory>

// One repository entry. kBuffer: the bytes run as they are (size bytes);
// otherwise a text slot, its text ending in a NUL that size counts. The
// buffer only grows; an unloaded slot keeps it for the next script.
struct cScriptSlot {
    enum : int16_t { kBuffer = 1, kInUse = 2 };

    std::unique_ptr<char[]> data;
    int16_t flags = 0;
    int32_t size = 0;
    int32_t capacity = 0;

    // Makes room for at least `bytes` bytes; the old content is dropped.
    void Reserve(int32_t bytes);
};

namespace Scripting::Detail {

// The slot behind a valid id, else null.
cScriptSlot* Slot(int id);
// Unloads every slot still in use; returns how many there were.
int UnloadZombies();
void ResetScriptIds();
void ClearCharacterScripts();

} // namespace Scripting::Detail
