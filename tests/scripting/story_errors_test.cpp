// Everything a level script can get wrong is logged and ignored: the game
// never stops, and no bad index reaches a table.
#include <algorithm>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

using StoryErrors = test::ScriptTest;

struct ErrorCase {
    const char* what;
    const char* script; // the level script
    const char* callback; // called after "on_init", may be null
    const wchar_t* expected; // the start of the one error line
    const wchar_t* contains; // a further part of that line
};

const ErrorCase kCases[] = {
    { "syntax error", "function on_init(", nullptr, L"Running level script   ###error###    [string \"script\"]:1:",
        L"expected near <eof>" },
    { "runtime error in a callback", "function on_init() end\nfunction on_timer() error('boom') end", "on_timer",
        L"Map: on_timer   ###error###    [string \"script\"]:2: boom\r\n", nullptr },
    { "error in the chunk itself", "local t = nil\nt.x = 1", nullptr,
        L"Running level script   ###error###    [string \"script\"]:2:", L"attempt to index" },
    { "missing callback", "function on_init() end", "on_bonus",
        L"Map: on_bonus   ###error###    attempt to call a nil value\r\n", nullptr },
    { "error value that is a number", "function on_init() end\nfunction ok_work() error(12, 0) end", "ok_work",
        L"Map: ok_work   ###error###    12\r\n", nullptr },
    { "flag without its name", "function on_init() Story:SetFlag() end", nullptr, L"Map: on_init   ###error###    ",
        L"No matching overload" },
    { "nil where a number is expected", "function on_init() Story:SaveParam(nil, 1) end", nullptr,
        L"Map: on_init   ###error###    ", L"No matching overload" },
    { "text where a number is expected", "function on_init() Story:SetState('1') end", nullptr,
        L"Map: on_init   ###error###    ", L"No matching overload" },
    { "number where a text is expected", "function on_init() Story:Log(5) end", nullptr,
        L"Map: on_init   ###error###    ", L"No matching overload" },
    { "too many arguments", "function on_init() Story:GetLevel(1) end", nullptr, L"Map: on_init   ###error###    ",
        L"No matching overload" },
    { "method called without self", "function on_init() Story.SetFlag('x') end", nullptr,
        L"Map: on_init   ###error###    ", L"No matching overload" },
    { "a table for Story", "function on_init() Story.GetLevel({}) end", nullptr, L"Map: on_init   ###error###    ",
        L"No matching overload" },
    { "callback missing from a strict globals table",
        "setmetatable(_G, { __index = function(_, name) error('undeclared ' .. name, 2) end })\n"
        "function on_init() end",
        "on_timer", L"Map: on_timer   ###error###    undeclared on_timer\r\n", nullptr },
    { "Story as the right operand of a comparison", "function on_init() local x = 1 < Story end", nullptr,
        L"Map: on_init   ###error###    ", L"No such operator defined" },
    { "Story in arithmetic", "function on_init() local x = 2 * Story end", nullptr, L"Map: on_init   ###error###    ",
        L"No such operator defined" },
    { "Story joined to a text", "function on_init() local x = 'a' .. Story end", nullptr,
        L"Map: on_init   ###error###    ", L"No such operator defined" },
    { "Story negated", "function on_init() local x = -Story end", nullptr, L"Map: on_init   ###error###    ",
        L"No such operator defined" },
    { "unknown method", "function on_init() Story:NoSuchMethod() end", nullptr,
        L"Map: on_init   ###error###    [string \"script\"]:1:", L"attempt to call method 'NoSuchMethod'" },
};

TEST_F(StoryErrors, EachFaultCostsOneLogLineAndNothingElse)
{
    for (const ErrorCase& c : kCases) {
        SCOPED_TRACE(c.what);
        Story& story = Story::Instance();
        StartLevel(c.script, 5);
        if (c.callback) {
            TakeLog();
            story.CallScriptFunction(c.callback);
        }
        // A chunk that stopped early is not asked for its "on_init".
        const auto log = TakeLog();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].kind, L"message");
        EXPECT_EQ(log[0].text.rfind(c.expected, 0), 0u) << std::string(log[0].text.begin(), log[0].text.end());
        if (c.contains) {
            EXPECT_NE(log[0].text.find(c.contains), std::wstring::npos);
        }
        // The game goes on: the main state is current again and a later
        // callback of the same level still runs.
        EXPECT_EQ(Scripting::GetCurrentState(), Scripting::GetMainState());
        story.ReleaseLevelScript();
    }
}

struct IndexCase {
    const char* call;
    const wchar_t* method;
    int index;
    int last;
};

const IndexCase kIndexCases[] = {
    { "Story:SaveParam(50, 7)", L"SaveParam", 50, 49 },
    { "Story:SaveParam(-1, 7)", L"SaveParam", -1, 49 },
    { "Story:SaveCounter(100, 7)", L"SaveCounter", 100, 99 },
    { "Story:SaveCounter(-2147483648, 7)", L"SaveCounter", -2147483647 - 1, 99 },
    { "Story:AddToParameters(50, 7)", L"AddToParameters", 50, 49 },
    { "result = Story:GetParameters(1000000)", L"GetParameters", 1000000, 49 },
    { "result = Story:GetParameters(-5)", L"GetParameters", -5, 49 },
};

TEST_F(StoryErrors, IndicesOutsideTheTablesAreRefused)
{
    cGameWorld& world = cGameWorld::Instance();
    const int handle = Scripting::AllocateContext();
    lua_State* L = Scripting::GetContextState(handle);
    for (const IndexCase& c : kIndexCases) {
        SCOPED_TRACE(c.call);
        world.ResetToDefaults();
        ASSERT_TRUE(RunChunk(L, std::string("result = -1; ") + c.call));
        wchar_t expected[160];
        std::swprintf(expected, 160, L"Story::%ls -> index %d is outside 0..%d, ignored", c.method, c.index, c.last);
        const auto log = TakeLog();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].text, expected);
        EXPECT_EQ(GlobalNumber(L, "result"), c.call[0] == 'r' ? 0 : -1);
        EXPECT_TRUE(
            std::all_of(std::begin(world.saveParams), std::end(world.saveParams), [](int v) { return v == 0; }));
        EXPECT_TRUE(
            std::all_of(std::begin(world.saveCounters), std::end(world.saveCounters), [](int v) { return v == 0; }));
        EXPECT_TRUE(
            std::all_of(std::begin(world.parameters), std::end(world.parameters), [](int v) { return v == 0; }));
    }
    // The edges of each table are inside.
    ASSERT_TRUE(RunChunk(L,
        "Story:SaveParam(0, 1); Story:SaveParam(49, 2); Story:SaveCounter(99, 3);"
        "Story:AddToParameters(49, 4); edge = Story:GetParameters(49)"));
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(world.saveParams[0], 1);
    EXPECT_EQ(world.saveParams[49], 2);
    EXPECT_EQ(world.saveCounters[99], 3);
    EXPECT_EQ(GlobalNumber(L, "edge"), 4);
}

TEST_F(StoryErrors, ErrorValueThatIsATableNamesTheTypesOfItsPairs)
{
    StartLevel("function on_init() error({ 'only' }) end", 6);
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, L"number - string\r\n");
}

TEST_F(StoryErrors, LongErrorTextIsCutNotOverrun)
{
    StartLevel("function on_init() error(string.rep('x', 5000), 0) end", 6);
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text.size(), 255u);
    EXPECT_EQ(log[0].text.rfind(L"Map: on_init   ###error###    xxx", 0), 0u);
}

} // namespace
