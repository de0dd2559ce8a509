// The registry of named globals that every new Lua context receives; it
// holds "Story" -> the one Story object.
#include <map>
#include <string>
#include <typeindex>

#include "scripting/luabind_include.h"

#include "resources/log.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"

namespace {

using TypePusher = void (*)(lua_State*, const std::any&);
using TypeSetter = void (*)(lua_State*, const char*, const std::any&);

std::map<std::type_index, TypePusher> g_scriptTypePushers;
std::map<std::type_index, TypeSetter> g_scriptTypeSetters;
std::map<std::string, std::any> g_scriptGlobals;

void PushStoryPtr(lua_State* L, const std::any& value)
{
    luabind::object(L, std::any_cast<Story*>(value)).push(L);
}

// Lua holds a reference to the one Story; it never copies or deletes it.
void SetGlobalStoryPtr(lua_State* L, const char* name, const std::any& value)
{
    luabind::globals(L)[name] = std::any_cast<Story*>(value);
    GuardStoryOperators(L);
}

// luabind answers an operator on a bound object through one dispatcher that
// asserts the left operand is such an object; a script writing `1 < Story`
// would end the program. Story has no operators, so each one is refused as a
// script error instead.
int NoOperator(lua_State* L)
{
    return luaL_error(L, "No such operator defined");
}

int SameObject(lua_State* L)
{
    lua_pushboolean(L, lua_rawequal(L, 1, 2));
    return 1;
}

const char* const g_operatorEvents[]
    = { "__add", "__sub", "__mul", "__div", "__mod", "__pow", "__unm", "__concat", "__len", "__lt", "__le", "__call" };

} // namespace

void GuardStoryOperators(lua_State* L)
{
    lua_getglobal(L, "Story");
    if (!lua_getmetatable(L, -1)) {
        lua_pop(L, 1);
        return;
    }
    for (const char* event : g_operatorEvents) {
        lua_getfield(L, -1, event);
        const bool present = !lua_isnil(L, -1);
        lua_pop(L, 1);
        if (present) {
            lua_pushcfunction(L, NoOperator);
            lua_setfield(L, -2, event);
        }
    }
    lua_getfield(L, -1, "__eq");
    const bool hasEq = !lua_isnil(L, -1);
    lua_pop(L, 1);
    if (hasEq) {
        lua_pushcfunction(L, SameObject);
        lua_setfield(L, -2, "__eq");
    }
    lua_pop(L, 2);
}

bool ExportStory()
{
    lua_State* L = Scripting::GetMainState();
    if (!L)
        return false;
    Story* story = &Story::Instance();
    luabind::globals(L)["Story"] = story;
    GuardStoryOperators(L);
    RegisterScriptType<Story*>();
    SetGlobalObject("Story", story);
    return true;
}

template <> void RegisterScriptType<Story*>()
{
    g_scriptTypePushers[typeid(Story*)] = &PushStoryPtr;
    g_scriptTypeSetters[typeid(Story*)] = &SetGlobalStoryPtr;
}

void SetGlobalObject(const char* name, std::any value)
{
    g_scriptGlobals[name] = std::move(value);
}

void ExportGlobals(lua_State* L)
{
    for (const auto& [name, value] : g_scriptGlobals)
        CallGlobalSetter(L, name.c_str(), value);
}

void CallGlobalSetter(lua_State* L, const char* name, const std::any& value)
{
    const auto setter = g_scriptTypeSetters.find(value.type());
    if (setter != g_scriptTypeSetters.end())
        setter->second(L, name, value);
}

void PushAnyValue(lua_State* L, const std::any& value)
{
    const auto pusher = g_scriptTypePushers.find(value.type());
    if (pusher != g_scriptTypePushers.end()) {
        pusher->second(L, value);
        return;
    }
    // The caller counts on one value more on the stack: a type without a
    // pusher (an empty value included) arrives as nil.
    cLog::Instance().Warning(L"[PushAnyValue] No pusher for a value of type %s; nil pushed", value.type().name());
    lua_pushnil(L);
}

void ClearScriptRegistry()
{
    g_scriptGlobals.clear();
    g_scriptTypePushers.clear();
}
