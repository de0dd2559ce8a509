// The game's own string.find/match/gmatch/gsub, string.rep and table.sort
// (written so that they look at the script's time budget) must answer every
// call as Lua 5.2's own library does: level scripts are written for it. A
// fixed generator makes a few thousand calls with patterns of every kind
// (classes and their complements, sets, anchors, quantifiers, captures,
// back-references, %b, %f, escapes, malformed ones) and runs each in a
// level's script state and in a stock Lua state; the results (or the fact
// of an error) must be the same.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "scripting/script_fixture.h"

namespace {

// The same driver runs in both states: each call's results written as text.
constexpr const char* kDriver = R"(
function ser(...)
    local t = table.pack(...)
    local out = {}
    for i = 1, t.n do
        local v = t[i]
        out[i] = type(v) .. ':' .. (type(v) == 'string' and string.format('%q', v) or tostring(v))
    end
    return table.concat(out, ',')
end
local lookup = { a = 'A', b = false, ab = 2.5, ['1'] = 'one', [3] = 'three' }
local function each(...)
    local n = select('#', ...)
    if (...) == 'a' then return nil end
    if n == 2 then return false end
    local parts = {}
    for i = 1, n do parts[i] = tostring((select(i, ...))) end
    return n .. '<' .. table.concat(parts, '|') .. '>'
end
local replacements = { ['<table>'] = lookup, ['<function>'] = each, ['<bad>'] = function() return {} end }
compare = {}
function compare.find(s, p, init, plain) return ser(string.find(s, p, init, plain)) end
function compare.match(s, p, init) return ser(string.match(s, p, init)) end
function compare.gmatch(s, p)
    local out, next = {}, string.gmatch(s, p)
    for i = 1, 40 do
        local r = table.pack(next())
        if r[1] == nil then break end
        out[i] = ser(table.unpack(r, 1, r.n))
    end
    return table.concat(out, ';')
end
function compare.gsub(s, p, repl, n)
    if replacements[repl] then repl = replacements[repl] end
    return ser(string.gsub(s, p, repl, n))
end
function compare.rep(s, n, sep) return ser(string.rep(s, n, sep)) end
function compare.sort(items, order)
    local list = load('return {' .. items .. '}')()
    if order == 'down' then table.sort(list, function(a, b) return a > b end)
    elseif order == 'nil' then table.sort(list, nil)
    else table.sort(list) end
    return ser(table.unpack(list))
end
)";

struct Arg {
    enum Kind { None, Nil, Text, Number, Boolean } kind = None;
    std::string text;
    double number = 0;
};

struct Call {
    const char* function;
    std::vector<Arg> args;
};

Arg T(std::string s)
{
    return { Arg::Text, std::move(s), 0 };
}
Arg N(double n)
{
    return { Arg::Number, {}, n };
}

// Runs compare[function](args...) in L: true and the results' text, or false.
bool RunCall(lua_State* L, const Call& call, std::string& out)
{
    lua_getglobal(L, "compare");
    lua_getfield(L, -1, call.function);
    lua_remove(L, -2);
    for (const Arg& a : call.args) {
        switch (a.kind) {
        case Arg::None:
            break;
        case Arg::Nil:
            lua_pushnil(L);
            break;
        case Arg::Text:
            lua_pushlstring(L, a.text.data(), a.text.size());
            break;
        case Arg::Number:
            lua_pushnumber(L, a.number);
            break;
        case Arg::Boolean:
            lua_pushboolean(L, a.number != 0);
            break;
        }
    }
    int count = 0;
    for (const Arg& a : call.args)
        count += a.kind != Arg::None;
    const bool ok = lua_pcall(L, count, 1, 0) == LUA_OK;
    size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    out.assign(text ? text : "", text ? length : 0);
    lua_pop(L, 1);
    return ok;
}

std::string Describe(const Call& call)
{
    std::ostringstream o;
    o << call.function << '(';
    for (const Arg& a : call.args) {
        if (a.kind == Arg::Text) {
            o << '"';
            for (unsigned char c : a.text) {
                if (c < 32 || c >= 127 || c == '"' || c == '\\')
                    o << '\\' << int(c);
                else
                    o << c;
            }
            o << "\", ";
        } else if (a.kind == Arg::Number || a.kind == Arg::Boolean) {
            o << a.number << ", ";
        } else if (a.kind == Arg::Nil) {
            o << "nil, ";
        }
    }
    o << ')';
    return o.str();
}

