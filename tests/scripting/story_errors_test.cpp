// Everything a level script can get wrong costs one log line and is ignored:
// the game never stops, and no bad index reaches a table.
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

#define IN_INIT L"Map: on_init   ###error###    "
#define IN_CHUNK L"Running level script   ###error###    [string \"script\"]:"
const ErrorCase kCases[] = {
    { "syntax error", "function on_init(", nullptr, IN_CHUNK L"1:", L"expected near <eof>" },
    { "runtime error in a callback", "function on_init() end\nfunction on_timer() error('boom') end", "on_timer",
        L"Map: on_timer   ###error###    [string \"script\"]:2: boom\r\n", L"" },
    { "error in the chunk itself", "local t = nil\nt.x = 1", nullptr, IN_CHUNK L"2:", L"attempt to index" },
    { "missing callback", "function on_init() end", "on_bonus",
        L"Map: on_bonus   ###error###    attempt to call a nil value\r\n", L"" },
    { "an empty script has no on_init", "", nullptr, IN_INIT L"attempt to call a nil value\r\n", L"" },
    { "error value that is a number", "function on_init() end\nfunction ok_work() error(12, 0) end", "ok_work",
        L"Map: ok_work   ###error###    12\r\n", L"" },
    { "error value that is a table", "function on_init() error({ 'only' }) end", nullptr, L"number - string\r\n", L"" },
    { "long error text is cut", "function on_init() error(string.rep('x', 5000), 0) end", nullptr, IN_INIT L"xxx",
        L"" },
    { "nil for a number", "function on_init() Story:SaveParam(nil, 1) end", nullptr, IN_INIT, L"No matching overload" },
    { "number for a text", "function on_init() Story:Log(5) end", nullptr, IN_INIT, L"No matching overload" },
    { "too many arguments", "function on_init() Story:GetLevel(1) end", nullptr, IN_INIT, L"No matching overload" },
    { "without self", "function on_init() Story.SetFlag('x') end", nullptr, IN_INIT, L"No matching overload" },
    { "callback missing from a strict globals table",
        "setmetatable(_G, { __index = function(_, name) error('undeclared ' .. name, 2) end })\nfunction on_init() end",
        "on_timer", L"Map: on_timer   ###error###    undeclared on_timer\r\n", L"" },
    { "Story in arithmetic", "function on_init() local x = 2 * Story end", nullptr, IN_INIT, L"No such operator" },
    { "Story negated", "function on_init() local x = -Story end", nullptr, IN_INIT, L"No such operator defined" },
    { "unknown method", "function on_init() Story:NoSuchMethod() end", nullptr, IN_INIT L"[string \"script\"]:1:",
        L"attempt to call method 'NoSuchMethod'" },
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
        EXPECT_NE(log[0].text.find(c.contains), std::wstring::npos);
        EXPECT_TRUE(c.what[0] != 'l' || log[0].text.size() == 255u);
        // The game goes on: the main state is current again.
        EXPECT_EQ(Scripting::GetCurrentState(), Scripting::GetMainState());
        story.ReleaseLevelScript();
    }
}

TEST_F(StoryErrors, IndicesOutsideTheTablesAreRefused)
{
    const struct {
        const char* call;
        const wchar_t* line;
    } cases[] = {
        { "Story:SaveParam(50, 7)", L"SaveParam -> index 50 is outside 0..49" },
        { "Story:SaveParam(-1, 7)", L"SaveParam -> index -1 is outside 0..49" },
        { "Story:SaveCounter(100, 7)", L"SaveCounter -> index 100 is outside 0..99" },
        { "Story:SaveCounter(-2147483648, 7)", L"SaveCounter -> index -2147483648 is outside 0..99" },
        { "Story:AddToParameters(50, 7)", L"AddToParameters -> index 50 is outside 0..49" },
        { "result = Story:GetParameters(1000000)", L"GetParameters -> index 1000000 is outside 0..49" },
    };
    cGameWorld& world = cGameWorld::Instance();
    const auto zero = [](const auto& table) { return std::ranges::all_of(table, [](int v) { return v == 0; }); };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        ASSERT_TRUE(Run(std::string("result = -1; ") + c.call));
        const auto log = TakeLog();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].text, std::wstring(L"Story::") + c.line + L", ignored");
        EXPECT_EQ(Number("result"), c.call[0] == 'r' ? 0 : -1);
        EXPECT_TRUE(zero(world.saveParams) && zero(world.saveCounters) && zero(world.parameters));
    }
    // The edges of each table are inside; parameters add up and wrap.
    ASSERT_TRUE(Run("Story:SaveParam(0, 1); Story:SaveParam(49, 2); Story:SaveCounter(99, 3);"
                    "Story:AddToParameters(49, 4); Story:AddToParameters(49, -1); edge = Story:GetParameters(49)"));
    EXPECT_TRUE(TakeLog().empty());
    // So are the ends of a range: no time limit, no red.
    world.levelTimeLimit = world.levelTint[0] = 7;
    ASSERT_TRUE(Run("Story:SetTimeForLevel(0); Story:SetLevelColor('red', 0)"));
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(world.levelTimeLimit + world.levelTint[0], 0);
    EXPECT_EQ(world.saveParams[0], 1);
    EXPECT_EQ(world.saveParams[49], 2);
    EXPECT_EQ(world.saveCounters[99], 3);
    EXPECT_EQ(Number("edge"), 3);
    world.parameters[2] = 2147483647;
    ASSERT_TRUE(Run("Story:AddToParameters(2, 1)"));
    EXPECT_EQ(world.parameters[2], -2147483647 - 1);
}

} // namespace
