// Calling script functions by name and reporting what went wrong in them.
#include <cstdio>
#include <cwchar>

#include "scripting/luabind_include.h"

#include "platform/utf16.h"
#include "resources/log.h"
#include "scripting/script_host.h"
#include "scripting/script_limits.h"

namespace {

constexpr size_t kWideBufferSize = 260;
// A log line of the script layer holds at most this many characters; longer
// error texts are cut here rather than overrunning anything further on.
constexpr size_t kLineLimit = 255;

wchar_t g_wideBuffer[kWideBufferSize];

std::string ErrorText(const std::string& label, lua_State* L)
{
    const int top = lua_gettop(L);
    if (top == 0)
        return {};
    switch (lua_type(L, top)) {
    case LUA_TBOOLEAN:
        // Lua has no text for a boolean; the line shows its value.
        return label + "   ###error###    " + (lua_toboolean(L, top) ? "true" : "false") + "\r\n";
    case LUA_TNUMBER: {
        // Formatted here rather than converted on the stack, which would
        // allocate inside Lua outside any protected call.
        char number[64];
        std::snprintf(number, sizeof number, LUA_NUMBER_FMT, static_cast<double>(lua_tonumber(L, top)));
        return label + "   ###error###    " + number + "\r\n";
    }
    case LUA_TSTRING: {
        size_t length = 0;
        const char* text = lua_tolstring(L, top, &length);
        return label + "   ###error###    " + std::string(text, length) + "\r\n";
    }
    case LUA_TTABLE: {
        // One line per pair, naming the types; the label is not written.
        std::string text;
        lua_pushnil(L);
        while (lua_next(L, top) != 0) {
            text += lua_typename(L, lua_type(L, -2));
            text += " - ";
            text += lua_typename(L, lua_type(L, -1));
            text += "\r\n";
            lua_pop(L, 1);
        }
        return text;
    }
    default:
        return {};
    }
}

// Calls the global function named by the light userdata argument, without
// arguments and without results; a missing one fails as calling nil does.
int CallGlobal(lua_State* L)
{
    const char* name = static_cast<const char*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    lua_getglobal(L, name);
    lua_call(L, 0, 0);
    return 0;
}

} // namespace

namespace Scripting {

const wchar_t* ToWideBuffer(const char* text)
{
    const std::wstring wide = platform::NarrowToWide(text ? text : "");
    const size_t count = std::min(wide.size(), kWideBufferSize - 1);
    std::wmemcpy(g_wideBuffer, wide.data(), count);
    g_wideBuffer[count] = L'\0';
    return g_wideBuffer;
}

void ReportScriptError(const std::string& label, lua_State* L)
{
    if (!L)
        return;
    const std::string text = ErrorText(label, L);
    if (lua_gettop(L) > 0)
        lua_pop(L, 1);
    std::wstring line = ToWideBuffer(text.c_str());
    if (line.size() > kLineLimit)
        line.resize(kLineLimit);
    cLog::Instance().Write(L"%ls", line.c_str());
}

bool CallFunction(const std::string& label, const char* fn)
{
    lua_State* L = GetCurrentState();
    if (!L || !fn)
        return false;
    const std::string where = label + fn;
    // The global is looked up inside the protected call: a script whose
    // globals table raises errors for unknown names (a "strict" table) must
    // not take the game down over a callback it does not define.
    lua_pushcfunction(L, CallGlobal);
    lua_pushlightuserdata(L, const_cast<char*>(fn));
    int status = LUA_OK;
    try {
        status = Detail::ProtectedCall(L, 1, 0);
    } catch (const luabind::error& e) {
        ReportScriptError(where, e.state());
        return false;
    } catch (const luabind::cast_failed& e) {
        ReportScriptError(where, e.state());
        return false;
    }
    if (status != LUA_OK) {
        ReportScriptError(where, L);
        return false;
    }
    return true;
}

} // namespace Scripting
