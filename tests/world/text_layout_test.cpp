// FormatText with a font of fixed width: word and character modes, forced
// breaks, centring and alignment, and the bounds of the line buffer.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "world/game_world.h"
#include "world_test_support.h"

namespace {

using Lines = std::vector<std::wstring>;

class TextLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cSettings::Instance().ResetToDefaults();
        test::SetLanguage(L"eng");
    }
    void TearDown() override { cSettings::Instance().ResetToDefaults(); }

    static cGameWorld& world() { return cGameWorld::Instance(); }

    std::vector<std::wstring> LaidOut() const
    {
        std::vector<std::wstring> lines;
        for (int i = 0; i < world().formatLineCount; ++i)
            lines.emplace_back(world().formatLines[i]);
        return lines;
    }
    static std::wstring Joined() { return world().formattedText; }

    test::FixedWidthFont font { 10 };
};

TEST_F(TextLayoutTest, LaysOutLinesByLanguageAndBreakCharacters)
{
    struct Case {
        const wchar_t* language;
        const wchar_t* text;
        int width;
        Lines lines;
    };
    const Case cases[] = {
        // Word mode wraps at spaces; the separator at a break is not kept.
        { L"eng", L"The quick brown fox jumps", 100, { L"The quick", L"brown fox", L"jumps" } },
        // A word wider than the maximum stands on a line of its own.
        { L"ger", L"a supercalifragilistic b", 100, { L"a", L"supercalifragilistic", L"b" } },
        // Forced breaks in word mode, both characters.
        { L"eng", L"first line#second~third", 1000, { L"first line", L"second", L"third" } },
        // Fewer than 10 characters: one line, break characters kept.
        { L"eng", L"ab#cd", 1000, { L"ab#cd" } },
        { L"fra", L"abcdefghi", 50, { L"abcdefghi" } },
        { L"jap", L"abcdefghi", 50, { L"abcdefghi" } },
        // Character mode: a line closes with the character that overflows it,
        // at a "#" (dropped) and at the last character; "~" stays.
        { L"jap", L"abcdefghijkl", 45, { L"abcde", L"fghij", L"kl" } },
        { L"chi", L"abcdefghij#kl", 1000, { L"abcdefghij", L"kl" } },
        { L"jap", L"hello~world", 1000, { L"hello~world" } },
        { L"eng", L"hello world~again there", 1000, { L"hello world", L"again there" } },
        // A text that fits and has no break is one line whatever its length.
        { L"eng", L"a fitting sentence of words", 1000, { L"a fitting sentence of words" } },
        { L"eng", L"", 100, { L"" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
            << "\"" << platform::WideToNarrow(c.text) << "\" in " << platform::WideToNarrow(c.language));
        test::SetLanguage(c.language);
        world().FormatText(false, c.text, c.width, &font);
        EXPECT_EQ(LaidOut(), c.lines);
        std::wstring joined;
        for (const std::wstring& line : c.lines)
            joined += line + L"\n";
        EXPECT_EQ(Joined(), joined);
    }
}

TEST_F(TextLayoutTest, CentringAndHebrewAlignment)
{
    struct Case {
        const wchar_t* language;
        bool centre;
        const wchar_t* text;
        int width;
        std::wstring line;
        std::wstring joined;
    };
    const std::wstring s5(5, L' '), s7(7, L' '), s14(14, L' ');
    const Case cases[] = {
        // A single centred line divides by the width of a space plus 2:
        // ((200 - 80) / 12) / 2 = 5.
        { L"eng", true, L"Hi there", 200, L"Hi there", s5 + L"Hi there\n" },
        { L"eng", false, L"Hi there", 200, L"Hi there", L"Hi there\n" },
        // Hebrew pads the line: (200 - 60) / 10 = 14 spaces in front, or 7
        // on both sides when centred.
        { L"heb", false, L"shalom", 200, s14 + L"shalom", s14 + L"shalom\n" },
        { L"heb", true, L"shalom", 200, s7 + L"shalom" + s7, s5 + s7 + L"shalom" + s7 + L"\n" },
        // Character mode divides by the first character's width.
        { L"jap", true, L"abc", 100, L"abc", std::wstring(3, L' ') + L"abc\n" },
        // A text wider than the room gets no spaces, never a negative count.
        { L"eng", true, L"wide text", 20, L"wide text", L"wide text\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            ::testing::Message() << platform::WideToNarrow(c.text) << " in " << platform::WideToNarrow(c.language));
        test::SetLanguage(c.language);
        world().FormatText(c.centre, c.text, c.width, &font);
        ASSERT_EQ(world().formatLineCount, 1);
        EXPECT_EQ(std::wstring(world().formatLines[0]), c.line);
        EXPECT_EQ(Joined(), c.joined);
    }

    // Several centred lines divide by the space width alone.
    test::SetLanguage(L"eng");
    world().FormatText(true, L"The quick brown fox jumps", 100, &font);
    EXPECT_EQ(Joined(), L"The quick\nbrown fox\n  jumps\n");
    // ...and in character mode they are not centred.
    test::SetLanguage(L"jap");
    world().FormatText(true, L"abcdefghijkl", 45, &font);
    EXPECT_EQ(Joined(), L"abcde\nfghij\nkl\n");
}

TEST_F(TextLayoutTest, ZeroWidthCharactersNeverDivideByZero)
{
    test::FixedWidthFont thin(10);
    thin.SetWidth(L' ', 0);
    thin.SetWidth(L'x', 0);

    test::SetLanguage(L"eng");
    world().FormatText(true, L"one two three four five six", 60, &thin);
    EXPECT_GT(world().formatLineCount, 1);
    EXPECT_EQ(Joined().front(), L'o'); // no centring spaces without a space width

    test::SetLanguage(L"heb");
    world().FormatText(true, L"short", 200, &thin);
    EXPECT_EQ(std::wstring(world().formatLines[0]), L"short");

    // A first character of width 0 counts as 16: ((100 - 20) / 16) / 2 = 2.
    test::SetLanguage(L"chi");
    world().FormatText(true, L"xab", 100, &thin);
    EXPECT_EQ(Joined(), L"  xab\n");

    // Without a font nothing has a width: only forced breaks break.
    test::SetLanguage(L"eng");
    world().FormatText(true, L"no font at all#second", 10, nullptr);
    EXPECT_EQ(LaidOut(), (Lines { L"no font at all", L"second" }));
}

std::wstring Repeat(const std::wstring& piece, int times, const std::wstring& separator)
{
    std::wstring text;
    for (int i = 0; i < times; ++i)
        text += (i ? separator : L"") + piece;
    return text;
}

void ExpectWithinBounds(const cGameWorld& world)
{
    EXPECT_LE(world.formatLineCount, world::kFormatLines);
    for (int i = 0; i < world.formatLineCount; ++i)
        EXPECT_LT(std::wcslen(world.formatLines[i]), static_cast<size_t>(world::kFormatLineLength));
    EXPECT_LT(std::wcslen(world.formattedText), static_cast<size_t>(world::kFormattedTextLength));
}

TEST_F(TextLayoutTest, LongTextsAreCutToTheBuffersWithAWarning)
{
    struct Case {
        const wchar_t* language;
        bool centre;
        std::wstring text;
        int width;
        int lines;
    };
    const Case cases[] = {
        // 200 words in a narrow column: a line each, cut at 50.
        { L"eng", false, Repeat(L"word", 200, L" "), 15, world::kFormatLines },
        { L"eng", true, Repeat(L"word", 200, L" "), 15, world::kFormatLines },
        { L"jap", false, Repeat(L"word", 200, L" "), 15, world::kFormatLines },
        // 60 forced lines of 100 characters, centred wide: the joined text
        // would pass 4096 characters.
        { L"eng", true, Repeat(std::wstring(100, L'x'), 60, L"#"), 2000, world::kFormatLines },
        // One word of 2000 characters: its line is cut to 511.
        { L"eng", false, std::wstring(2000, L'y') + L" z", 100000, 1 },
        { L"eng", false, std::wstring(2000, L'y') + L" z", 100, 2 },
        { L"chi", false, std::wstring(2000, L'y'), 100000, 1 },
        { L"heb", true, std::wstring(600, L'y'), 100000, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.text.size() << " characters in " << platform::WideToNarrow(c.language));
        test::SetLanguage(c.language);
        test::LogCapture log;
        world().FormatText(c.centre, c.text, c.width, &font);
        EXPECT_EQ(world().formatLineCount, c.lines);
        ExpectWithinBounds(world());
        EXPECT_TRUE(log.Contains(L"warning: cGameWorld::FormatText -> text cut"));
    }

    // Text that fits raises no warning.
    test::LogCapture log;
    test::SetLanguage(L"eng");
    world().FormatText(true, Repeat(L"word", 40, L" "), 300, &font);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(std::wstring(world().formatLines[world().formatLineCount - 1]).find(L"  "), std::wstring::npos);
}

} // namespace
