// Highscore tables: the ranking of a new entry, sorting, the result files
// written and read back (also by the world's loader), hostile files, and a
// removed profile's rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/menu_high.h"
#include "frontend/menu_start.h"
#include "frontend/score_table.h"
#include "results_fixture.h"

namespace {

using Scene::ScoreTable;

struct Row {
    int money;
    int time;
};

ScoreTable TableOf(const std::vector<Row>& rows)
{
    ScoreTable t;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        t.scoreNames[i] = L"row" + std::to_wstring(i);
        t.scoreMoney[i] = rows[i].money;
        t.scoreTimes[i] = rows[i].time;
        t.scoreWorkplaces[i] = 1;
    }
    return t;
}

struct InsertCase {
    const char* what;
    std::vector<Row> rows;
    Row entry;
    int expectedRow;
};

TEST(ScoreTable, ANewEntryTakesTheFirstRowItRanksAtOrAbove)
{
    const std::vector<Row> full = { { 900, 10 }, { 800, 10 }, { 700, 10 }, { 600, 10 }, { 500, 10 }, { 400, 10 },
        { 300, 10 }, { 200, 10 }, { 100, 10 }, { 50, 10 } };
    const std::vector<InsertCase> cases = {
        { "empty table: any money above 0 is first", {}, { 5, 99 }, 0 },
        { "empty table: 0 money in 0 seconds is first", {}, { 0, 0 }, 0 },
        { "empty table: 0 money in more time beats no row", {}, { 0, 99 }, -1 },
        { "negative points beat rows of money 0", {}, { -20, 5 }, 0 },
        { "more money wins", full, { 850, 1 }, 1 },
        { "same money, less time wins", full, { 800, 9 }, 1 },
        { "same money and time goes above", full, { 800, 10 }, 1 },
        { "same money, more time goes below", full, { 800, 11 }, 2 },
        { "last row is overwritten", full, { 60, 10 }, 9 },
        { "beating no row changes nothing", full, { 40, 10 }, -1 },
        { "negative money beats a negative row", { { 100, 1 }, { -5, 1 }, { -5, 1 }, { -5, 1 }, { -5, 1 }, { -5, 1 },
            { -5, 1 }, { -5, 1 }, { -5, 1 }, { -5, 1 } }, { -10, 1 }, 1 },
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScoreTable t = TableOf(c.rows);
        const ScoreTable before = t;
        const int row = t.Insert(L"me", 3, c.entry.time, c.entry.money);
        EXPECT_EQ(row, c.expectedRow);
        if (row < 0) {
            for (int i = 0; i < ScoreTable::kRows; ++i)
                EXPECT_EQ(t.scoreMoney[i], before.scoreMoney[i]);
            continue;
        }
        EXPECT_EQ(t.scoreNames[row], L"me");
        EXPECT_EQ(t.scoreWorkplaces[row], 3);
        EXPECT_EQ(t.scoreMoney[row], c.entry.money);
        EXPECT_EQ(t.scoreTimes[row], c.entry.time);
        // The rows below moved down by one; the last one dropped out.
        for (int i = row + 1; i < ScoreTable::kRows; ++i) {
            EXPECT_EQ(t.scoreNames[i], before.scoreNames[i - 1]);
            EXPECT_EQ(t.scoreMoney[i], before.scoreMoney[i - 1]);
        }
    }
}

TEST(ScoreTable, CompactSortsByMoneyThenTimeAndKeepsEqualRowsInOrder)
{
    ScoreTable t = TableOf({ { 0, 0 }, { 300, 20 }, { 300, 10 }, { 0, 0 }, { 500, 1 }, { 300, 10 }, { -4, 0 },
        { 0, 0 }, { 0, 0 }, { 0, 0 } });
    t.Compact();
    const std::vector<std::wstring> order = { L"row4", L"row2", L"row5", L"row1", L"row0", L"row3", L"row7", L"row8",
        L"row9", L"row6" };
    for (int i = 0; i < ScoreTable::kRows; ++i)
        EXPECT_EQ(t.scoreNames[i], order[static_cast<std::size_t>(i)]) << i;
}

class ResultFiles : public ::testing::Test {
protected:
    test::UserFolderScope scope;
    cGameWorld& world = cGameWorld::Instance();
    Scene::MenuHigh high;
};

TEST_F(ResultFiles, AFirstReadCreatesTheHighscoreFolderAndAnEmptyTable)
{
    world.level = 7;
    high.LoadResults();
    ASSERT_TRUE(scope.Exists("highscore/result_07.cfg"));
    PropertyFile file = scope.ReadHighscore(7);
    EXPECT_EQ(file.Entries().size(), 40u);
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(file.GetString(L"name" + std::to_wstring(r)), L"...");
        EXPECT_EQ(file.GetInt(L"workplace" + std::to_wstring(r), 0), -1);
    }
    for (int i = 0; i < ScoreTable::kRows; ++i) {
        EXPECT_EQ(high.Table().scoreNames[i], L"...");
        EXPECT_EQ(high.Table().scoreWorkplaces[i], -1);
        EXPECT_EQ(high.Table().scoreMoney[i], 0);
        EXPECT_EQ(high.Table().scoreTimes[i], 0);
    }
}

