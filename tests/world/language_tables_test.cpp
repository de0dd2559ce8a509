// The language tables, the text styles and the logo list read from a scratch
// program folder: the column of each language, the row rules, missing files,
// and the package before the loose folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "resources/package.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world_test_support.h"

namespace {

namespace fs = std::filesystem;

const wchar_t kPlacesHeading[] = L"-;row;column;rus;eng;ger;jap;fra;esp\r\n";
const wchar_t kComicHeading[] = L"level;page;rus;eng;ger;jap;fra;esp;image\r\n";
const wchar_t kTasksHeading[] = L"level;pinx;piny;lotrow;lotcol;kind;rus;ger;eng;jap;fra;esp\r\n";

class LanguageTablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cSettings::Instance().ResetToDefaults();
        test::SetLanguage(L"eng");
        world().ResetToDefaults();
    }
    void TearDown() override
    {
        cSettings::Instance().ResetToDefaults();
        world().ResetToDefaults();
    }

    static cGameWorld& world() { return cGameWorld::Instance(); }

    void Write(const std::string& path, const std::wstring& text) { test::WriteUtf16File(m_folder / path, text); }

    test::TempFolder m_folder;
    test::WorkingDirectory m_cwd { m_folder.Path() };
};

TEST_F(LanguageTablesTest, EachTableTakesTheColumnOfTheLanguage)
{
    Write("data/language/places.csv", std::wstring(kPlacesHeading) + L"-;2;3;P-rus;P-eng;P-ger;P-jap;P-fra;P-esp\r\n");
    Write("data/language/comic.csv",
        std::wstring(kComicHeading) + L"2;1;C-rus;C-eng;C-ger;C-jap;C-fra;C-esp;page.png\r\n");
    Write("data/language/tasks.csv",
        std::wstring(kTasksHeading) + L"4;10;20;3;5;7;T-rus;T-ger;T-eng;T-jap;T-fra;T-esp\r\n");

    for (const wchar_t* code : { L"rus", L"eng", L"ger", L"jap", L"fra", L"esp", L"xyz" }) {
        SCOPED_TRACE(platform::WideToNarrow(code));
        test::SetLanguage(code);
        test::LogCapture log;
        world().LoadPlaceNames();
        world().LoadComic(2);
        world().LoadTasks();
        world().SelectTaskText(4);

        // A language outside the six gives empty texts, not an error.
        const std::wstring suffix = std::wstring(code) == L"xyz" ? L"" : L"-" + std::wstring(code);
        EXPECT_EQ(world().GetPlaceName(2, 3), suffix.empty() ? L"" : L"P" + suffix);
        ASSERT_EQ(world().comicRows.size(), 1u);
        EXPECT_EQ(world().comicRows[0].text, suffix.empty() ? L"" : L"C" + suffix);
        EXPECT_EQ(world().comicRows[0].extraText, L"page.png");
        EXPECT_EQ(world().taskText, suffix.empty() ? L"" : L"T" + suffix);
        EXPECT_TRUE(log.lines.empty());
    }
}

