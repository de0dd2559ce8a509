#include "scripting/lua_libraries.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include <lua.hpp>

#include "scripting/luabind_include.h"

#include <luabind/detail/class_registry.hpp>
#include <luabind/detail/object_rep.hpp>

#include "platform/game_random.h"
#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "scripting/lua_patterns.h"
#include "scripting/script_limits.h"

namespace {

// math.random as the levels were tuned with it: the runtime's rand scaled
// into [0, 1), then stretched over the asked interval.
int MathRandom(lua_State* L)
{
    const lua_Number r = static_cast<lua_Number>(platform::GameRand() % platform::kGameRandMax)
        / static_cast<lua_Number>(platform::kGameRandMax);
    switch (lua_gettop(L)) {
    case 0:
        lua_pushnumber(L, r);
        break;
    case 1: {
        const lua_Number upper = std::floor(luaL_checknumber(L, 1));
        luaL_argcheck(L, 1 <= upper, 1, "interval is empty");
        lua_pushnumber(L, std::floor(r * upper) + 1);
        break;
    }
    case 2: {
        const lua_Number lower = std::floor(luaL_checknumber(L, 1));
        const lua_Number upper = std::floor(luaL_checknumber(L, 2));
        luaL_argcheck(L, lower <= upper, 2, "interval is empty");
        lua_pushnumber(L, std::floor(r * (upper - lower + 1)) + lower);
        break;
    }
    default:
        return luaL_error(L, "wrong number of arguments");
    }
    return 1;
}

// Seeding restarts the game's sequence; unlike stock Lua no value is thrown
// away afterwards, so math.randomseed(1) replays the sequence from its start.
int MathRandomSeed(lua_State* L)
{
    const lua_Number seed = luaL_checknumber(L, 1);
    uint32_t value = 0;
    // A seed beyond 32 bits wraps as an integer would; NaN and infinities
    // seed 0 instead of reaching an undefined conversion.
    if (std::isfinite(seed))
        value = static_cast<uint32_t>(static_cast<int64_t>(std::fmod(std::trunc(seed), 4294967296.0)));
    platform::GameSrand(value);
    return 0;
}

// Lua runs finalizers with its hooks switched off, out of reach of the time
// budget, so an endless one would hang the game for good: metatables with
// "__gc" are refused. The stock setmetatable is the closure's upvalue.
int SetMetatable(lua_State* L)
{
    if (lua_istable(L, 2)) {
        lua_pushliteral(L, "__gc");
        lua_rawget(L, 2);
        const bool finalizer = !lua_isnil(L, -1);
        lua_pop(L, 1);
        if (finalizer)
            return luaL_error(L, "finalizers (__gc) are not available to scripts");
    }
    const int arguments = lua_gettop(L);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, arguments, LUA_MULTRET);
    return lua_gettop(L);
}

// load and loadstring with their mode argument always "t": a precompiled
// chunk is not checked by Lua's loader and could do anything, so scripts
// load source text only. The stock function is upvalue 1, the place of its
// mode argument upvalue 2.
int LoadTextOnly(lua_State* L)
{
    const int mode = static_cast<int>(lua_tointeger(L, lua_upvalueindex(2)));
    if (lua_gettop(L) < mode)
        lua_settop(L, mode);
    lua_pushliteral(L, "t");
    lua_replace(L, mode);
    const int arguments = lua_gettop(L);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, arguments, LUA_MULTRET);
    return lua_gettop(L);
}

void WrapLoader(lua_State* L, const char* name, const char* original, int modeArgument)
{
    lua_getglobal(L, original);
    if (lua_isnil(L, -1)) {
        lua_pop(L, 1);
        return;
    }
    lua_pushinteger(L, modeArgument);
    lua_pushcclosure(L, LoadTextOnly, 2);
    lua_setglobal(L, name);
}

// The files loadfile and dofile may read: the game's own scripts, named by a
// path under data/script/ that never climbs out of it. Paths are short.
constexpr char kScriptFolder[] = "data/script/";
constexpr size_t kMaxScriptPath = 255;

bool IsGameScriptPath(const char* name, size_t length)
{
    const std::string_view path(name, length);
    return length <= kMaxScriptPath && path.starts_with(kScriptFolder) && path.find("..") == std::string_view::npos
        && path.find('\\') == std::string_view::npos && path.find('\0') == std::string_view::npos;
}

