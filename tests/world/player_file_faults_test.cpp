// Player files under faults: a damaged file whose replacement cannot be
// written, a file the player made read-only, a damaged list of players at
// the start, a damaged install copy, and the notice that tells them all.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "frontend/score_table.h"
#include "platform/file_access.h"
#include "platform/utf16.h"
#include "player_files_fixture.h"
#include "scene/gui_vocabulary.h"
#include "world/player_file_rule.h"

namespace fs = std::filesystem;

namespace test {
namespace {

class FileFaults : public PlayerFiles {
protected:
    // A start, then every player file written whole: settings, profiles
    // (player 1 "Ada" at level 9), saved game, station and the level-3 table.
    void SaveEveryFile()
    {
        fs::remove_all(UserFolder());
        Load();
        PlayAda();
        ASSERT_TRUE(world.SaveConfig() && world.SaveGame() && world.SaveLots() && SaveTable());
        logLines.clear();
    }
    // Player 1 "Ada" at level 9, with money, a level and a station of hers.
    void PlayAda()
    {
        world.profileNames[1] = L"Ada";
        world.profileLastLevel[1] = 9;
        world.bank = 777;
        world.level = 3;
        world.AddFundament(3, "a", "b", 9);
        world.CreateLot(2, 3, 3, 20, 0, 0, 0);
    }
    static bool SaveTable()
    {
        Scene::ScoreTable table;
        table.scoreNames[0] = L"Ada";
        return Scene::SaveScoreFile(table, Scene::ScoreFilePath(3));
    }
    std::vector<std::string> AsideCopies() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(UserFolder())) {
            if (entry.path().string().find(".unreadable") != std::string::npos)
                found.push_back(entry.path().filename().string());
        }
        return found;
    }
    void AppendAByte(const std::string& path) { std::ofstream(path, std::ios::binary | std::ios::app) << 'x'; }

    struct File {
        const char* name;
        world::PlayerFile kind;
        const wchar_t* told;
        std::function<bool(cGameWorld&)> save;
    };
    const std::vector<File> files = {
        { "us.txt", world::PlayerFile::Profiles, L"Your list of players", [](cGameWorld& w) { return w.SaveConfig(); } },
        { "config.cfg", world::PlayerFile::Settings, L"Your settings file",
            [](cGameWorld& w) { return w.SaveConfig(); } },
        { "1", world::PlayerFile::SavedGame, L"Your saved game", [](cGameWorld& w) { return w.SaveGame(); } },
        { "1_bau", world::PlayerFile::Station, L"Your station", [](cGameWorld& w) { return w.SaveLots(); } },
        { "highscore/result_03.cfg", world::PlayerFile::Highscores, L"A highscore table",
            [](cGameWorld&) { return SaveTable(); } },
    };
};

bool HasLine(const std::wstring& notice, const std::wstring& line)
{
    return (L"\n" + notice + L"\n").find(L"\n" + line + L"\n") != std::wstring::npos;
}

// Looked at before each of a save's trips to the disk: whether the file that
// must stay in its place was ever found gone (where a crash would leave none).
std::string g_staysInPlace;
bool g_foundGone = false;

void LookForTheFileInItsPlace()
{
    struct stat st { };
    g_foundGone = g_foundGone || ::lstat(g_staysInPlace.c_str(), &st) != 0;
}

// A damaged file stays under its name until its replacement is: a save that
// fails on a full disk leaves it there byte for byte with no copy beside it,
// says so truly, and the next start still reads what it holds. Once there is
// room the save keeps it aside and writes the game's own.
TEST_F(FileFaults, ADamagedFileStaysInItsPlaceUntilItsReplacementIsWritten)
{
    for (const File& f : files) {
        SCOPED_TRACE(f.name);
        SaveEveryFile();
        const std::string path = UserFile(f.name);
        AppendAByte(path);
        const auto damaged = Bytes(path);
        world.playerFilesTold.clear();
        world.playerFileNotice.clear();
        {
            FileSizeLimit full(16);
            EXPECT_FALSE(f.save(world));
        }
        EXPECT_EQ(Bytes(path), damaged);
        EXPECT_EQ(AsideCopies(), std::vector<std::string> {});
        EXPECT_TRUE(HasLine(world.playerFileNotice, f.told + std::wstring(L" ") + g_guiVocabulary[9]))
            << testing::PrintToString(world.playerFileNotice);
        EXPECT_TRUE(Logged(L"left as it was") && !Logged(L"is kept as \"")) << testing::PrintToString(logLines);

        Load();
        EXPECT_EQ(world.profileNames[1], L"Ada");
        EXPECT_EQ(world.profileLastLevel[1], 9);

        PlayAda();
        ASSERT_TRUE(f.save(world));
        EXPECT_EQ(Bytes(path + ".unreadable"), damaged);
        EXPECT_TRUE(world::IsWhatTheGameWrites(f.kind, Bytes(path)));
    }
}

