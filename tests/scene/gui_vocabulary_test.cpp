// The interface text table read from a scratch program folder: the column of
// each language, the table's size and each entry's size, a missing table, and
// the texts the start cannot do without.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/utf16.h"
#include "scene/gui_vocabulary.h"
#include "support/temp_folder.h"
#include "world/world_test_support.h"

namespace {

class GuiVocabularyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::SetLanguage(L"eng");
        saved.assign(&g_guiVocabulary[0][0], &g_guiVocabulary[0][0] + kGuiTextCount * kGuiTextLength);
        for (auto& entry : g_guiVocabulary)
            entry[0] = L'\0';
    }
    void TearDown() override
    {
        std::copy(saved.begin(), saved.end(), &g_guiVocabulary[0][0]);
        test::SetLanguage(L"eng");
    }
    // The table as the language files are written: UTF-16LE with its mark.
    void WriteTable(const std::wstring& rows)
    {
        std::filesystem::create_directories(folder.Path() + "/data/language");
        std::vector<uint8_t> bytes = { 0xFF, 0xFE };
        platform::AppendUtf16Le(bytes, L"n;key;eng;rus;ger\r\n" + rows);
        std::ofstream(folder.Path() + "/data/language/gui_vocabular.csv", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    test::TempFolder folder;
    test::WorkingDirectory cwd { folder.Path() };
    std::vector<wchar_t> saved;
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
        { L"jap", L"eng" },
        { L"ru", L"eng" },
    };
    for (const auto& [language, column] : cases) {
        SCOPED_TRACE(platform::WideToNarrow(language));
        test::SetLanguage(language);
        LoadGuiVocabulary();
        EXPECT_EQ(std::wstring(g_guiVocabulary[0]), L"A-" + std::wstring(column));
        EXPECT_EQ(std::wstring(g_guiVocabulary[1]), L"B-" + std::wstring(column));
    }
}

TEST_F(GuiVocabularyTest, TheTableKeepsWhatFitsAndSaysWhatItLeftOut)
{
    // More rows than the game has texts: the first ones are kept.
    std::wstring rows;
    for (int i = 0; i < kGuiTextCount + 3; ++i)
        rows += std::to_wstring(i) + L";k;T" + std::to_wstring(i) + L"\r\n";
    WriteTable(rows);
    {
        test::LogCapture log;
        LoadGuiVocabulary();
        EXPECT_STREQ(g_guiVocabulary[0], L"T0");
        EXPECT_EQ(std::wstring(g_guiVocabulary[kGuiTextCount - 1]), L"T" + std::to_wstring(kGuiTextCount - 1));
        EXPECT_EQ(log.lines.size(), 1u);
        EXPECT_TRUE(log.Contains(L"has more than"));
    }
    // A text longer than an entry is cut, keeping its terminator; the next
    // entry is untouched by it.
    const std::pair<size_t, size_t> lengths[] = { { kGuiTextLength - 1, kGuiTextLength - 1 },
        { kGuiTextLength, kGuiTextLength - 1 }, { 2 * kGuiTextLength, kGuiTextLength - 1 } };
    for (const auto& [length, kept] : lengths) {
        SCOPED_TRACE(length);
        WriteTable(L"0;a;" + std::wstring(length, L'x') + L"\r\n1;b;Next\r\n");
        test::LogCapture log;
        LoadGuiVocabulary();
        EXPECT_EQ(std::wcslen(g_guiVocabulary[0]), kept);
        EXPECT_STREQ(g_guiVocabulary[1], L"Next");
        EXPECT_EQ(log.Contains(L"text 0 is longer"), length > kept);
    }
}

// The numbers of the texts the screens draw, as the list of who reads which
// gives them (data-src/language/README.md): each row of its number table but
// the one no screen draws ("7, 9, 11", "146..149"), and for "103 + s" the
// numbers of its task-line slot table.
std::set<int> TextsTheScreensDraw()
{
    std::ifstream in(VANDREL_SOURCE_DIR "/data-src/language/README.md");
    std::set<int> drawn;
    std::string section;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind('#', 0) == 0)
            section = line;
        const bool slots = section == "### Task-line slots";
        if ((section != "## GUI text numbers" && !slots) || line.rfind("| ", 0) != 0
            || line.find("drawn by no screen") != std::string::npos)
            continue;
        std::istringstream cells(line.substr(1));
        std::string cell;
        std::getline(cells, cell, '|');
        if (slots)
            std::getline(cells, cell, '|');
        std::istringstream items(cell);
        for (std::string item; std::getline(items, item, ',');) {
            int first = 0, last = 0;
            char more = 0;
            if (std::sscanf(item.c_str(), "%d..%d", &first, &last) == 2) {
                for (int n = first; n <= last; ++n)
                    drawn.insert(n);
            } else if (std::sscanf(item.c_str(), "%d %c", &first, &more) == 1) {
                drawn.insert(first);
            }
        }
    }
    return drawn;
}

// The shipped table with one row's text emptied at a time: a text a screen
// draws is refused by its number (the start would show a blank button, title
// or line), every other row may be empty.
TEST_F(GuiVocabularyTest, EachTextAScreenDrawsIsRefusedEmptyAndNoOther)
{
    const std::set<int> drawn = TextsTheScreensDraw();
    ASSERT_GT(drawn.size(), 100u);
    std::ifstream in(VANDREL_SOURCE_DIR "/data/language/gui_vocabular.csv", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::wstring shipped = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    // Its rows after the heading, each behind a line break.
    const std::wstring rows = shipped.substr(shipped.find(L'\n'));
    for (int n = 0; n < kGuiTextCount; ++n) {
        SCOPED_TRACE(n);
        const size_t row = rows.find(L"\n" + std::to_wstring(n) + L";");
        ASSERT_NE(row, std::wstring::npos);
        const size_t key = rows.find(L';', row);
        const size_t text = rows.find(L';', key + 1);
        const size_t end = rows.find(L'\r', key);
        WriteTable(text < end ? rows.substr(1, text - 1) + rows.substr(end) : rows.substr(1));
        EXPECT_EQ(FirstUnusableGuiText(), drawn.count(n) ? n : -1);
    }
}

TEST_F(GuiVocabularyTest, AMissingTableIsLoggedAndChangesNothing)
{
    std::wcscpy(g_guiVocabulary[0], L"Kept");
    test::LogCapture log;
    LoadGuiVocabulary();
    EXPECT_STREQ(g_guiVocabulary[0], L"Kept");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_TRUE(log.Contains(L"gui_vocabular.csv not found"));
    EXPECT_FALSE(GuiVocabularyReadable());
}

} // namespace
