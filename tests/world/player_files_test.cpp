// The player's settings and profiles: the first start, a user folder that
// cannot be made or written, files that cannot be read, failed writes, the
// round trip, hostile values and the highscore tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/fs.h>
#include <map>
#include <optional>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include "platform/utf16.h"
#include "frontend/score_table.h"
#include "player_files_fixture.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"

namespace fs = std::filesystem;

namespace test {
namespace {

using FirstStart = PlayerFiles;

// A folder nobody may write into, root included (the immutable flag), for
// as long as the object lives.
class WriteProtected {
public:
    explicit WriteProtected(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (::geteuid() != 0) {
            m_done = ::fchmod(m_fd, 0555) == 0;
            return;
        }
        int flags = 0;
        m_done = ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags |= FS_IMMUTABLE_FL, true)
            && ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ~WriteProtected()
    {
        int flags = 0;
        if (::geteuid() != 0) {
            ::fchmod(m_fd, 0755);
        } else if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(m_fd);
    }
    bool Done() const { return m_done; }

private:
    int m_fd;
    bool m_done = false;
};

TEST_F(FirstStart, MakesTheFolderCopiesBothFilesAndReadsThem)
{
    ASSERT_FALSE(fs::exists(UserFolder()));
    Load();

    EXPECT_EQ(world.quitRequested, 0);
    EXPECT_TRUE(settings.canSave);
    EXPECT_EQ(world.userFolder, platform::NarrowToWide(UserFolder()));
    EXPECT_EQ(Bytes(UserFile("config.cfg")), Bytes("data/config.cfg"));
    EXPECT_EQ(Bytes(UserFile("us.txt")), Bytes("data/us.txt"));

    EXPECT_EQ(world.profileLastLevel[6], 1);
}

TEST_F(FirstStart, WithoutAUserFolderTheGameRunsAndWritesNothing)
{
    // A folder below a regular file can never be made, not even by root.
    std::ofstream(home / "file") << "x";
    setenv("XDG_DATA_HOME", (home / "file/below").c_str(), 1);
    UseProgramFolder(DefaultConfig(), DefaultUsers());
    const auto before = Bytes(program / "data/config.cfg");
    Load();

    EXPECT_EQ(world.quitRequested, 0);
    EXPECT_FALSE(settings.canSave);
    EXPECT_TRUE(world.userFolder.empty());
    EXPECT_FALSE(world.SaveConfig());
    EXPECT_FALSE(world.SaveUsers());
    std::vector<std::string> names; // nothing landed in the program folder
    for (const auto& entry : fs::recursive_directory_iterator(program.Path()))
        names.push_back(fs::relative(entry.path(), program.Path()).string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> { "data", "data/config.cfg", "data/us.txt" }));
    EXPECT_EQ(Bytes(program / "data/config.cfg"), before);
}

// A user folder that exists but cannot be written: the player's own
// files are read, and the log and the screen say what cannot be written.
TEST_F(FirstStart, AFolderThatCannotBeWrittenStillGivesThePlayersProfiles)
{
    Load();
    Entries users = ReadEntries(UserFile("us.txt"));
    users[L"name 1"] = L"Mine";
    WriteEntries(UserFile("us.txt"), users);
    Entries config = DefaultConfig();
    config[L"x resolution"] = L"1024";
    config[L"y resolution"] = L"768";
    WriteEntries(UserFile("config.cfg"), config);
    const auto profiles = Bytes(UserFile("us.txt"));
    WriteProtected readOnly(UserFolder());
    if (!readOnly.Done())
        GTEST_SKIP() << "this file system cannot make a folder read-only";
    logLines.clear();
    Load();

    EXPECT_EQ(world.quitRequested, 0);
    EXPECT_FALSE(settings.canSave);
    EXPECT_EQ(world.profileNames[1], L"Mine");
    EXPECT_EQ(settings.GetWidth(), 1024);
    EXPECT_TRUE(Logged(L"\" cannot be written ("));
    EXPECT_FALSE(world.playerFileNotice.empty());
    EXPECT_EQ(world.playerFileNotice.find(L'/'), std::wstring::npos); // words, not a path
    EXPECT_FALSE(world.SaveConfig());
    EXPECT_EQ(Bytes(UserFile("us.txt")), profiles);
}

// Where the settings and the profiles are read from: the player's own file
// wherever the user folder holds one, the installed one where it does not,
// and a file that is not there is no damaged file.
TEST_F(FirstStart, EachFileIsReadFromThePlayersFolderWhereItIsThereElseFromTheInstall)
{
    const struct {
        const char* what;
        bool ownConfig, ownUsers, readOnly;
    } cases[] = {
        { "both own", true, true, false },
        { "own settings only", true, false, false },
        { "own profiles only", false, true, false },
        { "none in a folder that cannot be written", false, false, true },
        { "own settings in a folder that cannot be written", true, false, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(UserFolder());
        Load(); // makes the folder with the installed copies
        Entries config = DefaultConfig();
        config[L"x resolution"] = L"1024";
        config[L"y resolution"] = L"768";
        Entries users = DefaultUsers();
        users[L"name 1"] = L"Mine";
        fs::remove(UserFile("config.cfg"));
        fs::remove(UserFile("us.txt"));
        if (c.ownConfig)
            WriteEntries(UserFile("config.cfg"), config);
        if (c.ownUsers)
            WriteEntries(UserFile("us.txt"), users);
        {
            std::optional<WriteProtected> readOnly;
            if (c.readOnly && !readOnly.emplace(UserFolder()).Done())
                continue; // this file system cannot make a folder read-only
            logLines.clear();
            Load();
        }
        EXPECT_EQ(settings.GetWidth(), c.ownConfig ? 1024 : 1280);
        EXPECT_EQ(world.profileNames[1], c.ownUsers ? L"Mine" : L"");
        EXPECT_FALSE(Logged(L"is not as the game writes it"));
    }
}

// A start that cannot read its installed settings or profiles names the file
// and the reason, in the log and for main to print, and ends. (A damaged
// player's copy does not end it: player_file_faults_test.cpp.)
TEST_F(FirstStart, AStartThatCannotReadItsFilesSaysWhichAndWhy)
{
    struct Case { const char* name; void (*spoil)(FirstStart&); const char* file; const wchar_t* why; };
    const Case cases[] = {
        { "no install settings", [](FirstStart& t) { fs::remove(t.program / "data/config.cfg"); },
            "data/config.cfg", L"it is missing" },
        { "no profiles anywhere", [](FirstStart& t) { fs::remove(t.program / "data/us.txt"); }, "data/us.txt",
            L"it is missing" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(UserFolder());
        fs::create_directories(UserFolder());
        UseProgramFolder(DefaultConfig(), DefaultUsers());
        c.spoil(*this);
        logLines.clear();
        Load();
        EXPECT_EQ(world.quitRequested, 1);
        const std::wstring& failure = world.startFailure;
        EXPECT_NE(failure.find(platform::NarrowToWide(c.file)), std::wstring::npos) << failure;
        EXPECT_NE(failure.find(c.why), std::wstring::npos) << failure;
        EXPECT_TRUE(Logged(failure));
    }
    EXPECT_TRUE(Logged(L"error: us.pkg not found"));
}

class PlayerData : public PlayerFiles {
protected:
    // After a start, the list of players saved with player 1 "Old"; the
    // bytes of the same list with player 1 "New".
    struct Lists {
        std::vector<uint8_t> oldUsers, newUsers;
    };
    Lists SaveOldAndMakeNew()
    {
        Load();
        world.profileNames[1] = L"New";
        Lists lists { {}, world::ProfilesBytes(world) };
        world.profileNames[1] = L"Old";
        EXPECT_TRUE(world.SaveConfig());
        lists.oldUsers = Bytes(UserFile("us.txt"));
        return lists;
    }
};

// A damaged config.cfg or us.txt is read as far as it goes (the installed
// settings stand in for the rest), the player is told in words, and the next
// save moves it aside byte for byte before writing the game's own.
TEST_F(PlayerData, DamagedSettingsOrProfilesAreToldAndKeptAsideBeforeTheNextSave)
{
    Load();
    Entries users = DefaultUsers();
    users[L"name 1"] = L"Ada";
    WriteEntries(UserFile("us.txt"), users);
    auto cutUsers = Bytes(UserFile("us.txt"));
    const std::wstring text = platform::Utf16LeToWide(cutUsers.data(), cutUsers.size());
    cutUsers.resize(text.find(L"[name 4]") * 2);
    const auto goodUsers = Bytes(UserFile("us.txt"));
    const auto config = Bytes(UserFile("config.cfg"));
    std::string utf8;
    for (size_t i = 2; i < config.size(); i += 2)
        utf8 += static_cast<char>(config[i]);
    struct Case { const char* what; std::string name; std::vector<uint8_t> bytes; size_t size; const wchar_t* told; };
    const Case cases[] = {
        { "random bytes", "config.cfg", { 0x13, 0xFF, 0x00, 0x9C, 0x2E, 0x0D }, 0, L"Your settings file" },
        { "a UTF-8 copy", "config.cfg", std::vector<uint8_t>(utf8.begin(), utf8.end()), 0, L"Your settings file" },
        { "50 MB", "config.cfg", {}, 50u << 20, L"Your settings file" },
        { "a key the game does not write", "config.cfg",
            [&] {
                Entries c = DefaultConfig();
                c[L"startlevel"] = L"5";
                WriteEntries(UserFile("x"), c);
                return Bytes(UserFile("x"));
            }(),
            0, L"Your settings file" },
        { "profiles cut short", "us.txt", cutUsers, 0, L"Your list of players" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(UserFile(c.name + ".unreadable"));
        Write(UserFile("us.txt"), goodUsers);
        Write(UserFile("config.cfg"), config);
        Write(UserFile(c.name), c.bytes);
        if (c.size)
            fs::resize_file(UserFile(c.name), c.size);
        const auto before = Bytes(UserFile(c.name));
        Load();
        EXPECT_EQ(world.profileNames[1], L"Ada");
        EXPECT_EQ(std::pair(settings.GetWidth(), world.musicVolume), std::pair(1280, 1.0f));
        EXPECT_EQ(world.playerFileNotice.rfind(c.told, 0), 0u) << testing::PrintToString(world.playerFileNotice);
        EXPECT_TRUE(Logged(platform::NarrowToWide(c.name)));
        EXPECT_EQ(Bytes(UserFile(c.name)), before);
        ASSERT_TRUE(world.SaveConfig());
        EXPECT_EQ(Bytes(UserFile(c.name + ".unreadable")), before);
        Load();
        EXPECT_TRUE(world.playerFileNotice.empty());
    }
}

// A change of several player files cut short by a crash is settled before
// the start reads the list of players: made (no saved game waits), its list
// is read; not made, the old one is and nothing waits any more. A waiting
// list the game did not write whole (cut on the disk, a link) never takes the
// old one's place: it is kept aside and told. Waiting names of files the game
// never writes (too short, too long, other digits, no level number) are no
// player's: they stay as they are and stop neither the start nor the settling.
TEST_F(PlayerData, AChangeCutShortIsSettledBeforeTheStartReadsThePlayers)
{
    const auto [oldUsers, newUsers] = SaveOldAndMakeNew();
    const std::vector<uint8_t> cut(newUsers.begin(), newUsers.begin() + newUsers.size() / 2);
    const std::string waiting = UserFile("us.txt.pending");
    const std::vector<std::string> strays = { "ab.pending", "\xff.pending", ".pending", "_bau.pending", "x_bau.pending",
        "\xef\xbc\x91_bau.pending", "\xd9\xa1.pending", std::string(240, 'x') + ".pending", "7.pending", "0.pending",
        "01.pending", "99.pending", "7_bau.pending", "01_bau.pending", "highscore/ab.pending",
        "highscore/result_.cfg.pending", "highscore/result_ab.cfg.pending", "highscore/result_\xd9\xa3.cfg.pending",
        "highscore/result_1.cfg.pending", "highscore/result_00.cfg.pending", "highscore/result_200.cfg.pending",
        "highscore/03.pending", "highscore/1_bau.pending" };
    // Names the game writes, at the ends of their ranges: a change not made
    // takes them with it.
    const std::vector<std::string> ours = { "6_bau.pending", "highscore/result_01.cfg.pending",
        "highscore/result_199.cfg.pending" };
    const struct {
        const char* what;
        bool savedGameWaits, link;
        std::vector<uint8_t> bytes;
        const wchar_t* read;
        bool keptAside;
        bool strays = false; // they wait beside it
        bool ours = false; // so do those
    } cases[] = {
        { "made", false, false, newUsers, L"New", false },
        { "not made", true, false, newUsers, L"Old", false },
        { "cut on the disk", false, false, cut, L"Old", true },
        { "a link", false, true, newUsers, L"Old", true },
        { "made, beside names the game does not write", false, false, newUsers, L"New", false, true },
        { "not made, beside the game's names at their ends", true, false, newUsers, L"Old", false, false, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write(UserFile("us.txt"), oldUsers);
        fs::remove(UserFile("us.txt.unreadable"));
        if (c.savedGameWaits)
            Write(UserFile("1.pending"), SavedFiles::Utf16("XXXX;\r"));
        Write(c.link ? UserFile("elsewhere") : waiting, c.bytes);
        if (c.link)
            fs::create_symlink(UserFile("elsewhere"), waiting);
        const std::vector<std::string> beside = c.strays ? strays : std::vector<std::string> {};
        fs::create_directories(UserFile("highscore"));
        for (const std::string& name : beside)
            Write(UserFile(name), newUsers);
        for (const std::string& name : c.ours ? ours : std::vector<std::string> {})
            Write(UserFile(name), newUsers);
        Load();
        for (const std::string& name : beside)
            EXPECT_EQ(Bytes(UserFile(name)), newUsers) << name;
        for (const std::string& name : c.ours ? ours : std::vector<std::string> {})
            EXPECT_FALSE(fs::exists(UserFile(name))) << name;
        EXPECT_EQ(world.profileNames[1], c.read);
        EXPECT_FALSE(fs::exists(fs::symlink_status(waiting)) || fs::exists(UserFile("1.pending")));
        EXPECT_EQ(fs::exists(fs::symlink_status(UserFile("us.txt.unreadable"))), c.keptAside);
        // Only the waiting copy was damaged: the list read is whole.
        EXPECT_EQ(world.playerFileNotice,
            c.keptAside ? L"Your list of players stays as it was: a change that did not reach it is kept aside." : L"");
        if (c.keptAside) {
            EXPECT_EQ(Bytes(UserFile("us.txt")), oldUsers);
            EXPECT_EQ(Bytes(UserFile("us.txt.unreadable")), c.bytes);
        }
    }
}

// The game writes nothing but a regular file under a saved game's waiting
// name: a folder, a link or a FIFO there decides nothing. It is kept aside and
// told, the change settles as without it (made: the waiting list of players
// takes its place), and the next change of several files is saved.
TEST_F(PlayerData, ASavedGamesWaitingNameThatIsNoFileIsKeptAsideAndDecidesNothing)
{
    const auto [oldUsers, newUsers] = SaveOldAndMakeNew();
    const std::string waiting = UserFile("1.pending");
    const struct {
        const char* what;
        void (*make)(const std::string& path, const std::string& elsewhere);
        fs::file_type type;
    } cases[] = {
        { "a folder", [](const std::string& path, const std::string&) { fs::create_directory(path); },
            fs::file_type::directory },
        { "a link", [](const std::string& path, const std::string& elsewhere) { fs::create_symlink(elsewhere, path); },
            fs::file_type::symlink },
        { "a FIFO", [](const std::string& path, const std::string&) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
            fs::file_type::fifo },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : { "1", "1.unreadable", "elsewhere" })
            fs::remove_all(UserFile(name));
        Write(UserFile("us.txt"), oldUsers);
        Write(UserFile("us.txt.pending"), newUsers);
        Write(UserFile("elsewhere"), SavedFiles::Utf16("XXXX;\r"));
        c.make(waiting, UserFile("elsewhere"));
        Load();
        EXPECT_EQ(world.profileNames[1], L"New");
        EXPECT_FALSE(fs::exists(fs::symlink_status(waiting)) || fs::exists(UserFile("us.txt.pending")));
        EXPECT_EQ(fs::symlink_status(UserFile("1.unreadable")).type(), c.type);
        EXPECT_EQ(world.playerFileNotice,
            L"Your saved game stays as it was: a change that did not reach it is kept aside.");
        world.currentProfile = 1;
        EXPECT_TRUE(world::SavePlayerFilesTogether(world, L"test",
            { world::PlayerFile::SavedGame, platform::NarrowToWide(UserFile("1")), SavedFiles::Utf16("XXXX;\r") },
            { world::PlayerFile::Profiles, platform::NarrowToWide(UserFile("us.txt")), oldUsers }));
        EXPECT_EQ(Bytes(UserFile("us.txt")), oldUsers);
    }
}

// Whatever the game writes it reads back whole: fifty starts and saves of one
// profile, with every slot empty and with every value at its limits, leave
// exactly the files the game writes, byte for byte the same, none aside and
// nothing told.
TEST_F(PlayerData, FiftyStartsAndSavesLeaveExactlyTheGamesFiles)
{
    const auto fill = [this](int sign) {
        world.musicVolume = sign > 0 ? 1.0f : 0.0f;
        world.windowCenter = sign * world::kPlayerValueLimit;
        world.currentProfile = sign > 0 ? 6 : 1;
        settings.SetResolution(1024, 768);
        settings.mute = true;
        world.bank = world.money = sign * world::kPlayerValueLimit;
        for (int i = 0; i < world::kLevelTableSize; ++i)
            world.levelCounter[i] = world.levelMoney[i] = world.levelTime[i] = sign * world::kPlayerValueLimit;
        for (int p = 1; p <= world::kProfiles; ++p) {
            // As long as a typed name may be.
            world.profileNames[p] = sign > 0 ? L"[\u00c9ve Z\u00fcr \U0001F697 ##]" : L"";
            world.profileLastLevel[p] = sign > 0 ? world::kLastLevel : 0;
            world.profileDrive[p] = sign * world::kPlayerValueLimit;
            for (int& award : world.profileAwards[p])
                award = sign * world::kPlayerValueLimit;
        }
        Scene::ScoreTable table;
        for (int r = 0; r < Scene::ScoreTable::kRows; ++r) {
            table.scoreNames[r] = world.profileNames[1];
            table.scoreTimes[r] = table.scoreMoney[r] = sign * world::kPlayerValueLimit;
        }
        world.level = 3;
        ASSERT_TRUE(Scene::SaveScoreFile(table, Scene::ScoreFilePath(3)));
    };
    for (const int sign : { 0, 1, -1 }) {
        SCOPED_TRACE(sign);
        fs::remove_all(UserFolder());
        Load();
        if (sign != 0)
            fill(sign);
        ASSERT_TRUE(world.SaveConfig() && world.SaveGame());
        const auto files = [this] {
            std::map<std::string, std::vector<uint8_t>> found;
            for (const auto& entry : fs::recursive_directory_iterator(UserFolder()))
                found[entry.path().string()] = entry.is_regular_file() ? Bytes(entry.path()) : std::vector<uint8_t>();
            found.erase(UserFile("log.xml"));
            return found;
        };
        const auto written = files();
        for (int start = 0; start < 50; ++start) {
            logLines.clear();
            Load();
            world.LoadGame();
            world.furthestLevel = 3;
            world.LoadHighscores();
            ASSERT_TRUE(world.SaveConfig() && world.SaveGame()) << start;
            ASSERT_TRUE(world.playerFileNotice.empty() && !Logged(L"Warning")) << testing::PrintToString(logLines);
        }
        EXPECT_EQ(files(), written);
    }
}

// Profiles and settings read back as written, also in a comma locale where
// one is installed (the files always use '.'); an empty value reads as empty.
TEST_F(PlayerData, SaveAndLoadRoundTripAlsoInACommaLocale)
{
    const std::wstring names[7] = { L"", L"", L"M\u00fcller \u00d6zt\u00fcrk", L"\u0416\u043e\u0440\u0430",
        L"\u8eca \U0001F697", L"with space", L"x]" };
    for (const char* locale : { "C", "de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8" }) {
        SCOPED_TRACE(locale);
        Load();
        if (!std::setlocale(LC_NUMERIC, locale))
            continue; // not installed
        world.musicVolume = 0.25f;
        world.speechVolume = 0.75f;
        world.currentProfile = 3;
        world.windowCenter = 1;
        settings.SetResolution(1024, 768);
        settings.screenMode = settings.mute = 1;
        for (int i = 1; i <= 6; ++i) {
            world.profileNames[i] = names[i];
            world.profileLastLevel[i] = i * 5;
            world.profileDrive[i] = i % 2;
            for (int j = 0; j < 21; ++j)
                world.profileAwards[i][j] = world.profileBonusLevels[i][j % 10] = (i + j) % 10;
        }
        ASSERT_TRUE(world.SaveConfig());
        EXPECT_EQ(ReadEntries(UserFile("config.cfg"))[L"music volume"], L"   0.25000");
        EXPECT_EQ(ReadEntries(UserFile("us.txt"))[L"name 1"], L"");

        logLines.clear();
        Load();
        std::setlocale(LC_NUMERIC, "C");
        for (int i = 1; i <= 6; ++i) {
            EXPECT_EQ(world.profileNames[i], names[i]) << i;
            EXPECT_EQ(world.profileLastLevel[i], i * 5) << i;
            EXPECT_EQ(world.profileDrive[i], i % 2) << i;
            for (int j = 0; j < 21; ++j)
                EXPECT_EQ(world.profileAwards[i][j], (i + j) % 10) << i << "," << j;
            for (int j = 11; j < 21; ++j)
                EXPECT_EQ(world.profileBonusLevels[i][j % 10], (i + j) % 10) << i << "," << j;
        }
        EXPECT_EQ(std::pair(world.musicVolume, world.speechVolume), std::pair(0.25f, 0.75f));
        EXPECT_EQ(std::pair(world.currentProfile, world.furthestLevel), std::pair(3, 15));
        EXPECT_EQ(world.windowCenter + world.fullScreen + settings.mute, 3);
        EXPECT_FLOAT_EQ(settings.scaleY, 1.33f);
        EXPECT_TRUE(logLines.empty()) << testing::PrintToString(logLines);
    }
}

TEST_F(PlayerData, HostileValuesAreClamped)
{
    Entries config = DefaultConfig();
    for (const auto& [key, value] : Entries { { L"language", L"../../x" }, { L"workplace", L"99" },
             { L"x resolution", L"100000" }, { L"y resolution", L"-4" }, { L"startlevel", L"500" },
             { L"music volume", L"1e30" } })
        config[key] = value;
    Entries users = DefaultUsers();
    for (const auto& [key, value] : Entries { { L"awards 6", L"1;" }, { L"last level 6", L"500" },
             { L"bonus level 6", L"" }, { L"awards 5", L"7;" + std::wstring(200, L'9') + L";" },
             { L"last level 5", L"-2147483648" } })
        users[key] = value;
    UseProgramFolder(config, users);
    Load();

    EXPECT_TRUE(fs::is_directory(UserFolder()));
    EXPECT_FALSE(fs::exists(home / "x"));
    EXPECT_EQ(std::tuple(world.currentProfile, settings.GetHeight(), world.level, world.musicVolume),
        std::tuple(6, 1024, 31, 1.0f));
    EXPECT_EQ(world.profileAwards[6][0], 1);
    EXPECT_EQ(world.profileAwards[6][20] | world.profileBonusLevels[6][9], 0);
    EXPECT_EQ(std::pair(world.profileAwards[5][0], world.profileAwards[5][1]), std::pair(7, world::kPlayerValueLimit));
    EXPECT_EQ(std::pair(world.profileLastLevel[5], world.profileLastLevel[6]), std::pair(0, 31));
    EXPECT_EQ(world.furthestLevel, 31);
    // The tables bound the highscore reader whatever a screen sets.
    for (int furthest : { 31, 199, 200, 100000 }) {
        world.furthestLevel = furthest;
        EXPECT_TRUE(world.LoadHighscores());
    }
    EXPECT_EQ(world.highscoreWorkplace[199][6], 1);
}

TEST_F(PlayerData, HighscoresFillPositionsOneToSix)
{
    Load();
    fs::create_directories(UserFolder() + "/highscore");
    WriteEntries(UserFolder() + "/highscore/result_03.cfg",
        { { L"name1", L"Ann" }, { L"time1", L"95" }, { L"money1", L"1200" }, { L"workplace1", L"2" },
            { L"name3", L"Cy" }, { L"time3", L"40" }, { L"workplace3", L"4" } });
    world.highscoreNames[2][1] = world.highscoreNames[3][7] = L"stale";
    world.highscoreTime[3][2] = 77;
    world.furthestLevel = 3;
    EXPECT_TRUE(world.LoadHighscores());

    EXPECT_EQ(std::tuple(world.highscoreNames[3][1], world.highscoreTime[3][1], world.highscoreMoney[3][1]),
        std::tuple(std::wstring(L"Ann"), 95, 1200));
    // A missing key or position reads 0; positions 7..10 are not touched.
    EXPECT_EQ(std::pair(world.highscoreNames[3][3], world.highscoreMoney[3][3]), std::pair(std::wstring(L"Cy"), 0));
    EXPECT_EQ(std::pair(world.highscoreTime[3][2], world.highscoreNames[3][7]), std::pair(0, std::wstring(L"stale")));
    // A level without a file keeps the defaults.
    EXPECT_EQ(std::pair(world.highscoreNames[2][1], world.highscoreWorkplace[2][1]), std::pair(std::wstring(), 1));
}

} // namespace
} // namespace test
