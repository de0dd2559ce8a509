// Player files the game refuses to touch or cannot read: a damaged file that
// cannot be kept aside is never written over, and a start that cannot read
// its installed files says why in words.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

#include "frontend/score_table.h"
#include "platform/utf16.h"
#include "player_files_fixture.h"
#include "scene/gui_vocabulary.h"

namespace fs = std::filesystem;

namespace test {
namespace {

using FilesLeftAlone = PlayerFiles;

bool SaveTable()
{
    Scene::ScoreTable table;
    table.scoreNames[0] = L"Ada";
    return Scene::SaveScoreFile(table, Scene::ScoreFilePath(3));
}

// Every name a damaged copy could be kept under is taken by a folder with
// something in it (no link, no move can take its place): the save fails, says
// so, and leaves the damaged file byte for byte where it was.
TEST_F(FilesLeftAlone, ADamagedFileThatCannotBeKeptAsideIsNeverWrittenOver)
{
    struct File {
        const char* name;
        const wchar_t* told;
        std::function<bool(cGameWorld&)> save;
    };
    const File files[] = {
        { "us.txt", L"Your list of players", [](cGameWorld& w) { return w.SaveConfig(); } },
        { "config.cfg", L"Your settings file", [](cGameWorld& w) { return w.SaveConfig(); } },
        { "1", L"Your saved game", [](cGameWorld& w) { return w.SaveGame(); } },
        { "1_bau", L"Your station", [](cGameWorld& w) { return w.SaveLots(); } },
        { "highscore/result_03.cfg", L"A highscore table", [](cGameWorld&) { return SaveTable(); } },
    };
    for (const File& f : files) {
        SCOPED_TRACE(f.name);
        fs::remove_all(UserFolder());
        Load();
        world.profileNames[1] = L"Ada";
        world.level = 3;
        world.AddFundament(3, "a", "b", 9);
        world.CreateLot(2, 3, 3, 20, 0, 0, 0);
        ASSERT_TRUE(world.SaveConfig() && world.SaveGame() && world.SaveLots() && SaveTable());

        const std::string path = UserFile(f.name);
        std::ofstream(path, std::ios::binary | std::ios::app) << 'x';
        const auto damaged = Bytes(path);
        for (int n = 1; n <= 9; ++n) {
            const std::string folder = path + ".unreadable" + (n == 1 ? "" : std::to_string(n));
            fs::create_directories(folder);
            std::ofstream(folder + "/keep") << n;
        }
        world.playerFilesTold.clear();
        world.playerFileNotice.clear();
        logLines.clear();

        EXPECT_FALSE(f.save(world));
        EXPECT_EQ(Bytes(path), damaged);
        const std::wstring notSaved = std::wstring(f.told) + L" " + g_guiVocabulary[9];
        EXPECT_NE((world.playerFileNotice + L"\n").find(notSaved + L"\n"), std::wstring::npos)
            << testing::PrintToString(world.playerFileNotice);
        EXPECT_TRUE(Logged(L"it is not written over")) << testing::PrintToString(logLines);
        EXPECT_TRUE(fs::is_regular_file(path + ".unreadable9/keep"));

        // Once a name is free again the next save keeps the copy and writes.
        fs::remove_all(path + ".unreadable");
        EXPECT_TRUE(f.save(world));
        EXPECT_EQ(Bytes(path + ".unreadable"), damaged);
    }
}

// The installed settings or list of players, unreadable at a first start:
// the reason the player reads names what is wrong with the file.
TEST_F(FilesLeftAlone, AStartThatCannotReadAnInstalledFileSaysWhatIsWrongWithIt)
{
    struct Case {
        const char* file;
        const char* what;
        void (*spoil)(const fs::path&);
        const wchar_t* why;
    };
    const Case cases[] = {
        { "data/config.cfg", "a folder", [](const fs::path& p) { fs::remove(p), fs::create_directories(p / "x"); },
            L"it is not a file" },
        { "data/us.txt", "a folder", [](const fs::path& p) { fs::remove(p), fs::create_directories(p / "x"); },
            L"it is not a file" },
        { "data/config.cfg", "too big", [](const fs::path& p) { fs::resize_file(p, 2u << 20); },
            L"it is larger than 1 MB" },
        { "data/us.txt", "too big", [](const fs::path& p) { fs::resize_file(p, 2u << 20); },
            L"it is larger than 1 MB" },
        { "data/config.cfg", "empty", [](const fs::path& p) { fs::resize_file(p, 0); }, L"it holds no entries" },
        { "data/us.txt", "empty", [](const fs::path& p) { fs::resize_file(p, 0); }, L"it holds no entries" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.what);
        fs::remove_all(UserFolder());
        fs::create_directories(UserFolder());
        fs::remove_all(program / "data");
        UseProgramFolder(DefaultConfig(), DefaultUsers());
        c.spoil(program / c.file);
        logLines.clear();
        Load();
        EXPECT_EQ(world.quitRequested, 1);
        const std::wstring& failure = world.startFailure;
        EXPECT_NE(failure.find(platform::NarrowToWide(c.file) + L"\""), std::wstring::npos) << failure;
        EXPECT_NE(failure.find(c.why), std::wstring::npos) << failure;
        EXPECT_TRUE(Logged(failure));
    }
}

using StationFile = SavedFiles;

// Sets or clears the immutable flag of a file: not even root may delete it.
bool SetImmutable(const std::string& path, bool on)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    const bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0
        && (flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL, true)
        && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
}

// A new game deletes the profile's station file: whatever stands under its
// name that is not a file the game would read is no station and is left;
// a station file that cannot be deleted is reported, never passed off as gone.
TEST_F(StationFile, DeletingTheStationReportsAFileThatStaysBehind)
{
    const std::string station = File("1_bau");
    struct Case {
        const char* what;
        void (*make)(const std::string&);
        bool immutable;
        bool deleted;
        bool stays;
    };
    const Case cases[] = {
        { "no station", [](const std::string&) {}, false, true, false },
        { "a station", [](const std::string& p) { Write(p, Utf16("PLACE;20;2;3;9;\r\r")); }, false, true, false },
        { "a folder", [](const std::string& p) { fs::create_directories(p + "/x"); }, false, true, true },
        { "a station that cannot be deleted", [](const std::string& p) { Write(p, Utf16("PLACE;20;2;3;9;\r\r")); },
            true, false, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(station);
        c.make(station);
        if (c.immutable && !SetImmutable(station, true))
            continue; // this file system has no immutable files
        logLines.clear();
        EXPECT_EQ(world.DeleteLotSave(), c.deleted);
        if (c.immutable)
            SetImmutable(station, false);
        EXPECT_EQ(fs::exists(fs::symlink_status(station)), c.stays);
        EXPECT_EQ(Logged(L"unable to delete"), !c.deleted) << testing::PrintToString(logLines);
    }
    fs::remove_all(station);
    world.userFolder.clear();
    EXPECT_FALSE(world.DeleteLotSave());
}

} // namespace
} // namespace test
