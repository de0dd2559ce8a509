// The bonus cars of the grid levels: the bomb, released over a cell, clears
// that cell and its eight neighbours and nothing further away; a joker among
// the served cars leaves them after a combo check.
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
        carLayer->DrawGridAutos();
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(Cells(), Normalised(R"(
            # # # #
            1 2 3 1
            2 . . .
            3 . . .
            1 . . .
            2 3 1 2 )"));
    }

    TEST_F(GridCarsTest, EachComboCheckTakesOneJokerOffTheServedCars)
    {
        cPlaceAuto joker;
        joker.autoType = kJoker;
        cPlaceAuto other;
        other.autoType = 1;
        world.placeAutos = { other, joker, joker };
        world.stackMovedToGrid = 1;
        world.jokerInUse = 1;
        carLayer->CheckFundamentCombos();
        ASSERT_EQ(world.placeAutos.size(), 2u);
        EXPECT_EQ(world.placeAutos[0].autoType, 1);
        EXPECT_EQ(world.placeAutos[1].autoType, kJoker);
        EXPECT_EQ(world.jokerInUse, 0);
    }

} // namespace
} // namespace test
