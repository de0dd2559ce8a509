// Calling script functions by name and reporting what went wrong in them.
#include <cwchar>

#include "scripting/luabind_include.h"

#include "platform/utf16.h"
#include "resources/log.h"
#include "scripting/script_host.h"

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
    case LUA_TNUMBER:
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
    try {
        luabind::call_function<void>(L, fn);
    } catch (const luabind::error& e) {
        ReportScriptError(where, e.state());
        return false;
    } catch (const luabind::cast_failed& e) {
        ReportScriptError(where, e.state());
        return false;
    }
    return true;
}

} // namespace Scripting
