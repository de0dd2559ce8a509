// The continue action after a level: tries, best rating and its time, money
// earned, unlocking and payment by the three kinds of run, and which files it
// writes; opened from the world map it only closes the screen.
#include <gtest/gtest.h>

#include "frontend/menu_high.h"
#include "results_fixture.h"

namespace {

std::string PlayerFilesBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RecordResult : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.currentProfile = 3;
        world.menuChoice = 0;
        world.resultScreenOpen = 1;
        world.levelOver = 1;
        world.levelState = 1;
        world.textEntryActive = 1;
        world.money = 1000;
        for (int& status : world.levelStatus)
            status = -1;
        world.taskRows.push_back({ 9, 0, 0, 0, 0, 0, L"task of nine" });
    }
    // A run of level lv with the given limit and time, paid reward + bonus.
    void Run(int lv, int limit, int elapsed, int reward, int bonus, int rating = 0)
    {
        world.level = lv;
        world.levelTimeLimit = limit;
        world.levelElapsed = elapsed;
        world.levelReward = reward;
        world.levelBonus = bonus;
        world.levelRating = rating;
        world.resultScreenOpen = 1;
        world.menuChoice = 0;
        world.levelOver = 1;
        high.Continue();
    }
    void Frontier(int lv)
    {
        world.furthestLevel = lv;
        world.profileLastLevel[3] = lv;
    }
    void ExpectLeft()
    {
        EXPECT_EQ(world.resultScreenOpen, 0);
        EXPECT_EQ(world.leaveLevel, 1);
        EXPECT_EQ(world.menuChoice, -1);
        EXPECT_EQ(world.levelOver, 0);
        EXPECT_TRUE(world.IsPaused());
        EXPECT_EQ(world.resultRecorded, 1);
        EXPECT_EQ(world.textEntryActive, 0);
    }

    test::UserFolderScope scope;
    cGameWorld& world = cGameWorld::Instance();
    Scene::MenuHigh high;
};

TEST_F(RecordResult, FromTheWorldMapItOnlyClosesTheScreen)
{
    world.menuChoice = -1;
    world.highscoresOpen = 1;
    world.level = 5;
    high.Continue();
    EXPECT_EQ(world.resultScreenOpen, 0);
    EXPECT_EQ(world.highscoresOpen, 0);
    EXPECT_EQ(world.levelCounter[5], 0);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.leaveLevel, 0);
    EXPECT_FALSE(scope.Exists("highscore"));
    EXPECT_FALSE(scope.Exists("config.cfg"));
}

TEST_F(RecordResult, AFailedRunKeepsOnlyItsTimeAndWritesEverything)
{
    Frontier(5);
    world.levelTime[5] = 40;
    world.levelStatus[5] = 2;
    Run(5, 100, 150, 300, 50, 2);
    EXPECT_EQ(world.levelCounter[5], 1);
    EXPECT_EQ(world.levelTime[5], 150);
    EXPECT_EQ(world.levelStatus[5], 2);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.furthestLevel, 5);
    ExpectLeft();
    EXPECT_TRUE(scope.Exists("highscore/result_05.cfg"));
    EXPECT_TRUE(scope.Exists("3"));
    EXPECT_TRUE(scope.Exists("config.cfg"));
}

TEST_F(RecordResult, APassedRunAtTheFrontierUnlocksTheNextLevelAndPaysInFull)
{
    Frontier(5);
    Run(5, 100, 90, 300, 50, 1);
    EXPECT_EQ(world.money, 1350);
    EXPECT_EQ(world.levelMoney[5], 350);
    EXPECT_EQ(world.levelStatus[5], 1);
    EXPECT_EQ(world.levelTime[5], 90);
    EXPECT_EQ(world.furthestLevel, 6);
    EXPECT_EQ(world.profileLastLevel[3], 6);
    EXPECT_EQ(world.level, 6);
    ExpectLeft();
    EXPECT_TRUE(scope.Exists("3"));
    // The text of the furthest level is the map's current one.
    EXPECT_EQ(world.taskText, L"not found");
}

TEST_F(RecordResult, AnEarlierLevelPaysOnlyTheRiseAndKeepsABetterRating)
{
    Frontier(8);
    world.levelMoney[5] = 300;
    world.levelStatus[5] = 2;
    world.levelTime[5] = 70;
    struct Case {
        int reward;
        int rating;
        int money;
        int levelMoney;
    };
    const Case cases[] = { { 250, 1, 1000, 300 }, { 300, 2, 1000, 300 }, { 420, 0, 1120, 420 } };
    for (const Case& c : cases) {
        Run(5, 100, 95, c.reward, 0, c.rating);
        EXPECT_EQ(world.money, c.money);
        EXPECT_EQ(world.levelMoney[5], c.levelMoney);
        EXPECT_EQ(world.levelStatus[5], 2);
        EXPECT_EQ(world.levelTime[5], 70);
        EXPECT_EQ(world.furthestLevel, 8);
        EXPECT_EQ(world.level, 8);
    }
    EXPECT_EQ(world.levelCounter[5], 3);
}

TEST_F(RecordResult, LevelThirtyPaysInFullEveryTimeAndUnlocksNothing)
{
    Frontier(30);
    Run(30, 100, 50, 500, 10, 2);
    Run(30, 100, 50, 500, 10, 2);
    EXPECT_EQ(world.money, 2020);
    EXPECT_EQ(world.furthestLevel, 30);
    EXPECT_EQ(world.profileLastLevel[3], 30);
}

