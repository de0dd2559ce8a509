// The grid and combo rules: line scans through the changed cells in both
// bonus systems, jokers, merging, the sweep for triples a cascade leaves and
// what applying a combo does; place combos with their wear; cars falling into
// free fundaments, supply, and the stack poured onto the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "scripting/story.h"
#include "support/board_text.h"
#include "world/grid_fixture.h"
#include "world/settings.h"
#include "world/world_combo_rules.h"

namespace test {
namespace {

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
        { "a row of jokers crossing a run joins it", "# # # # #\n90 90 90 . .\n1 . . . .\n1 . . . .",
            { { 1, 0 } }, true, { "k=1 1,0 2,0 3,0 1,1 1,2" } },
        { "three runs joined at two changed cells become one combo", "# # # # #\n1 1 1 . .\n1 . 1 . .\n1 . 1 . .\n. . 1 . .",
            { { 1, 0 }, { 1, 2 } }, true, { "k=1 1,2 2,2 3,2 4,2 1,0 2,0 3,0 1,1" } },
        { "two changed cells of one run give it once", "# # # # #\n# # # # #\n1 1 1 3 .",
            { { 2, 0 }, { 2, 2 } }, true, { "k=1 2,0 2,1 2,2" } },
        // A joker closing a run also opens the next: a short run hands it on,
        // a combo shares it. Runs before, at and after the changed cell, to
        // both edges of the line.
        { "a joker after a pair opens the next run", "# # # # #\n3 90 2 2 .", { { 1, 0 } }, true,
            { "k=2 1,1 1,2 1,3" } },
        { "a joker after a single car opens a run to the edge", "# # # # # # # # # #\n. . . . . . 4 90 5 5",
            { { 1, 9 } }, true, { "k=5 1,7 1,8 1,9" } },
        { "jokers shared by three runs along a whole row", "# # # # # # # # # #\n2 2 90 1 1 1 1 90 3 3",
            { { 1, 5 } }, true, { "k=2 1,0 1,1 1,2", "k=1 1,2 1,3 1,4 1,5 1,6 1,7", "k=3 1,7 1,8 1,9" } },
        { "a joker at the foot of a column closes a pair into a run", "#\n#\n#\n#\n#\n#\n#\n3\n3\n90",
            { { 9, 0 } }, true, { "k=3 7,0 8,0 9,0" } },
        { "a column: a pair, a joker, a pair to the foot", "#\n#\n#\n#\n#\n1\n2\n90\n4\n4", { { 6, 0 } }, true,
            { "k=4 7,0 8,0 9,0" } },
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


class PlaceCombos : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        // Class 6 is the any class.
        for (const auto& [id, colour, autoClass] :
            { std::tuple { 11, 7, 2 }, { 12, 8, 2 }, { 13, 9, 3 }, { 16, 10, 6 } })
            AddCarType(id, colour, autoClass);
    }

    // A work place on the cell serving a car of the type; its index.
    int Serve(int row, int column, int type)
    {
        world.CreatePlace(6, row, column, 9);
        const int p = static_cast<int>(world.places.size()) - 1;
        world.SetPlaceAuto(p, type);
        world.PutAutoOnPlace(p, 0, 1);
        return p;
    }

    void Clear()
    {
        world.places.clear();
        world.placeAutos.clear();
        world.selectedCount = 0;
    }

    void Find(int place)
    {
        Select(place, world.places[place].row, world.places[place].column);
        world.comboCounter = 0;
        world.FindAutoCombos();
    }
};

TEST_F(PlaceCombos, ThreeInAColumnWithTheMiddleOneJustPlaced)
{
    Serve(2, 4, 11);
    const int middle = Serve(3, 4, 12); // another type of the same class
    Serve(4, 4, 11);
    Serve(3, 5, 13);
    Find(middle);
    EXPECT_EQ(Combos(), (std::vector<std::string> { "k=2 2,4 3,4 4,4" }));
    EXPECT_EQ(world.combos[0].memberIndex[2], 2);

    world.ApplyPlaceCombos();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_bonus" }));
    EXPECT_EQ(std::tuple(world.bonusType, world.bonusAutoClass, world.bonusCellCount), std::tuple(3, 2, 3));
    // The members' cars leave; the car beside them stays.
    ASSERT_EQ(world.placeAutos.size(), 1u);
    EXPECT_EQ(world.placeAutos[0].autoType, 13);
    EXPECT_EQ(world.leavingAutos.size(), 3u);
    EXPECT_EQ(world.flyingValues.size(), 1u);
}

