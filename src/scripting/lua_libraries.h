// The standard libraries every game state opens: base with coroutines,
// string, math, table, and of os only its clock and calendar. No io, no debug
// library and no module loader: a script reaches no file but the game's own
// scripts (loadfile, dofile), runs no program and cannot end the game. Lua's
// random numbers come from the game's generator, so a level replays the same.
#pragma once

struct lua_State;

namespace Scripting {

void OpenGameLibraries(lua_State* L);
// After luabind is open in L: its bound objects are destroyed without calling
// a script's "__finalize" (finalizers run where no budget reaches).
void FenceBoundObjects(lua_State* L);

} // namespace Scripting
