// The flag, parameter and game-state methods as a level script calls them.
#include <array>
#include <cwchar>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scripting/script_fixture.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

using StoryState = test::ScriptTest;

TEST_F(StoryState, LogWritesTheTextAsItIs)
{
    const struct {
        const char* call;
        const wchar_t* line;
    } cases[] = {
        { "Story:Log('nill')", L"empty parameter  from script  s. Map.Log(....)" },
        { "Story:Log('Nill')", L"Nill" },
        { "Story:Log('nil')", L"nil" },
        { "Story:Log('%d %s %n 100%')", L"%d %s %n 100%" },
        { "Story:Log('gr\\195\\188n')", L"gr\u00fcn" },
        { "Story:Log('')", L"" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        ASSERT_TRUE(Run(c.call));
        const auto log = TakeLog();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].kind, L"message");
        EXPECT_EQ(log[0].text, c.line);
    }
}

TEST_F(StoryState, ConsoleAndDebugPrintDoNothing)
{
    ASSERT_TRUE(Run("a = Story:Console('hello'); b = DebugPrint('hello')"));
    EXPECT_TRUE(Holds("a == nil and b == nil"));
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(StoryState, StateAndModeFlagsTakeOnlyOneAsSet)
{
    cGameWorld& world = cGameWorld::Instance();
    const struct {
        int argument;
        uint8_t flag;
    } cases[] = { { 1, 1 }, { 0, 0 }, { 2, 0 }, { -1, 0 }, { 1, 1 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        ASSERT_TRUE(Run("Story:SetState(" + std::to_string(c.argument) + ")"));
        EXPECT_EQ(world.levelState, c.flag);
        ASSERT_TRUE(Run("Story:SetGamePlayMode(" + std::to_string(c.argument) + ")"));
        EXPECT_EQ(world.gamePlayMode, c.flag);
    }
}

TEST_F(StoryState, GameStateReadsTheWorld)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 31;
    world.gameMode = 4;
    world.paused = 1;
    world.intro = 1;
    wcscpy(cSettings::Instance().languageCode, L"deu");
    ASSERT_TRUE(Run("level = Story:GetLevel(); mode = Story:GetModus(); paused = Story:Pause();"
                    "intro = Story:INTRO(); lang = Story:GetLanguage(); diff = Story:GetDifficult()"));
    EXPECT_EQ(Number("level"), 31);
    EXPECT_EQ(Number("mode"), 4);
    EXPECT_EQ(Text("lang"), "deu");
    EXPECT_EQ(Number("diff"), 0);
    ASSERT_TRUE(Run("assert(paused == true and intro == true)"));

    world.paused = 0;
    world.intro = 2; // only 1 counts as the intro
    ASSERT_TRUE(Run("assert(Story:Pause() == false and Story:INTRO() == false)"));
    cSettings::Instance().languageCode[0] = L'\0';
    ASSERT_TRUE(Run("assert(Story:GetLanguage() == '')"));
}

TEST_F(StoryState, ParametersAddUpAndWrapWithoutOverflow)
{
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(Run("Story:AddToParameters(2, 10); Story:AddToParameters(2, -3); v = Story:GetParameters(2)"));
    EXPECT_EQ(Number("v"), 7);
    world.parameters[2] = 2147483647;
    ASSERT_TRUE(Run("Story:AddToParameters(2, 1)"));
    EXPECT_EQ(world.parameters[2], -2147483647 - 1);
}

TEST_F(StoryState, ThreeServicePlacesInARowAreFound)
{
    cGameWorld& world = cGameWorld::Instance();
    const struct {
        const char* what;
        std::vector<std::array<int, 3>> places; // type, row, column
        bool expected;
    } cases[] = {
        { "no places", {}, false },
        { "top edge, columns 7..9", { { 6, 0, 7 }, { 7, 0, 8 }, { 8, 0, 9 } }, true },
        { "left edge, rows 7..9", { { 11, 7, 0 }, { 9, 8, 0 }, { 10, 9, 0 } }, true },
        { "broken row", { { 6, 0, 8 }, { 6, 0, 9 }, { 6, 1, 0 } }, false },
        { "two in a row", { { 6, 4, 4 }, { 6, 4, 5 } }, false },
        { "not service places", { { 5, 2, 2 }, { 12, 2, 3 }, { 100, 2, 4 } }, false },
        { "outside the grid", { { 6, 10, 0 }, { 6, 11, 0 }, { 6, 12, 0 } }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.places.clear();
        for (const auto& p : c.places) {
            cPlace place;
            place.type = p[0];
            place.row = p[1];
            place.column = p[2];
            world.places.push_back(place);
        }
        EXPECT_TRUE(Holds(std::string(c.expected ? "" : "not ") + "Story:Exist3()"));
    }
    world.places.clear();
}

// Every line of three along a row or a column, at every position up to the
// grid's edges, is found; the same three cells bent out of line are not.
TEST_F(StoryState, ThreeServicePlacesAreFoundAtEveryPositionOfTheGrid)
{
    cGameWorld& world = cGameWorld::Instance();
    // Places a service place on each cell; true when Exist3 answers `expected`.
    const auto answers = [&](bool expected, const std::vector<std::array<int, 2>>& cells) {
        world.places.clear();
        for (const auto& cell : cells) {
            cPlace place;
            place.type = 8;
            place.row = cell[0];
            place.column = cell[1];
            world.places.push_back(place);
        }
        return Holds(std::string(expected ? "" : "not ") + "Story:Exist3()");
    };
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b + 2 < 10; ++b) {
            SCOPED_TRACE("line " + std::to_string(a) + ", from " + std::to_string(b));
            EXPECT_TRUE(answers(true, { { a, b }, { a, b + 1 }, { a, b + 2 } })) << "along a row";
            EXPECT_TRUE(answers(true, { { b, a }, { b + 1, a }, { b + 2, a } })) << "down a column";
            // Each cell of the line in turn moved off it: a bend, no line.
            const int off = a == 9 ? 8 : a + 1;
            for (int moved = 0; moved < 3; ++moved) {
                std::vector<std::array<int, 2>> row, column;
                for (int i = 0; i < 3; ++i) {
                    row.push_back({ i == moved ? off : a, b + i });
                    column.push_back({ b + i, i == moved ? off : a });
                }
                EXPECT_TRUE(answers(false, row)) << "row with cell " << moved << " moved";
                EXPECT_TRUE(answers(false, column)) << "column with cell " << moved << " moved";
            }
        }
    }
    // Two at the end of a line and one just past the grid's last cell.
    EXPECT_TRUE(answers(false, { { 9, 8 }, { 9, 9 }, { 10, 0 } }));
    EXPECT_TRUE(answers(false, { { 8, 9 }, { 9, 9 }, { 0, 10 } }));
    world.places.clear();
}

} // namespace