TEST_F(RecordResult, AFrontierLevelThatIsNotTheProfilesLastPaysNothing)
{
    world.furthestLevel = 5;
    world.profileLastLevel[3] = 4;
    Run(5, 100, 50, 500, 10, 1);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.furthestLevel, 5);
    EXPECT_EQ(world.levelStatus[5], 1);
}

TEST_F(RecordResult, TheFirstOfATripleWithALimitWritesOnlyTheSettings)
{
    Frontier(9);
    world.levelStatus[7] = -1;
    Run(7, 100, 50, 500, 10, 2);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.levelStatus[7], -1);
    EXPECT_EQ(world.furthestLevel, 9);
    EXPECT_EQ(world.level, 9);
    EXPECT_TRUE(scope.Exists("config.cfg"));
    EXPECT_FALSE(scope.Exists("3"));
    EXPECT_TRUE(scope.Exists("highscore/result_07.cfg"));
    ExpectLeft();
}

TEST_F(RecordResult, TheFirstOfATripleWithoutALimitPaysFirstTheWholeThenTheRiseThenAFifth)
{
    Frontier(10);
    struct Case {
        int payout;
        int money;
        int levelMoney;
    };
    const Case cases[] = { { 1000, 2000, 1000 }, { 1200, 2200, 1200 }, { 1234, 2234, 1234 }, { 1234, 2480, 1234 },
        { 500, 2580, 1234 } };
    for (const Case& c : cases) {
        Run(10, 0, 400, c.payout, 0);
        EXPECT_EQ(world.money, c.money);
        EXPECT_EQ(world.levelMoney[10], c.levelMoney);
        EXPECT_EQ(world.levelStatus[10], 0);
        EXPECT_EQ(world.level, 10);
    }
    // Its first run unlocked the next level; the profile's last level went with it.
    EXPECT_EQ(world.furthestLevel, 11);
    EXPECT_EQ(world.profileLastLevel[3], 11);
    EXPECT_EQ(world.levelCounter[10], 5);
    ExpectLeft();
}

TEST_F(RecordResult, ALaterLevelWithoutALimitEarnsNothingButUnlocks)
{
    Frontier(8);
    world.levelStatus[8] = 1;
    Run(8, 0, 60, 700, 70);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.levelStatus[8], 1);
    EXPECT_EQ(world.furthestLevel, 9);
    EXPECT_EQ(world.profileLastLevel[3], 9);
    EXPECT_EQ(world.level, 8);
    EXPECT_EQ(world.taskText, L"task of nine");
    EXPECT_EQ(world.taskId, 9);
}

TEST_F(RecordResult, OutOfRangeLevelsAndProfilesRecordNothingButTheLevelIsLeft)
{
    Frontier(5);
    for (int lv : { 0, -3, 50, 400 }) {
        Run(lv, 100, 50, 100, 0, 2);
        ExpectLeft();
    }
    world.currentProfile = 99;
    Run(5, 100, 50, 100, 0, 2);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.furthestLevel, 5);
    ExpectLeft();
}

// A saved game or a highscore table that exists but cannot be read is never
// written over: after a played level it is there, byte for byte, beside the
// new file, and the player was told.
TEST_F(RecordResult, UnreadablePlayerFilesSurviveAPlayedLevel)
{
    const std::string utf8Save = "XXXX;\rBANK;4321;\rSTATUS;2;2;2;2;2;2;2;2;\r";
    const std::string utf8Table = "\xEF\xBB\xBF[name1]\r\nAda\r\n[money1]\r\n900\r\n[time1]\r\n80\r\n";
    const char damaged[] = "\x01\xFF\x00\x9C;;\r\x00\xFE\xFF\x13";
    const std::string damage(damaged, sizeof damaged - 1);
    // Whole files beyond 1 MB are refused unread.
    std::string bigSave, bigTable = "\xFF\xFE";
    for (const char c : std::string("XXXX;\rBANK;4321;") + std::string(1 << 19, '\r'))
        bigSave += { c, '\0' };
    for (const char c : std::string("[name1]\r\nAda\r\n") + std::string(1 << 19, '\n'))
        bigTable += { c, '\0' };
    const std::pair<std::string, std::string> cases[]
        = { { utf8Save, utf8Table }, { damage, damage }, { bigSave, bigTable } };
    for (const auto& [save, table] : cases) {
        test::UserFolderScope files;
        world.currentProfile = 3;
        Frontier(5);
        std::ofstream(files.folder / "3", std::ios::binary) << save;
        files.WriteRaw(5, table);
        world.LoadGame();
        world.LoadHighscores();
        high.LoadResults();
        Run(5, 100, 90, 300, 50, 1);

        EXPECT_EQ(PlayerFilesBytes(files.folder / "3.unreadable"), save);
        EXPECT_EQ(PlayerFilesBytes(files.HighscorePath(5) + ".unreadable"), table);
        EXPECT_TRUE(world.LoadGame());
        EXPECT_EQ(world.levelStatus[5], 1);
        EXPECT_TRUE(files.ReadHighscore(5).HasKey(L"money1"));
        EXPECT_NE(world.playerFileNotice.find(L"cannot be read"), std::wstring::npos);
    }
}

} // namespace
