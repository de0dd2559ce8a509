// After a level: the highscore table and its files, the result screen, and
// the continue action that records tries, times, ratings and money.
#include <gtest/gtest.h>

#include <cwchar>

#include "frontend/result_screen.h"
#include "frontend/score_table.h"
#include "frontend/start_screen.h"
#include "resources/property_file.h"
#include "results_fixture.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud_fixture.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"
#include "world/player_file_rule.h"

namespace {

using Scene::ScoreTable;

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using test::ResultScreenTest;
using test::UserFolderScope;

TEST(ScoreTable, ANewEntryTakesTheFirstRowItRanksAtOrAbove)
{
    struct Row {
        int money, time;
    };
    const std::vector<Row> full
        = { { 900, 10 }, { 800, 10 }, { 700, 10 }, { 600, 10 }, { 500, 10 }, { 400, 10 }, { 300, 10 }, { 200, 10 },
              { 100, 10 }, { 50, 10 } };
    const struct {
        std::vector<Row> rows;
        Row entry;
        int expectedRow;
    } cases[] = {
        { {}, { 5, 99 }, 0 },
        { {}, { 0, 0 }, 0 },
        { {}, { 0, 99 }, -1 },
        { {}, { -20, 5 }, 0 },
        { full, { 850, 1 }, 1 },
        { full, { 800, 9 }, 1 },
        { full, { 800, 10 }, 1 },
        { full, { 800, 11 }, 2 },
        { full, { 60, 10 }, 9 },
        { full, { 40, 10 }, -1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entry.money << " in " << c.entry.time);
        ScoreTable t;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            t.scoreNames[i] = L"row" + std::to_wstring(i);
            t.scoreMoney[i] = c.rows[i].money;
            t.scoreTimes[i] = c.rows[i].time;
        }
        const ScoreTable before = t;
        const int row = t.Insert(L"me", 3, c.entry.time, c.entry.money);
        EXPECT_EQ(row, c.expectedRow);
        if (row < 0) {
            EXPECT_EQ(t.scoreNames[9], before.scoreNames[9]);
            continue;
        }
        EXPECT_EQ(t.scoreNames[row], L"me");
        EXPECT_EQ(t.scoreWorkplaces[row], 3);
        EXPECT_EQ(t.scoreMoney[row], c.entry.money);
        EXPECT_EQ(t.scoreTimes[row], c.entry.time);
        for (int i = row + 1; i < ScoreTable::kRows; ++i)
            EXPECT_EQ(t.scoreNames[i], before.scoreNames[i - 1]);
    }
}

class ResultFiles : public ::testing::Test {
protected:
    UserFolderScope scope;
    cGameWorld& world = cGameWorld::Instance();
    Scene::ResultScreen resultScreen;
};

TEST_F(ResultFiles, RemovingAProfileBlanksItsRowsSortsThemDownAndStopsAtAMissingLevel)
{
    world.currentProfile = 2;
    const std::string rows = "[name1]\r\nMine\r\n[money1]\r\n900\r\n[time1]\r\n10\r\n[workplace1]\r\n2\r\n"
                             "[name2]\r\nTheirs\r\n[money2]\r\n500\r\n[time2]\r\n20\r\n[workplace2]\r\n4\r\n";
    for (int level : { 1, 2, 4 }) // level 3 is missing
        scope.WriteTable(level, rows);
    Scene::StartScreen().RemoveProfileScores();
    for (int level : { 1, 2 }) {
        PropertyFile file = scope.ReadTable(level);
        EXPECT_EQ(file.GetString(L"name1"), L"Theirs");
        EXPECT_EQ(file.GetString(L"name2"), L"...");
        EXPECT_EQ(file.GetInt(L"money2", -1), 0);
        EXPECT_EQ(file.GetInt(L"time2", -1), 0);
        EXPECT_EQ(file.GetInt(L"workplace2", -1), 2);
    }
    EXPECT_EQ(scope.ReadTable(4).GetString(L"name1"), L"Mine");
}

