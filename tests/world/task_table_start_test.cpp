// The game starts only when its task table holds a task for level 1, the
// first level of the map: the level number is a row's first value.
#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"
#include "world/language_tables.h"
#include "world_test_support.h"

TEST(TaskTableStart, ATaskForLevelOneIsNeeded)
{
    const std::wstring heading = L"level;pinx;piny;lotrow;lotcol;kind;rus;ger;eng;jap;fra;esp\r\n";
    auto row = [](const wchar_t* level) { return std::wstring(level) + L";10;20;3;5;7;r;g;e;j;f;s\r\n"; };
    const struct {
        const char* what;
        std::wstring text;
        bool readable;
    } cases[] = {
        { "level 1", heading + row(L"1"), true },
        { "level 0", heading + row(L"0"), false },
        { "level 2", heading + row(L"2"), false },
        { "levels 0 and 2", heading + row(L"0") + row(L"2"), false },
        { "level 1 after others", heading + row(L"2") + row(L"3") + row(L"1"), true },
        { "level 1 after the end mark", heading + row(L"2") + L"*;end\r\n" + row(L"1"), false },
        { "level 11", heading + row(L"11"), false },
        { "heading only", heading, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        test::WorkingDirectory cwd { folder.Path() };
        test::LogCapture log;
        test::WriteUtf16File(folder / "data/language/tasks.csv", c.text);
        EXPECT_EQ(language::TasksReadable(), c.readable);
    }
    test::TempFolder empty;
    test::WorkingDirectory cwd { empty.Path() };
    test::LogCapture log;
    EXPECT_FALSE(language::TasksReadable()); // no table at all
}
