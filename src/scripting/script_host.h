// The Lua host: one main state for the whole run, one repository slot for the
// level script and one private context (a Lua universe of its own) to run it
// in. Everything lives on the main thread; failures are logged and reported
// as false or -1, never thrown.
#pragma once

#include <cstddef>
#include <string>

struct lua_State;

namespace Script {

// Opens the main state with the game's libraries and binds Story into it.
bool Initialize();
// Closes every state and unloads every script; warns about scripts in use.
void ShutDown();

} // namespace Script

namespace Scripting {

constexpr int kScriptSlots = 1;
constexpr int kContexts = 1;

// Loads a loose script file (through the file manager) into the repository.
// Returns the script id, or -1 when the file is missing or the slot is taken.
int LoadScript(const wchar_t* name, bool binary);
// The same for an entry of a package archive; binary false makes a text slot.
int LoadScript(const wchar_t* package, const wchar_t* name, bool binary);
void UnloadScript(int id);
void UnloadAllScripts();
// Runs a loaded script on the current state. False when it did not run
// through; the error is logged under the label.
bool RunScript(const std::string& label, int id);
// Text of a script in use as a text slot; null for a buffer slot, a free
// slot or an invalid id.
const char* GetScriptSource(int id);
// Makes the slot a text slot holding a copy of text; whether it is in use
// does not change.
bool SetScriptSource(int id, const char* text);
// Character scripts by name: data/script/person/<name>.lua, loaded once; a
// missing one is warned about once and answers -1 from then on.
int GetScriptById(const std::wstring& name);

int AllocateContext();
void FreeContext(int handle);
void FreeAllContexts();
// One level of selection: select a context, run or call, restore.
bool SelectContext(int handle);
bool RestoreContext();
lua_State* GetCurrentState();
lua_State* GetMainState();
// The state of a private context, null when the handle holds none.
lua_State* GetContextState(int handle);

// Calls the global Lua function fn without arguments; the error of a missing
// function or a failing call is logged under label + fn.
bool CallFunction(const std::string& label, const char* fn);
// Logs the error value on the top of L's stack and pops it.
void ReportScriptError(const std::string& label, lua_State* L);
// Widens 8-bit script text into the layer's shared buffer (260 characters,
// longer text is cut); the result lives until the next call.
const wchar_t* ToWideBuffer(const char* text);

// Every state holds at most this many bytes; an allocation beyond it fails
// inside the script as "not enough memory", a script error like any other.
constexpr size_t kScriptMemoryLimit = size_t { 128 } << 20;
// One entry into a script (the level chunk or a callback, with everything it
// calls) may run this many seconds of wall-clock time; then it is stopped
// with a script error. A quit request stops it at once.
constexpr double kScriptTimeBudget = 5.0;
// Whether a script was stopped (out of time or memory, or by a quit) since
// the flag was last cleared; the level start clears it.
bool ScriptStopped();
void ClearScriptStopped();
// Tests narrow both; 0 brings back the default.
void SetScriptLimitsForTests(size_t memoryBytes, double seconds);

} // namespace Scripting
