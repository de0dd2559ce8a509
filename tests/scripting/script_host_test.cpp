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
            "assert(coroutine and os and string and math and table and dofile and pcall)\n"
            "assert(io == nil and debug == nil and package == nil and require == nil)"));

    EXPECT_FALSE(Scripting::SelectContext(-1) || Scripting::SelectContext(1));
    EXPECT_TRUE(Scripting::SelectContext(handle));
    EXPECT_FALSE(Scripting::SelectContext(handle)); // one level of selection
    EXPECT_EQ(Scripting::GetCurrentState(), context);
    EXPECT_TRUE(Scripting::RestoreContext());
    EXPECT_EQ(Scripting::GetCurrentState(), main);
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

// Every context handle works, from the first to the last, and none past
// them; a host started again has all of them free again.
TEST_F(ScriptHost, EveryContextHandleWorksAndAFreshHostHasThemAllFree)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (int handle = 0; handle < Scripting::kContexts; ++handle) {
            ASSERT_EQ(Scripting::AllocateContext(), handle);
            ASSERT_NE(Scripting::GetContextState(handle), nullptr);
            EXPECT_TRUE(RunChunk(Scripting::GetContextState(handle), "assert(Story)"));
            EXPECT_TRUE(Scripting::SelectContext(handle));
            EXPECT_TRUE(Scripting::RestoreContext());
        }
        EXPECT_EQ(Scripting::AllocateContext(), -1);
        for (const int beyond : { -1, Scripting::kContexts }) {
            EXPECT_EQ(Scripting::GetContextState(beyond), nullptr);
            EXPECT_FALSE(Scripting::SelectContext(beyond));
            Scripting::FreeContext(beyond); // refused quietly
        }
        ASSERT_TRUE(Script::Initialize());
        for (int handle = 0; handle < Scripting::kContexts; ++handle)
            EXPECT_EQ(Scripting::GetContextState(handle), nullptr);
    }
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

// The string and table functions the game puts in place of Lua's own give
// the results scripts expect of them.
TEST_F(ScriptHost, PatternsRepeatsAndSortsWorkAsInLua)
{
    const char* const kCases[] = {
        "select('#', ('hello world'):find('o w')) == 2 and ('hello world'):find('o w') == 5",
        "('a.b'):find('.', 1, true) == 2 and ('abc'):find('', 10) == nil and ('abc'):find('', 4) == 4",
        "('  key = value '):match('^%s*(%w+)%s*=%s*(%w+)%s*$') == 'key'",
        "select(2, ('  key = value '):match('^%s*(%w+)%s*=%s*(%w+)%s*$')) == 'value'",
        "('abc'):match('()b()') == 2 and select(2, ('abc'):match('()b()')) == 3",
        "('[x] [[y]]'):match('%b[]', 5) == '[[y]]' and ('THE (quick) fox'):find('%f[%a]%a+%f[%A]', 5) == 6",
        "('aaab'):match('a-b') == 'aaab' and ('aaab'):match('a*') == 'aaa' and ('b'):match('a?b') == 'b'",
        "('x = 12, y = 345'):match('(%d+)%D+(%d+)') == '12' and ('abab'):match('(ab)%1') == 'ab'",
        "('abc]-'):match('[]%-]+') == ']-' and ('Hi 42!'):gsub('[^%a]', '') == 'Hi'",
        "('hello world'):gsub('o', '0', 1) == 'hell0 world' and select(2, ('aaa'):gsub('', '-')) == 4",
        "('hello world'):gsub('(%w+)', '<%1>') == '<hello> <world>' and ('a'):gsub('a', '%%') == '%'",
        "('$name is $age'):gsub('%$(%w+)', { name = 'Kim', age = 7 }) == 'Kim is 7'",
        "('abc'):gsub('%w', function(c) return c == 'b' and 'B' or nil end) == 'aBc'",
        "('abc'):gsub('^a', 'x') == 'xbc' and ('a^b'):gmatch('^b')() == '^b'",
        "not pcall(string.find, 'a', '%') and not pcall(string.find, 'a', '[a') and not pcall(string.gsub, 'a', 'a', "
        "'%2')",
        "not pcall(string.match, 'a', '(a') and not pcall(string.match, 'a', 'a)') and not pcall(string.find, 'a', "
        "'%f')",
        "string.rep('ab', 3, ',') == 'ab,ab,ab' and string.rep('x', 0) == '' and #string.rep('', 2^31) == 0",
        "#string.rep('abc', 1000) == 3000 and string.rep('-', 1, 'sep') == '-' and not pcall(string.rep, 'x', 2^52)",
    };
    for (const char* c : kCases)
        EXPECT_TRUE(Holds(c)) << c;
    ASSERT_TRUE(Run("local t, w = {}, {} for i = 1, 500 do t[i] = (i * 7919) % 503 end table.sort(t)\n"
                    "for i = 2, 500 do assert(t[i - 1] <= t[i]) end\n"
                    "w = { 'pear', 'fig', 'apple', 'kiwi' } table.sort(w, function(a, b) return #a > #b end)\n"
                    "assert(#w[1] == 5 and #w[4] == 3) t = {} table.sort(t)\n"
                    "assert(not pcall(table.sort, { 1, 'x', 2 }))"));
    // Source text only: a precompiled chunk is refused by every loader.
    EXPECT_TRUE(Holds("not load(string.dump(function() end))"));
    EXPECT_TRUE(Holds("not loadstring(string.dump(function() end)) and load('return 1')() == 1"));
    EXPECT_TRUE(Holds("select(2, load(string.dump(function() end), 'x', 'b')):find('binary')"));
}

} // namespace