// A file the player made read-only is left as it is, damaged or not: the save
// says so on screen, in a line that reads as a sentence, and in the log, and
// keeps nothing aside.
TEST_F(FileFaults, AReadOnlyFileIsLeftAsItIsAndTheSaveSaysSo)
{
    for (const bool damage : { false, true }) {
        for (const File& f : files) {
            SCOPED_TRACE(std::string(f.name) + (damage ? " damaged" : ""));
            SaveEveryFile();
            const std::string path = UserFile(f.name);
            if (damage)
                AppendAByte(path);
            fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
            const auto before = Bytes(path);
            world.bank = 5;
            world.profileNames[1] = L"Bea";
            world.musicVolume = 0.5f;
            world.fundaments[0].status = 11;
            world.playerFileNotice.clear();

            EXPECT_FALSE(f.save(world));
            EXPECT_EQ(Bytes(path), before);
            EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
            EXPECT_EQ(AsideCopies(), std::vector<std::string> {});
            EXPECT_TRUE(HasLine(world.playerFileNotice, f.told + std::wstring(L" ") + g_guiVocabulary[11]))
                << testing::PrintToString(world.playerFileNotice);
            if (f.kind == world::PlayerFile::Settings) {
                EXPECT_TRUE(HasLine(world.playerFileNotice,
                    L"Your settings file is read-only: the game leaves it as it is and cannot save it."))
                    << testing::PrintToString(world.playerFileNotice);
            }
            EXPECT_TRUE(Logged(platform::NarrowToWide(f.name) + L"\" is read-only"));
        }
    }
}

