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
