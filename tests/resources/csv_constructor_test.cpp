// A table made with a path is loaded at once; one made with no path is empty
// and looks for no file.
#include <gtest/gtest.h>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/csv_table.h"
#include "resources_fixture.h"

using CsvConstructor = test::ProgramFolderTest;

TEST_F(CsvConstructor, LoadsTheTableItIsGivenAndNothingWithoutAPath)
{
    test::WriteBytes(Here("given.csv"), platform::WideToUtf16Le(L"a;b\r\nc;d\r\n"));
    cCsvTable given(W(Here("given.csv")));
    ASSERT_TRUE(given.HasRows());
    EXPECT_EQ((std::tuple { given.ColumnCount(), given.GetString(0), given.NextRow(), given.GetString(1) }),
        (std::tuple { 2, std::wstring(L"a"), true, std::wstring(L"d") }));
    const cCsvTable none(L"");
    EXPECT_EQ((std::pair { none.HasRows(), none.ColumnCount() }), (std::pair { false, 0 }));
    EXPECT_TRUE(m_logged.empty());
    EXPECT_FALSE(cCsvTable(W(Here("missing.csv"))).HasRows());
}