TEST_F(LanguageTablesTest, MissingFilesAreLoggedAndLeaveTheDefaults)
{
    world().styleColours[3][0] = 17;
    world().taskId = 9;
    test::LogCapture log;
    world().LoadPlaceNames();
    world().LoadComic(1);
    world().LoadTasks();
    world().LoadTextStyles();
    world().LoadLogoList();

    EXPECT_TRUE(log.Contains(L"error: File places.csv not found"));
    EXPECT_TRUE(log.Contains(L"error: File data/language/comic.csv not found"));
    EXPECT_TRUE(log.Contains(L"error: File data/language/tasks.csv not found"));
    EXPECT_TRUE(log.Contains(L"error: File data/language/css.csv not found"));
    EXPECT_TRUE(log.Contains(L"error: File data/logos/list.csv not found"));

    EXPECT_TRUE(world().placeNameRows.empty());
    EXPECT_EQ(world().GetPlaceName(2, 2), L"place name not found");
    EXPECT_TRUE(world().comicRows.empty());
    ASSERT_EQ(world().taskRows.size(), 1u);
    EXPECT_EQ(world().taskRows[0].text, L"NOT FOUND");
    world().SelectLevelTask(0);
    EXPECT_EQ(world().taskKind, -1);
    world().SelectTaskText(12);
    EXPECT_EQ(world().taskText, L"not found");
    EXPECT_EQ(world().taskId, 9);
    EXPECT_EQ(world().styleColours[3][0], 17);
    EXPECT_EQ(world().logoCount, 0);

    // A task table with no task row (a heading only, a UTF-8 copy) is told
    // too: the map would otherwise show no pin without a word.
    for (const std::wstring& text : { std::wstring(kTasksHeading), std::wstring(L"\u3b31\u3b34\u0d31") }) {
        Write("data/language/tasks.csv", text);
        log.lines.clear();
        world().LoadTasks();
        EXPECT_TRUE(log.Contains(L"error: cGameWorld::LoadTasks -> data/language/tasks.csv holds no task"));
    }
}

TEST_F(LanguageTablesTest, RowRulesHeadingEndMarkAndCommentLines)
{
    // The heading is skipped and a row starting with "*" ends the table.
    Write("data/language/places.csv",
        std::wstring(kPlacesHeading)
            + L"-;1;1;a;One;b;c;d;e\r\n"
              L"*;end\r\n"
              L"-;1;2;a;Two;b;c;d;e\r\n");
    world().LoadPlaceNames();
    ASSERT_EQ(world().placeNameRows.size(), 1u);
    EXPECT_EQ(world().GetPlaceName(1, 1), L"One");
    EXPECT_EQ(world().GetPlaceName(1, 2), L"place name not found");
    // A known id with another second key is not a match.
    EXPECT_EQ(world().GetPlaceName(1, 3), L"place name not found");

    // A comment line and blank lines between rows neither end the table nor
    // hide the rows after them. (The reader drops the empty field in front of
    // a leading ";", so such a line reads as a row of what follows it.)
    Write("data/language/tasks.csv",
        std::wstring(kTasksHeading)
            + L"1;0;0;0;0;0;r;g;First;j;f;s\r\n"
              L"; 2;0;0;0;0;0;r;g;Noted;j;f;s\r\n\r\n\r\n"
              L"3;0;0;0;0;0;r;g;Third;j;f;s\r\n"
              L"*\r\n"
              L"4;0;0;0;0;0;r;g;Fourth;j;f;s\r\n");
    world().LoadTasks();
    ASSERT_EQ(world().taskRows.size(), 3u);
    world().SelectTaskText(3);
    EXPECT_EQ(world().taskText, L"Third");
    world().SelectTaskText(4);
    EXPECT_EQ(world().taskText, L"not found");
}

TEST_F(LanguageTablesTest, ComicKeepsTheRowsOfOneComic)
{
    Write("data/language/comic.csv",
        std::wstring(kComicHeading)
            + L"1;1;r;One;g;j;f;s;a.png\r\n"
              L"2;1;r;Two-1;g;j;f;s;b.png\r\n"
              L"2;2;r;Two-2;g;j;f;s;c.png\r\n"
              L"3;1;r;Three;g;j;f;s;d.png\r\n");
    world().LoadComic(2);
    ASSERT_EQ(world().comicRows.size(), 2u);
    EXPECT_EQ(world().comicRows[0].page, 1);
    EXPECT_EQ(world().comicRows[1].text, L"Two-2");
    EXPECT_EQ(world().comicRows[1].extraText, L"c.png");
    world().LoadComic(9);
    EXPECT_TRUE(world().comicRows.empty());
}

