// The bomb of the grid levels: released over a cell it clears that cell and
// its eight neighbours, and nothing further away.
#include <gtest/gtest.h>

#include "grid_cars_fixture.h"

namespace test {
namespace {

    TEST_F(GridCarsTest, ABombClearsTheThreeByThreeBlockAroundItsCellOnly)
    {
        Board(R"(
            # # # #
            1 2 3 1
            2 3 1 2
            3 1 2 3
            1 2 3 1
            2 3 1 2 )");
        Hold(kBomb);
        MouseOn(3, 2);
        world.leftDown = 0;
        transport->DrawGridAutos();
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(Cells(), Normalised(R"(
            # # # #
            1 2 3 1
            2 . . .
            3 . . .
            1 . . .
            2 3 1 2 )"));
    }

} // namespace
} // namespace test
