// The fences around every script: a cap on the memory each Lua state may
// hold (Lua's own allocator hook) and a budget of wall-clock time for each
// entry into a script, checked by a count hook that also gives way to a
// quit request (window closed, SIGTERM) while a script runs.
#pragma once

#include <cstddef>

struct lua_State;

namespace Scripting::Detail {

// A new state whose allocations are counted in *used and capped, with the
// budget hook set; null when even that could not be allocated.
lua_State* NewLimitedState(size_t* used);
// lua_pcall within the budget: the outermost call starts the clock, nested
// calls share it. An allocation failure is a script error like any other;
// the garbage is collected before the caller reports it. Returns Lua's status.
int ProtectedCall(lua_State* L, int arguments, int results);
// For library functions that loop in C, where the hook cannot look: raises
// the script error once the running entry is over its budget or a quit is
// pending, as the hook does between instructions.
void CheckBudget(lua_State* L);
// True while the running entry is being stopped (time, memory cap aside,
// quit): what the script would still run must not run.
bool StopInForce();

} // namespace Scripting::Detail
