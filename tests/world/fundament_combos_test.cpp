// Combos of cars standing on the grid: the line scans through the changed
// cells in both bonus systems, the joker car and when it is in use, merging, the sweep for the
// triples a cascade leaves, and what applying a combo does.
#include <gtest/gtest.h>

#include <tuple>

#include "scripting/story.h"
#include "support/board_text.h"
#include "world/grid_fixture.h"
#include "world/settings.h"
#include "world/world_combo_rules.h"

namespace {

using test::GridTest;
using FundamentCombos = GridTest;

struct Cell { int row; int column; };

struct ScanCase {
    const char* name;
    const char* board;
    std::vector<Cell> selected;
    bool byClass;
    std::vector<std::string> combos;
};

TEST_F(FundamentCombos, LineScansThroughTheChangedCells)
{
    const ScanCase cases[] = {
        { "row of three", "# # # # #\n# # # # #\n1 1 1 3 .", { { 2, 1 } }, true, { "k=1 2,0 2,1 2,2" } },
        { "column of four ending on row 9", "#\n#\n#\n#\n#\n1\n3\n3\n3\n3", { { 9, 0 } }, true,
            { "k=3 6,0 7,0 8,0 9,0" } },
        { "run of six ending on column 9", "# # # # # # # # # #\n. 3 4 1 4 4 4 4 4 4",
            { { 1, 8 } }, true, { "k=4 1,4 1,5 1,6 1,7 1,8 1,9" } },
        { "two are no combo", "# # #\n1 1 3", { { 1, 0 } }, true, {} },
        { "one colour, two types: a combo by colour", "# # #\n1 2 1", { { 1, 1 } }, false, { "k=7 1,0 1,1 1,2" } },
        { "one colour, two types: no combo by class", "# # #\n1 2 1", { { 1, 1 } }, true, {} },
        { "the joker between two runs belongs to both",
            "# # # # # # # # # #\n. . 1 . .\n. . 1 . .\n. . 90 . .\n. . 3 . .\n. . 3 . .",
            { { 3, 2 } }, true, { "k=1 1,2 2,2 3,2", "k=3 3,2 4,2 5,2" } },
        { "jokers opening a run take the class after them", "# # # # #\n90 90 4 4 3",
            { { 1, 3 } }, true, { "k=4 1,0 1,1 1,2 1,3" } },
        { "a cross through the changed cell becomes one combo", "# # # # #\n. 1 . . .\n. 1 . . .\n1 1 1 . .",
            { { 3, 1 } }, true, { "k=1 1,1 2,1 3,1 3,0 3,2" } },
        { "two changed cells of one run give it once", "# # # # #\n# # # # #\n1 1 1 3 .",
            { { 2, 0 }, { 2, 2 } }, true, { "k=1 2,0 2,1 2,2" } },
        { "a whole row", "# # # # # # # # # #\n5 5 5 5 5 5 5 5 5 5",
            { { 1, 3 } }, true, { "k=5 1,0 1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8 1,9" } },
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        world.ResetToDefaults();
        for (const auto& [id, colour, autoClass] :
            { std::tuple { 1, 7, 1 }, { 2, 7, 1 }, { 3, 8, 2 }, { 4, 9, 3 }, { 5, 10, 4 } })
            AddCarType(id, colour, autoClass);
        test::LoadBoard(world, c.board);
        world.bonusByClass = c.byClass ? 1 : 0;
        bool joker = false; // a joker on a changed cell of a combo is in use
        for (const Cell& cell : c.selected) {
            Select(world.FindFundamentAt(cell.row, cell.column), cell.row, cell.column);
            joker |= world.fundaments[world.FindFundamentAt(cell.row, cell.column)].autoType == 90;
        }
        world.comboCounter = 0;
        EXPECT_EQ(world.FindFundamentCombos(), 0);
        EXPECT_EQ(Combos(), c.combos);
        EXPECT_EQ(world.jokerInUse, joker && !c.combos.empty());
    }
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(FundamentCombos, SweepFindsTriplesOnly)
{
    struct Case { const char* name; const char* board; std::vector<std::string> combos; };
    const Case cases[] = {
        { "a run of five gives one triple", "# # # # #\n2 2 2 2 2", { "k=2 1,0 1,1 1,2" } },
        { "a joker matches only a joker", "# # # # # #\n90 1 1 90 90 90", { "k=90 1,3 1,4 1,5" } },
        { "a corner cell starts both of its triples", "# # #\n3 3 3\n3 . .\n3 . .",
            { "k=3 1,0 2,0 3,0", "k=3 1,0 1,1 1,2" } },
        { "nothing on a checkered board", "# # #\n1 2 1\n2 1 2\n1 2 1", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.ResetToDefaults();
        world.bonusByClass = 1;
        test::LoadBoard(world, c.board);
        EXPECT_EQ(world.RebuildFundamentCombos(), 0);
        EXPECT_EQ(Combos(), c.combos);
    }
}

TEST_F(FundamentCombos, ApplyingClearsTheCellsAndReportsTheBonus)
{
    for (const bool keepJoker : { false, true }) {
        SCOPED_TRACE(keepJoker ? "keep joker" : "clear joker");
        world.ResetToDefaults();
        AddCarType(1, 7, 4);
        world.ComputeLayout();
        world.bonusByClass = 1;
        world.points = 50;
        world.jokerRequested = 1;
        test::LoadBoard(world, "# # # #\n# # # #\n1 1 1 2");
        Select(world.FindFundamentAt(2, 1), 2, 1);
        world.FindFundamentCombos();
        if (keepJoker)
            world.ApplyFundamentCombosKeepJoker();
        else
            world.ApplyFundamentCombos();

        EXPECT_EQ(test::BoardText(world, 3, 4), test::Normalised("# # # #\n# # # #\n. . . 2"));
        EXPECT_EQ(world.bonusCellCount, 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(std::tuple(world.bonusCellKind[i], world.bonusCellRow[i], world.bonusCellColumn[i]),
                std::tuple(0, 2, i));
        EXPECT_EQ(world.bonusType, 3);
        EXPECT_EQ(world.bonusAutoClass, 1); // the run's value: the car type
        EXPECT_EQ(world.jokerRequested, keepJoker ? 1 : 0);
        ASSERT_EQ(world.comboLog.size(), 1u);
        // Length, the class of the car that stood there, and the points.
        const cComboLogEntry& entry = world.comboLog[0];
        EXPECT_EQ(std::tuple(entry.length, entry.class_, entry.points), std::tuple(3, 4, 50));
        EXPECT_EQ(world.flyingValues.size(), 1u);
    }
}

// The sound follows the length (bonus1 beyond 8); muted or without an engine
// nothing plays, and the twenty effect slots are reused once finished.
TEST_F(FundamentCombos, BonusSoundFollowsTheLength)
{
    const std::tuple<int, const char*, int, bool> cases[] = { { 3, "bonus3", 0, true }, { 4, "bonus4", 0, true },
        { 5, "bonus5", 0, true }, { 6, "bonus6", 0, true }, { 7, "bonus7", 0, true }, { 8, "bonus8", 0, true },
        { 9, "bonus1", 0, true }, { 10, "bonus1", 0, true }, { 3, nullptr, 1, true }, { 3, nullptr, 0, false } };
    for (int i = 0; i < 21; ++i)
        world.PlayEffectSound("bonus3");
    EXPECT_EQ(sound.played.size(), 20u);
    sound.sounds[4]->finished = true;
    world.PlayEffectSound("bonus4");
    EXPECT_EQ(sound.played.size(), 21u);
    EXPECT_EQ(world.effectSounds[4], sound.sounds.back().get());
    for (auto& s : sound.sounds)
        s->finished = true;
    for (const auto& [length, name, mute, engine] : cases) {
        SCOPED_TRACE(length);
        world.ResetToDefaults();
        world.soundEngine = engine ? &sound : nullptr;
        cSettings::Instance().mute = mute;
        sound.played.clear();
        world.bonusByClass = 1;
        std::string row;
        for (int c = 0; c < 10; ++c)
            row += c < length ? "1 " : ". ";
        test::LoadBoard(world, "# # # # # # # # # #\n" + row);
        Select(world.FindFundamentAt(1, 0), 1, 0);
        world.FindFundamentCombos();
        world.ApplyFundamentCombos();
        EXPECT_EQ(world.bonusType, length);
        EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_bonus" }));
        EXPECT_EQ(sound.played, name ? std::vector<std::string> { std::string("data/sound/wav/") + name + ".wav" }
                                     : std::vector<std::string> {});
    }
    cSettings::Instance().mute = 0;
    for (auto& s : sound.sounds)
        EXPECT_FALSE(s->usedAfterRelease);
}

TEST_F(FundamentCombos, AMergeBeyondTheRecordKeepsItsFirstMembers)
{
    cCombo a;
    a.id = 0;
    cCombo b;
    b.id = 1;
    for (int i = 0; i < 30; ++i) {
        world::AddComboMember(a, i, 1, i, 0);
        world::AddComboMember(b, i, 1, i == 5 ? 5 : i + 100, i == 5 ? 0 : 1);
    }
    world.combos = { a, b };
    world.comboCounter = 2;
    Select(5, 5, 0);
    world::MergeCombos(world, true);
    ASSERT_EQ(world.combos.size(), 1u);
    EXPECT_EQ(world.combos[0].count, cCombo::kMaxMembers);
    EXPECT_EQ(world.combos[0].memberRow[29], 29);
    EXPECT_EQ(world.combos[0].memberRow[30], 100);
    EXPECT_EQ(TakeErrors().size(), 1u);
}

} // namespace
