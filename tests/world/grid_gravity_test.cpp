// Cars falling into free fundaments, new cars sent into the free ones, the
// stack poured onto the grid, and the cascades and full boards that follow a
// combo.
#include <algorithm>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "support/board_text.h"
#include "world/grid_fixture.h"

namespace {

using test::GridTest;
using GridGravity = GridTest;

TEST_F(GridGravity, CarsFallThenNewCarsAreSent)
{
    AddCarType(4, 7, 1);
    // Column 0: rows 0, 1, 3 and 4 have no fundament; cars on rows 2 and 5.
    test::LoadBoard(world, "# 3\n# 3\n1 3\n# 3\n# 3\n2 3\n. 3\n. 3\n. 3\n. 3");
    world.DropAutosIntoFreeFundaments();
    EXPECT_EQ(test::BoardText(world, 10, 1), test::Normalised("#\n#\n.\n#\n#\n.\n.\n.\n1\n2"));
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
    world.CreateEffects(5, "flash", 8, 0, 0);
    struct Case { const char* name; bool transfer; int onMouse, effectFrame /* -1 none */; bool supplies; };
    const Case cases[] = {
        { "nothing moving", false, -1, -1, true },
        { "a transfer runs", true, -1, -1, false },
        { "a car on the mouse", false, 4, -1, false },
        { "a combo effect just started", false, -1, 2, false },
        { "a combo effect well under way", false, -1, 3, true },
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
            world.CreateMyEffects(-1, 5, 0, 0.036f, 0, 0, 3, 3);
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

} // namespace
