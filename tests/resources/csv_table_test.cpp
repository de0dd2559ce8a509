#include <gtest/gtest.h>

#include <filesystem>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/csv_table.h"
#include "resources_fixture.h"

using CsvTable = test::ProgramFolderTest;

namespace {

std::vector<std::vector<std::wstring>> AllRows(cCsvTable& table)
{
    std::vector<std::vector<std::wstring>> rows;
    if (!table.HasRows())
        return rows;
    do {
        std::vector<std::wstring> row;
        for (int c = 0; c < table.ColumnCount(); ++c)
            row.push_back(table.GetString(c));
        rows.push_back(row);
    } while (table.NextRow());
    return rows;
}

} // namespace

TEST_F(CsvTable, FieldsFollowTheQuotingRules)
{
    using Rows = std::vector<std::vector<std::wstring>>;
    struct Case {
        const char* what;
        std::wstring text;
        int columns;
        Rows rows;
    };
    const Case cases[] = {
        {"quoted field", L"a;\"b c\";d\r\n", 3, {{L"a", L"b c", L"d"}}},
        {"empty fields vanish", L"a;;b\r\n;x;\r\n", 2, {{L"a", L"b"}, {L"x", L""}}},
        {"ragged rows", L"1;2;3\r\n1;2;3;4;5\r\n1;2;3;4", 5,
         {{L"1", L"2", L"3", L"", L""}, {L"1", L"2", L"3", L"4", L"5"}, {L"1", L"2", L"3", L"4", L""}}},
        {"blank lines skipped", L"a\r\n\r\n\nb\n", 1, {{L"a"}, {L"b"}}},
        {"opening quote only", L"\"open;in\"side;\"x\"\r\n", 3, {{L"open", L"in\"side", L"x"}}},
        {"a lone quote", L"\";a\r\n\"", 2, {{L"", L"a"}, {L"", L""}}},
        {"BOM stays in the first field", L"\xFEFFa;b", 2, {{L"\xFEFFa", L"b"}}},
        {"non-ASCII", L"\u0444\u00e4\u00df;\U0001F697\r\n", 2, {{L"\u0444\u00e4\u00df", L"\U0001F697"}}},
        {"starts with a line break", L"\r\na;b\r\n", 0, {}},
        {"NUL ends a line", std::wstring(L"a;b\0c\r\nd", 8), 2, {{L"a", L"b"}, {L"d", L""}}},
        {"only separators", L";;;\r\nx", 1, {{L""}, {L"x"}}},
    };
    for (const Case& c : cases) {
        test::WriteBytes(Here("t.csv"), platform::WideToUtf16Le(c.text));
        cCsvTable table;
        EXPECT_EQ(table.Load(W(Here("t.csv"))), !c.rows.empty()) << c.what;
        EXPECT_EQ(table.ColumnCount(), c.columns) << c.what;
        EXPECT_EQ(AllRows(table), c.rows) << c.what;
    }
    EXPECT_TRUE(m_logged.empty());
}

TEST_F(CsvTable, CursorAndNumbers)
{
    test::WriteBytes(Here("n.csv"), platform::WideToUtf16Le(L"id;1.5;-7\r\n2;x;  12abc\r\n"));
    cCsvTable table(W(Here("n.csv")));
    ASSERT_TRUE(table.HasRows());
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_FLOAT_EQ(table.GetFloat(1), 1.5f);
    EXPECT_EQ(table.GetInt(2), -7);
    EXPECT_EQ(table.GetInt(0), 0);
    EXPECT_EQ(table.GetString(-1), L"");
    EXPECT_EQ(table.GetString(3), L"");
    EXPECT_TRUE(table.NextRow());
    EXPECT_EQ(table.GetInt(2), 12);
    EXPECT_FALSE(table.NextRow());
    EXPECT_FALSE(table.NextRow());
    EXPECT_EQ(table.GetString(0), L""); // no current row: stays inside the table

    cCsvTable missing;
    EXPECT_FALSE(missing.Load(L"missing.csv"));
    EXPECT_EQ(missing.GetString(0), L"");
    test::WriteBytes(Here("empty.csv"), {});
    EXPECT_FALSE(missing.Load(W(Here("empty.csv"))));
}

TEST_F(CsvTable, VeryLongLinesAndOddSizes)
{
    std::wstring longLine(20000, L'x');
    longLine[10000] = L';';
    test::WriteBytes(Here("long.csv"), platform::WideToUtf16Le(longLine + L"\r\nend"));
    cCsvTable table;
    ASSERT_TRUE(table.Load(W(Here("long.csv"))));
    EXPECT_EQ(table.GetString(0).size(), 10000u);
    EXPECT_EQ(table.GetString(1).size(), 9999u);
    ASSERT_TRUE(table.NextRow());
    EXPECT_EQ(table.GetString(0), L"end");

    auto odd = platform::WideToUtf16Le(L"a;b");
    odd.push_back('c'); // half a unit at the end
    test::WriteBytes(Here("odd.csv"), odd);
    ASSERT_TRUE(table.Load(W(Here("odd.csv"))));
    EXPECT_EQ(table.GetString(1), L"b");
}

TEST_F(CsvTable, LoadsFromAPackageOrTheFolderBesideIt)
{
    test::RawPackage raw;
    raw.entries.push_back(test::MakeEntry(L"places.csv", std::string("p\0;\0q\0", 6), false));
    std::filesystem::create_directories(Here("data/language"));
    test::WriteBytes(Here("data/language.pkg"), raw.Build());
    cCsvTable table;
    ASSERT_TRUE(table.LoadFromPackage(L"data/language.pkg", L"Places.csv"));
    EXPECT_EQ(table.GetString(1), L"q");
    EXPECT_EQ(cFileManager::Instance().OpenPackageCount(), 0u); // given back after parsing

    std::filesystem::remove(Here("data/language.pkg"));
    test::WriteBytes(Here("data/language/places.csv"), platform::WideToUtf16Le(L"loose"));
    ASSERT_TRUE(table.LoadFromPackage(L"data/language.pkg", L"places.csv"));
    EXPECT_EQ(table.GetString(0), L"loose");
}
