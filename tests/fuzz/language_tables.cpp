// Language tables: any bytes as each table of the language folder and as the
// logo list, loaded in one of the languages (the first byte picks it) by the
// GUI text table, the place names, the comic pages, the level tasks, the text
// styles and the logo list. The GUI texts and the logos fill fixed tables:
// nothing may reach past them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

std::filesystem::path g_folder;
std::filesystem::path g_tablePath;

void SetUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Every table the loaders ask for is an alias of one scratch file. The
    // loaders run inside the scratch folder, where no language package stands
    // in front of the loose tables; between inputs the working directory is
    // where the fuzzer keeps its corpus and crashes.
    std::string folder = (std::filesystem::temp_directory_path() / "vandrel-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        std::abort();
    g_folder = folder;
    g_tablePath = g_folder / "table.csv";
    const std::wstring target = platform::NarrowToWide(g_tablePath.string());
    cFileManager& files = cFileManager::Instance();
    for (const wchar_t* name : { L"gui_vocabular.csv", L"places.csv", L"comic.csv", L"tasks.csv", L"css.csv" })
        files.AddAlias(std::wstring(L"data/language/") + name, target);
    files.AddAlias(L"data/logos/list.csv", target);
    static const std::string removeAtExit = folder;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(removeAtExit, ec);
    });
    // VANDREL_FUZZ_VERBOSE=1 shows what an input made the game log.
    if (std::getenv("VANDREL_FUZZ_VERBOSE")) {
        cLog::Instance().SetObserver([](const wchar_t* kind, const std::wstring& message) {
            std::fprintf(stderr, "%ls: %ls\n", kind, message.c_str());
        });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    SetUpOnce();
    std::ofstream(g_tablePath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    // The six languages of the tables, and one that has no column.
    static const wchar_t* const kLanguages[] = { L"rus", L"eng", L"ger", L"jap", L"fra", L"esp", L"xyz" };
    const wchar_t* language = kLanguages[size == 0 ? 1 : data[0] % 7];
    wchar_t(&code)[4] = cSettings::Instance().languageCode;
    std::copy(language, language + 4, code);

    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(g_folder);
    LoadGuiVocabulary();
    cGameWorld& world = cGameWorld::Instance();
    world.LoadPlaceNames();
    world.GetPlaceName(1, 1);
    world.LoadComic(1);
    world.LoadTasks();
    world.SelectTaskText(1);
    world.SelectLevelTask(1);
    world.LoadTextStyles();
    world.LoadLogoList();
    std::filesystem::current_path(home);
    return 0;
}