TEST_F(PlaceCombos, RunsMeasuredFromTheChangedCell)
{
    struct Case {
        const char* name;
        std::vector<std::array<int, 3>> cars; // row, column, type
        int selected; // index into cars
        std::vector<std::string> combos;
    };
    const Case cases[] = {
        { "a row of four", { { 3, 1, 11 }, { 3, 2, 11 }, { 3, 3, 12 }, { 3, 4, 11 } }, 1, { "k=2 3,1 3,2 3,3 3,4" } },
        { "two of a class are nothing", { { 3, 1, 11 }, { 3, 2, 11 }, { 3, 3, 13 } }, 0, {} },
        { "below the changed cell the run looks six cells far",
            { { 1, 2, 11 }, { 2, 2, 11 }, { 3, 2, 11 }, { 4, 2, 11 }, { 5, 2, 11 }, { 6, 2, 11 }, { 7, 2, 11 },
                { 8, 2, 11 } },
            0, { "k=2 1,2 2,2 3,2 4,2 5,2 6,2" } },
        { "above it, all the way", { { 1, 2, 11 }, { 2, 2, 11 }, { 3, 2, 11 }, { 4, 2, 11 }, { 5, 2, 11 } }, 4,
            { "k=2 1,2 2,2 3,2 4,2 5,2" } },
        { "a car of any class joins the classes on both sides", { { 2, 2, 11 }, { 3, 2, 16 }, { 4, 2, 13 } }, 1,
            { "k=6 2,2 3,2 4,2" } },
        { "any class: five cells down",
            { { 1, 2, 16 }, { 2, 2, 11 }, { 3, 2, 11 }, { 4, 2, 11 }, { 5, 2, 11 }, { 6, 2, 11 }, { 7, 2, 11 },
                { 8, 2, 11 } },
            0, { "k=6 1,2 2,2 3,2 4,2 5,2 6,2" } },
        { "any class: six cells to the right",
            { { 3, 0, 16 }, { 3, 1, 11 }, { 3, 2, 11 }, { 3, 3, 11 }, { 3, 4, 11 }, { 3, 5, 11 }, { 3, 6, 11 },
                { 3, 7, 11 } },
            0, { "k=6 3,0 3,1 3,2 3,3 3,4 3,5 3,6" } },
        { "a cross of two runs becomes one combo",
            { { 1, 3, 11 }, { 2, 3, 11 }, { 3, 3, 11 }, { 3, 4, 12 }, { 3, 5, 11 } }, 2,
            { "k=2 1,3 2,3 3,3 3,4 3,5" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        std::vector<int> placesMade;
        for (const auto& car : c.cars)
            placesMade.push_back(Serve(car[0], car[1], car[2]));
        Find(placesMade[c.selected]);
        EXPECT_EQ(Combos(), c.combos);
    }
}

TEST_F(PlaceCombos, ABrokenPlaceStartsNoCombo)
{
    Serve(2, 4, 11);
    const int middle = Serve(3, 4, 11);
    Serve(4, 4, 11);
    world.places[middle].state = 2;
    Find(middle);
    EXPECT_TRUE(world.combos.empty());
}

TEST_F(PlaceCombos, WearAndLampFollowTheCombos)
{
    struct Case { int damage; int length; int wearBefore; int wearAfter; const wchar_t* lamp; int state; };
    const Case cases[] = {
        { 1, 3, 0, 5, L"lampe_green", 0 },
        { 1, 3, 25, 30, L"lampe_green", 0 },
        { 1, 3, 26, 31, L"lampe_yellow", 0 },
        { 1, 3, 65, 70, L"lampe_yellow", 0 },
        { 1, 3, 66, 71, L"lampe_red", 0 },
        { 1, 3, 85, 90, L"lampe_red", 0 },
        { 1, 3, 86, 91, L"blink", 0 },
        { 1, 5, 85, 100, L"blink", 0 }, // worn to the limit, still working
        { 1, 3, 96, 0, L"none", 2 },
        { 1, 4, 65, 75, L"lampe_red", 0 },
        { 1, 5, 80, 95, L"blink", 0 },
        { 1, 6, 81, 0, L"none", 2 }, // worn out: the place breaks
        { 0, 3, 50, 50, L"lampe_green", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "damage " << c.damage << " length " << c.length << " wear " << c.wearBefore);
        Clear();
        world.damageMode = c.damage;
        for (int r = 0; r < c.length; ++r) {
            Serve(2 + r, 1, 11);
            world.places.back().wear = c.wearBefore;
        }
        Find(0);
        ASSERT_EQ(world.combos.size(), 1u);
        ASSERT_EQ(world.combos[0].count, c.length);
        world.ApplyPlaceCombos();
        for (const cPlace& p : world.places) {
            EXPECT_EQ(p.wear, c.wearAfter);
            EXPECT_EQ(p.lampName, c.lamp);
            EXPECT_EQ(p.state, c.state);
        }
        EXPECT_TRUE(world.placeAutos.empty());
    }
}

TEST_F(PlaceCombos, ComboLogCountsCombosOfOneLengthAndClass)
{
    const std::pair<int, int> cases[] = { { 11, 11 }, { 11, 13 } };
    for (const auto& [first, second] : cases) {
        world.comboLog.clear();
        for (const int type : { first, second }) {
            Clear();
            for (int r = 0; r < 3; ++r)
                Serve(2 + r, 1, type);
            Find(1);
            world.ApplyPlaceCombos();
        }
        EXPECT_EQ(world.GetMyCombo(3, 2), first == second);
        EXPECT_TRUE(world.GetMyCombo(3, 1) && !world.GetMyCombo(4, 1));
    }
}

using GridGravity = GridTest;

TEST_F(GridGravity, CarsFallThenNewCarsAreSent)
{
    AddCarType(4, 7, 1);
    // Column 0: rows 0, 1, 3 and 4 have no fundament; cars on rows 2 and 5.
    test::LoadBoard(world, "# 3\n# 3\n1 3\n# 3\n# 3\n2 3\n. 3\n. 3\n. 3\n. 3");
    world.DropAutosIntoFreeFundaments();
    EXPECT_EQ(test::BoardText(world, 10, 1), test::Normalised("#\n#\n.\n#\n#\n.\n.\n.\n1\n2"));
    // The fallen cars show whole where they landed.
    for (int row : { 8, 9 })
        EXPECT_EQ(world.fundaments[world.FindFundamentAt(row, 0)].alpha, 255) << row;
    // The cells that received a car, then every free fundament in list order.
    EXPECT_EQ(Selection(), (std::vector<std::string> { "9,0", "8,0", "2,0", "5,0", "6,0", "7,0" }));
    ASSERT_EQ(world.transfers.size(), 4u);
    const cTransfer& t = world.transfers[0];
    // It lands where the cell's car is drawn (the screen is 1280 wide).
    int x = 0, y = 0;
    world.GridCarPoint(2, 0, x, y);
    EXPECT_EQ(std::tuple(t.autoType, t.toX, t.toY, t.source), std::tuple(4, x, y, world.FindFundamentAt(2, 0)));
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GridGravity, SupplyWaitsForWhatIsStillMoving)
{
    AddCarType(4, 7, 1);
    // A combo of n cars plays effect type n (3 to 12).
    for (int type = 2; type <= 13; ++type)
        world.CreateEffects(type, "flash", 8, 0, 0);
    struct Case {
        const char* name;
        bool transfer;
        int onMouse, effectType, effectFrame /* -1 none */;
        bool supplies;
    };
    const Case cases[] = {
        { "nothing moving", false, -1, 5, -1, true },
        { "a transfer runs", true, -1, 5, -1, false },
        { "a car on the mouse", false, 4, 5, -1, false },
        { "a combo effect just started", false, -1, 5, 2, false },
        { "a combo effect well under way", false, -1, 5, 3, true },
        { "the effect of a combo of three just started", false, -1, 3, 0, false },
        { "the effect of a combo of twelve just started", false, -1, 12, 2, false },
        { "an effect of type 2 is no combo's", false, -1, 2, 0, true },
        { "an effect of type 13 is no combo's", false, -1, 13, 0, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.fundaments.clear();
        world.transfers.clear();
        world.effects.clear();
        world.selectedCount = 0;
        test::LoadBoard(world, "# #\n. 4");
        if (c.transfer)
            world.transfers.push_back(cTransfer {});
        world.autoOnMouse = c.onMouse;
        if (c.effectFrame >= 0) {
            world.CreateMyEffects(-1, c.effectType, 0, 0.036f, 0, 0, 3, 3);
            world.effects.back().frame = c.effectFrame;
        }
        const std::size_t before = world.transfers.size();
        world.SupplyFreeFundaments();
        EXPECT_EQ(world.transfers.size() - before, c.supplies ? 1u : 0u);
        EXPECT_EQ(world.selectedCount, c.supplies ? 1 : 0);
    }
}

TEST_F(GridGravity, NoCarTypeToSupplyLeavesTheCellsFree)
{
    test::LoadBoard(world, "# # #\n. . .\n. 1 .");
    world.DropAutosIntoFreeFundaments();
    EXPECT_TRUE(world.transfers.empty());
    EXPECT_EQ(test::BoardText(world, 3, 3), test::Normalised("# # #\n. . .\n. 1 ."));
    EXPECT_EQ(TakeErrors().size(), 1u);

    // Types exist, but none may enter the stack.
    AddCarType(4, 7, 1);
    world.EnableAutoTypForStack(99);
    world.DropAutosIntoFreeFundaments();
    EXPECT_TRUE(world.transfers.empty());
    EXPECT_EQ(world.selectedCount, 0);
}

// A full 10 x 10 board without lines, whose bottom row holds one triple:
// clearing it lets 27 cars fall and sends 3 new ones, 30 changed cells, and
// the cascade is searched at every changed cell.
TEST_F(GridGravity, FullBoardClearingABottomRowTriple)
{
    for (int t : { 7, 10, 11, 12, 13 })
        AddCarType(t, t, t);
    world.bonusByClass = 1;
    std::string board;
    for (int r = 0, c = 0; r < 10; c = (c + 1) % 10, r += c == 0) {
        const bool triple = r == 9 && c >= 3 && c <= 5;
        board += std::to_string(triple ? 7 : 10 + (r + 2 * c) % 4) + (c == 9 ? "\n" : " ");
    }
    test::LoadBoard(world, board);
    world.RebuildFundamentCombos();
    ASSERT_EQ(world.combos.size(), 1u);

    Select(world.FindFundamentAt(9, 4), 9, 4);
    world.FindFundamentCombos();
    ASSERT_EQ(world.combos.size(), 1u);
    world.ApplyFundamentCombos();
    world.DropAutosIntoFreeFundaments();
    EXPECT_EQ(world.selectedCount, 30);
    EXPECT_EQ(world.transfers.size(), 3u);
    for (int c = 3; c <= 5; ++c)
        EXPECT_EQ(world.fundaments[world.FindFundamentAt(0, c)].autoType, -1);
    EXPECT_EQ(world.fundaments[world.FindFundamentAt(9, 3)].autoType, 10 + (8 + 6) % 4);

    // Every changed cell is searched; the shifted columns form no line.
    world.FindFundamentCombos();
    EXPECT_TRUE(world.combos.empty());
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GridGravity, TheSelectionRefusesCellsBeyondItsSize)
{
    for (int i = 0; i < world::kSelection; ++i)
        ASSERT_TRUE(world.AddSelectedCell(i, i / 10, i % 10));
    EXPECT_FALSE(world.AddSelectedCell(100, 1, 1));
    EXPECT_EQ(world.selectedCount, world::kSelection);
    EXPECT_EQ(TakeErrors().size(), 1u);
    EXPECT_TRUE(world.IsSelectedCell(9, 9) && !world.IsSelectedCell(10, 0));
    // Only the cells counted belong to the selection.
    world.selectedCount = 1;
    EXPECT_TRUE(world.IsSelectedCell(0, 0) && !world.IsSelectedCell(0, 1));
}

// The first fill of an empty grid makes no line of three, in a row or a
// column: the player starts with no combo paid before the first move.
TEST_F(GridGravity, TheFirstFillOfAnEmptyGridMakesNoLine)
{
    // Six types in three colours: a line by colour is a line too when the
    // bonus system goes by colour.
    for (int t = 1; t <= 6; ++t)
        AddCarType(t, (t + 1) / 2, t);
    for (const bool byClass : { true, false }) {
        SCOPED_TRACE(byClass ? "by class" : "by colour");
        world.fundaments.clear();
        world.transfers.clear();
        world.selectedCount = 0;
        world.bonusByClass = byClass ? 1 : 0;
        std::string board;
        for (int r = 0; r < 10; ++r)
            board += ". . . . . . . . . .\n";
        test::LoadBoard(world, board);
        world.DropAutosIntoFreeFundaments();
        ASSERT_EQ(world.transfers.size(), 100u);
        int grid[10][10] = {};
        for (const cTransfer& t : world.transfers)
            grid[world.fundaments[t.source].row][world.fundaments[t.source].column]
                = byClass ? t.autoType : (t.autoType + 1) / 2;
        for (int a = 0; a < 10; ++a) {
            for (int b = 0; b + 2 < 10; ++b) {
                EXPECT_FALSE(grid[a][b] == grid[a][b + 1] && grid[a][b] == grid[a][b + 2]) << "row " << a;
                EXPECT_FALSE(grid[b][a] == grid[b + 1][a] && grid[b][a] == grid[b + 2][a]) << "column " << a;
            }
        }
    }
}

TEST_F(GridGravity, StackPoursOntoFreeCells)
{
    test::LoadBoard(world, "# # # #\n. . 1 .");
    for (int id = 1; id <= 4; ++id) {
        world.SetStackCoordinateAndDirection(id, 100 * id, 50, 1);
        world.stackSlots.back().autoType = id < 4 ? 20 + id : -1;
    }
    // Three cars, three free cells: each cell gets one car.
    world.MoveStackAutosToFundaments();
    ASSERT_EQ(world.transfers.size(), 3u);
    std::vector<int> targets;
    for (const cTransfer& t : world.transfers)
        targets.push_back(t.source);
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(targets, (std::vector<int> { 0, 1, 3 }));
    for (const cStackSlot& s : world.stackSlots)
        EXPECT_EQ(s.autoType, -1);
    EXPECT_EQ(world.stackMovedToGrid, 1);

    // A full grid keeps the cars in the stack but marks the pass as done.
    world.transfers.clear();
    world.stackMovedToGrid = 0;
    world.stackSlots[0].autoType = 30;
    for (cFundament& f : world.fundaments)
        f.autoType = 5;
    world.MoveStackAutosToFundaments();
    EXPECT_EQ(world.stackSlots[0].autoType, 30);
    EXPECT_EQ(world.stackMovedToGrid, 1);
}

TEST_F(GridGravity, TheCellOfAHeldCarGetsNoStackCar)
{
    test::LoadBoard(world, "# #\n. .");
    world.SetStackCoordinateAndDirection(1, 0, 0, 1);
    world.stackSlots[0].autoType = 21;
    world.autoOnMouse = 5;
    world.swapSource = 0; // the held car came from the first cell
    for (int round = 0; round < 8; ++round) {
        world.transfers.clear();
        world.stackSlots[0].autoType = 21;
        world.MoveStackAutosToFundaments();
        ASSERT_EQ(world.transfers.size(), 1u);
        EXPECT_EQ(world.transfers[0].source, 1);
    }
}

TEST_F(GridGravity, FreeFundaments)
{
    test::LoadBoard(world, "# # #\n1 . .");
    world.fundaments[1].hidden = 1;
    EXPECT_FALSE(world.NoFreeFundament());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(world.FindFreeFundament(), 2);
    world.fundaments[2].autoType = 3;
    EXPECT_EQ(world.FindFreeFundament(), -1);
    // A blocked cell is still a free one for the end of the level.
    EXPECT_FALSE(world.NoFreeFundament());
    world.fundaments[1].autoType = 3;
    EXPECT_TRUE(world.NoFreeFundament());
}

using Hints = GridTest;

// A cell gets the hint of a class when two cars of it stand next to it in its
// row or column: both on one side, or one on each side.
TEST_F(Hints, APairOfOneClassBesideACellGivesItsHint)
{
    AddCarType(1, 1, 5);
    AddCarType(2, 2, 6);
    struct Case { const char* name; std::vector<std::array<int, 3>> cars; int pairClass; };
    const Case cases[] = {
        { "two above", { { 0, 2, 1 }, { 1, 2, 1 } }, 5 },
        { "two below", { { 3, 2, 2 }, { 4, 2, 2 } }, 6 },
        { "above and below", { { 1, 2, 1 }, { 3, 2, 1 } }, 5 },
        { "two left", { { 2, 0, 2 }, { 2, 1, 2 } }, 6 },
        { "two right", { { 2, 3, 1 }, { 2, 4, 1 } }, 5 },
        { "left and right", { { 2, 1, 2 }, { 2, 3, 2 } }, 6 },
        { "left and right of two classes", { { 2, 1, 1 }, { 2, 3, 2 } }, -1 },
        { "one left, one above", { { 2, 1, 1 }, { 1, 2, 1 } }, -1 },
        { "a free cell between", { { 2, 0, 1 }, { 2, 3, 1 } }, -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.fundaments.clear();
        test::LoadBoard(world, ". . . . .\n. . . . .\n. . . . .\n. . . . .\n. . . . .");
        for (const auto& [row, column, type] : c.cars)
            world.AddAutoToFundament(row, column, type);
        EXPECT_EQ(world.FindNeighbourPairClass(world.FindFundamentAt(2, 2)), c.pairClass);
    }

    // With help on, each such cell takes the next hint of the frame.
    world.fundaments.clear();
    test::LoadBoard(world, ". . . . .\n. . . . .\n. . . . .\n. . . . .\n. . . . .");
    for (const int cell : { 2, 3 }) {
        world.AddAutoToFundament(0, cell, 1);
        world.AddAutoToFundament(1, cell, 1);
    }
    world.helpAuto = 1;
    world.hintCount = 0;
    for (const int cell : { 2, 3 })
        world.AddHelpHint(world.FindFundamentAt(2, cell));
    EXPECT_EQ(world.hintCount, 2);
    EXPECT_EQ(world.hintIndex[1], world.FindFundamentAt(2, 3));
    EXPECT_EQ(world.hintClass[1], 5);
}

using SpecialCars = GridTest;

// The special-car strip tells a car still to be made from one the player
// has, each by its own type.
TEST_F(SpecialCars, TheStripAnswersForTheAskedTypeOnly)
{
    world.AddSpecAutoEntry(5);
    world.AddSpecAutoEntry(6);
    world.specialAutos.back().flag = 1;
    EXPECT_TRUE(world.ICreateSpecAuto(5) && !world.IHaveSpecAuto(5));
    EXPECT_TRUE(world.IHaveSpecAuto(6) && !world.ICreateSpecAuto(6));
    EXPECT_FALSE(world.ICreateSpecAuto(7) || world.IHaveSpecAuto(7));
    world.RemoveSpecAuto(5);
    EXPECT_FALSE(world.ICreateSpecAuto(5));
}

} // namespace
} // namespace test
