// An error raised in a script state outside any protected call ends the
// program (Lua cannot return from it), but the log first says what the error
// was: the value raised, not whatever lies below it on the stack.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include <lua.hpp>

#include "platform/utf16.h"
#include "resources/log.h"
#include "scripting/script_limits.h"

namespace {

// Raises the value `push` leaves on top, with a decoy string below it.
[[noreturn]] void RaiseUnprotected(const std::function<void(lua_State*)>& push)
{
    cLog::Instance().SetObserver([](const wchar_t* kind, const std::wstring& text) {
        std::fprintf(stderr, "%ls: %s\n", kind, platform::WideToNarrow(text).c_str());
    });
    size_t used = 0;
    lua_State* L = Scripting::Detail::NewLimitedState(&used);
    lua_pushstring(L, "decoy below the error");
    push(L);
    lua_error(L);
    std::abort(); // not reached
}

} // namespace

TEST(UnprotectedErrorDeathTest, TheLogNamesTheValueRaised)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* what;
        std::function<void(lua_State*)> push;
        const char* logged;
    } cases[] = {
        { "a text", [](lua_State* L) { lua_pushstring(L, "the map pin table is gone"); },
            "Lua error outside a protected call: the map pin table is gone" },
        { "a number", [](lua_State* L) { lua_pushinteger(L, 42); }, "Lua error outside a protected call: 42" },
        { "a table", [](lua_State* L) { lua_newtable(L); }, "Lua error outside a protected call: \\?" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DEATH(RaiseUnprotected(c.push), c.logged);
    }
}
