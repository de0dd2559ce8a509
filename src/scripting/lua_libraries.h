// The standard libraries every game state opens: base with coroutines, io with
// os, string, math and table. No debug library and no module loader. Lua's
// random numbers come from the game's generator, so a level replays the same.
#pragma once

struct lua_State;

namespace Scripting {

void OpenGameLibraries(lua_State* L);

} // namespace Scripting
