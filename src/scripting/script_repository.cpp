#include "scripting/script_repository.h"

#include <climits>
#include <cstring>
#include <string>

#include <lua.hpp>

#include "resources/file_manager.h"
#include "resources/log.h"
#include "scripting/free_list.h"
#include "scripting/script_host.h"
#include "scripting/script_limits.h"

namespace {

cScriptSlot g_scriptRepository[Scripting::kScriptSlots];
cFreeList<Scripting::kScriptSlots> g_scriptFreeList;

// Copies a whole file into the next free slot.
int LoadIntoSlot(iFile* file, const wchar_t* name)
{
    const int id = g_scriptFreeList.Peek();
    if (id == -1) {
        cLog::Instance().Error(L"[Scripting::LoadScript] Unable to load %ls - script repository is full", name);
        cFileManager::Instance().Release(file);
        return -1;
    }
    const uint32_t fileSize = file->GetSize();
    const void* content = file->GetData();
    // A script larger than the slot can describe, or one whose bytes are not
    // held in memory, cannot be copied.
    if (fileSize >= INT32_MAX || (fileSize > 0 && !content)) {
        cFileManager::Instance().Release(file);
        return -1;
    }
    cScriptSlot& slot = g_scriptRepository[id];
    const int32_t size = static_cast<int32_t>(fileSize);
    slot.flags = cScriptSlot::kInUse;
    slot.size = size;
    slot.Reserve(slot.size);
    if (size > 0)
        std::memcpy(slot.data.get(), content, static_cast<size_t>(size));
    g_scriptFreeList.Alloc();
    cFileManager::Instance().Release(file);
    return id;
}

} // namespace

void cScriptSlot::Reserve(int32_t bytes)
{
    if (capacity >= bytes)
        return;
    data = std::make_unique<char[]>(static_cast<size_t>(bytes));
    capacity = bytes;
}

namespace Scripting {

namespace Detail {

    cScriptSlot* Slot(int id)
    {
        if (id < 0 || id >= kScriptSlots)
            return nullptr;
        return &g_scriptRepository[id];
    }

    int UnloadZombies()
    {
        int zombies = 0;
        for (int id = 0; id < kScriptSlots; ++id) {
            if (g_scriptRepository[id].flags != 0) {
                UnloadScript(id);
                ++zombies;
            }
        }
        return zombies;
    }

    void ResetScriptIds()
    {
        g_scriptFreeList.Reset();
    }

} // namespace Detail

int LoadScript(const wchar_t* name, bool /*binary*/)
{
    iFile* file = cFileManager::Instance().OpenFile(name);
    if (!file)
        return -1;
    // Scripts run as source text only, as every loader of the game.
    return LoadIntoSlot(file, name);
}

void UnloadScript(int id)
{
    cScriptSlot* slot = Detail::Slot(id);
    if (!slot || slot->flags == 0)
        return;
    slot->flags = 0;
    g_scriptFreeList.Free(id);
}

bool RunScript(const std::string& label, int id)
{
    lua_State* L = GetCurrentState();
    const cScriptSlot* slot = Detail::Slot(id);
    // An id that holds no script runs nothing.
    if (!L || !slot || !(slot->flags & cScriptSlot::kInUse))
        return false;
    int status
        = luaL_loadbufferx(L, slot->size > 0 ? slot->data.get() : "", static_cast<size_t>(slot->size), "script", "t");
    if (status == LUA_OK)
        status = Detail::ProtectedCall(L, 0, 0);
    if (status != LUA_OK) {
        // A chunk that does not compile or fails while running is logged
        // like a failing callback; the game goes on without the rest of it.
        ReportScriptError(label, L);
        return false;
    }
    return true;
}

} // namespace Scripting
