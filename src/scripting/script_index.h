// Indices and values that scripts pass into the world's tables are checked
// here once: an index outside the table, a cell off the grid tables or a
// number that is no number is refused with a log line and never reaches memory.
#pragma once

namespace Scripting {

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
