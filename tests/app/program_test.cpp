// The game's program itself, started as a player would start it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "platform/utf16.h"
#include "resources/package.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Runs a copy of the program in the folder (through `wrapper`, a shell
// command given the program as $0, when one is named); it must fail, saying
// `expected` on standard error. Gives what it said. A start that is not
// refused runs on until it is ended after a minute: a fatal failure, so that a
// test of many starts does not wait that long for each.
std::string ExpectFailureSaying(const test::TempFolder& folder, const char* expected, const std::string& wrapper = "")
{
    const fs::path program = fs::path(folder.Path()) / "vandrel";
    fs::copy_file(VANDREL_PROGRAM, program);
    const std::string run = "timeout 60 " + (wrapper.empty() ? program.string() : wrapper + " " + program.string());
    const std::string command = "cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=" + folder.Path()
        + " XDG_DATA_HOME=" + folder.Path() + " " + run + " 2>" + folder.Path() + "/stderr.txt";
    const int status = std::system(command.c_str());
    std::ifstream in(folder.Path() + "/stderr.txt");
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 124) // what timeout gives when it ends the command
        [&] {
            FAIL() << "the program still ran after 60 s, where it should have refused to start; it said:\n" << said;
        }();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << status;
    EXPECT_NE(said.find(expected), std::string::npos) << said;
    return said;
}

// A copy of the program where no data/ folder is beside or above it says on
// standard error what is missing and fails.
TEST(Program, WithoutItsDataFolderItSaysSoAndFails)
{
    test::TempFolder folder;
    ExpectFailureSaying(folder, "data/ folder is missing");
}

// The built data without the interface texts (neither in the package nor
// loose): the start is refused, naming the table, before any window.
TEST(Program, WithoutItsInterfaceTextsItSaysSoAndFails)
{
    test::TempFolder folder;
    const fs::path built = fs::path(VANDREL_PROGRAM).parent_path() / "data";
    const fs::path data = fs::path(folder.Path()) / "data";
    fs::create_directories(data / "language");
    for (const fs::path& from : { built, built / "language" }) {
        for (const auto& entry : fs::directory_iterator(from)) {
            const fs::path name = entry.path().filename();
            if (name != "language.pkg" && name != "language" && name != "gui_vocabular.csv")
                fs::create_symlink(entry.path(), data / fs::relative(from, built) / name);
        }
    }
    ExpectFailureSaying(folder, "gui_vocabular.csv");
}

