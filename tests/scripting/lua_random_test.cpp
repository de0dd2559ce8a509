// Lua's random numbers are the game's: the same seed replays a level.
#include <gtest/gtest.h>
#include <lua.hpp>

#include "platform/game_random.h"
#include "scripting/script_fixture.h"
#include "scripting/script_host.h"

namespace {

using LuaLibraries = test::ScriptTest;

TEST_F(LuaLibraries, RandomAfterSeedOneGivesTheGeneratorsFirstValues)
{
    lua_State* L = Scripting::GetContextState(Scripting::AllocateContext());
    ASSERT_TRUE(RunChunk(L,
        "math.randomseed(1)\n"
        "a = math.random() * 32767; b = math.random() * 32767; c = math.random() * 32767\n"
        "math.randomseed(1)\n"
        "d = math.random(100); e = math.random(1000); f = math.random(10, 20)\n"
        "g = math.random(5, 5)"));
    // The first values of the sequence from seed 1 are 41, 18467 and 6334.
    EXPECT_NEAR(GlobalNumber(L, "a"), 41, 1e-6);
    EXPECT_NEAR(GlobalNumber(L, "b"), 18467, 1e-6);
    EXPECT_NEAR(GlobalNumber(L, "c"), 6334, 1e-6);
    EXPECT_EQ(GlobalNumber(L, "d"), 1); // floor(41 / 32767 * 100) + 1
    EXPECT_EQ(GlobalNumber(L, "e"), 564); // floor(18467 / 32767 * 1000) + 1
    EXPECT_EQ(GlobalNumber(L, "f"), 12); // floor(6334 / 32767 * 11) + 10
    EXPECT_EQ(GlobalNumber(L, "g"), 5);

    // Lua and the game draw from one sequence.
    ASSERT_TRUE(RunChunk(L, "math.randomseed(1)"));
    EXPECT_EQ(platform::GameRand(), 41);
    ASSERT_TRUE(RunChunk(L, "h = math.random() * 32767"));
    EXPECT_NEAR(GlobalNumber(L, "h"), 18467, 1e-6);
}

TEST_F(LuaLibraries, RandomRefusesEmptyIntervalsAndOddSeeds)
{
    lua_State* L = Scripting::GetContextState(Scripting::AllocateContext());
    ASSERT_TRUE(RunChunk(L,
        "a = pcall(math.random, 0); b = pcall(math.random, 5, 4); c = pcall(math.random, 1, 2, 3)\n"
        "d = pcall(math.randomseed, 0/0); e = pcall(math.randomseed, 1e300);"
        "f = pcall(math.randomseed, -1); g = pcall(math.randomseed)"));
    for (const char* name : { "a", "b", "c", "g" }) {
        lua_getglobal(L, name);
        EXPECT_FALSE(lua_toboolean(L, -1)) << name;
        lua_pop(L, 1);
    }
    for (const char* name : { "d", "e", "f" }) {
        lua_getglobal(L, name);
        EXPECT_TRUE(lua_toboolean(L, -1)) << name;
        lua_pop(L, 1);
    }
    platform::GameSrand(1);
}

TEST_F(LuaLibraries, StatesOpenTheGamesLibrariesOnly)
{
    for (lua_State* L : { Scripting::GetMainState(), Scripting::GetContextState(Scripting::AllocateContext()) }) {
        ASSERT_TRUE(RunChunk(L,
            "assert(coroutine and io and os and string and math and table)\n"
            "assert(type(dofile) == 'function' and type(pcall) == 'function')\n"
            "assert(debug == nil and package == nil and require == nil)"));
    }
}

} // namespace
