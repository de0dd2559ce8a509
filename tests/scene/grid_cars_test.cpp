// Grid cars of a grid level: picking one up from its cell, putting it down,
// the joker and the bomb, and where a car released over no cell goes.
#include <gtest/gtest.h>

#include "grid_cars_fixture.h"

namespace test {
namespace {

    int CarAt(const cGameWorld& world, int cell)
    {
        return world.fundaments[cell].autoType;
    }

    constexpr const char* kStart = R"(
        # # # #
        1 2 . #
        2 . 3 #
        3 1 2 #
        . . . # )";

    TEST_F(GridCarsTest, APlainCarIsPickedUpWhileThePlayerHoldsTheStack)
    {
        struct Case {
            const char* what;
            int row, column;
            bool pickAllowed, leftDown, noFreeCell;
            bool picked;
        };
        const Case cases[] = {
            { "plain car", 1, 0, true, true, false, true },
            { "button up", 1, 0, true, false, false, false },
            { "managers hold the stack", 1, 0, false, true, false, false },
            { "grid full", 1, 0, true, true, true, false },
            { "empty cell", 1, 2, true, true, false, false },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            world.fundaments.clear();
            world.autoOnMouse = -1;
            world.swapSource = -1;
            world.jokerRequested = 1;
            Board(kStart);
            MouseOn(c.row, c.column);
            world.managerBelowLimit = c.pickAllowed;
            world.leftDown = c.leftDown;
            world.noFreeCell = c.noFreeCell;
            carLayer->DrawGridAutos();
            if (c.picked) {
                EXPECT_EQ(world.autoOnMouse, 1);
                EXPECT_EQ(CarAt(world, Cell(c.row, c.column)), -1);
                EXPECT_EQ(world.swapSource, Cell(c.row, c.column));
                EXPECT_EQ(world.managerBelowLimit, 0);
                EXPECT_EQ(world.grabOffsetX, 80);
                EXPECT_EQ(world.jokerRequested, 0);
            } else {
                EXPECT_EQ(world.autoOnMouse, -1);
                EXPECT_EQ(world.swapSource, -1);
            }
        }
    }

    TEST_F(GridCarsTest, JokersAndBombsStayOnTheirCells)
    {
        for (const int type : { kJoker, kBomb }) {
            world.fundaments.clear();
            Board("# #\n" + std::to_string(type) + " 1");
            MouseOn(1, 0);
            world.managerBelowLimit = 1;
            world.leftDown = 1;
            carLayer->DrawGridAutos();
            EXPECT_EQ(world.autoOnMouse, -1);
            EXPECT_EQ(CarAt(world, Cell(1, 0)), type);
        }
    }

    // Where the held car ends up once the button is released.
    TEST_F(GridCarsTest, AReleasedCarLandsOrGoesBack)
    {
        struct Case {
            const char* what;
            int held, fromRow, fromColumn; // fromRow -1: from the stack or the bar
            int overRow, overColumn; // -1: over no cell
            const char* board;
            int stackMovedToGrid;
            bool selected; // the move lists one cell
            int jokerSlots;
        };
        const Case cases[] = {
            { "put down on a free cell", 1, 1, 0, 2, 1, R"(
                # # # #
                . 2 . #
                2 1 3 #
                3 1 2 #
                . . . #)",
                0, true, 0 },
            { "over its own cell", 1, 1, 0, 1, 0, kStart, 1, false, 0 },
            { "over an occupied cell", 1, 1, 0, 3, 0, kStart, 1, false, 0 },
            { "over no cell", 1, 1, 0, -1, -1, kStart, 1, false, 0 },
            { "a stack car over an occupied cell is lost", 2, -1, -1, 1, 1, kStart, 1, false, 0 },
            { "the joker replaces a car", kJoker, -1, -1, 3, 1, R"(
                # # # #
                1 2 . #
                2 . 3 #
                3 90 2 #
                . . . #)",
                0, true, 0 },
            { "the joker over no cell goes back to the bar", kJoker, -1, -1, -1, -1, kStart, 1, false, 1 },
            { "a bomb over a free cell clears the block around it", kBomb, -1, -1, 2, 1, R"(
                # # # #
                . . . #
                . . . #
                . . . #
                . . . #)",
                0, false, 0 },
            { "a bomb over a car clears the block around it", kBomb, -1, -1, 3, 0, R"(
                # # # #
                1 2 . #
                . . 3 #
                . . 2 #
                . . . #)",
                0, false, 0 },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            world.fundaments.clear();
            world.jokers.clear();
            world.selectedCount = 0;
            world.stackMovedToGrid = 7;
            Board(kStart);
            Hold(c.held, c.fromRow, c.fromColumn);
            if (c.overRow < 0)
                MouseAway();
            else
                MouseOn(c.overRow, c.overColumn);
            world.leftDown = 0;
            carLayer->DrawGridAutos();
            EXPECT_EQ(world.autoOnMouse, -1);
            EXPECT_EQ(Cells(), Normalised(std::string(c.board) + "\n# # # #"));
            EXPECT_EQ(world.stackMovedToGrid, c.stackMovedToGrid);
            EXPECT_EQ(world.swapSource, -1);
            ASSERT_EQ(world.selectedCount, c.selected ? 1 : 0);
            if (c.selected) {
                EXPECT_EQ(world.selectedIndex[0], Cell(c.overRow, c.overColumn));
                EXPECT_EQ(world.selectedRow[0], c.overRow);
                EXPECT_EQ(world.selectedColumn[0], c.overColumn);
                EXPECT_EQ(world.lastPlacedCarType, c.held);
            }
            EXPECT_EQ(static_cast<int>(world.jokers.size()), c.jokerSlots);
        }
    }

