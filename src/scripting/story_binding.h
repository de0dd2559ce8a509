// The Lua binding of Story: the class "Story" with every method, the global
// "Story" that refers to the one object, and the registry that carries named
// globals into every private context.
#pragma once

#include <any>

struct lua_State;

// Binds the class "Story" and "DebugPrint" into a state.
bool RegisterStory(lua_State* L);
// Sets the global "Story" of the main state and records it for contexts.
bool ExportStory();
// Makes operators on the global "Story" (which has none) plain script errors.
void GuardStoryOperators(lua_State* L);

class Story;
template <class T> void RegisterScriptType();
template <> void RegisterScriptType<Story*>();
void SetGlobalObject(const char* name, std::any value);
// Sets every recorded global in a new state, in name order.
void ExportGlobals(lua_State* L);
void CallGlobalSetter(lua_State* L, const char* name, const std::any& value);
// Pushes the held value as Lua sees it (a Story pointer as the bound object);
// a value of a type never registered is pushed as nil.
void PushAnyValue(lua_State* L, const std::any& value);
void ClearScriptRegistry();

// The script-side debug print: it prints nothing.
void DebugPrint(const char* text);