TEST_F(ResultFiles, TheWorldsLoaderReadsTheFirstSixRowsOfWhatTheScreenWrites)
{
    world.level = 4;
    world.furthestLevel = 4;
    scope.WriteHighscore(4, "[name1]\r\nAnna\r\n[money1]\r\n700\r\n[time1]\r\n65\r\n[workplace1]\r\n2\r\n"
                            "[name6]\r\nBo\r\n[money6]\r\n10\r\n[time6]\r\n5\r\n[workplace6]\r\n3\r\n");
    high.LoadResults();
    EXPECT_EQ(high.Table().scoreNames[0], L"Anna");
    EXPECT_EQ(high.Table().scoreTimes[0], 65);
    high.SaveResults();
    ASSERT_TRUE(world.LoadHighscores());
    EXPECT_EQ(world.highscoreNames[4][1], L"Anna");
    EXPECT_EQ(world.highscoreMoney[4][1], 700);
    EXPECT_EQ(world.highscoreTime[4][1], 65);
    EXPECT_EQ(world.highscoreWorkplace[4][1], 2);
    EXPECT_EQ(world.highscoreNames[4][6], L"Bo");
    EXPECT_EQ(world.highscoreWorkplace[4][6], 3);
    EXPECT_EQ(world.highscoreNames[4][2], L"...");
}

TEST_F(ResultFiles, HostileFilesReadAsTablesAndNeverReachBeyondThem)
{
    world.level = 2;
    const std::string longName(5000, 'x');
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> files = {
        { "empty", {} },
        { "a BOM only", platform::WideToUtf16Le(L"\xFEFF") },
        { "an odd byte", { 0xFF, 0xFE, 0x5B } },
        { "no value line", platform::WideToUtf16Le(L"\xFEFF[money1]") },
        { "an unclosed key", platform::WideToUtf16Le(L"\xFEFF[money1\r\n5") },
        { "words for numbers", platform::WideToUtf16Le(L"\xFEFF[money1]\r\nlots\r\n[time1]\r\n-\r\n") },
        { "numbers beyond int",
            platform::WideToUtf16Le(L"\xFEFF[money1]\r\n99999999999999\r\n[time1]\r\n-99999999999999\r\n") },
        { "row numbers beyond the table", platform::WideToUtf16Le(L"\xFEFF[name11]\r\nX\r\n[name0]\r\nY\r\n") },
        { "a very long name", platform::WideToUtf16Le(L"\xFEFF[name1]\r\n" + platform::NarrowToWide(longName)) },
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        scope.WriteRaw(2, bytes);
        high.LoadResults();
        for (int i = 1; i < ScoreTable::kRows; ++i)
            EXPECT_NE(high.Table().scoreNames[i], L"X");
        // The screen draws what it read.
        world.resultScreenOpen = 1;
        world.highscoreTableReady = 1;
        high.Draw();
    }
    EXPECT_EQ(high.Table().scoreNames[0].size(), 5000u);
}

TEST_F(ResultFiles, RemovingAProfileBlanksItsRowsSortsThemDownAndStopsAtAMissingLevel)
{
    world.currentProfile = 2;
    const std::string rows = "[name1]\r\nMine\r\n[money1]\r\n900\r\n[time1]\r\n10\r\n[workplace1]\r\n2\r\n"
                             "[name2]\r\nTheirs\r\n[money2]\r\n500\r\n[time2]\r\n20\r\n[workplace2]\r\n4\r\n"
                             "[name3]\r\nMine again\r\n[money3]\r\n400\r\n[time3]\r\n30\r\n[workplace3]\r\n2\r\n";
    scope.WriteHighscore(1, rows);
    scope.WriteHighscore(2, rows);
    scope.WriteHighscore(4, rows); // level 3 is missing
    Scene::MenuStart start;
    start.RemoveProfileScores();

    for (int level : { 1, 2 }) {
        SCOPED_TRACE(level);
        PropertyFile file = scope.ReadHighscore(level);
        EXPECT_EQ(file.GetString(L"name1"), L"Theirs");
        EXPECT_EQ(file.GetInt(L"money1", -1), 500);
        EXPECT_EQ(file.GetInt(L"workplace1", -1), 4);
        // Both blanked rows rank with the empty ones, their number kept.
        EXPECT_EQ(file.GetString(L"name2"), L"...");
        EXPECT_EQ(file.GetInt(L"money2", -1), 0);
        EXPECT_EQ(file.GetInt(L"time2", -1), 0);
        EXPECT_EQ(file.GetInt(L"workplace2", -1), 2);
        EXPECT_EQ(file.GetInt(L"workplace3", -1), 2);
    }
    PropertyFile untouched = scope.ReadHighscore(4);
    EXPECT_EQ(untouched.GetString(L"name1"), L"Mine");
}

TEST_F(ResultFiles, WithoutAUserFolderTheTableIsEmptyAndNothingIsWritten)
{
    world.userFolder.clear();
    world.level = 3;
    high.LoadResults();
    EXPECT_TRUE(high.Table().scoreNames[0].empty());
    EXPECT_EQ(high.Table().scoreWorkplaces[0], -1);
    EXPECT_FALSE(scope.Exists("highscore"));
}

} // namespace
