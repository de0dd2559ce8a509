#include "scripting/script_limits.h"

#include <chrono>
#include <cstdlib>

#include <lua.hpp>

#include "platform/message_pump.h"
#include "resources/log.h"
#include "scripting/script_host.h"

namespace {

using Clock = std::chrono::steady_clock;

// Instructions between two looks at the clock; every call looks as well, so
// a loop of slow library calls (each a few megabytes) is caught as soon.
constexpr int kHookInterval = 1000;
constexpr int kHookMask = LUA_MASKCOUNT | LUA_MASKCALL;
// A pending quit is looked for at most this often (it pumps the events).
constexpr auto kQuitCheckInterval = std::chrono::milliseconds(100);

size_t g_memoryLimit = Scripting::kScriptMemoryLimit;
double g_timeBudget = Scripting::kScriptTimeBudget;

int g_depth = 0; // protected calls in progress, nested ones included
Clock::time_point g_deadline;
Clock::time_point g_nextQuitCheck;
const char* g_stopReason = nullptr; // set once the running script must end
// Set when a script was stopped (time, memory or quit) and kept until the
// next level script starts: what was stopped half-way cannot go on.
bool g_stopped = false;

void* CountingAlloc(void* ud, void* block, size_t oldSize, size_t newSize)
{
    size_t& used = *static_cast<size_t*>(ud);
    const size_t old = block ? oldSize : 0;
    if (newSize == 0) {
        std::free(block);
        used -= old;
        return nullptr;
    }
    // Growing past the cap fails as the system running out would.
    if (newSize > old && used - old + newSize > g_memoryLimit)
        return nullptr;
    void* grown = std::realloc(block, newSize);
    if (grown)
        used = used - old + newSize;
    return grown;
}

int Panic(lua_State* L)
{
    const char* text = lua_tostring(L, -1);
    cLog::Instance().Error(L"[Scripting] Lua error outside a protected call: %s", text ? text : "?");
    return 0;
}

// Looks at the clock, and now and then for a quit; true once the running
// entry must end.
bool MustStop()
{
    if (g_depth == 0)
        return false;
    if (!g_stopReason) {
        const Clock::time_point now = Clock::now();
        if (now >= g_deadline) {
            g_stopReason = "the script ran too long and was stopped";
        } else if (now >= g_nextQuitCheck) {
            g_nextQuitCheck = now + kQuitCheckInterval;
            if (platform::QuitPending())
                g_stopReason = "the game is quitting; the script was stopped";
        }
        if (!g_stopReason)
            return false;
    }
    g_stopped = true;
    return true;
}

void BudgetHook(lua_State* L, lua_Debug*);

[[noreturn]] void Stop(lua_State* L)
{
    // From now on every instruction fails, so a script that catches the
    // error with pcall cannot keep running.
    lua_sethook(L, BudgetHook, kHookMask, 1);
    luaL_error(L, "%s", g_stopReason);
    std::abort(); // luaL_error does not return
}

void BudgetHook(lua_State* L, lua_Debug*)
{
    if (g_depth == 0)
        return;
    // A thread left at the fast rate by an earlier stop slows down again.
    if (!g_stopReason && lua_gethookcount(L) != kHookInterval)
        lua_sethook(L, BudgetHook, kHookMask, kHookInterval);
    if (MustStop())
        Stop(L);
}

int CollectGarbage(lua_State* L)
{
    lua_gc(L, LUA_GCCOLLECT, 0);
    return 0;
}

} // namespace

namespace Scripting {

bool ScriptStopped()
{
    return g_stopped;
}

void ClearScriptStopped()
{
    g_stopped = false;
}

void SetScriptLimitsForTests(size_t memoryBytes, double seconds)
{
    g_memoryLimit = memoryBytes ? memoryBytes : kScriptMemoryLimit;
    g_timeBudget = seconds > 0.0 ? seconds : kScriptTimeBudget;
}

} // namespace Scripting

namespace Scripting::Detail {

lua_State* NewLimitedState(size_t* used)
{
    *used = 0;
    lua_State* L = lua_newstate(CountingAlloc, used);
    if (!L)
        return nullptr;
    lua_atpanic(L, Panic);
    lua_sethook(L, BudgetHook, kHookMask, kHookInterval);
    return L;
}

void CheckBudget(lua_State* L)
{
    if (MustStop())
        Stop(L);
}

bool StopInForce()
{
    return g_depth > 0 && g_stopReason != nullptr;
}

int ProtectedCall(lua_State* L, int arguments, int results)
{
    // The outermost call owns the clock; the guard closes it however the
    // call is left.
    struct Budget {
        Budget()
        {
            if (g_depth++ > 0)
                return;
            const Clock::time_point now = Clock::now();
            g_deadline = now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(g_timeBudget));
            // Short entries (most callbacks) never pump the events.
            g_nextQuitCheck = now + kQuitCheckInterval;
            g_stopReason = nullptr;
        }
        ~Budget()
        {
            if (--g_depth == 0)
                g_stopReason = nullptr;
        }
    };
    int status;
    {
        const Budget budget;
        status = lua_pcall(L, arguments, results, 0);
    }
    // Running out of memory ends the script as running out of time does.
    if (status == LUA_ERRMEM)
        g_stopped = true;
    if (status != LUA_OK) {
        // What the failed script piled up (up to all its memory) goes before
        // anything is reported; a finalizer that fails in the collection
        // cannot escape either.
        lua_pushcfunction(L, CollectGarbage);
        if (lua_pcall(L, 0, 0, 0) != LUA_OK)
            lua_pop(L, 1);
    }
    return status;
}

} // namespace Scripting::Detail
