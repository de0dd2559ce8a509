// Library functions that could run for ages inside one call (pattern
// matching, string.rep, table.sort), replaced by versions that look at the
// script's time budget and at a pending quit while they work.
#pragma once

struct lua_State;

namespace Scripting {

// Puts them into the string and table libraries already open in L.
void OpenBoundedLibraryFunctions(lua_State* L);

} // namespace Scripting
