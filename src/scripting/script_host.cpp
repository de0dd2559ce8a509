#include "scripting/script_host.h"

#include <lua.hpp>

#include "resources/log.h"
#include "scripting/free_list.h"
#include "scripting/lua_libraries.h"
#include "scripting/script_limits.h"
#include "scripting/script_repository.h"
#include "scripting/story_binding.h"

namespace {

lua_State* g_luaMainState = nullptr;
lua_State* g_luaCurrentState = nullptr;
lua_State* g_luaSavedState = nullptr;
lua_State* g_luaContexts[Scripting::kContexts] = {};
// Bytes each state holds, counted by its allocator.
size_t g_mainMemory = 0;
size_t g_contextMemory[Scripting::kContexts] = {};
cFreeList<Scripting::kContexts> g_contextFreeList;

bool ValidHandle(int handle)
{
    return handle >= 0 && handle < Scripting::kContexts;
}

} // namespace

namespace Script {

bool Initialize()
{
    ShutDown();
    g_luaMainState = Scripting::Detail::NewLimitedState(&g_mainMemory);
    g_luaCurrentState = g_luaMainState;
    if (!g_luaMainState) {
        cLog::Instance().Error(L"[Script::Initialize] Failed to open LUA context - Scripting not availble");
        return false;
    }
    Scripting::OpenGameLibraries(g_luaMainState);
    Scripting::Detail::ResetScriptIds();
    RegisterStory(g_luaMainState);
    Scripting::FenceBoundObjects(g_luaMainState);
    return true;
}

void ShutDown()
{
    if (!g_luaMainState)
        return;
    Scripting::RestoreContext();
    Scripting::FreeAllContexts();
    ClearScriptRegistry();
    lua_close(g_luaCurrentState);
    g_luaMainState = nullptr;
    g_luaCurrentState = nullptr;
    const int zombies = Scripting::Detail::UnloadZombies();
    if (zombies != 0)
        cLog::Instance().Warning(L"[Script::ShutDown] %i Zombies detected. Scripts may still be in use.", zombies);
    Scripting::Detail::ClearCharacterScripts();
}

} // namespace Script

namespace Scripting {

int AllocateContext()
{
    const int handle = g_contextFreeList.Peek();
    if (handle == -1) {
        cLog::Instance().Error(L"[Scripting::AllocateContext] Unable to allocate private context - out of "
                               L"handles.error after FreeContextIndex");
        return -1;
    }
    lua_State* L = Detail::NewLimitedState(&g_contextMemory[handle]);
    if (!L) {
        cLog::Instance().Error(L"[Scripting::AllocateContext] Unable to allocate private context - failed to "
                               L"allocate context. error after lua_open()");
        return -1;
    }
    OpenGameLibraries(L);
    RegisterStory(L);
    FenceBoundObjects(L);
    ExportGlobals(L);
    g_luaContexts[handle] = L;
    g_contextFreeList.Alloc();
    return handle;
}

void FreeContext(int handle)
{
    if (!ValidHandle(handle) || !g_luaContexts[handle])
        return;
    if (g_luaContexts[handle] == g_luaCurrentState)
        RestoreContext();
    lua_close(g_luaContexts[handle]);
    g_luaContexts[handle] = nullptr;
    g_contextFreeList.Free(handle);
}

void FreeAllContexts()
{
    for (int handle = 0; handle < kContexts; ++handle)
        FreeContext(handle);
}

bool SelectContext(int handle)
{
    if (!g_luaMainState || !ValidHandle(handle) || !g_luaContexts[handle] || g_luaSavedState == g_luaMainState)
        return false;
    g_luaSavedState = g_luaCurrentState;
    g_luaCurrentState = g_luaContexts[handle];
    return true;
}

bool RestoreContext()
{
    if (!g_luaSavedState || g_luaSavedState != g_luaMainState)
        return false;
    g_luaCurrentState = g_luaSavedState;
    g_luaSavedState = nullptr;
    return true;
}

lua_State* GetCurrentState()
{
    return g_luaCurrentState;
}

lua_State* GetMainState()
{
    return g_luaMainState;
}

lua_State* GetContextState(int handle)
{
    return ValidHandle(handle) ? g_luaContexts[handle] : nullptr;
}

} // namespace Scripting