// A copy of the program beside the built data, with a damaged list of
// players in its user folder: it starts as usual (it runs its loop until it
// is ended as a desktop would end it) and says nothing on standard error; the
// damage is told on the screen.
TEST(Program, ADamagedListOfPlayersDoesNotStopTheStart)
{
    const struct {
        const char* what;
        void (*spoil)(const fs::path&);
    } cases[] = {
        { "no bytes", [](const fs::path& p) { std::ofstream(p, std::ios::binary); } },
        { "UTF-8 with a mark", [](const fs::path& p) { std::ofstream(p) << "\xEF\xBB\xBF[name 1]\r\nAda\r\n"; } },
        { "a folder", [](const fs::path& p) { fs::create_directories(p); } },
        { "a link to nowhere", [](const fs::path& p) { fs::create_symlink("nowhere", p); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        const fs::path program = fs::path(folder.Path()) / "vandrel";
        fs::copy_file(VANDREL_PROGRAM, program);
        fs::create_directory_symlink(fs::path(VANDREL_PROGRAM).parent_path() / "data", folder / "data");
        fs::create_directories(folder / "home/vandrel-first-eng");
        c.spoil(folder / "home/vandrel-first-eng/us.txt");
        test::ProgramRun game(program.string(),
            { { "XDG_DATA_HOME", folder / "home" }, { "XDG_RUNTIME_DIR", folder.Path() },
                { "SDL_VIDEODRIVER", "dummy" }, { "SDL_AUDIODRIVER", "dummy" } },
            folder / "stderr.txt");
        ASSERT_NO_FATAL_FAILURE(game.Terminate(folder / "home/vandrel-first-eng/log.xml"));
        std::ifstream in(folder.Path() + "/stderr.txt");
        const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(said.find("us.txt"), std::string::npos) << said;
    }
}

// The built data/ copied into the folder as links, but for what `changed`
// names: a relative path mapped to nothing is left out, one mapped to bytes
// is a file holding them. Folders on the way to a change are made anew.
void MirrorData(const test::TempFolder& folder, const std::map<std::string, std::optional<std::string>>& changed)
{
    const fs::path built = fs::path(VANDREL_PROGRAM).parent_path() / "data";
    const auto mirror = [&](const auto& self, const fs::path& relative) -> void {
        fs::create_directory(fs::path(folder.Path()) / "data" / relative);
        for (const auto& entry : fs::directory_iterator(built / relative)) {
            const fs::path name = relative / entry.path().filename();
            const fs::path target = fs::path(folder.Path()) / "data" / name;
            const auto change = changed.find(name.string());
            if (change != changed.end()) {
                if (change->second)
                    std::ofstream(target, std::ios::binary) << *change->second;
                continue;
            }
            const bool onTheWay = std::any_of(changed.begin(), changed.end(),
                [&](const auto& c) { return c.first.rfind(name.string() + "/", 0) == 0; });
            if (onTheWay)
                self(self, name);
            else
                fs::create_symlink(entry.path(), target);
        }
    };
    mirror(mirror, "");
}

// What the game cannot run without, each missing or damaged: the start is
// refused with a line naming it, before any window (not ended at once with
// 0 and no word, nor run with an empty map).
TEST(Program, WithoutItsCursorOrItsLevelTableItSaysWhichAndFails)
{
    const std::string cursor = "gui/cursor/descriptor.xml", tasks = "language/tasks.csv";
    const std::string damaged = std::string("\xff\xfe") + "neither a descriptor nor a table";
    const struct {
        std::map<std::string, std::optional<std::string>> changed;
        const char* said;
    } cases[] = {
        { { { cursor, std::nullopt } }, "data/gui/cursor/descriptor.xml" },
        { { { cursor, damaged } }, "data/gui/cursor/descriptor.xml" },
        { { { "gui", std::nullopt } }, "data/gui/cursor/descriptor.xml" },
        { { { "language.pkg", std::nullopt }, { tasks, std::nullopt } }, "data/language/tasks.csv" },
        { { { "language.pkg", std::nullopt }, { tasks, damaged } }, "data/language/tasks.csv" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.changed.rbegin()->first);
        test::TempFolder folder;
        MirrorData(folder, c.changed);
        ASSERT_NO_FATAL_FAILURE(ExpectFailureSaying(folder, c.said));
    }
}

// Runs a copy of the program over the data mirrored into the folder, as a new
// player would start it, and ends it: it must get past its start-up checks
// (its log says its input was started). What it said on standard error is in
// the failure, a fatal one.
void StartsAsANewPlayer(const test::TempFolder& folder)
{
    const fs::path program = fs::path(folder.Path()) / "vandrel";
    fs::copy_file(VANDREL_PROGRAM, program);
    test::ProgramRun game(program,
        { { "XDG_DATA_HOME", folder / "home" }, { "XDG_RUNTIME_DIR", folder.Path() }, { "SDL_VIDEODRIVER", "dummy" },
            { "SDL_AUDIODRIVER", "dummy" } },
        folder / "stderr.txt");
    const std::string log = folder / "home/vandrel-first-eng/log.xml";
    ASSERT_NO_FATAL_FAILURE(game.WaitForLog(log, "Initializing Input Subsystem", 60.0));
    ASSERT_NO_FATAL_FAILURE(game.Terminate(log));
}

// A shipped language table as text, and text as a table's bytes.
std::wstring ShippedTable(const std::string& name)
{
    std::ifstream in(fs::path(VANDREL_PROGRAM).parent_path() / "data/language" / name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    return platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Utf16(const std::wstring& text)
{
    const std::vector<uint8_t> units = platform::WideToUtf16Le(text);
    return std::string(units.begin(), units.end());
}

// The table without its rows that start with `start` (there is one at least).
std::wstring WithoutRow(std::wstring table, const std::wstring& start)
{
    EXPECT_NE(table.find(L"\n" + start), std::wstring::npos) << platform::WideToNarrow(start);
    for (size_t row; (row = table.find(L"\n" + start) + 1) != 0;)
        table.erase(row, table.find(L'\n', row) + 1 - row);
    return table;
}

// The table with the start `start` of a row written as `instead`.
std::wstring WithRowStart(std::wstring table, const std::wstring& start, const std::wstring& instead)
{
    const size_t row = table.find(L"\n" + start) + 1;
    EXPECT_NE(row, 0u) << platform::WideToNarrow(start);
    return table.replace(row, start.size(), instead);
}

// The table's heading and those of its rows that start with `start`, each
// started with `instead`.
std::wstring OnlyRows(const std::wstring& table, const std::wstring& start, const std::wstring& instead)
{
    std::wstring kept = table.substr(0, table.find(L'\n') + 1);
    for (size_t row = kept.size(); row < table.size();) {
        const size_t end = std::min(table.find(L'\n', row), table.size() - 1) + 1;
        if (table.compare(row, start.size(), start) == 0)
            kept += instead + table.substr(row + start.size(), end - row - start.size());
        row = end;
    }
    return kept;
}

// Random bytes, a line break every 1500 of them.
std::string RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator());
    for (size_t at = 1000; at + 2 <= size; at += 1500)
        bytes.replace(at, 2, std::string("\n\0", 2));
    return bytes;
}

// The built data/language.pkg with its entry `name` holding `bytes`.
std::string PackageWith(const std::string& name, const std::string& bytes)
{
    test::TempFolder work;
    fs::copy_file(fs::path(VANDREL_PROGRAM).parent_path() / "data/language.pkg", work / "language.pkg");
    std::ofstream(work / "entry", std::ios::binary) << bytes;
    {
        cPackage package;
        EXPECT_TRUE(package.Open(platform::PathToWide(work / "language.pkg")));
        EXPECT_TRUE(package.RemoveEntry(platform::PathToWide(name)));
        EXPECT_TRUE(package.AddFileAs(platform::PathToWide(work / "entry"), platform::PathToWide(name)));
        EXPECT_TRUE(package.Commit());
    }
    std::ifstream in(work / "language.pkg", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Damaged interface texts (the package gone, the loose table in its stead):
// random bytes that hold a few line breaks, the table cut short, or a text the
// screens draw left empty or filled with what is no text. Each start is
// refused naming the table rather than showing blank buttons and titles. The
// shipped table starts the game from the package alone and from the loose
// folder alone.
TEST(Program, DamagedInterfaceTextsAreRefusedAndTheShippedOnesStart)
{
    const std::string table = "language/gui_vocabular.csv";
    const std::wstring shipped = ShippedTable("gui_vocabular.csv");
    // The shipped table with the text of row `n` replaced.
    const auto withText = [&](int n, const std::wstring& text) {
        const std::wstring row = L"\n" + std::to_wstring(n) + L";";
        const size_t key = shipped.find(L';', shipped.find(row) + 1);
        const size_t end = shipped.find(L'\r', key);
        return Utf16(shipped.substr(0, key) + (text.empty() ? L"" : L";" + text) + shipped.substr(end));
    };
    const std::string noise = RandomBytes(20000, 48);
    size_t rowForty = 0;
    for (int row = 0; row < 42; ++row)
        rowForty = shipped.find(L'\n', rowForty + 1);
    const struct {
        const char* what;
        std::string damaged;
    } refused[] = {
        { "random bytes", noise },
        { "cut short", Utf16(shipped.substr(0, rowForty + 1)) },
        { "a text left empty", withText(120, L"") },
        { "a text of no characters", withText(8, std::wstring { wchar_t(0xE000), wchar_t(0xFFFD), L'\x7F' }) },
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        MirrorData(folder, { { "language.pkg", std::nullopt }, { table, c.damaged } });
        ASSERT_NO_FATAL_FAILURE(ExpectFailureSaying(folder, "data/language/gui_vocabular.csv"));
    }
    for (const char* leftOut : { "language", "language.pkg" }) {
        SCOPED_TRACE(leftOut);
        test::TempFolder folder;
        MirrorData(folder, { { leftOut, std::nullopt } });
        ASSERT_NO_FATAL_FAILURE(StartsAsANewPlayer(folder));
    }
}

// Damaged task pages, building names and levels, random bytes in the package
// (the loose copy whole) or loose (the package gone), or interface texts with
// a row left out or put in: the start is refused naming the table, the copy that was
// read and what it lacks, not started with every task dialog skipped and
// every building unnamed. Tables that only lack a row the game does without
// start as a new player would start them (the package gone): a level without
// task pages, or a page missing between two, closes its dialog there; a lot
// without a name is "place name not found"; an interface text is found by
// its row, whatever its first column says that is not another number.
TEST(Program, DamagedTaskPagesAndPlaceNamesAreRefusedNamingWhatIsMissing)
{
    const auto loose = [](const std::string& name, const std::string& bytes) {
        return std::map<std::string, std::optional<std::string>> { { "language.pkg", std::nullopt },
            { "language/" + name, bytes } };
    };
    const auto packed = [](const std::string& name, const std::string& bytes) {
        return std::map<std::string, std::optional<std::string>> { { "language.pkg", PackageWith(name, bytes) } };
    };
    const std::string inPackage = "the copy in data/language.pkg, which is read before the one in data/language/";
    const std::string inFolder = "the copy in data/language/";
    const struct {
        std::map<std::string, std::optional<std::string>> changed;
        std::vector<std::string> said;
    } cases[] = {
        { packed("comic.csv", RandomBytes(700, 1)),
            { "\"data/language/comic.csv\"", inPackage, "no task page of any level " } },
        { loose("comic.csv", RandomBytes(30000, 2)), { inFolder, "no task page of any level " } },
        { packed("places.csv", RandomBytes(5000, 3)),
            { "\"data/language/places.csv\"", inPackage, "no name of any building " } },
        { packed("tasks.csv", RandomBytes(3000, 4)), { "\"data/language/tasks.csv\"", inPackage } },
        { loose("tasks.csv", Utf16(WithoutRow(ShippedTable("tasks.csv"), L"1;"))),
            { "\"data/language/tasks.csv\"", inFolder, "no task for level 1" } },
        { loose("comic.csv", Utf16(OnlyRows(ShippedTable("comic.csv"), L"1;", L"31;"))),
            { "\"data/language/comic.csv\"", inFolder, "no task page of any level " } },
        { loose("gui_vocabular.csv", Utf16(WithoutRow(ShippedTable("gui_vocabular.csv"), L"93;"))),
            { "(text 93 first" } },
        { loose("gui_vocabular.csv", Utf16(WithoutRow(ShippedTable("gui_vocabular.csv"), L"99;"))),
            { "(text 99 first" } },
        { loose("gui_vocabular.csv",
              Utf16(WithRowStart(ShippedTable("gui_vocabular.csv"), L"1;", L"0;total;Total\r\n1;"))),
            { "(text 1 first" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said.back());
        test::TempFolder folder;
        MirrorData(folder, c.changed);
        std::string said;
        ASSERT_NO_FATAL_FAILURE(said = ExpectFailureSaying(folder, c.said.front().c_str()));
        for (const std::string& part : c.said)
            EXPECT_NE(said.find(part), std::string::npos) << part << " in " << said;
        EXPECT_EQ(said.find("in data/language.pkg and in data/language/"), std::string::npos) << said;
    }

    const std::wstring comic = ShippedTable("comic.csv"), places = ShippedTable("places.csv");
    const struct {
        const char* what;
        std::string name;
        std::wstring table;
    } starting[] = {
        { "a level without task pages", "comic.csv", WithoutRow(comic, L"5;") },
        { "a task page missing between two", "comic.csv", WithoutRow(comic, L"1;2;") },
        { "a level's first task page missing", "comic.csv", WithoutRow(comic, L"6;1;") },
        { "level 1's task pages alone", "comic.csv", OnlyRows(comic, L"1;", L"1;") },
        { "a needed building unnamed", "places.csv", WithoutRow(places, L"-;3;6;") },
        { "another needed building unnamed", "places.csv", WithoutRow(places, L"-;4;5;") },
        { "an interface text's row not numbered", "gui_vocabular.csv",
            WithRowStart(ShippedTable("gui_vocabular.csv"), L"40;", L"x40;") },
    };
    for (const auto& c : starting) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        MirrorData(folder, loose(c.name, Utf16(c.table)));
        ASSERT_NO_FATAL_FAILURE(StartsAsANewPlayer(folder));
    }
}

// Without the interface font (here hidden in a mount namespace of the test's
// own) the start is refused naming it, rather than every button left blank.
TEST(Program, WithoutItsFontItSaysSoAndFails)
{
    const char* const fonts = "/usr/share/fonts/truetype/crosextra";
    if (std::system("unshare -rm true 2>/dev/null") != 0)
        GTEST_SKIP() << "no user namespaces here to hide the font in";
    test::TempFolder folder;
    MirrorData(folder, {});
    ExpectFailureSaying(folder, "Carlito-Regular.ttf",
        std::string("unshare -rm sh -c 'mount -t tmpfs none ") + fonts + " && exec \"$0\"'");
}

// A user folder whose path holds bytes that are not UTF-8, or whose files'
// paths come within a few bytes of PATH_MAX: the first start's files (the
// player's settings and profiles, the log) are made in that folder, under
// those very bytes, and nowhere else.
TEST(Program, WritesItsFilesIntoAUserFolderOfAnyBytesAndLength)
{
    test::TempFolder folder;
    std::string longPath = folder.Path();
    // The start's files then have paths of about 4090 bytes: within
    // PATH_MAX, but not with a temporary name a dozen bytes longer.
    while (longPath.size() < 4064)
        longPath += "/" + std::string(std::min<size_t>(200, 4064 - longPath.size() - 1), 'd');
    for (const std::string& home : { folder / "caf\xe9 \xff\xc3(", longPath }) {
        SCOPED_TRACE(home.size());
        fs::create_directories(home);
        const std::string user = home + "/vandrel-first-eng";
        test::ProgramRun game(VANDREL_PROGRAM, { { "XDG_DATA_HOME", home }, { "XDG_RUNTIME_DIR", folder.Path() } },
            folder / "stderr.txt");
        ASSERT_NO_FATAL_FAILURE(game.WaitForFiles({ user + "/log.xml", user + "/us.txt", user + "/config.cfg" }, 60.0));
        ASSERT_NO_FATAL_FAILURE(game.Terminate(user + "/log.xml"));
        std::vector<std::string> made;
        for (const auto& entry : fs::directory_iterator(home))
            made.push_back(entry.path().filename().string());
        EXPECT_EQ(made, std::vector<std::string> { "vandrel-first-eng" });
    }
}

} // namespace