// Pushes the chunk of a game script as source text, read whole through the
// file manager (regular files only, so nothing waits on a pipe or a device);
// otherwise pushes the error message. Returns Lua's load status.
int LoadGameScript(lua_State* L, int nameIndex)
{
    size_t length = 0;
    const char* name = luaL_checklstring(L, nameIndex, &length);
    if (!IsGameScriptPath(name, length)) {
        lua_pushfstring(L, "cannot open %s: scripts may load only the game's scripts (%s...)", name, kScriptFolder);
        return LUA_ERRFILE;
    }
    iFile* file = cFileManager::Instance().OpenFile(platform::NarrowToWide(name));
    if (!file) {
        lua_pushfstring(L, "cannot open %s", name);
        return LUA_ERRFILE;
    }
    const std::string chunkName = std::string("@") + name;
    const char* text = reinterpret_cast<const char*>(file->GetData());
    const int status = luaL_loadbufferx(L, text ? text : "", text ? file->GetSize() : 0, chunkName.c_str(), "t");
    cFileManager::Instance().Release(file);
    return status;
}

// loadfile(name [, mode [, env]]): a game script as source text whatever the
// mode says; env becomes the chunk's first upvalue as in stock Lua.
int LoadFile(lua_State* L)
{
    const bool environment = !lua_isnone(L, 3);
    if (LoadGameScript(L, 1) != LUA_OK) {
        lua_pushnil(L);
        lua_insert(L, -2);
        return 2;
    }
    if (environment) {
        lua_pushvalue(L, 3);
        if (!lua_setupvalue(L, -2, 1))
            lua_pop(L, 1);
    }
    return 1;
}

int DoFile(lua_State* L)
{
    lua_settop(L, 1);
    if (LoadGameScript(L, 1) != LUA_OK)
        return lua_error(L);
    lua_call(L, 0, LUA_MULTRET);
    return lua_gettop(L) - 1;
}

// print writes one line into the game's log instead of standard output,
// which could block the game on a full pipe; the line is cut as script
// errors are.
constexpr size_t kPrintLimit = 255;

int Print(lua_State* L)
{
    // Built on Lua's stack: a failing tostring unwinds past no C++ object.
    const int count = lua_gettop(L);
    luaL_Buffer line;
    luaL_buffinit(L, &line);
    for (int i = 1; i <= count; ++i) {
        lua_getglobal(L, "tostring");
        lua_pushvalue(L, i);
        lua_call(L, 1, 1);
        if (!lua_isstring(L, -1))
            return luaL_error(L, "'tostring' must return a string to 'print'");
        if (i > 1)
            luaL_addchar(&line, '\t');
        luaL_addvalue(&line);
    }
    luaL_pushresult(&line);
    size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    const std::string cut(text, std::min(length, kPrintLimit));
    cLog::Instance().Write(L"[Script] %ls", platform::NarrowToWide(cut.c_str()).c_str());
    return 0;
}

// The message handler of xpcall, the script's own as upvalue 1. Lua calls a
// handler from where the error was raised: after a stop, that is inside the
// budget hook, where Lua runs no hooks, so the script's handler would run
// unfenced. Once a stop is in force the message goes on unhandled.
int GuardedHandler(lua_State* L)
{
    if (Scripting::Detail::StopInForce())
        return 1;
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, 1);
    return 1;
}

int FinishProtectedCall(lua_State* L, bool ok)
{
    if (!lua_checkstack(L, 1)) {
        lua_settop(L, 0);
        lua_pushboolean(L, 0);
        lua_pushliteral(L, "stack overflow");
        return 2;
    }
    lua_pushboolean(L, ok);
    lua_replace(L, 1);
    return lua_gettop(L);
}

int ProtectedCallContinued(lua_State* L)
{
    return FinishProtectedCall(L, lua_getctx(L, nullptr) == LUA_YIELD);
}

// xpcall as the stock one (yields included), its handler guarded.
int XProtectedCall(lua_State* L)
{
    const int count = lua_gettop(L);
    luaL_argcheck(L, count >= 2, 2, "value expected");
    lua_pushvalue(L, 2);
    lua_pushcclosure(L, GuardedHandler, 1);
    lua_pushvalue(L, 1);
    lua_replace(L, 2);
    lua_replace(L, 1);
    const int status = lua_pcallk(L, count - 2, LUA_MULTRET, 1, 0, ProtectedCallContinued);
    return FinishProtectedCall(L, status == LUA_OK);
}

