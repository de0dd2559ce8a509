// Scripts held in memory between loading and running: the repository slots
// shared by the host's files.
#pragma once

#include <cstdint>
#include <memory>

// One repository entry: a script's source text as the file holds it. The
// buffer only grows; an unloaded slot keeps it for the next script.
struct cScriptSlot {
    enum : int16_t { kInUse = 2 };

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

} // namespace Scripting::Detail