TEST_F(LanguageTablesTest, LevelTaskIsTheFirstRowOfTheIdWithAFlag)
{
    Write("data/language/tasks.csv",
        std::wstring(kTasksHeading)
            + L"5;100;200;1;1;0;r;g;Plain;j;f;s\r\n"
              L"5;100;200;3;6;2;r;g;Needs;j;f;s\r\n"
              L"5;100;200;4;4;9;r;g;Later;j;f;s\r\n"
              L"x;y;z;1;1;1;r;g;Letters;j;f;s\r\n");
    world().LoadTasks();
    world().SelectLevelTask(5);
    EXPECT_EQ(world().taskLotRow, 3);
    EXPECT_EQ(world().taskLotColumn, 6);
    EXPECT_EQ(world().taskKind, 2);
    world().SelectLevelTask(6);
    EXPECT_EQ(world().taskKind, -1);
    // Text where a number belongs reads as 0.
    world().SelectTaskText(0);
    EXPECT_EQ(world().taskText, L"Letters");
    EXPECT_EQ(world().taskId, 0);
}

TEST_F(LanguageTablesTest, LogoListStopsAtFiveEntriesWithAWarning)
{
    std::wstring list = L"logo;fadein;hold;fadeout\r\n";
    for (int i = 1; i <= 7; ++i)
        list += L"logo" + std::to_wstring(i) + L".png;0.004;1.5;0.25\r\n";
    Write("data/logos/list.csv", list);
    test::LogCapture log;
    world().LoadLogoList();
    EXPECT_EQ(world().logoCount, world::kLogos);
    EXPECT_EQ(world().logoNames[4], L"logo5.png");
    EXPECT_DOUBLE_EQ(world().logoFadeInStep[0], 0.004);
    EXPECT_DOUBLE_EQ(world().logoHoldTime[2], 1.5);
    EXPECT_DOUBLE_EQ(world().logoFadeOutStep[4], 0.25);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_TRUE(log.Contains(L"warning: cGameWorld::LoadLogoList"));

    // Reloading starts the count again.
    Write("data/logos/list.csv", L"logo;fadein;hold;fadeout\r\nonly.png;1;2;3\r\n");
    world().LoadLogoList();
    EXPECT_EQ(world().logoCount, 1);
    EXPECT_EQ(world().logoNames[0], L"only.png");
}

TEST_F(LanguageTablesTest, TextStylesTakeKnownNamesAndKeepTheRest)
{
    world().styleColours[0][0] = 1;
    world().styleColours[0][1] = 2;
    world().styleColours[0][2] = 3;
    Write("data/language/css.csv",
        L"red;green;blue;style\r\n"
        L"10;20;30;TextShadowDefault\r\n"
        L"40;50;60;NoSuchStyle\r\n"
        L"70;80;90;PriceTextShadow\r\n"
        L"*\r\n"
        L"99;99;99;MenuTop\r\n");
    world().LoadTextStyles();
    EXPECT_EQ(world().styleColours[10][0], 10);
    EXPECT_EQ(world().styleColours[10][2], 30);
    EXPECT_EQ(world().styleColours[12][1], 80);
    EXPECT_EQ(world().styleColours[0][0], 1); // after the end mark: kept
    EXPECT_EQ(world().styleColours[0][2], 3);
}

TEST_F(LanguageTablesTest, ThePackageComesBeforeTheLooseFolder)
{
    Write("data/language/places.csv", std::wstring(kPlacesHeading) + L"-;1;1;a;Loose;b;c;d;e\r\n");
    Write("data/language/tasks.csv", std::wstring(kTasksHeading) + L"1;0;0;0;0;0;r;g;Loose task;j;f;s\r\n");
    Write("src/places.csv", std::wstring(kPlacesHeading) + L"-;1;1;a;Packed;b;c;d;e\r\n");
    {
        cPackage writer;
        ASSERT_TRUE(writer.Create(L"data/language.pkg"));
        ASSERT_TRUE(writer.AddFileAs(L"src/places.csv", L"places.csv"));
        ASSERT_TRUE(writer.Commit());
    }
    world().LoadPlaceNames();
    EXPECT_EQ(world().GetPlaceName(1, 1), L"Packed");
    // An entry the package lacks comes from the loose folder.
    world().LoadTasks();
    world().SelectTaskText(1);
    EXPECT_EQ(world().taskText, L"Loose task");
}

} // namespace