// Patterns, texts and arguments drawn from a fixed sequence.
class Generator {
public:
    explicit Generator(uint32_t seed)
        : m_random(seed)
    {
    }

    int Below(int n) { return static_cast<int>(m_random() % static_cast<uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    char Pick(const std::string& from) { return from[static_cast<size_t>(Below(static_cast<int>(from.size())))]; }

    std::string Text()
    {
        static const std::string kBytes = std::string("aaabbbcAB019 _-.,;()[]%$^\t\nxyZ") + '\0' + "\xe9\x7f";
        std::string s;
        const int length = Below(17);
        for (int i = 0; i < length; ++i)
            s += Pick(kBytes);
        return s;
    }

    std::string Pattern()
    {
        std::string p;
        if (Chance(20))
            p += '^';
        const int items = Below(6);
        int quantified = 0, open = 0, closed = 0;
        for (int i = 0; i < items; ++i) {
            const int kind = Below(100);
            if (kind < 50) {
                p += Single();
                if (quantified < 3 && Chance(45)) {
                    p += Pick("*+-?");
                    ++quantified;
                }
            } else if (kind < 62) {
                p += '(';
                ++open;
            } else if (kind < 72 && open > closed) {
                p += ')';
                ++closed;
            } else if (kind < 77) {
                p += "()";
            } else if (kind < 82) {
                p += '%';
                p += static_cast<char>('1' + Below(open > 0 ? open : 1));
            } else if (kind < 88) {
                p += "%b";
                p += Chance(60) ? std::string("()") : std::string { Pick("ab[]x"), Pick("ab[]x") };
            } else if (kind < 94) {
                p += "%f" + Set();
            } else {
                p += Pick("^$*+?-"); // a special where it means itself
            }
        }
        while (closed < open && Chance(85)) {
            p += ')';
            ++closed;
        }
        if (Chance(20))
            p += '$';
        if (Chance(6))
            p += Malformed();
        return p;
    }

    std::string Replacement()
    {
        switch (Below(8)) {
        case 0:
            return "<table>";
        case 1:
            return "<function>";
        case 2:
            return Chance(20) ? "<bad>" : "<function>";
        case 3:
            return "";
        default:
            break;
        }
        static const char* const kPieces[] = { "x", "%0", "%1", "%2", "%%", "[%1]", "-", "%", "%a", "%9" };
        std::string r;
        for (int i = 0, n = 1 + Below(3); i < n; ++i)
            r += kPieces[Below(Chance(90) ? 7 : 10)];
        return r;
    }

    // An optional start position: none, nil, or one around the text's ends.
    Arg Init()
    {
        switch (Below(4)) {
        case 0:
            return {};
        case 1:
            return Chance(50) ? Arg { Arg::Nil, {}, 0 } : Arg {};
        default:
            return N(Chance(10) ? (Chance(50) ? 1e9 : -1e9) : Below(41) - 20);
        }
    }

private:
    std::string Single()
    {
        switch (Below(10)) {
        case 0:
        case 1:
            return std::string(1, Pick("abcAB01 _,;xZ\t\xe9"));
        case 2:
            return ".";
        case 3:
        case 4:
            return std::string { '%', Pick("adlsuwxpcgzADLSUWXPCGZ") };
        case 5:
            return std::string { '%', Pick(".()[]%-+*?^$") };
        default:
            return Set();
        }
    }

    std::string Set()
    {
        std::string s = "[";
        if (Chance(30))
            s += '^';
        if (Chance(8))
            s += ']'; // first: itself
        for (int i = 0, n = 1 + Below(3); i < n; ++i) {
            switch (Below(7)) {
            case 0:
                s += Pick("abc_.()$^ ");
                break;
            case 1:
                s += Pick("aA0") == 'a' ? "a-z" : (Chance(50) ? "0-9" : "A-F");
                break;
            case 2:
                s += std::string { '%', Pick("adlsuwxpcADLSUWXPC") };
                break;
            case 3:
                s += std::string { '%', Pick("]-[%") };
                break;
            case 4:
                s += Chance(50) ? "z-a" : "-";
                break;
            case 5:
                s += std::string { Pick("ab"), '-', '%', Pick("%a]") };
                break; // a range up to an escape
            default:
                s += std::string { Pick("ab"), '-' };
                break; // a dash at the end is itself
            }
        }
        return s + ']';
    }

    std::string Malformed()
    {
        static const char* const kBroken[]
            = { "%", "[a", "[^", "[%", "(", ")", "%b", "%bx", "%f", "%fa", "%5", "[]", "(()", "%0" };
        return kBroken[Below(static_cast<int>(std::size(kBroken)))];
    }

    std::mt19937 m_random;
};

std::vector<Call> MakeCalls()
{
    Generator g(20261207);
    std::vector<Call> calls;
    for (int i = 0; i < 5000; ++i) {
        const std::string p = g.Pattern();
        const std::string s = g.Text();
        calls.push_back({ "find", { T(s), T(p), g.Init(), g.Chance(10) ? Arg { Arg::Boolean, {}, 1 } : Arg {} } });
        calls.push_back({ "match", { T(s), T(p), g.Init() } });
        calls.push_back({ "gmatch", { T(s), T(p) } });
        Arg most = g.Chance(30) ? N(g.Below(7) - 2) : Arg {};
        calls.push_back({ "gsub", { T(s), T(p), T(g.Replacement()), most } });
    }
    // Plain searches take no notice of specials.
    for (const char* p : { "", "a.b", "%", "(", "[", "ab", "\0" })
        calls.push_back({ "find",
            { T("xa.bab%(["), T(std::string(p, p[0] ? std::strlen(p) : 1)), N(1), { Arg::Boolean, {}, 1 } } });
    // Nesting around the matcher's depth limit: each optional item that
    // matches goes one call deeper, as do captures.
    for (int n = 196; n <= 203; ++n) {
        std::string optional, nested;
        for (int i = 0; i < n; ++i)
            optional += "a?";
        calls.push_back({ "find", { T(std::string(n + 5, 'a')), T(optional) } });
        calls.push_back({ "match", { T(std::string(n - 3, 'a') + "b"), T("(" + optional + ")b") } });
    }
    // Position captures at the start, middle and end, beside and inside
    // other captures, and a '(' or ')' left open at the pattern's end.
    for (const char* p : { "()", "()a", "a()", "a()b", "()()", "(()a)", "(a())", "()(a)", "(a)()", "^()", "()$",
             "a(", "()(", "(()", "())", "a)", ")(", "(()())", "%(()", "[(]()", "[()]" })
        for (const char* fn : { "find", "match", "gmatch" })
            calls.push_back({ fn, { T("xa(b)a()"), T(p) } });
    // Numbers as replacements and counts given as numbers in text.
    calls.push_back({ "gsub", { T("a1b2"), T("%d"), N(7) } });
    calls.push_back({ "gsub", { T("abc"), T(""), T("-"), T("2") } });
    for (int times : { -1, 0, 1, 2, 3, 7 })
        for (const char* text : { "", "ab" })
            for (const char* separator : { static_cast<const char*>(""), ",", static_cast<const char*>(nullptr) }) {
                Call c { "rep", { T(text), N(times) } };
                if (separator)
                    c.args.push_back(T(separator));
                calls.push_back(c);
            }
    calls.push_back({ "rep", { T("ab"), T("x") } });
    const char* const kLists[] = { "", "1", "2, 1", "5, 3, 9, 1, 1, 7, -2, 0.5", "'b', 'a', 'c', 'ab', ''", "3, 'a'",
        "1, 2, 'a', 'b'", "nil, 1", "9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 12, 10" };
    for (const char* list : kLists)
        for (const char* order : { "up", "down", "nil" })
            calls.push_back({ "sort", { T(list), T(order) } });
    return calls;
}

// The game's script state beside Lua's own with its standard libraries;
// both have run the driver.
class LuaLibraryCompare : public test::ScriptTest {
protected:
    void SetUp() override
    {
        test::ScriptTest::SetUp();
        stock = luaL_newstate();
        ASSERT_NE(stock, nullptr);
        luaL_openlibs(stock);
        ASSERT_TRUE(RunChunk(State(), kDriver));
        ASSERT_TRUE(RunChunk(stock, kDriver));
    }
    void TearDown() override
    {
        if (stock)
            lua_close(stock);
        test::ScriptTest::TearDown();
    }

    lua_State* stock = nullptr;
};

TEST_F(LuaLibraryCompare, StringAndTableFunctionsAnswerAsLuaDoes)
{
    lua_State* game = State();
    int differences = 0;
    for (const Call& call : MakeCalls()) {
        std::string gameOut, stockOut;
        const bool gameOk = RunCall(game, call, gameOut);
        const bool stockOk = RunCall(stock, call, stockOut);
        if (gameOk == stockOk && (!gameOk || gameOut == stockOut))
            continue;
        if (++differences <= 25)
            ADD_FAILURE() << Describe(call) << "\n  game:  " << (gameOk ? "" : "error ") << gameOut
                          << "\n  stock: " << (stockOk ? "" : "error ") << stockOut;
    }
    EXPECT_EQ(differences, 0);
}

// The loaders and xpcall are the game's own as well (source text only, the
// game's scripts only, a guarded handler); where a script may use them they
// must give what Lua's give.
TEST_F(LuaLibraryCompare, LoadersAndProtectedCallsAnswerAsLuaDoes)
{
    std::filesystem::create_directories(m_folder / "data/script/more");
    std::ofstream(m_folder / "data/script/more/values.lua") << "local a, b = ...\nn = (n or 0) + 1\n"
                                                               "return 'ran', a, b, x";
    const char* const kCalls[] = {
        "return ser(dofile('data/script/more/values.lua'))",
        "return ser(dofile('data/script/more/values.lua', 'extra', 'more'))",
        "local f = loadfile('data/script/more/values.lua'); return ser(f(1, 2))",
        "local f = loadfile('data/script/more/values.lua', 't', { x = 'env' }); return ser(f())",
        "local f = loadfile('data/script/more/values.lua', nil, { x = 'env' }); return ser(f())",
        "local f, m = loadfile('data/script/more/none.lua'); return ser(f, type(m))",
        "return ser((pcall(dofile, 'data/script/more/none.lua')))", // errors need only be errors
        "return ser(load('return 1, ...')(2, 3))",
        "return ser(load('return x', 'name', 't', { x = 4 })())",
        "return ser(load('return x', 'name', nil, { x = 5 })())",
        "local f, m = load('return +'); return ser(f, type(m))",
        "local parts = { 'return ', '6', ' * 7' }; local i = 0\n"
        "return ser(load(function() i = i + 1; return parts[i] end)())",
        "return ser(loadstring('return 8, ...')(9))",
        "return ser((pcall(load)))",
        "return ser(xpcall(function(a, b, c) return c, b, a end, error, 1, nil, 3))",
        "return ser(xpcall(function() error('x', 0) end, function(m) return 'handled ' .. m end))",
        "return ser(xpcall(function() error({}) end, function(m) return type(m) end))",
        "return ser(xpcall(error, function(m) return m, 'second' end, 'boom', 0))",
        "return ser((pcall(xpcall, function() end)))",
        "return ser(xpcall(function() return end, print))",
        "local co = coroutine.wrap(function(a) return xpcall(function() return coroutine.yield(a) + 1 end, print) "
        "end)\n"
        "return ser(co(10), co(20))",
        "return ser(getmetatable('').__index == string, getmetatable(setmetatable({}, { __index = { y = 1 } "
        "})).__index.y)",
        "return ser(setmetatable({}, { __index = function(_, k) return k .. '!' end }).key)",
        "local t = {}; return ser(setmetatable(t, nil) == t, getmetatable(t), getmetatable(1), getmetatable(nil))",
        "local t = setmetatable({}, { __metatable = 'locked' }); return ser(getmetatable(t), (pcall(setmetatable, t, "
        "{})))",
        "return ser((pcall(setmetatable, 1, {})), (pcall(getmetatable)), (pcall(setmetatable, {}, 2)))",
    };
    lua_State* game = State();
    for (const char* chunk : kCalls) {
        SCOPED_TRACE(chunk);
        std::string results[2];
        lua_State* states[2] = { game, stock };
        for (int i = 0; i < 2; ++i) {
            lua_State* L = states[i];
            ASSERT_EQ(luaL_loadstring(L, chunk), LUA_OK);
            const bool ok = lua_pcall(L, 0, 1, 0) == LUA_OK;
            results[i] = (ok ? "" : "error ") + std::string(lua_tostring(L, -1) ? lua_tostring(L, -1) : "?");
            lua_pop(L, 1);
        }
        EXPECT_EQ(results[0], results[1]);
    }
    // Where the game's differ on purpose: no finalizers, no metatable of a
    // bound object.
    EXPECT_TRUE(RunChunk(game, "assert(getmetatable(Story) == nil and not pcall(setmetatable, {}, { __gc = print }))"));
}

} // namespace