class RecordResult : public ::testing::Test {
protected:
    void Start(int furthest, int profileLast)
    {
        world.currentProfile = 3;
        world.money = 1000;
        for (int& status : world.levelStatus)
            status = -1;
        world.furthestLevel = furthest;
        world.profileLastLevel[3] = profileLast;
    }
    void Run(int lv, int limit, int elapsed, int reward, int bonus, int rating = 0)
    {
        world.level = lv;
        world.levelTimeLimit = limit;
        world.levelElapsed = elapsed;
        world.levelReward = reward;
        world.levelBonus = bonus;
        world.levelRating = rating;
        world.resultScreenOpen = world.levelOver = world.levelState = world.textEntryActive = 1;
        world.menuChoice = 0;
        resultScreen.Continue();
        // The level is always left.
        EXPECT_EQ(world.resultScreenOpen, 0);
        EXPECT_EQ(world.leaveLevel, 1);
        EXPECT_EQ(world.menuChoice, -1);
        EXPECT_EQ(world.levelOver, 0);
        EXPECT_TRUE(world.IsPaused());
        EXPECT_EQ(world.resultRecorded, 1);
        EXPECT_EQ(world.textEntryActive, 0);
    }
    cGameWorld& world = cGameWorld::Instance();
    Scene::ResultScreen resultScreen;
};

