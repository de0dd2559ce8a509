// A level's result goes into the player's files whole or not at all: the
// saved game, the level's table and the list of players change together,
// whatever stops the recording (a kill before any of its trips to the disk, a
// file that cannot be written), and a replay from whatever was left pays the
// level once.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_access.h"
#include "results_fixture.h"
#include "world/level_payout.h"
#include "world/saved_game_rows.h"

namespace {

namespace fs = std::filesystem;
using test::UserFolderScope;

constexpr int kLevel = 5;
constexpr int kProfile = 3;
constexpr int kMoney = 1000;

int g_killAt = 0;
int g_trips = 0;

void KillAtTrip()
{
    if (++g_trips >= g_killAt)
        _exit(0);
}

// What the disk holds of the player's progress, read as the next start reads it.
struct OnDisk {
    int money, status, counter, lastLevel, rows;
};

class ResultOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (g_guiVocabulary[1][0] == L'\0')
            LoadGuiVocabulary();
    }

    // Profile 3 at level 5, the level's table holding another player's run.
    void StoreProgress()
    {
        world.currentProfile = kProfile;
        world.profileNames[kProfile] = L"Kim";
        world.money = kMoney;
        for (int& status : world.levelStatus)
            status = -1;
        world.level = world.furthestLevel = world.profileLastLevel[kProfile] = kLevel;
        Scene::ScoreTable table;
        table.Insert(L"Ada", 1, 99, 10);
        ASSERT_TRUE(world.SaveGame() && world.SaveConfig()
            && Scene::SaveScoreFile(table, Scene::ScoreFilePath(kLevel)));
    }

    // Level 5 won with gold, on its cup: what the game's end records.
    int Win()
    {
        world.level = kLevel;
        world.levelTimeLimit = 120;
        world.levelElapsed = world.levelFinalTime = 30;
        world.drawStation = 1;
        world.levelPoints = 0;
        world.menuChoice = 0;
        world.levelOver = world.levelState = 1;
        world.evaluatePending = world.resultRecorded = world.resultScreenOpen = world.highscoreTableReady = 0;
        world::FixLevelPayout(world);
        return world.levelReward + world.levelBonus;
    }

    bool Record()
    {
        Scene::ResultScreen screen;
        return screen.RecordPendingResult();
    }

    OnDisk Read(const UserFolderScope& scope)
    {
        world.playerFileNotice.clear();
        EXPECT_TRUE(world.LoadGame());
        PropertyFile users;
        world::ReadPlayerProperties(
            world, L"test", world::PlayerFile::Profiles, world::ProfilesPath(world), users);
        PropertyFile file;
        EXPECT_TRUE(world.ReadHighscoreFile(Scene::ScoreFilePath(kLevel), file));
        Scene::ScoreTable table;
        table.Read(file);
        int rows = 0;
        for (int r = 0; r < Scene::ScoreTable::kRows; ++r)
            rows += table.scoreWorkplaces[r] == kProfile ? 1 : 0;
        for (const auto& entry : fs::recursive_directory_iterator(scope.folder.Path()))
            EXPECT_NE(entry.path().extension(), ".pending") << entry.path();
        return { world.money, world.levelStatus[kLevel], world.levelCounter[kLevel],
            users.GetInt(L"last level 3", 0), rows };
    }

    // The whole result of one gold run, or nothing of it.
    static void ExpectWholeOrNone(const OnDisk& disk, int payout, bool& whole)
    {
        whole = disk.counter == 1;
        const OnDisk expected = whole ? OnDisk { kMoney + payout, 2, 1, kLevel + 1, 1 }
                                      : OnDisk { kMoney, -1, 0, kLevel, 0 };
        EXPECT_EQ(disk.money, expected.money);
        EXPECT_EQ(disk.status, expected.status);
        EXPECT_EQ(disk.counter, expected.counter);
        EXPECT_EQ(disk.lastLevel, expected.lastLevel);
        EXPECT_EQ(disk.rows, expected.rows);
    }

    // The level played again from what the disk holds, as the next start
    // would: paid once in all, one row for each recorded run.
    void ExpectReplayPaysOnce(const UserFolderScope& scope, const OnDisk& disk, int payout, bool whole)
    {
        world.furthestLevel = world.profileLastLevel[kProfile] = disk.lastLevel;
        world.playerFileNotice.clear();
        Win();
        ASSERT_TRUE(Record());
        const OnDisk replayed = Read(scope);
        EXPECT_EQ(replayed.money, kMoney + payout);
        EXPECT_EQ(replayed.counter, whole ? 2 : 1);
        EXPECT_EQ(replayed.lastLevel, kLevel + 1);
        EXPECT_EQ(replayed.rows, whole ? 2 : 1);
    }

    cGameWorld& world = cGameWorld::Instance();
};

