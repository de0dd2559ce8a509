// Swap mode of the grid levels: a car picked up swaps places with the car of
// a neighbouring cell for 300 points, also when fewer are left; released
// anywhere else it goes back.
#include <gtest/gtest.h>

#include <string>

#include "grid_cars_fixture.h"

namespace test {
namespace {

    constexpr const char* kBoard = R"(
        # # # #
        1 2 3 #
        2 3 1 #
        3 1 2 # )";

    class Swap : public GridCarsTest {
    protected:
        void SetUp() override
        {
            GridCarsTest::SetUp();
            world.gamePlayMode = 1;
            world.managerBelowLimit = 1;
            world.levelPoints = 100;
            Board(kBoard);
        }
        // Picks the car of the cell up and releases it over another.
        void Move(int fromRow, int fromColumn, int toRow, int toColumn)
        {
            MouseOn(fromRow, fromColumn);
            world.leftDown = 1;
            carLayer->DrawSwapFundamentAutos();
            ASSERT_NE(world.autoOnMouse, -1);
            if (toRow < 0)
                MouseAway();
            else
                MouseOn(toRow, toColumn);
            world.leftDown = 0;
            carLayer->DrawSwapFundamentAutos();
        }
    };

    // The price is paid whole also when fewer points are left: the points go
    // below zero, and on down with each further swap.
    TEST_F(Swap, ASwapWithANeighbourCosts300PointsAndListsBothCells)
    {
        world.jokerRequested = 1;
        Move(2, 1, 2, 2);
        EXPECT_EQ(Cells(), Normalised(R"(
            # # # #
            1 2 3 #
            2 1 3 #
            3 1 2 #
            # # # #
            # # # # )"));
        EXPECT_EQ(world.levelPoints, -200);
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(world.managerBelowLimit, 0);
        EXPECT_EQ(world.jokerRequested, 0);
        ASSERT_EQ(world.selectedCount, 2); // both cells are checked for lines
        EXPECT_EQ(world.selectedIndex[1], Cell(2, 1));

        world.managerBelowLimit = 1;
        Move(2, 1, 2, 2);
        EXPECT_EQ(world.levelPoints, -500);
    }

    TEST_F(Swap, ACarReleasedOverNoNeighbourGoesBackInTheSameFrame)
    {
        struct Case {
            const char* what;
            int row, column;
        };
        const Case cases[] = {
            { "diagonal neighbour", 3, 2 },
            { "far cell", 2, 3 },
            { "its own cell", 2, 1 },
            { "no cell", -1, -1 },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            world.stackMovedToGrid = 0;
            world.managerBelowLimit = 1;
            Move(2, 1, c.row, c.column);
            EXPECT_EQ(Cells(), Normalised(std::string(kBoard) + "\n# # # #\n# # # #"));
            EXPECT_EQ(world.levelPoints, 100);
            EXPECT_EQ(world.autoOnMouse, -1);
            EXPECT_EQ(world.stackMovedToGrid, 1);
            EXPECT_EQ(world.managerBelowLimit, 1);
        }
    }

    // Each of the four neighbours of a cell swaps with it, whichever side it
    // lies on, and the swap is drawn at once: each car on its new cell.
    TEST_F(Swap, EachOfTheFourNeighboursSwaps)
    {
        struct Case {
            const char* what;
            int row, column;
            const char* after;
        };
        const Case cases[] = {
            { "above", 1, 1, "1 3 3 #\n2 2 1 #\n3 1 2 #" },
            { "below", 3, 1, "1 2 3 #\n2 1 1 #\n3 3 2 #" },
            { "left", 2, 0, "1 2 3 #\n3 2 1 #\n3 1 2 #" },
            { "right", 2, 2, "1 2 3 #\n2 1 3 #\n3 1 2 #" },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            world.fundaments.clear();
            Board(kBoard);
            world.managerBelowLimit = 1;
            world.levelPoints = 1000;
            Move(2, 1, c.row, c.column);
            EXPECT_EQ(Cells(), Normalised(std::string("# # # #\n") + c.after + "\n# # # #\n# # # #"));
            EXPECT_EQ(world.levelPoints, 700);
            EXPECT_EQ(world.selectedCount, 2);
            EXPECT_EQ(world.selectedIndex[0], Cell(c.row, c.column));
            EXPECT_EQ(world.selectedIndex[1], Cell(2, 1));
        }
    }

} // namespace
} // namespace test