// getmetatable gives scripts no metatable of a userdata (the game's bound
// objects): one whose "__gc" a script replaced would run script code in the
// collector, where Lua runs no hooks.
int GetMetatable(lua_State* L)
{
    luaL_checkany(L, 1);
    if (lua_type(L, 1) == LUA_TUSERDATA) {
        lua_pushnil(L);
        return 1;
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, 1);
    return 1;
}

// os with only its clock and calendar: no files, no programs, no exit, no
// environment and no locale (which would change how the game writes numbers).
void OpenClockLibrary(lua_State* L)
{
    lua_pushcfunction(L, luaopen_os);
    lua_call(L, 0, 1);
    lua_createtable(L, 0, 4);
    for (const char* name : { "clock", "date", "difftime", "time" }) {
        lua_getfield(L, -2, name);
        lua_setfield(L, -2, name);
    }
    lua_setglobal(L, LUA_OSLIBNAME);
    lua_pop(L, 1);
}

// luabind calls a bound object's "__finalize" method when the collector
// frees it, where Lua runs no hooks and no budget can stop it; like "__gc",
// it is not available to scripts. Storing it into a class or an object is
// refused (luabind's own "__newindex" is upvalue 1)...
int RefuseFinalizer(lua_State* L)
{
    if (lua_type(L, 2) == LUA_TSTRING && std::string_view(lua_tostring(L, 2)) == "__finalize")
        return luaL_error(L, "finalizers (__finalize) are not available to scripts");
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, 0);
    return 0;
}

// ...and a bound object is destroyed as luabind does it, less that call.
int DestroyBoundObject(lua_State* L)
{
    auto* object = static_cast<luabind::detail::object_rep*>(lua_touserdata(L, 1));
    if (!object)
        return 0;
    object->~object_rep();
    lua_pushnil(L);
    lua_setmetatable(L, 1);
    return 0;
}

void GuardNewIndex(lua_State* L, int metatableReference)
{
    lua_rawgeti(L, LUA_REGISTRYINDEX, metatableReference);
    if (lua_istable(L, -1)) {
        lua_getfield(L, -1, "__newindex");
        lua_pushcclosure(L, RefuseFinalizer, 1);
        lua_setfield(L, -2, "__newindex");
    }
    lua_pop(L, 1);
}

void Require(lua_State* L, const char* name, lua_CFunction open)
{
    luaL_requiref(L, name, open, 1);
    lua_pop(L, 1);
}

} // namespace

namespace Scripting {

void OpenGameLibraries(lua_State* L)
{
    Require(L, "_G", luaopen_base);
    Require(L, LUA_COLIBNAME, luaopen_coroutine);
    Require(L, LUA_STRLIBNAME, luaopen_string);
    Require(L, LUA_MATHLIBNAME, luaopen_math);
    Require(L, LUA_TABLIBNAME, luaopen_table);
    OpenClockLibrary(L);

    // loadstring is the stock load under another name.
    WrapLoader(L, "loadstring", "load", 3);
    WrapLoader(L, "load", "load", 3);
    const std::pair<const char*, lua_CFunction> kReplaced[]
        = { { "loadfile", LoadFile }, { "dofile", DoFile }, { "print", Print }, { "xpcall", XProtectedCall } };
    for (const auto& [name, function] : kReplaced) {
        lua_pushcfunction(L, function);
        lua_setglobal(L, name);
    }
    OpenBoundedLibraryFunctions(L);

    lua_getglobal(L, "setmetatable");
    lua_pushcclosure(L, SetMetatable, 1);
    lua_setglobal(L, "setmetatable");
    lua_getglobal(L, "getmetatable");
    lua_pushcclosure(L, GetMetatable, 1);
    lua_setglobal(L, "getmetatable");

    lua_getglobal(L, LUA_MATHLIBNAME);
    lua_pushcfunction(L, MathRandom);
    lua_setfield(L, -2, "random");
    lua_pushcfunction(L, MathRandomSeed);
    lua_setfield(L, -2, "randomseed");
    lua_pop(L, 1);
}

void FenceBoundObjects(lua_State* L)
{
    const luabind::detail::class_registry* registry = luabind::detail::class_registry::get_registry(L);
    if (!registry)
        return;
    GuardNewIndex(L, registry->cpp_class());
    GuardNewIndex(L, registry->lua_class());
    GuardNewIndex(L, registry->cpp_instance());
    lua_rawgeti(L, LUA_REGISTRYINDEX, registry->cpp_instance());
    if (lua_istable(L, -1)) {
        lua_pushcfunction(L, DestroyBoundObject);
        lua_setfield(L, -2, "__gc");
    }
    lua_pop(L, 1);
}

} // namespace Scripting