    TEST_F(GridCarsTest, OnlyABombOverACarSounds)
    {
        Board(kStart);
        Hold(kBomb);
        MouseOn(2, 1); // a free cell
        carLayer->DrawGridAutos();
        EXPECT_TRUE(sound.played.empty());

        world.fundaments.clear();
        Board(kStart);
        Hold(kBomb);
        MouseOn(1, 1);
        carLayer->DrawGridAutos();
        ASSERT_EQ(sound.played.size(), 1u);
        EXPECT_NE(sound.played[0].find("bonus6"), std::string::npos);
    }

    TEST_F(GridCarsTest, ACellWithACarSlidingOntoItTakesNoOtherCar)
    {
        Board(kStart);
        world.fundaments[Cell(2, 1)].carArriving = 1;
        Hold(1, 1, 0);
        MouseOn(2, 1);
        world.leftDown = 0;
        carLayer->DrawGridAutos();
        // The held car went back; the arriving one lands on a free cell.
        EXPECT_EQ(CarAt(world, Cell(1, 0)), 1);
        EXPECT_EQ(CarAt(world, Cell(2, 1)), -1);
        EXPECT_EQ(world.selectedCount, 0);
    }

    TEST_F(GridCarsTest, AHeldCarStaysOnTheMouseWhileTheButtonIsDownOrTheGameIsPaused)
    {
        Board(kStart);
        Hold(1, 1, 0);
        MouseAway();
        world.leftDown = 1;
        carLayer->DrawGridAutos();
        EXPECT_EQ(world.autoOnMouse, 1);
        world.leftDown = 0;
        world.paused = 1;
        carLayer->DrawGridAutos();
        EXPECT_EQ(world.autoOnMouse, 1);
        world.paused = 0;
        carLayer->DrawGridAutos();
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(CarAt(world, Cell(1, 0)), 1);
    }

    TEST_F(GridCarsTest, CarsAreDrawnOnTheirCellsAndTheHoveredOneLightsUp)
    {
        Board(R"(
            # #
            1 .
            2 3 )");
        world.fundaments[Cell(2, 1)].hidden = 1;
        MouseOn(1, 0);
        carLayer->DrawGridAutos();
        const auto drawn = Drawn();
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_EQ(drawn[0].name, L"car_a_over.png");
        int x = 0;
        int y = 0;
        world.GridCarPoint(1, 0, x, y);
        EXPECT_EQ(drawn[0].x, x);
        EXPECT_EQ(drawn[0].y, y);
        EXPECT_EQ(drawn[1].name, L"car_b.png");
        world.GridCarPoint(2, 0, x, y);
        EXPECT_EQ(drawn[1].x, x);
    }

    TEST_F(GridCarsTest, BouncingCarsStepTogetherEvery51Milliseconds)
    {
        Board("# #\n1 2");
        for (cFundament& cell : world.fundaments)
            cell.bounce = 1;
        world.bounceTimer.Restart();
        const int expected[10] = { 0, 0, -1, -3, -6, -6, -5, -3, 0, 0 };
        int x = 0;
        int y0 = 0;
        int y1 = 0;
        world.GridCarPoint(1, 0, x, y0);
        world.GridCarPoint(1, 1, x, y1);
        for (int frame = 0; frame < 10; ++frame) {
            SCOPED_TRACE(frame);
            Wait(52);
            ClearDrawn();
            carLayer->DrawGridAutos();
            ASSERT_EQ(Drawn().size(), 2u);
            EXPECT_EQ(Drawn()[0].y, y0 + expected[frame]);
            EXPECT_EQ(Drawn()[1].y, y1 + expected[frame]);
        }
    }

} // namespace
} // namespace test
