// A running count of the game's trips to the file system: every open, every
// existence query and every read or write on an open descriptor. A frame of
// play makes none; tests read the count around frames to prove it.
#pragma once

#include <cstdint>

namespace platform {

// Called by each place that reaches the file system.
void NoteFileAccess();
// Called before each trip from then on (null: none). A test that kills the
// game at each trip in turn sees what every one of them leaves behind.
void SetFileAccessHookForTests(void (*hook)());
// How many trips there have been since the program started.
uint64_t FileAccesses();

} // namespace platform
