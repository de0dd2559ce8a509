// Runs arbitrary bytes as a level script against Story: loaded from the data
// folder, its top level and "on_init" run, a few callbacks raised, then the
// level released. The context is fenced in so that no input can hang or end
// the fuzzer: an instruction budget, a memory budget, and no io, os or file
// loading (level scripts are trusted game data; fuzz input is not).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <lua.hpp>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_world.h"

namespace {

constexpr int kHookInterval = 1000; // instructions between budget checks
// Per entry into the script. Kept small: every error Lua unwinds walks the
// whole call stack, so a deep recursion that keeps failing costs the square
// of its depth.
constexpr int kInstructionBudget = 200000;
constexpr size_t kMemoryBudget = 32u << 20; // bytes per context

// A level number no shipped script has, so only the fuzz input is found.
constexpr int kLevel = 99;

int g_instructions = 0;
std::filesystem::path g_scriptPath;

struct Allocator {
    lua_Alloc inner = nullptr;
    void* innerData = nullptr;
    size_t used = 0;
} g_allocator;

void CountHook(lua_State* L, lua_Debug*)
{
    g_instructions += kHookInterval;
    if (g_instructions > kInstructionBudget) {
        // From now on every instruction fails, so a script that catches the
        // error with pcall cannot keep looping.
        lua_sethook(L, CountHook, LUA_MASKCOUNT, 1);
        luaL_error(L, "instruction budget exhausted");
    }
}

void* LimitedAlloc(void* ud, void* ptr, size_t osize, size_t nsize)
{
    auto* a = static_cast<Allocator*>(ud);
    const size_t old = ptr ? osize : 0;
    if (nsize > old && a->used + (nsize - old) > kMemoryBudget)
        return nullptr; // growing past the budget fails as out of memory
    void* result = a->inner(a->innerData, ptr, osize, nsize);
    if (result || nsize == 0)
        a->used = a->used - old + nsize;
    return result;
}

void PrepareContext(lua_State* L)
{
    g_allocator.inner = lua_getallocf(L, &g_allocator.innerData);
    g_allocator.used = static_cast<size_t>(lua_gc(L, LUA_GCCOUNT, 0)) * 1024 + lua_gc(L, LUA_GCCOUNTB, 0);
    lua_setallocf(L, LimitedAlloc, &g_allocator);
    lua_sethook(L, CountHook, LUA_MASKCOUNT, kHookInterval);
    // No files, no process control, no reading from stdin.
    for (const char* name : { "io", "os", "dofile", "loadfile", "print" }) {
        lua_pushnil(L);
        lua_setglobal(L, name);
    }
}

void SetUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // The script is found under a scratch folder added as a search path; the
    // working directory stays where the fuzzer keeps its corpus and crashes.
    std::string folder = (std::filesystem::temp_directory_path() / "vandrel-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        std::abort();
    g_scriptPath = std::filesystem::path(folder) / "data/script/scene";
    std::filesystem::create_directories(g_scriptPath);
    g_scriptPath /= "level_setup_99.lua";
    cFileManager::Instance().AddSearchPath(platform::NarrowToWide(folder));
    static const std::string removeAtExit = folder;
    std::atexit([] {
        Story::Instance().ReleaseLevelScript();
        Script::ShutDown();
        std::error_code ec;
        std::filesystem::remove_all(removeAtExit, ec);
    });
    // VANDREL_FUZZ_VERBOSE=1 shows what an input made the game log.
    if (std::getenv("VANDREL_FUZZ_VERBOSE")) {
        cLog::Instance().SetObserver([](const wchar_t* kind, const std::wstring& message) {
            std::fprintf(stderr, "%ls: %ls\n", kind, message.c_str());
        });
    }
    Script::Initialize();
    ExportStory();
    Scripting::SetContextPreparerForTests(PrepareContext);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetUpOnce();
    // Precompiled chunks are not checked by Lua itself; only source text is
    // fuzzed.
    if (size >= 4 && std::memcmp(data, LUA_SIGNATURE, 4) == 0)
        return 0;
    std::ofstream(g_scriptPath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    cGameWorld& world = cGameWorld::Instance();
    world.ResetToDefaults();
    world.level = kLevel;
    g_instructions = 0;
    Story& story = Story::Instance();
    story.InitLevel();
    // Each callback gets a budget of its own, so one runaway does not hide
    // the rest of the script.
    for (const char* callback : { "on_timer", "ok_work", "on_bonus", "on_level_finish", "on_timer" }) {
        if (lua_State* L = Scripting::GetContextState(story.ContextHandle()))
            lua_sethook(L, CountHook, LUA_MASKCOUNT, kHookInterval);
        g_instructions = 0;
        story.CallScriptFunction(callback);
    }
    story.ReleaseLevelScript();
    story.ClearFlags();
    while (story.HasFlagEvents())
        story.PopFlagEvent();
    return 0;
}
