// What a highscore table file holds after a level, and what the screens read
// back from it.
#include "results_fixture.h"

namespace {

using Scene::ScoreTable;
using test::ResultScreenTest;
using test::UserFolderScope;

// A won level's run goes into its table file at its rank under the typed
// name, with its money, time and profile, the rows below it moving down; the
// saved game holds the level passed and paid; and the table opened from the
// map later shows the file's rows in rank order.
TEST_F(ResultScreenTest, AWonLevelsRowIsInItsFileAndTheTableFromTheMapShowsIt)
{
    std::string rows;
    const char* const names[] = { "Ann", "Bob", "Cid" };
    const int money[] = { 900, 300, 200 };
    for (int r = 1; r <= 3; ++r)
        rows += "[name" + std::to_string(r) + "]\r\n" + names[r - 1] + "\r\n[money" + std::to_string(r) + "]\r\n"
            + std::to_string(money[r - 1]) + "\r\n[time" + std::to_string(r) + "]\r\n" + std::to_string(50 + r)
            + "\r\n[workplace" + std::to_string(r) + "]\r\n" + std::to_string(r + 4) + "\r\n";
    const auto bytes = platform::WideToUtf16Le(L"\xFEFF" + platform::NarrowToWide(rows));
    std::ofstream(folder / "user/highscore/result_05.cfg", std::ios::binary) << std::string(bytes.begin(), bytes.end());

    world.levelStatus[5] = -1;
    world.levelRating = 1; // silver
    Frame();
    ASSERT_EQ(resultScreen.GetNewEntryRow(), 1); // 450 ranks below 900
    std::wcscpy(world.textEntry, L"Kimi");
    Frame();
    PressContinue();
    ASSERT_EQ(world.leaveLevel, 1);

    PropertyFile file;
    ASSERT_TRUE(ReadLevelTable(file));
    const struct {
        const wchar_t* name;
        int money, time, workplace;
    } expected[] = { { L"Ann", 900, 51, 5 }, { L"Kimi", 450, 75, 2 }, { L"Bob", 300, 52, 6 }, { L"Cid", 200, 53, 7 },
        { L"...", 0, 0, -1 } };
    for (int r = 1; r <= 5; ++r) {
        SCOPED_TRACE(r);
        const auto& e = expected[r - 1];
        EXPECT_EQ(file.GetString(L"name" + std::to_wstring(r)), e.name);
        EXPECT_EQ(file.GetInt(L"money" + std::to_wstring(r), -9), e.money);
        EXPECT_EQ(file.GetInt(L"time" + std::to_wstring(r), -9), e.time);
        if (r < 5) {
            EXPECT_EQ(file.GetInt(L"workplace" + std::to_wstring(r), -9), e.workplace);
        }
    }

    EXPECT_EQ(world.profileLastLevel[2], 6);
    // The saved game, read back.
    world.money = 0;
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(world.money, 450);
    EXPECT_EQ(world.levelStatus[5], 1);
    EXPECT_EQ(world.levelTime[5], 75);
    EXPECT_EQ(world.levelCounter[5], 1);
    // The map's best run of the level is the file's first row.
    EXPECT_EQ(world.highscoreNames[5][1], L"Ann");
    EXPECT_EQ(world.highscoreTime[5][1], 51);

    // Opened from the map, the table shows the rows in rank order.
    world.level = 5;
    world.menuChoice = -1;
    world.levelOver = world.levelState = 0;
    world.highscoresOpen = world.resultScreenOpen = 1;
    world.highscoreTableReady = 0;
    Scene::ResultScreen again;
    again.SetActive(true);
    MoveMouse(0, 0);
    gfx.ClearRecords();
    Wait(17);
    again.Draw();
    std::vector<std::pair<int, std::wstring>> shown; // y, text
    for (const test::GfxDraw* d : TextDraws())
        for (const auto& e : expected)
            if (d->color != 0xFF000000u && (d->text == e.name || d->text == std::to_wstring(e.money)))
                shown.emplace_back(d->y, d->text);
    std::stable_sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::wstring> order;
    for (const auto& [y, text] : shown)
        order.push_back(text);
    EXPECT_EQ(order, (std::vector<std::wstring> { L"Ann", L"900", L"Kimi", L"450", L"Bob", L"300", L"Cid", L"200",
                         L"...", L"0", L"...", L"0" }));
}

// A new game removes the profile's rows from every table; the rows left rank
// by money, then by the shorter time, equal rows keeping their order, and the
// emptied rows rank as rows of no money in no time.
TEST(ResultTables, RemovingAProfileRanksTheRowsLeftByMoneyThenTime)
{
    UserFolderScope scope;
    cGameWorld::Instance().currentProfile = 2;
    const struct {
        const char* name;
        int money, time, workplace;
    } rows[] = { { "Mine", 900, 10, 2 }, { "A", 300, 20, 4 }, { "B", 300, 10, 4 }, { "Mine", 400, 5, 2 },
        { "C", 500, 1, 5 }, { "D", 300, 10, 3 }, { "E", 0, 0, 6 } };
    std::string text;
    for (int r = 1; r <= 7; ++r) {
        const auto& row = rows[r - 1];
        const std::string n = std::to_string(r);
        text += "[name" + n + "]\r\n" + row.name + "\r\n[money" + n + "]\r\n" + std::to_string(row.money)
            + "\r\n[time" + n + "]\r\n" + std::to_string(row.time) + "\r\n[workplace" + n + "]\r\n"
            + std::to_string(row.workplace) + "\r\n";
    }
    scope.WriteTable(1, text);
    Scene::StartScreen().RemoveProfileScores();
    PropertyFile file = scope.ReadTable(1);
    const std::vector<std::wstring> order = { L"C", L"B", L"D", L"A", L"...", L"...", L"E", L"...", L"...", L"..." };
    for (int r = 1; r <= 10; ++r)
        EXPECT_EQ(file.GetString(L"name" + std::to_wstring(r)), order[static_cast<std::size_t>(r - 1)]) << r;
    EXPECT_EQ(file.GetInt(L"money1", -1), 500);
    EXPECT_EQ(file.GetInt(L"time4", -1), 20);
}

// The new entry's name stands out in yellow among white ones, and its cursor
// blinks behind it every half second.
TEST_F(ResultScreenTest, TheNewEntryStandsOutAndItsCursorBlinks)
{
    std::vector<bool> cursor;
    for (int i = 0; i < 5; ++i) {
        Frame();
        bool yellow = false, white = false, shown = false;
        for (const test::GfxDraw* d : TextDraws()) {
            if (d->text == L"Kim" || d->text == L"Kim_") {
                yellow = yellow || d->color == 0xFFFFFF00u;
                shown = d->text == L"Kim_";
            }
            white = white || (d->text == L"..." && d->color == 0xFFFFFFFFu);
            EXPECT_FALSE(d->text == L"..." && d->color == 0xFFFFFF00u) << "an old row in yellow";
        }
        EXPECT_TRUE(yellow);
        EXPECT_TRUE(white);
        cursor.push_back(shown);
        Wait(520);
    }
    EXPECT_EQ(cursor, (std::vector<bool> { false, true, false, true, false }));
}

} // namespace
