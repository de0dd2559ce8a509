#include "scripting/script_repository.h"

#include <climits>
#include <cstring>
#include <map>
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
// Character scripts by name; a name whose script is missing maps to -1.
std::map<std::wstring, int> g_characterScripts;

// Copies a whole file into the next free slot. A buffer slot holds the bytes
// as they are; a text slot gets a NUL after them so it runs as a string.
int LoadIntoSlot(iFile* file, const wchar_t* name, bool buffer)
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
    slot.flags = static_cast<int16_t>(cScriptSlot::kInUse | (buffer ? cScriptSlot::kBuffer : 0));
    slot.size = buffer ? size : size + 1;
    slot.Reserve(slot.size);
    if (size > 0)
        std::memcpy(slot.data.get(), content, static_cast<size_t>(size));
    if (!buffer)
        slot.data[size] = '\0';
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

    void ClearCharacterScripts()
    {
        g_characterScripts.clear();
    }

} // namespace Detail

int LoadScript(const wchar_t* name, bool /*binary*/)
{
    iFile* file = cFileManager::Instance().OpenFile(name);
    if (!file)
        return -1;
    // A loose script always runs through the buffer loader, whatever the
    // caller asked for.
    return LoadIntoSlot(file, name, true);
}

int LoadScript(const wchar_t* package, const wchar_t* name, bool binary)
{
    iFile* file = cFileManager::Instance().Open(package, name);
    if (!file)
        return -1;
    return LoadIntoSlot(file, name, binary);
}

void UnloadScript(int id)
{
    cScriptSlot* slot = Detail::Slot(id);
    if (!slot || slot->flags == 0)
        return;
    slot->flags = 0;
    g_scriptFreeList.Free(id);
    // A character script remembered under this id is gone: the next script
    // loaded gets the same id, so the name must be looked up afresh.
    std::erase_if(g_characterScripts, [id](const auto& entry) { return entry.second == id; });
}

void UnloadAllScripts()
{
    for (int id = 0; id < kScriptSlots; ++id)
        UnloadScript(id);
}

const char* GetScriptSource(int id)
{
    const cScriptSlot* slot = Detail::Slot(id);
    // A free slot holds no script: its buffer may still hold the bytes of an
    // unloaded buffer script, which end in no NUL.
    if (!slot || !(slot->flags & cScriptSlot::kInUse) || (slot->flags & cScriptSlot::kBuffer) || !slot->data)
        return nullptr;
    return slot->data.get();
}

bool SetScriptSource(int id, const char* text)
{
    cScriptSlot* slot = Detail::Slot(id);
    if (!slot || !text)
        return false;
    const size_t length = std::strlen(text);
    if (length >= INT32_MAX)
        return false;
    slot->flags = static_cast<int16_t>(slot->flags & ~cScriptSlot::kBuffer);
    slot->size = static_cast<int32_t>(length + 1);
    slot->Reserve(slot->size);
    std::memcpy(slot->data.get(), text, length + 1);
    return true;
}

int GetScriptById(const std::wstring& name)
{
    const auto found = g_characterScripts.find(name);
    if (found != g_characterScripts.end())
        return found->second;
    const std::wstring path = L"data/script/person/" + name + L".lua";
    const int id = LoadScript(path.c_str(), false);
    // A missing script is remembered as -1 and not looked for again.
    g_characterScripts[name] = id;
    if (id == -1)
        cLog::Instance().Warning(L"[Scripting::GetScriptById] Character script for \"%ls\" not found.", name.c_str());
    return id;
}

bool RunScript(const std::string& label, int id)
{
    lua_State* L = GetCurrentState();
    const cScriptSlot* slot = Detail::Slot(id);
    // An id that holds no script runs nothing.
    if (!L || !slot || !(slot->flags & cScriptSlot::kInUse))
        return false;
    // Source text only, as every loader of the game: a precompiled chunk is
    // refused like one that does not compile.
    int status;
    if (slot->flags & cScriptSlot::kBuffer) {
        status = luaL_loadbufferx(
            L, slot->size > 0 ? slot->data.get() : "", static_cast<size_t>(slot->size), "script", "t");
    } else {
        // A text slot runs up to its first NUL and is named by its text.
        const char* text = slot->data && slot->size > 0 ? slot->data.get() : "";
        const size_t length = strnlen(text, static_cast<size_t>(slot->size > 0 ? slot->size : 0));
        status = luaL_loadbufferx(L, text, length, text, "t");
    }
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
