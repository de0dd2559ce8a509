// A running count of the game's trips to the file system: every open, every
// existence query and every read or write on an open descriptor. A frame of
// play makes none; tests read the count around frames to prove it.
#pragma once

#include <cstdint>

namespace platform {

// Called by each place that reaches the file system.
void NoteFileAccess();
// How many trips there have been since the program started.
uint64_t FileAccesses();

} // namespace platform
