// string.find, string.match, string.gmatch and string.gsub over Lua's pattern
// language, written for the game so that matching counts its steps: a pattern
// that backtracks for ages ("a*a*a*a*b" on a long run of "a") looks at the
// script's time budget and at a pending quit every few thousand steps, like
// the count hook does between instructions, and is stopped the same way.
// Plain searches use memmem, which is linear.
#include "scripting/lua_patterns.h"

#include <cctype>
#include <cstring>

#include <lua.hpp>

#include "scripting/script_limits.h"

namespace {

constexpr int kMaxCaptures = 32;
// Nested calls of the matcher (one per quantifier or capture in play).
constexpr int kMaxDepth = 200;
constexpr unsigned kStepsBetweenChecks = 4096;
constexpr ptrdiff_t kOpenCapture = -1;
constexpr ptrdiff_t kPositionCapture = -2;
constexpr char kEscape = '%';
constexpr const char* kSpecials = "^$*+?.([%-";

// Everything here may be left by a script error (a long jump out of Lua):
// no object with a destructor lives in these frames.
struct Matcher {
    lua_State* L;
    const char* subject;
    const char* subjectEnd;
    const char* patternEnd;
    int level; // captures opened so far
    int depth;
    unsigned steps;
    struct {
        const char* start;
        ptrdiff_t length;
    } captures[kMaxCaptures];
};

unsigned char Byte(const char* p)
{
    return static_cast<unsigned char>(*p);
}

void Step(Matcher& m)
{
    if (++m.steps % kStepsBetweenChecks == 0)
        Scripting::Detail::CheckBudget(m.L);
}

bool ClassMatches(int c, int cls)
{
    bool result;
    switch (std::tolower(cls)) {
    case 'a': result = std::isalpha(c); break;
    case 'c': result = std::iscntrl(c); break;
    case 'd': result = std::isdigit(c); break;
    case 'g': result = std::isgraph(c); break;
    case 'l': result = std::islower(c); break;
    case 'p': result = std::ispunct(c); break;
    case 's': result = std::isspace(c); break;
    case 'u': result = std::isupper(c); break;
    case 'w': result = std::isalnum(c); break;
    case 'x': result = std::isxdigit(c); break;
    case 'z': result = c == 0; break;
    default: return cls == c;
    }
    return std::isupper(cls) ? !result : result;
}

// The end of the single-character class that starts at p.
const char* ClassEnd(Matcher& m, const char* p)
{
    const char c = *p++;
    if (c == kEscape) {
        if (p >= m.patternEnd)
            luaL_error(m.L, "malformed pattern (ends with '%%')");
        return p + 1;
    }
    if (c == '[') {
        if (p < m.patternEnd && *p == '^')
            ++p;
        // The first character of a set is itself even when it is ']'.
        do {
            if (p >= m.patternEnd)
                luaL_error(m.L, "malformed pattern (missing ']')");
            const char d = *p++;
            if (d == kEscape && p < m.patternEnd)
                ++p;
        } while (p >= m.patternEnd || *p != ']');
        return p + 1;
    }
    return p;
}

// Whether c is in the set [..] from open (at '[') to close (at ']').
bool SetMatches(int c, const char* open, const char* close)
{
    const char* p = open + 1;
    bool negate = false;
    if (*p == '^') {
        negate = true;
        ++p;
    }
    while (p < close) {
        // As in Lua's own matcher, an escape may take the closing ']' as its
        // class: after a range that ends in '%' ("[a-%%]"), the second '%'
        // escapes the ']', and ']' is in the set.
        if (*p == kEscape) {
            if (ClassMatches(c, Byte(p + 1)))
                return !negate;
            p += 2;
        } else if (p + 2 < close && p[1] == '-') {
            if (Byte(p) <= c && c <= Byte(p + 2))
                return !negate;
            p += 3;
        } else {
            if (Byte(p) == c)
                return !negate;
            ++p;
        }
    }
    return negate;
}

bool SingleMatches(const Matcher& m, const char* s, const char* p, const char* end)
{
    if (s >= m.subjectEnd)
        return false;
    const int c = Byte(s);
    switch (*p) {
    case '.': return true;
    case kEscape: return ClassMatches(c, Byte(p + 1));
    case '[': return SetMatches(c, p, end - 1);
    default: return Byte(p) == c;
    }
}

const char* Match(Matcher& m, const char* s, const char* p);

const char* MaxExpand(Matcher& m, const char* s, const char* p, const char* end)
{
    ptrdiff_t count = 0;
    while (SingleMatches(m, s + count, p, end)) {
        Step(m);
        ++count;
    }
    for (; count >= 0; --count) {
        if (const char* r = Match(m, s + count, end + 1))
            return r;
    }
    return nullptr;
}

const char* MinExpand(Matcher& m, const char* s, const char* p, const char* end)
{
    for (;;) {
        if (const char* r = Match(m, s, end + 1))
            return r;
        if (!SingleMatches(m, s, p, end))
            return nullptr;
        ++s;
    }
}

const char* StartCapture(Matcher& m, const char* s, const char* p, ptrdiff_t kind)
{
    if (m.level >= kMaxCaptures)
        luaL_error(m.L, "too many captures");
    m.captures[m.level].start = s;
    m.captures[m.level].length = kind;
    ++m.level;
    const char* r = Match(m, s, p);
    if (!r)
        --m.level;
    return r;
}

const char* EndCapture(Matcher& m, const char* s, const char* p)
{
    int open = m.level - 1;
    while (open >= 0 && m.captures[open].length != kOpenCapture)
        --open;
    if (open < 0)
        luaL_error(m.L, "invalid pattern capture");
    m.captures[open].length = s - m.captures[open].start;
    const char* r = Match(m, s, p);
    if (!r)
        m.captures[open].length = kOpenCapture;
    return r;
}

const char* MatchBalance(Matcher& m, const char* s, const char* p)
{
    if (p + 1 >= m.patternEnd)
        luaL_error(m.L, "malformed pattern (missing arguments to '%%b')");
    if (s >= m.subjectEnd || *s != *p)
        return nullptr;
    const char open = p[0], close = p[1];
    int pending = 1;
    while (++s < m.subjectEnd) {
        Step(m);
        if (*s == close) {
            if (--pending == 0)
                return s + 1;
        } else if (*s == open) {
            ++pending;
        }
    }
    return nullptr;
}

const char* MatchBackReference(Matcher& m, const char* s, int digit)
{
    const int index = digit - '1';
    if (index < 0 || index >= m.level || m.captures[index].length == kOpenCapture)
        luaL_error(m.L, "invalid capture index %%%d", index + 1);
    const ptrdiff_t length = m.captures[index].length;
    if (length >= 0 && m.subjectEnd - s >= length && std::memcmp(m.captures[index].start, s, length) == 0)
        return s + length;
    return nullptr;
}

const char* Match(Matcher& m, const char* s, const char* p)
{
    if (++m.depth > kMaxDepth)
        luaL_error(m.L, "pattern too complex");
    for (;;) {
        Step(m);
        if (p == m.patternEnd)
            break;
        if (*p == '(') {
            if (p + 1 < m.patternEnd && p[1] == ')')
                s = StartCapture(m, s, p + 2, kPositionCapture);
            else
                s = StartCapture(m, s, p + 1, kOpenCapture);
            break;
        }
        if (*p == ')') {
            s = EndCapture(m, s, p + 1);
            break;
        }
        if (*p == '$' && p + 1 == m.patternEnd) {
            if (s != m.subjectEnd)
                s = nullptr;
            break;
        }
        if (*p == kEscape && p + 1 < m.patternEnd) {
            const char what = p[1];
            if (what == 'b') {
                s = MatchBalance(m, s, p + 2);
                if (!s)
                    break;
                p += 4;
                continue;
            }
            if (what == 'f') {
                p += 2;
                if (p >= m.patternEnd || *p != '[')
                    luaL_error(m.L, "missing '[' after '%%f' in pattern");
                const char* end = ClassEnd(m, p);
                const int before = s == m.subject ? 0 : Byte(s - 1);
                const int here = s < m.subjectEnd ? Byte(s) : 0;
                if (SetMatches(before, p, end - 1) || !SetMatches(here, p, end - 1)) {
                    s = nullptr;
                    break;
                }
                p = end;
                continue;
            }
            if (std::isdigit(static_cast<unsigned char>(what))) {
                s = MatchBackReference(m, s, what);
                if (!s)
                    break;
                p += 2;
                continue;
            }
        }
        const char* end = ClassEnd(m, p);
        const char quantifier = end < m.patternEnd ? *end : '\0';
        if (!SingleMatches(m, s, p, end)) {
            // Quantifiers that accept no character go on after themselves.
            if (quantifier == '*' || quantifier == '?' || quantifier == '-') {
                p = end + 1;
                continue;
            }
            s = nullptr;
            break;
        }
        if (quantifier == '?') {
            if (const char* r = Match(m, s + 1, end + 1)) {
                s = r;
                break;
            }
            p = end + 1;
            continue;
        }
        if (quantifier == '+') {
            s = MaxExpand(m, s + 1, p, end);
            break;
        }
        if (quantifier == '*') {
            s = MaxExpand(m, s, p, end);
            break;
        }
        if (quantifier == '-') {
            s = MinExpand(m, s, p, end);
            break;
        }
        ++s;
        p = end;
    }
    --m.depth;
    return s;
}

void PushCapture(Matcher& m, int i, const char* s, const char* e)
{
    if (i >= m.level) {
        if (i != 0)
            luaL_error(m.L, "invalid capture index %%%d", i + 1);
        lua_pushlstring(m.L, s, e - s); // the whole match
        return;
    }
    const ptrdiff_t length = m.captures[i].length;
    if (length == kOpenCapture)
        luaL_error(m.L, "unfinished capture");
    if (length == kPositionCapture)
        lua_pushinteger(m.L, m.captures[i].start - m.subject + 1);
    else
        lua_pushlstring(m.L, m.captures[i].start, length);
}

// The captures, or the whole match when the pattern has none and s is given.
int PushCaptures(Matcher& m, const char* s, const char* e)
{
    const int count = (m.level == 0 && s) ? 1 : m.level;
    luaL_checkstack(m.L, count, "too many captures");
    for (int i = 0; i < count; ++i)
        PushCapture(m, i, s, e);
    return count;
}

// A leading '^' anchors the pattern at the start; it is taken off the pattern.
bool TakeAnchor(const char*& p, size_t& lp)
{
    if (lp == 0 || *p != '^')
        return false;
    ++p;
    --lp;
    return true;
}

void Prepare(Matcher& m, lua_State* L, const char* s, size_t ls, const char* p, size_t lp)
{
    m.L = L;
    m.subject = s;
    m.subjectEnd = s + ls;
    m.patternEnd = p + lp;
    m.level = 0;
    m.depth = 0;
    m.steps = 0;
}

// A position counted from 1, negative from the end, as Lua's string functions take it.
size_t StartPosition(lua_Integer position, size_t length)
{
    if (position >= 0)
        return static_cast<size_t>(position);
    if (static_cast<size_t>(0) - static_cast<size_t>(position) > length)
        return 0;
    return length - (static_cast<size_t>(0) - static_cast<size_t>(position)) + 1;
}

bool HasSpecials(const char* p, size_t lp)
{
    for (size_t i = 0; i < lp; ++i) {
        if (p[i] != '\0' && std::strchr(kSpecials, p[i]))
            return true;
    }
    return false;
}

int FindOrMatch(lua_State* L, bool find)
{
    size_t ls = 0, lp = 0;
    const char* s = luaL_checklstring(L, 1, &ls);
    const char* p = luaL_checklstring(L, 2, &lp);
    size_t start = StartPosition(luaL_optinteger(L, 3, 1), ls);
    if (start < 1)
        start = 1;
    if (start > ls + 1) {
        lua_pushnil(L);
        return 1;
    }
    if (find && (lua_toboolean(L, 4) || !HasSpecials(p, lp))) {
        const void* at = memmem(s + start - 1, ls - start + 1, p, lp);
        if (!at) {
            lua_pushnil(L);
            return 1;
        }
        const char* found = static_cast<const char*>(at);
        lua_pushinteger(L, found - s + 1);
        lua_pushinteger(L, found - s + static_cast<lua_Integer>(lp));
        return 2;
    }
    const bool anchored = TakeAnchor(p, lp);
    Matcher m;
    Prepare(m, L, s, ls, p, lp);
    const char* from = s + start - 1;
    do {
        m.level = 0;
        m.depth = 0;
        if (const char* e = Match(m, from, p)) {
            if (!find)
                return PushCaptures(m, from, e);
            lua_pushinteger(L, from - s + 1);
            lua_pushinteger(L, e - s);
            return PushCaptures(m, nullptr, nullptr) + 2;
        }
    } while (from++ < m.subjectEnd && !anchored);
    lua_pushnil(L);
    return 1;
}

int Find(lua_State* L)
{
    return FindOrMatch(L, true);
}

int MatchFunction(lua_State* L)
{
    return FindOrMatch(L, false);
}

// The iterator of gmatch: subject, pattern and the next position as upvalues.
// A '^' is an ordinary character here.
int NextMatch(lua_State* L)
{
    size_t ls = 0, lp = 0;
    const char* s = lua_tolstring(L, lua_upvalueindex(1), &ls);
    const char* p = lua_tolstring(L, lua_upvalueindex(2), &lp);
    Matcher m;
    Prepare(m, L, s, ls, p, lp);
    for (const char* from = s + lua_tointeger(L, lua_upvalueindex(3)); from <= m.subjectEnd; ++from) {
        m.level = 0;
        m.depth = 0;
        if (const char* e = Match(m, from, p)) {
            // An empty match moves on by one, or the loop would never end.
            lua_pushinteger(L, (e - s) + (e == from ? 1 : 0));
            lua_replace(L, lua_upvalueindex(3));
            return PushCaptures(m, from, e);
        }
    }
    return 0;
}

int GMatch(lua_State* L)
{
    luaL_checkstring(L, 1);
    luaL_checkstring(L, 2);
    lua_settop(L, 2);
    lua_pushinteger(L, 0);
    lua_pushcclosure(L, NextMatch, 3);
    return 1;
}

// The replacement text with %0..%9 and %% put in.
void AddReplacementText(Matcher& m, luaL_Buffer* b, const char* s, const char* e)
{
    size_t length = 0;
    const char* text = lua_tolstring(m.L, 3, &length);
    for (size_t i = 0; i < length; ++i) {
        if (text[i] != kEscape) {
            luaL_addchar(b, text[i]);
            continue;
        }
        ++i;
        const char c = i < length ? text[i] : '\0';
        if (c == kEscape) {
            luaL_addchar(b, c);
        } else if (c == '0') {
            luaL_addlstring(b, s, e - s);
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            PushCapture(m, c - '1', s, e);
            luaL_addvalue(b);
        } else {
            luaL_error(m.L, "invalid use of '%c' in replacement string", kEscape);
        }
    }
}

void AddReplacement(Matcher& m, luaL_Buffer* b, const char* s, const char* e, int kind)
{
    lua_State* L = m.L;
    if (kind == LUA_TFUNCTION) {
        lua_pushvalue(L, 3);
        const int count = PushCaptures(m, s, e);
        lua_call(L, count, 1);
    } else if (kind == LUA_TTABLE) {
        PushCapture(m, 0, s, e);
        lua_gettable(L, 3);
    } else {
        AddReplacementText(m, b, s, e);
        return;
    }
    if (!lua_toboolean(L, -1)) {
        // nil or false keeps the match as it was.
        lua_pop(L, 1);
        lua_pushlstring(L, s, e - s);
    } else if (!lua_isstring(L, -1)) {
        luaL_error(L, "invalid replacement value (a %s)", luaL_typename(L, -1));
    }
    luaL_addvalue(b);
}

int GSub(lua_State* L)
{
    size_t ls = 0, lp = 0;
    const char* s = luaL_checklstring(L, 1, &ls);
    const char* p = luaL_checklstring(L, 2, &lp);
    const int kind = lua_type(L, 3);
    // Lua 5.2 takes the most replacements as an unsigned count: a negative
    // one sets no limit at all.
    const size_t most = static_cast<size_t>(luaL_optinteger(L, 4, static_cast<lua_Integer>(ls) + 1));
    luaL_argcheck(L, kind == LUA_TNUMBER || kind == LUA_TSTRING || kind == LUA_TFUNCTION || kind == LUA_TTABLE,
        3, "string/function/table expected");
    const bool anchored = TakeAnchor(p, lp);
    Matcher m;
    Prepare(m, L, s, ls, p, lp);
    luaL_Buffer b;
    luaL_buffinit(L, &b);
    const char* from = s;
    size_t count = 0;
    while (count < most) {
        m.level = 0;
        m.depth = 0;
        const char* e = Match(m, from, p);
        if (e) {
            ++count;
            AddReplacement(m, &b, from, e, kind);
        }
        if (e && e > from)
            from = e;
        else if (from < m.subjectEnd)
            luaL_addchar(&b, *from++);
        else
            break;
        if (anchored)
            break;
    }
    luaL_addlstring(&b, from, m.subjectEnd - from);
    luaL_pushresult(&b);
    lua_pushinteger(L, static_cast<lua_Integer>(count));
    return 2;
}

// string.rep by doubling what is already written: its time follows the
// length of the result, never the count (an empty string a billion times
// is made at once).
int Rep(lua_State* L)
{
    size_t length = 0, separatorLength = 0;
    const char* s = luaL_checklstring(L, 1, &length);
    const lua_Integer times = luaL_checkinteger(L, 2);
    const char* separator = luaL_optlstring(L, 3, "", &separatorLength);
    if (times <= 0 || (length == 0 && (separatorLength == 0 || times == 1))) {
        lua_pushliteral(L, "");
        return 1;
    }
    const size_t unit = length + separatorLength;
    const size_t count = static_cast<size_t>(times);
    if (unit < length || unit > (~size_t { 0} >> 1) / count)
        return luaL_error(L, "resulting string too large");
    const size_t body = (count - 1) * unit;
    const size_t total = body + length;
    luaL_Buffer b;
    char* out = luaL_buffinitsize(L, &b, total);
    if (body > 0) {
        std::memcpy(out, s, length);
        std::memcpy(out + length, separator, separatorLength);
        size_t written = unit;
        while (written < body) {
            const size_t chunk = written < body - written ? written : body - written;
            std::memcpy(out + written, out, chunk);
            written += chunk;
        }
    }
    std::memcpy(out + body, s, length);
    luaL_pushresultsize(&b, total);
    return 1;
}

// table.sort as a heap sort: at most about 2 n log n comparisons whatever the
// order of the values (the quick sort it replaces goes quadratic on crafted
// input), and every comparison counts towards the budget.
bool Less(lua_State* L, lua_Integer i, lua_Integer j, unsigned& steps)
{
    if (++steps % kStepsBetweenChecks == 0)
        Scripting::Detail::CheckBudget(L);
    bool less;
    if (lua_isnil(L, 2)) {
        lua_rawgeti(L, 1, static_cast<int>(i));
        lua_rawgeti(L, 1, static_cast<int>(j));
        less = lua_compare(L, -2, -1, LUA_OPLT);
        lua_pop(L, 2);
    } else {
        lua_pushvalue(L, 2);
        lua_rawgeti(L, 1, static_cast<int>(i));
        lua_rawgeti(L, 1, static_cast<int>(j));
        lua_call(L, 2, 1);
        less = lua_toboolean(L, -1);
        lua_pop(L, 1);
    }
    return less;
}

void Swap(lua_State* L, lua_Integer i, lua_Integer j)
{
    lua_rawgeti(L, 1, static_cast<int>(i));
    lua_rawgeti(L, 1, static_cast<int>(j));
    lua_rawseti(L, 1, static_cast<int>(i));
    lua_rawseti(L, 1, static_cast<int>(j));
}

void SiftDown(lua_State* L, lua_Integer root, lua_Integer last, unsigned& steps)
{
    while (2 * root <= last) {
        lua_Integer child = 2 * root;
        if (child < last && Less(L, child, child + 1, steps))
            ++child;
        if (!Less(L, root, child, steps))
            return;
        Swap(L, root, child);
        root = child;
    }
}

int Sort(lua_State* L)
{
    luaL_checktype(L, 1, LUA_TTABLE);
    const lua_Integer n = luaL_len(L, 1);
    if (!lua_isnoneornil(L, 2))
        luaL_checktype(L, 2, LUA_TFUNCTION);
    lua_settop(L, 2);
    luaL_checkstack(L, 8, "table too big to sort");
    unsigned steps = 0;
    for (lua_Integer root = n / 2; root >= 1; --root)
        SiftDown(L, root, n, steps);
    for (lua_Integer last = n; last > 1; --last) {
        Swap(L, 1, last);
        SiftDown(L, 1, last - 1, steps);
    }
    return 0;
}

void SetField(lua_State* L, const char* table, const char* name, lua_CFunction function)
{
    lua_getglobal(L, table);
    if (lua_istable(L, -1)) {
        lua_pushcfunction(L, function);
        lua_setfield(L, -2, name);
    }
    lua_pop(L, 1);
}

} // namespace

namespace Scripting {

void OpenBoundedLibraryFunctions(lua_State* L)
{
    SetField(L, LUA_STRLIBNAME, "find", Find);
    SetField(L, LUA_STRLIBNAME, "match", MatchFunction);
    SetField(L, LUA_STRLIBNAME, "gmatch", GMatch);
    SetField(L, LUA_STRLIBNAME, "gsub", GSub);
    SetField(L, LUA_STRLIBNAME, "rep", Rep);
    SetField(L, LUA_TABLIBNAME, "sort", Sort);
}

} // namespace Scripting
