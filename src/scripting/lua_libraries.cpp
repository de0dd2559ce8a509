#include "scripting/lua_libraries.h"

#include <cmath>
#include <cstdint>

#include <lua.hpp>

#include "platform/game_random.h"
#include "scripting/lua_patterns.h"

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

// load, loadstring and loadfile with their mode argument always "t": a
// precompiled chunk is not checked by Lua's loader and could do anything,
// so scripts load source text only. The stock function is upvalue 1, the
// place of its mode argument upvalue 2.
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

// dofile as the stock one, but source text only.
int DoFile(lua_State* L)
{
    const char* name = luaL_optstring(L, 1, nullptr);
    lua_settop(L, 1);
    if (luaL_loadfilex(L, name, "t") != LUA_OK)
        return lua_error(L);
    lua_call(L, 0, LUA_MULTRET);
    return lua_gettop(L) - 1;
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
    Require(L, LUA_IOLIBNAME, luaopen_io);
    Require(L, LUA_OSLIBNAME, luaopen_os);
    Require(L, LUA_STRLIBNAME, luaopen_string);
    Require(L, LUA_MATHLIBNAME, luaopen_math);
    Require(L, LUA_TABLIBNAME, luaopen_table);

    // loadstring is the stock load under another name.
    WrapLoader(L, "loadstring", "load", 3);
    WrapLoader(L, "load", "load", 3);
    WrapLoader(L, "loadfile", "loadfile", 2);
    lua_pushcfunction(L, DoFile);
    lua_setglobal(L, "dofile");
    OpenBoundedLibraryFunctions(L);

    lua_getglobal(L, "setmetatable");
    lua_pushcclosure(L, SetMetatable, 1);
    lua_setglobal(L, "setmetatable");

    lua_getglobal(L, LUA_MATHLIBNAME);
    lua_pushcfunction(L, MathRandom);
    lua_setfield(L, -2, "random");
    lua_pushcfunction(L, MathRandomSeed);
    lua_setfield(L, -2, "randomseed");
    lua_pop(L, 1);
}

} // namespace Scripting