// A list of players that is damaged, or something else in its place, never
// stops the start: the installed profiles stand in for what it does not give,
// the player is told, and the next save keeps a file or link aside and writes
// the game's own. A folder in its place cannot be written over; that is told.
TEST_F(FileFaults, ADamagedListOfPlayersStartsFromTheInstalledOne)
{
    Entries installed = DefaultUsers();
    installed[L"name 1"] = L"Installed";
    Entries mine = installed;
    mine[L"name 1"] = L"Ada";
    const std::string foreign = program / "foreign.txt";
    struct Case { const char* what; std::function<void(const std::string&)> spoil; const wchar_t* name1; };
    const Case cases[] = {
        { "no bytes", [](const std::string& p) { std::ofstream(p, std::ios::binary); }, L"Installed" },
        { "UTF-8", [](const std::string& p) { std::ofstream(p) << "[name 1]\r\nAda\r\n"; }, L"Installed" },
        { "UTF-8 with a mark", [](const std::string& p) { std::ofstream(p) << "\xEF\xBB\xBF[name 1]\r\nAda\r\n"; },
            L"Installed" },
        { "a folder", [](const std::string& p) { fs::create_directories(p + "/x"); }, L"Installed" },
        { "a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, L"Installed" },
        { "a link to nowhere", [](const std::string& p) { fs::create_symlink("nowhere", p); }, L"Installed" },
        { "a link to a foreign file", [&](const std::string& p) { fs::create_symlink(foreign, p); }, L"Installed" },
        { "beyond 1 MB",
            [&](const std::string& p) {
                WriteEntries(p, mine);
                fs::resize_file(p, (1 << 20) + 2);
            },
            L"Installed" },
        { "a byte appended",
            [&](const std::string& p) {
                WriteEntries(p, mine);
                std::ofstream(p, std::ios::binary | std::ios::app) << 'x';
            },
            L"Ada" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(UserFolder());
        fs::create_directories(UserFolder());
        UseProgramFolder(DefaultConfig(), installed);
        std::ofstream(foreign) << "root:x:0:0\n";
        const std::string path = UserFile("us.txt");
        c.spoil(path);
        const auto status = fs::symlink_status(path);
        logLines.clear();
        Load();
        EXPECT_EQ(world.quitRequested, 0);
        EXPECT_EQ(world.startFailure, L"");
        EXPECT_EQ(world.profileNames[1], c.name1);
        EXPECT_TRUE(HasLine(world.playerFileNotice, std::wstring(L"Your list of players ") + g_guiVocabulary[7]))
            << testing::PrintToString(world.playerFileNotice);
        EXPECT_TRUE(Logged(platform::NarrowToWide(path)));

        const bool folder = status.type() == fs::file_type::directory;
        EXPECT_EQ(world.SaveConfig(), !folder);
        EXPECT_EQ(fs::is_directory(path), folder);
        EXPECT_EQ(world::IsWhatTheGameWrites(world::PlayerFile::Profiles, Bytes(path)), !folder);
        EXPECT_EQ(fs::is_symlink(path + ".unreadable"), status.type() == fs::file_type::symlink);
        EXPECT_EQ(std::ifstream(foreign).get(), 'r');
    }
}

// Each damaged copy a save replaces is kept under a name of its own:
// ".unreadable", then ".unreadable2" up to ".unreadable9"; once all are taken
// the last holds the newest. Whichever name it gets, it gets it as a second
// name: it stays in its place through every trip of the save to the disk, so
// a crash at any of them leaves a file there. The player is told once per
// file: a notice clicked away stays down while the same file is found damaged
// again.
TEST_F(FileFaults, DamagedCopiesAreKeptUnderNamesOfTheirOwn)
{
    SaveEveryFile();
    const std::string path = UserFile("1");
    const auto aside = [&](int n) { return path + ".unreadable" + (n == 1 ? "" : std::to_string(n)); };
    const auto good = Bytes(path);
    g_staysInPlace = path;
    for (int damage = 1; damage <= 11; ++damage) {
        SCOPED_TRACE(damage);
        auto bytes = good;
        bytes.insert(bytes.end(), static_cast<size_t>(damage), 'x');
        Write(path, bytes);
        g_foundGone = false;
        platform::SetFileAccessHookForTests(LookForTheFileInItsPlace);
        const bool saved = world.SaveGame();
        platform::SetFileAccessHookForTests(nullptr);
        ASSERT_TRUE(saved);
        EXPECT_FALSE(g_foundGone) << "a trip of the save found nothing at " << path;
        EXPECT_EQ(Bytes(path), good);
        EXPECT_EQ(Bytes(aside(std::min(damage, 9))), bytes);
        EXPECT_EQ(AsideCopies().size(), static_cast<size_t>(std::min(damage, 9)));
        if (damage == 1)
            EXPECT_TRUE(HasLine(world.playerFileNotice, std::wstring(L"Your saved game ") + g_guiVocabulary[7]));
        else
            EXPECT_EQ(world.playerFileNotice, L"");
        // The click that takes the notice down.
        world::ClearPlayerFileNotice(world);
    }
    // The older copies keep their damage: one byte, two bytes ...
    for (int n = 1; n < 9; ++n)
        EXPECT_EQ(Bytes(aside(n)).size(), good.size() + n) << n;
    const std::wstring wide = platform::NarrowToWide(path);
    EXPECT_EQ(std::count(world.playerFilesTold.begin(), world.playerFilesTold.end(), wide), 1);
}

// An installed list of players that is not what the game writes is read, but
// never copied into the player's folder; once the install is mended, its copy
// is.
TEST_F(FileFaults, ADamagedInstallCopyIsNotCopiedForThePlayer)
{
    UseProgramFolder(DefaultConfig(), DefaultUsers());
    AppendAByte(program / "data/us.txt");
    Load();
    EXPECT_EQ(world.quitRequested, 0);
    EXPECT_EQ(world.profileLastLevel[6], 1);
    EXPECT_TRUE(fs::exists(UserFile("config.cfg")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(UserFile("us.txt"))));

    WriteEntries(program / "data/us.txt", DefaultUsers());
    Load();
    EXPECT_EQ(Bytes(UserFile("us.txt")), Bytes(program / "data/us.txt"));
}

} // namespace
} // namespace test
