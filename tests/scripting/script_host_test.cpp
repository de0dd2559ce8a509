// The host's context capacity of one, its selection rules, the separation of
// its Lua universes and the libraries and random numbers they get.
#include <cwchar>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "platform/game_random.h"
#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

using ScriptHost = test::ScriptTest;

TEST_F(ScriptHost, OneContextAtATimeSeparateFromTheMainStateButSharingStory)
{
    cGameWorld::Instance().level = 17;
    lua_State* main = Scripting::GetMainState();
    ASSERT_TRUE(RunChunk(main, "shared_name = 'main'"));
    const int handle = Scripting::AllocateContext();
    ASSERT_EQ(handle, 0);
    EXPECT_EQ(Scripting::AllocateContext(), -1);
    lua_State* context = Scripting::GetContextState(handle);
    ASSERT_NE(context, main);
    ASSERT_TRUE(RunChunk(context,
        "assert(shared_name == nil and Story:GetLevel() == 17); shared_name = 'level'; "
        "only_here = 1; Story:SetFlag('ctx')"));
    ASSERT_TRUE(RunChunk(main, "assert(shared_name == 'main' and only_here == nil and Story:GetLevel() == 17)"));
    EXPECT_TRUE(Story::Instance().FlagPresent("ctx"));
    // Both states open the game's libraries only.
    for (lua_State* L : { main, context })
        ASSERT_TRUE(RunChunk(L,
            "assert(coroutine and io and os and string and math and table and dofile and pcall)\n"
            "assert(debug == nil and package == nil and require == nil)"));

    EXPECT_FALSE(Scripting::SelectContext(-1) || Scripting::SelectContext(1));
    EXPECT_TRUE(Scripting::SelectContext(handle));
    EXPECT_FALSE(Scripting::SelectContext(handle)); // one level of selection
    EXPECT_EQ(Scripting::GetCurrentState(), context);
    EXPECT_TRUE(Scripting::RestoreContext());
    EXPECT_FALSE(Scripting::RestoreContext());

    // Freeing the current context makes the main state current first; the
    // next context starts empty again, but with Story.
    ASSERT_TRUE(Scripting::SelectContext(handle));
    Scripting::FreeContext(handle);
    EXPECT_EQ(Scripting::GetCurrentState(), main);
    EXPECT_FALSE(Scripting::SelectContext(handle));
    Scripting::FreeContext(handle); // a second free is refused quietly
    ASSERT_EQ(Scripting::AllocateContext(), 0);
    ASSERT_TRUE(RunChunk(Scripting::GetContextState(0), "assert(only_here == nil and Story and DebugPrint)"));
    // Script text is widened from UTF-8 and cut to the error buffer.
    EXPECT_STREQ(Scripting::ToWideBuffer("gr\xc3\xbcn"), L"gr\u00fcn");
    EXPECT_EQ(std::wcslen(Scripting::ToWideBuffer(std::string(1000, 'x').c_str())), 259u);
}

// Lua's random numbers are the game's: the same seed replays a level.
TEST_F(ScriptHost, LuaRandomIsTheGamesSequence)
{
    // The first values of the sequence from seed 1 are 41, 18467 and 6334.
    ASSERT_TRUE(
        Run("math.randomseed(1); assert(math.abs(math.random() * 32767 - 41) < 1e-6 and math.random(1000) == 564)\n"
            "assert(math.random(10, 20) == 12 and math.random(5, 5) == 5)\n"
            "assert(not pcall(math.random, 0) and not pcall(math.random, 5, 4))\n"
            "assert(not pcall(math.random, 1, 2, 3) and not pcall(math.randomseed))\n"
            "assert(pcall(math.randomseed, 0/0) and pcall(math.randomseed, 1e300))\n"
            "math.randomseed(1); assert(math.random(100) == 1)"));
    EXPECT_EQ(platform::GameRand(), 18467);
    platform::GameSrand(1);
}

} // namespace