// Who is paid what, what is unlocked and which rating and time are kept.
TEST_F(RecordResult, ARunIsPaidUnlocksAndKeepsItsBestByTheKindOfLevel)
{
    const struct {
        const char* what;
        int furthest, profileLast, lv, limit, elapsed, reward, bonus, rating;
        int oldStatus, oldTime, oldMoney;
        int money, furthestAfter, status, time, levelAfter;
        bool saveWritten;
    } cases[] = {
        { "failed keeps only its time", 5, 5, 5, 100, 150, 300, 50, 2, 2, 40, 0, 1000, 5, 2, 150, 5, true },
        { "failed first of a triple beyond the furthest", 5, 5, 7, 100, 150, 0, 0, 0, -1, 0, 0, 1000, 5, -1, 150, 7,
            true },
        { "earlier level, less", 8, 8, 5, 100, 95, 250, 0, 1, 2, 70, 300, 1000, 8, 2, 70, 8, true },
        { "earlier level pays the rise", 8, 8, 5, 100, 95, 420, 0, 0, 2, 70, 300, 1120, 8, 2, 70, 8, true },
        { "passed at the frontier", 5, 5, 5, 100, 50, 500, 10, 1, -1, 0, 0, 1510, 6, 1, 50, 6, true },
        { "frontier an older version paid", 5, 5, 5, 100, 50, 500, 10, 1, -1, 0, 300, 1210, 6, 1, 50, 6, true },
        { "level 30 pays in full again", 30, 30, 30, 100, 50, 500, 10, 1, 1, 40, 510, 1510, 30, 1, 40, 30, true },
        { "frontier but not the profile's last", 5, 4, 5, 100, 50, 500, 10, 1, -1, 0, 0, 1000, 5, 1, 50, 5, true },
        { "passed at its limit", 5, 5, 5, 100, 100, 500, 10, 0, -1, 0, 0, 1510, 6, 0, 100, 6, true },
        { "failed below the furthest", 8, 8, 5, 100, 101, 420, 0, 0, 1, 70, 300, 1000, 8, 1, 101, 8, true },
        { "first of a triple with a limit", 9, 9, 7, 100, 50, 500, 10, 2, -1, 0, 0, 1000, 9, -1, 0, 9, false },
        { "first of a triple with a limit at the frontier", 7, 7, 7, 100, 50, 500, 10, 2, -1, 0, 0, 1000, 7, -1, 0, 7,
            false },
        { "later level without a limit", 8, 8, 8, 0, 60, 700, 70, 0, 1, 0, 0, 1000, 9, 1, 0, 8, true },
        { "level 0", 5, 5, 0, 100, 50, 100, 0, 2, -1, 0, 0, 1000, 5, -1, 0, 0, false },
        { "level 50", 5, 5, 50, 100, 50, 100, 0, 2, -1, 0, 0, 1000, 5, -1, 0, 50, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UserFolderScope scope;
        Start(c.furthest, c.profileLast);
        if (c.lv > 0 && c.lv <= 30) {
            world.levelStatus[c.lv] = c.oldStatus;
            world.levelTime[c.lv] = c.oldTime;
            world.levelMoney[c.lv] = c.oldMoney;
        }
        Run(c.lv, c.limit, c.elapsed, c.reward, c.bonus, c.rating);
        EXPECT_EQ(world.money, c.money);
        EXPECT_EQ(world.furthestLevel, c.furthestAfter);
        EXPECT_EQ(world.level, c.levelAfter);
        EXPECT_EQ(scope.Exists("3"), c.saveWritten);
        EXPECT_EQ(scope.Exists("us.txt"), c.saveWritten);
        if (c.lv > 0 && c.lv <= 30) {
            EXPECT_EQ(world.levelCounter[c.lv], 1);
            EXPECT_EQ(world.levelStatus[c.lv], c.status);
            EXPECT_EQ(world.levelTime[c.lv], c.time);
            EXPECT_TRUE(scope.Exists("config.cfg"));
            EXPECT_TRUE(std::filesystem::exists(scope.TablePath(c.lv)));
        }
    }
}

TEST_F(RecordResult, TheFirstOfATripleWithoutALimitPaysFirstTheWholeThenTheRiseThenAFifth)
{
    UserFolderScope scope;
    Start(10, 10);
    const int payouts[] = { 1000, 1200, 1234, 1234, 500 };
    const int money[] = { 2000, 2200, 2234, 2480, 2580 };
    for (int i = 0; i < 5; ++i) {
        Run(10, 0, 400, payouts[i], 0);
        EXPECT_EQ(world.money, money[i]) << i;
        EXPECT_EQ(world.levelStatus[10], 0);
        // Still selected, and in the saved game.
        EXPECT_EQ(world.level, 10);
        EXPECT_TRUE(scope.Exists("3"));
    }
    EXPECT_EQ(world.levelMoney[10], 1234);
    EXPECT_EQ(world.furthestLevel, 11);
    EXPECT_EQ(world.profileLastLevel[3], 11);
}

TEST_F(RecordResult, FromTheWorldMapItOnlyClosesTheScreen)
{
    UserFolderScope scope;
    Start(5, 5);
    world.menuChoice = -1;
    world.highscoresOpen = world.resultScreenOpen = 1;
    world.level = 5;
    resultScreen.Continue();
    EXPECT_EQ(world.resultScreenOpen + world.highscoresOpen + world.leaveLevel + world.levelCounter[5], 0);
    EXPECT_EQ(world.money, 1000);
    EXPECT_FALSE(scope.Exists("highscore"));
    EXPECT_FALSE(scope.Exists("config.cfg"));
}

std::string Utf16(const std::string& ascii)
{
    std::string bytes;
    for (const char c : ascii)
        bytes += { c, '\0' };
    return bytes;
}

// A save or highscore table the game would not have written (cut short, a
// copy in another encoding, too big, numbers beyond what the game holds) is
// never written over: after a played level it is there, byte for byte, beside
// the new file, the player was told in words, and the new file reads back
// whole. Damaged settings, profiles and saves read alone: tests/world.
TEST_F(RecordResult, DamagedPlayerFilesSurviveAPlayedLevel)
{
    if (g_guiVocabulary[1][0] == L'\0')
        LoadGuiVocabulary();
    std::string save = "XXXX;\rBANK;4321;\rMONEY;1000;\r";
    for (const char* row : { "COUNTER;", "STATUS;", "GELD;", "LEVEL_TIME;" }) {
        save += row;
        for (int i = 0; i < 50; ++i)
            save += i == 5 && row[0] == 'S' ? "-1;" : "0;";
        save += "\r";
    }
    std::string nearLimits = save;
    nearLimits.replace(nearLimits.find("MONEY;1000"), 10, "MONEY;2147477950");
    nearLimits.replace(nearLimits.find("COUNTER;0;0;0;0;0;0"), 19, "COUNTER;0;0;0;0;0;2147483647");
    std::string table = "\xFF\xFE";
    for (int r = 1; r <= 10; ++r)
        table += Utf16("[money" + std::to_string(r) + "]\r\n900\r\n[name" + std::to_string(r) + "]\r\nAda\r\n");
    std::string bigTable = "\xFF\xFE" + Utf16("[name1]\r\nAda\r\n" + std::string(1 << 19, '\n'));
    struct Case { const char* what; std::string name, bytes; const wchar_t* told; };
    const Case cases[] = {
        { "a save beyond 1 MB", "3", Utf16("XXXX;\rBANK;4321;" + std::string(1 << 19, '\r')), L"Your saved game" },
        { "numbers near the int limits", "3", Utf16(nearLimits), L"Your saved game" },
        { "a UTF-8 table", "highscore/result_05.cfg", "\xEF\xBB\xBF[name1]\r\nAda\r\n", L"A highscore table" },
        { "a table cut short", "highscore/result_05.cfg", table.substr(0, table.size() / 2),
            L"A highscore table" },
        { "a table beyond 1 MB", "highscore/result_05.cfg", bigTable, L"A highscore table" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UserFolderScope files;
        Start(5, 5);
        std::filesystem::create_directories(files.folder / "highscore");
        std::ofstream(files.folder / "3", std::ios::binary) << Utf16(save);
        std::ofstream(files.folder / c.name, std::ios::binary) << c.bytes;
        world.LoadGame();
        world.LoadHighscores();
        resultScreen.LoadResults();
        Run(5, 100, 90, 300, 50, 1);

        EXPECT_EQ(FileBytes(files.folder / (c.name + ".unreadable")), c.bytes);
        EXPECT_EQ(world.playerFileNotice.rfind(c.told, 0), 0u) << testing::PrintToString(world.playerFileNotice);
        world.playerFileNotice.clear();
        world.playerFilesTold.clear();
        EXPECT_TRUE(world.LoadGame());
        EXPECT_EQ(world.levelStatus[5], 1);
        EXPECT_TRUE(files.ReadTable(5).HasKey(L"money1"));
        EXPECT_TRUE(world.playerFileNotice.empty());
        // Sums saturate at what the game holds.
        EXPECT_TRUE(world.money > 0 && world.money <= world::kPlayerValueLimit) << world.money;
    }
}

// On a full disk the first file of the result that cannot be written is
// named, and the notice says the result was not recorded: the level is left
// with the player's progress as it was.
TEST_F(RecordResult, AFullDiskAtALevelsEndNamesTheFileAndRecordsNothing)
{
    if (g_guiVocabulary[1][0] == L'\0')
        LoadGuiVocabulary();
    UserFolderScope files;
    Start(5, 5);
    {
        test::FileSizeLimit full(16);
        Run(5, 100, 90, 300, 50, 1);
    }
    for (const std::wstring& line :
        { std::wstring(L"Your saved game ") + g_guiVocabulary[9], std::wstring(g_guiVocabulary[154]) })
        EXPECT_NE(world.playerFileNotice.find(line), std::wstring::npos)
            << testing::PrintToString(world.playerFileNotice);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(world.furthestLevel, 5);
    EXPECT_EQ(world.levelCounter[5], 0);
}

TEST_F(ResultScreenTest, AWonLevelsEntryTakesTheTypedNameOfTwentyCharactersAtMost)
{
    Frame();
    EXPECT_EQ(resultScreen.GetNewEntryRow(), 0);
    // Played for the first time: the level's table was made of ten empty rows.
    PropertyFile made;
    ASSERT_TRUE(ReadLevelTable(made));
    for (int r = 1; r <= 10; ++r) {
        const std::wstring n = std::to_wstring(r);
        EXPECT_EQ(made.GetString(L"name" + n), L"...");
        EXPECT_EQ(made.GetInt(L"time" + n, -9) + made.GetInt(L"money" + n, -9), 0);
        EXPECT_EQ(made.GetInt(L"workplace" + n, 0), -1);
    }
    EXPECT_EQ(world.textEntryActive, 1);
    EXPECT_EQ(std::wstring(world.textEntry), L"Kim");
    EXPECT_EQ(Count(L"450"), 2);
    EXPECT_EQ(Count(L"01:15"), 2);
    EXPECT_EQ(Count(L"7"), 0); // rows 7..10 are not drawn
    EXPECT_EQ(world.textEntryMax, 20);
    std::wcscpy(world.textEntry, L"Kizzzzzzzzzzzzzzzzzz");
    Frame();
    EXPECT_EQ(resultScreen.Table().scoreNames[0], L"Kizzzzzzzzzzzzzzzzzz");
    PressContinue();
    EXPECT_EQ(world.leaveLevel, 1);
    EXPECT_EQ(world.money, 450);
}

TEST_F(ResultScreenTest, OnlyAWonLevelEntersItsResultAlsoInTheHiddenRows)
{
    world.levelState = 0;
    Frame();
    EXPECT_EQ(resultScreen.GetNewEntryRow(), -1);
    EXPECT_EQ(world.textEntryActive, 0);
    EXPECT_EQ(Count(L"Kim"), 0);

    std::string text;
    for (int r = 1; r <= 8; ++r)
        text += "[name" + std::to_string(r) + "]\r\nP\r\n[money" + std::to_string(r) + "]\r\n"
            + std::to_string(10000 - r) + "\r\n";
    const auto bytes = platform::WideToUtf16Le(L"\xFEFF" + platform::NarrowToWide(text));
    std::ofstream(folder / "user/highscore/result_05.cfg", std::ios::binary) << std::string(bytes.begin(), bytes.end());
    world.levelState = 1;
    world.highscoreTableReady = 0;
    Frame();
    EXPECT_EQ(resultScreen.GetNewEntryRow(), 8);
    EXPECT_EQ(world.textEntryActive, 1);
}

// A level without a time limit shows the points it earned only when it
// earned some, and enters them in its table as they stand: points below zero
// still rank above the empty rows, while none at all beat no row and start
// no name.
TEST_F(ResultScreenTest, ALevelWithoutATimeLimitShowsItsPointsWhenThereAreSomeAndEntersThemAsTheyStand)
{
    const struct {
        int limit, points;
        bool shown;
        int entryRow;
    } cases[] = { { 0, 30, true, 0 }, { 0, 0, false, -1 }, { 120, 30, false, 0 }, { 0, -300, false, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit + c.points);
        world.levelTimeLimit = c.limit;
        world.levelPoints = c.points;
        world.highscoreTableReady = 0;
        Frame();
        EXPECT_EQ(Count(L"text 131: " + std::to_wstring(c.points)), c.shown ? 2 : 0);
        EXPECT_EQ(resultScreen.GetNewEntryRow(), c.entryRow);
        EXPECT_EQ(world.textEntryActive, c.entryRow >= 0 ? 1 : 0);
        if (c.entryRow >= 0) {
            EXPECT_EQ(resultScreen.Table().scoreMoney[c.entryRow], c.limit ? 450 : c.points);
        }
        world.textEntryActive = 0;
    }
    // Continue writes the last, negative result into the level's table.
    PressContinue();
    ASSERT_EQ(world.leaveLevel, 1);
    PropertyFile table;
    ASSERT_TRUE(ReadLevelTable(table));
    EXPECT_EQ(table.GetInt(L"money1", 0), -300);
}

} // namespace
