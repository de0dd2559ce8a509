// Indices and values that scripts pass into the world's tables are checked
// here once: an index outside the table, a cell off the grid tables or a
// number that is no number is refused with a log line and never reaches memory.
#pragma once

#include <cstddef>
#include <string>

namespace Scripting {

// What Story keeps for a script lives outside the script's memory cap, so it
// is bounded where it enters: a text it keeps (a name of a texture, sound,
// car or flag) holds at most kMaxScriptText bytes, and a list it adds to
// (places, effects, decorations, cars, flags...) at most kMaxScriptListLength
// entries. Filled to the brim, all of them together stay well inside the
// script memory cap.
constexpr size_t kMaxScriptText = 255;
constexpr size_t kMaxScriptListLength = 1000;

// True when the text is short enough to keep; otherwise logs the refusal.
bool CheckScriptText(const wchar_t* method, const std::string& text);

// True when a list of that length has room for `adding` more entries.
bool CheckScriptRoom(const wchar_t* method, size_t length, int adding = 1);

// True when 0 <= index < size; otherwise logs which method was refused.
bool CheckScriptIndex(const wchar_t* method, int index, int size);

// True when row and column both address the world's per-cell tables.
bool CheckScriptCell(const wchar_t* method, int row, int column);

// True when 0 <= count <= limit (counts of cars, slots and staff).
bool CheckScriptCount(const wchar_t* method, int count, int limit);

// True when low <= value <= high; otherwise logs what was refused. For
// numbers that later arithmetic (doubling, stepping, offsets) must not push
// past the range of an int.
bool CheckScriptRange(const wchar_t* method, const wchar_t* what, int value, int low, int high);

// True for a finite number: NaN or an infinity would poison every timer and
// speed it reaches.
bool CheckScriptNumber(const wchar_t* method, double value);

} // namespace Scripting
