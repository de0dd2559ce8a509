// Runs arbitrary bytes as a level script against Story: loaded from the data
// folder in the context the game makes for a level (its libraries, its
// loaders, its bounded pattern functions), its top level and "on_init" run, a
// few callbacks raised, then the level released. Precompiled chunks are fed
// as they come: the game must refuse them itself. The game's own fences keep
// any input from hanging (the memory cap of each state and the time budget of
// each entry into a script, both narrowed here); the game gives scripts
// nothing that acts on the machine outside it (no files but its own scripts,
// no programs, no exit, no standard input), so the input runs as it comes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_world.h"

namespace {

// Per entry into the script: a runaway input costs this much time.
constexpr double kTimeBudget = 0.05;
constexpr size_t kMemoryBudget = 32u << 20; // bytes per state

// A level number no shipped script has, so only the fuzz input is found.
constexpr int kLevel = 99;

std::filesystem::path g_scriptPath;

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
    Scripting::SetScriptLimitsForTests(kMemoryBudget, kTimeBudget);
    Script::Initialize();
    ExportStory();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetUpOnce();
    std::ofstream(g_scriptPath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    cGameWorld& world = cGameWorld::Instance();
    world.ResetToDefaults();
    world.level = kLevel;
    Story& story = Story::Instance();
    story.InitLevel();
    // Each callback has a budget of its own, so one runaway does not hide
    // the rest of the script.
    for (const char* callback : { "on_timer", "ok_work", "on_bonus", "on_level_finish", "on_timer" })
        story.CallScriptFunction(callback);
    story.ReleaseLevelScript();
    story.ClearFlags();
    while (story.HasFlagEvents())
        story.PopFlagEvent();
    return 0;
}
