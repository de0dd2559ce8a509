// Indices that scripts pass into the world's tables are checked here once:
// an index outside the table is refused with a log line and never reaches
// memory.
#pragma once

namespace Scripting {

// True when 0 <= index < size; otherwise logs which method was refused.
bool CheckScriptIndex(const wchar_t* method, int index, int size);

} // namespace Scripting
