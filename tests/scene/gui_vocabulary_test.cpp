// The GUI text table read from a scratch program folder: the column of each
// language, comment and end rows, the table's size and the entry's size.
#include <gtest/gtest.h>

#include <string>

#include "scene/gui_vocabulary.h"
#include "support/temp_folder.h"
#include "world/world_test_support.h"

namespace {

const wchar_t kHeading[] = L"n;key;eng;rus;ger\r\n";

class GuiVocabularyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::SetLanguage(L"eng");
        for (auto& entry : g_guiVocabulary)
            entry[0] = L'\0';
    }
    void TearDown() override { test::SetLanguage(L"eng"); }

    void WriteTable(const std::wstring& rows)
    {
        test::WriteUtf16File(m_folder.Path() + "/data/language/gui_vocabular.csv", kHeading + rows);
    }

    test::TempFolder m_folder;
    test::WorkingDirectory m_cwd { m_folder.Path() };
};

TEST_F(GuiVocabularyTest, TextsComeFromTheColumnOfTheLanguage)
{
    WriteTable(L"0;a;A-eng;A-rus;A-ger\r\n1;b;B-eng;B-rus;B-ger\r\n");
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        { L"eng", L"eng" },
        { L"rus", L"rus" },
        { L"ger", L"ger" },
        // Every other language reads the English column.
        { L"fra", L"eng" },
        { L"esp", L"eng" },
        { L"jap", L"eng" },
        { L"xyz", L"eng" },
    };
    for (const auto& [language, column] : cases) {
        SCOPED_TRACE(platform::WideToNarrow(language));
        test::SetLanguage(language);
        LoadGuiVocabulary();
        EXPECT_EQ(std::wstring(g_guiVocabulary[0]), L"A-" + std::wstring(column));
        EXPECT_EQ(std::wstring(g_guiVocabulary[1]), L"B-" + std::wstring(column));
    }
}

TEST_F(GuiVocabularyTest, HeaderUsesNoNumberAndAnEndRowStops)
{
    // (The CSV reader drops empty fields, so no field ever starts with the
    // separator: a ";" comment line reads as a row of what follows the mark.)
    WriteTable(L"0;first;First\r\n"
               L"1;second;Second\r\n"
               L"2;short\r\n" // no text column: an empty text
               L"*;end;End\r\n"
               L"3;after;After the end\r\n");
    g_guiVocabulary[2][0] = L'Q';
    g_guiVocabulary[3][0] = L'Z';
    g_guiVocabulary[3][1] = L'\0';
    LoadGuiVocabulary();
    EXPECT_STREQ(g_guiVocabulary[0], L"First");
    EXPECT_STREQ(g_guiVocabulary[1], L"Second");
    EXPECT_STREQ(g_guiVocabulary[2], L"");
    EXPECT_STREQ(g_guiVocabulary[3], L"Z");
}

TEST_F(GuiVocabularyTest, ShippedTableFillsTheNumbersTheGameReads)
{
    // The loose table of the source tree, all 156 rows of it.
    test::WorkingDirectory inSource { VANDREL_SOURCE_DIR };
    test::LogCapture log;
    LoadGuiVocabulary();
    EXPECT_TRUE(log.lines.empty());
    EXPECT_STREQ(g_guiVocabulary[0], L"Total");
}

TEST_F(GuiVocabularyTest, ReloadWithFewerRowsKeepsTheTextsBehindThem)
{
    WriteTable(L"0;a;One\r\n1;b;Two\r\n2;c;Three\r\n");
    LoadGuiVocabulary();
    WriteTable(L"0;a;Uno\r\n");
    LoadGuiVocabulary();
    EXPECT_STREQ(g_guiVocabulary[0], L"Uno");
    EXPECT_STREQ(g_guiVocabulary[1], L"Two");
    EXPECT_STREQ(g_guiVocabulary[2], L"Three");
}

TEST_F(GuiVocabularyTest, TableKeepsItsFirst156TextsAndSaysSo)
{
    std::wstring rows;
    for (int i = 0; i < 200; ++i)
        rows += std::to_wstring(i) + L";k;T" + std::to_wstring(i) + L"\r\n";
    WriteTable(rows);
    test::LogCapture log;
    LoadGuiVocabulary();
    EXPECT_STREQ(g_guiVocabulary[0], L"T0");
    EXPECT_STREQ(g_guiVocabulary[155], L"T155");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_TRUE(log.Contains(L"warning: LoadGuiVocabulary -> gui_vocabular.csv has more than 156 texts"));
}

TEST_F(GuiVocabularyTest, LongTextIsCutToTheEntryWithItsTerminator)
{
    const std::pair<size_t, size_t> cases[] = { { 1022, 1022 }, { 1023, 1023 }, { 1024, 1023 }, { 2000, 1023 } };
    for (const auto& [length, kept] : cases) {
        SCOPED_TRACE(length);
        WriteTable(L"0;a;" + std::wstring(length, L'x') + L"\r\n1;b;Next\r\n");
        test::LogCapture log;
        LoadGuiVocabulary();
        EXPECT_EQ(std::wcslen(g_guiVocabulary[0]), kept);
        // The next entry is untouched by the long one.
        EXPECT_STREQ(g_guiVocabulary[1], L"Next");
        EXPECT_EQ(log.Contains(L"LoadGuiVocabulary -> text 0 is longer"), length > 1023);
    }
}

TEST_F(GuiVocabularyTest, MissingTableIsLoggedAndChangesNothing)
{
    std::wcscpy(g_guiVocabulary[0], L"Kept");
    test::LogCapture log;
    LoadGuiVocabulary();
    EXPECT_STREQ(g_guiVocabulary[0], L"Kept");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], L"error: File gui_vocabular.csv not found");
}

} // namespace