// The recording is killed before each of its trips to the disk in turn
// (every open, rename, removal and look); each restart finds the whole
// result or none of it, with nothing left waiting, and a replay pays once.
TEST_F(ResultOnDisk, AKillBeforeAnyTripToTheDiskLeavesTheWholeResultOrNone)
{
    int kills = 0, wholes = 0;
    for (g_killAt = 1;; ++g_killAt) {
        SCOPED_TRACE("killed before trip " + std::to_string(g_killAt));
        UserFolderScope scope;
        StoreProgress();
        const int payout = Win();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            g_trips = 0;
            platform::SetFileAccessHookForTests(KillAtTrip);
            Record();
            _exit(3); // recorded before the trip came
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        world.ResetToDefaults();
        world.userFolder = platform::NarrowToWide(scope.folder.Path());
        world.currentProfile = kProfile;
        const OnDisk disk = Read(scope);
        bool whole = false;
        ExpectWholeOrNone(disk, payout, whole);
        ExpectReplayPaysOnce(scope, disk, payout, whole);
        if (WEXITSTATUS(status) == 3) {
            EXPECT_TRUE(whole);
            break;
        }
        ++kills;
        wholes += whole ? 1 : 0;
        ASSERT_LT(g_killAt, 400) << "the recording never ends";
    }
    // Both answers were met: the kills came before and after the decision.
    EXPECT_GT(kills, 5);
    EXPECT_GT(wholes, 0);
    EXPECT_LT(wholes, kills);
}

// Each of the four files made read-only in turn, and a full disk: a file of
// the result that cannot be written leaves the result out of the files and
// out of play, and says so; the settings hold nothing of it, so the result
// stands without them. Either way a replay pays once.
TEST_F(ResultOnDisk, AFileThatCannotBeWrittenKeepsTheResultOutAndSaysSo)
{
    const struct {
        const char* file; // made read-only; null: a full disk
        bool recorded;
        std::vector<std::pair<int, int>> told; // the notice's lines: what, and what became of it
    } cases[] = {
        { "3", false, { { 3, 11 }, { 154, 0 } } },
        { "highscore/result_05.cfg", false, { { 5, 11 }, { 154, 0 } } },
        { "us.txt", false, { { 2, 11 }, { 154, 0 } } },
        { "config.cfg", true, { { 1, 11 } } },
        { nullptr, false, { { 3, 9 }, { 154, 0 } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "a full disk");
        UserFolderScope scope;
        StoreProgress();
        const int payout = Win();
        if (c.file)
            fs::permissions(scope.folder / c.file, fs::perms::owner_read);
        world.playerFileNotice.clear();
        {
            test::FileSizeLimit disk(c.file ? 1 << 20 : 16);
            ASSERT_TRUE(Record());
        }
        // In play as on the disk: the map shows what a restart would.
        EXPECT_EQ(world.money, c.recorded ? kMoney + payout : kMoney);
        EXPECT_EQ(world.furthestLevel, c.recorded ? kLevel + 1 : kLevel);
        EXPECT_EQ(world.levelStatus[kLevel], c.recorded ? 2 : -1);
        const auto kept = std::tuple(world.levelTime[kLevel], world.levelCounter[kLevel], world.levelMoney[kLevel],
            world.profileLastLevel[kProfile]);
        EXPECT_EQ(kept, c.recorded ? std::tuple(30, 1, payout, kLevel + 1) : std::tuple(0, 0, 0, kLevel));
        EXPECT_EQ(world.playerFileNoticeTexts, c.told);
        if (c.file)
            fs::permissions(scope.folder / c.file, fs::perms::owner_all);
        const OnDisk disk = Read(scope);
        bool whole = false;
        ExpectWholeOrNone(disk, payout, whole);
        EXPECT_EQ(whole, c.recorded);
        ExpectReplayPaysOnce(scope, disk, payout, whole);
    }
}

} // namespace
