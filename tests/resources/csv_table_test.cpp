#include <gtest/gtest.h>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/csv_table.h"
#include "resources_fixture.h"

using CsvTable = test::ProgramFolderTest;

TEST_F(CsvTable, FieldsFollowTheQuotingRulesAndNumbersTheirLeadingDigits)
{
    using Rows = std::vector<std::vector<std::wstring>>;
    const std::tuple<const char*, std::wstring, int, Rows> cases[] = { // what, text, columns, rows
        { "quoted field", L"a;\"b c\";d\r\n", 3, { { L"a", L"b c", L"d" } } },
        { "empty fields vanish", L"a;;b\r\n;x;\r\n", 2, { { L"a", L"b" }, { L"x", L"" } } },
        { "ragged rows, blank lines", L"1;2;3\r\n\r\n\n1;2;3;4\n1", 4,
            { { L"1", L"2", L"3", L"" }, { L"1", L"2", L"3", L"4" }, { L"1", L"", L"", L"" } } },
        { "opening quote only", L"\"open;in\"side;\"x\"\r\n", 3, { { L"open", L"in\"side", L"x" } } },
        { "a lone quote", L"\";a\r\n\"", 2, { { L"", L"a" }, { L"", L"" } } },
        { "starts with a line break", L"\r\na;b\r\n", 0, {} },
        { "NUL ends a line", std::wstring(L"a;b\0c\r\nd", 8), 2, { { L"a", L"b" }, { L"d", L"" } } },
        { "a long line", std::wstring(10000, L'x') + L";" + std::wstring(9999, L'y'), 2,
            { { std::wstring(10000, L'x'), std::wstring(9999, L'y') } } },
    };
    for (const auto& [what, text, columns, expected] : cases) {
        SCOPED_TRACE(what);
        test::WriteBytes(Here("t.csv"), platform::WideToUtf16Le(text));
        cCsvTable table;
        const bool loaded = table.Load(W(Here("t.csv")));
        EXPECT_EQ(std::pair(loaded, table.ColumnCount()), std::pair(!expected.empty(), columns));
        Rows rows;
        for (bool more = table.HasRows(); more; more = table.NextRow()) {
            rows.emplace_back();
            for (int column = 0; column < table.ColumnCount(); ++column)
                rows.back().push_back(table.GetString(column));
        }
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(table.GetString(0), L""); // past the last row: stays inside the table
    }
    EXPECT_TRUE(m_logged.empty());
}

// Numbers read as the tables' readers read them: leading blanks and a sign,
// then as many digits (or decimal characters) as there are; no digits is 0,
// and an integer too large for its type stops at its limit.
TEST_F(CsvTable, NumbersReadTheirLeadingDigitsAndASecondLoadHoldsOnlyItsOwnRows)
{
    const std::tuple<const wchar_t*, int, float> cases[] = { { L"12", 12, 12.0f }, { L" \t7", 7, 7.0f },
        { L"-3", -3, -3.0f }, { L"+4", 4, 4.0f }, { L"12abc", 12, 12.0f }, { L"abc", 0, 0.0f }, { L"1.75", 1, 1.75f },
        { L"  -0.25", 0, -0.25f }, { L"3e2", 3, 300.0f }, { L".5", 0, 0.5f }, { L"1.5e+1x", 1, 15.0f },
        { L"- 3", 0, 0.0f }, { L"--1", 0, 0.0f }, { L"2147483647", 2147483647, 2147483647.0f },
        { L"2147483648", 2147483647, 2147483648.0f }, { L"-2147483648", -2147483647 - 1, -2147483648.0f },
        { L"99999999999999999999", 2147483647, 1e20f }, { L"-99999999999999999999", -2147483647 - 1, -1e20f } };
    std::wstring text;
    for (const auto& [field, i, f] : cases)
        text += std::wstring(L"x;") + field + L"\r\n";
    test::WriteBytes(Here("n.csv"), platform::WideToUtf16Le(text));
    cCsvTable table;
    ASSERT_TRUE(table.Load(W(Here("n.csv"))));
    EXPECT_EQ(table.RowCount(), static_cast<int>(std::size(cases)));
    for (const auto& [field, i, f] : cases) {
        EXPECT_EQ(table.GetString(1), field);
        EXPECT_EQ(std::pair(table.GetInt(1), table.GetFloat(1)), std::pair(i, f)) << platform::WideToNarrow(field);
        EXPECT_EQ(std::pair(table.GetInt(0), table.GetFloat(0)), std::pair(0, 0.0f));
        table.NextRow();
    }
    EXPECT_FALSE(table.HasRows());
    EXPECT_FALSE(table.NextRow());
    // The same table read again from a shorter file: its rows alone.
    test::WriteBytes(Here("n.csv"), platform::WideToUtf16Le(L"a\r\n"));
    ASSERT_TRUE(table.Load(W(Here("n.csv"))));
    EXPECT_EQ(std::tuple(table.RowCount(), table.ColumnCount(), table.GetString(0)), std::tuple(1, 1, L"a"));
    EXPECT_FALSE(table.NextRow());
    EXPECT_FALSE(table.Load(W(Here("missing.csv"))));
    EXPECT_EQ(std::tuple(table.RowCount(), table.ColumnCount(), table.HasRows()), std::tuple(0, 0, false));
}

// A table read with its header skipped starts on the first row under the
// header, from a loose file or a package alike; a table that is only its
// header has no row to read. The header is counted among the rows.
TEST_F(CsvTable, AHeaderSkippedLeavesTheRowsUnderIt)
{
    using Rows = std::vector<std::vector<std::wstring>>;
    const std::tuple<const char*, std::wstring, bool, Rows> cases[] = { // what, text, skip, rows walked
        { "skipped", L"Name;Score\r\nMax;3\r\n\r\nAnn;5\r\n", true, { { L"Max", L"3" }, { L"Ann", L"5" } } },
        { "kept", L"Name;Score\r\nMax;3\r\n", false, { { L"Name", L"Score" }, { L"Max", L"3" } } },
        { "only a header", L"Name;Score\r\n", true, {} },
        { "empty", L"", true, {} },
    };
    int n = 0;
    for (const auto& [what, text, skip, expected] : cases) {
        SCOPED_TRACE(what);
        const std::vector<uint8_t> bytes = platform::WideToUtf16Le(text);
        test::WriteBytes(Here("h.csv"), bytes);
        test::RawPackage package;
        package.entries = { test::MakeEntry(L"h.csv", std::string(bytes.begin(), bytes.end()), false) };
        const std::string packagePath = Here("h" + std::to_string(++n) + ".pkg");
        test::WriteBytes(packagePath, package.Build());
        for (const bool fromPackage : { false, true }) {
            cCsvTable table;
            table.SetSkipHeader(skip);
            const bool loaded
                = fromPackage ? table.LoadFromPackage(W(packagePath), L"H.CSV") : table.Load(W(Here("h.csv")));
            EXPECT_EQ(loaded, !expected.empty()) << fromPackage;
            EXPECT_EQ(table.HasRows(), loaded) << fromPackage;
            Rows rows;
            for (bool more = table.HasRows(); more; more = table.NextRow())
                rows.push_back({ table.GetString(0), table.GetString(1) });
            EXPECT_EQ(rows, expected) << fromPackage;
            EXPECT_EQ(table.GetString(0), L"") << fromPackage;
            EXPECT_EQ(table.RowCount(), static_cast<int>(expected.size() + (skip && !text.empty() ? 1 : 0)));
        }
    }
    EXPECT_TRUE(m_logged.empty());
}
