#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>

#include "world/settings_values.h"

using namespace world;

TEST(SettingsValues, LanguageCodeIsThreeLowerCaseLetters)
{
    const struct {
        const wchar_t* code;
        bool valid;
    } cases[] = { { L"eng", true }, { L"ger", true }, { L"rus", true }, { L"ENG", false }, { L"en", false },
        { L"engl", false }, { L"", false }, { L"../../x", false }, { L"e/g", false }, { L"e.g", false },
        { L"\u00e9ng", false }, { L"en1", false } };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidLanguageCode(c.code), c.valid) << "code " << testing::PrintToString(std::wstring(c.code));
}

TEST(SettingsValues, OnlySizesWithALayoutAreKept)
{
    EXPECT_TRUE(HasDefinedScale(1280, 1024));
    EXPECT_TRUE(HasDefinedScale(1024, 768));
    const int refused[][2] = { { 0, 0 }, { 1280, 960 }, { 1024, 1024 }, { 800, 600 }, { 1920, 1080 }, { -1280, 1024 } };
    for (const auto& size : refused)
        EXPECT_FALSE(HasDefinedScale(size[0], size[1])) << size[0] << " x " << size[1];
}

TEST(SettingsValues, ClampsToTheTables)
{
    const int workplaces[][2] = { { -5, 1 }, { 0, 1 }, { 1, 1 }, { 4, 4 }, { 6, 6 }, { 7, 6 }, { 99, 6 } };
    for (const auto& w : workplaces)
        EXPECT_EQ(ClampWorkplace(w[0]), w[1]) << w[0];
    const int levels[][2]
        = { { -1, 0 }, { 0, 0 }, { 1, 1 }, { 30, 30 }, { 31, 31 }, { 32, 31 }, { 500, 31 }, { 2147483647, 31 } };
    for (const auto& l : levels)
        EXPECT_EQ(ClampLevel(l[0]), l[1]) << l[0];
    EXPECT_FLOAT_EQ(ClampVolume(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(ClampVolume(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(ClampVolume(7.0f), 1.0f);
    EXPECT_FLOAT_EQ(ClampVolume(std::nanf("")), 1.0f);
}

TEST(SettingsValues, ValueListsReadShortAndLongListsSafely)
{
    const struct {
        const wchar_t* text;
        int count;
        std::vector<int> values;
    } cases[] = {
        { L"1;0;2;", 5, { 1, 0, 2, 0, 0 } },
        { L"1;", 4, { 1, 0, 0, 0 } },
        { L"", 3, { 0, 0, 0 } },
        { L"12;3;", 2, { 12, 3 } },
        { L"x;5;", 2, { 0, 5 } },
        { L"1;2;3;4;5;6;", 3, { 1, 2, 3 } },
        { L"4", 2, { 4, 0 } },
        { L";;7;", 3, { 0, 0, 7 } },
        { L"99999999999;-3;", 2, { 2147483647, -3 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadValueList(c.text, c.count), c.values) << testing::PrintToString(std::wstring(c.text));
}

TEST(SettingsValues, ValueListsRoundTrip)
{
    const int values[21] = { 1, 0, 2, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3 };
    const std::wstring text = WriteValueList(values, 21);
    EXPECT_EQ(text.substr(0, 8), L"1;0;2;9;");
    EXPECT_EQ(text.size(), 42u);
    EXPECT_EQ(ReadValueList(text, 21), std::vector<int>(values, values + 21));
}

TEST(SettingsValues, DateTextIsTwoDigitYearMonthDay)
{
    const std::wstring date = DateText();
    ASSERT_EQ(date.size(), 8u);
    EXPECT_EQ(date[2], L':');
    EXPECT_EQ(date[5], L':');
    const int month = std::stoi(date.substr(3, 2));
    EXPECT_GE(month, 1);
    EXPECT_LE(month, 12);
}
