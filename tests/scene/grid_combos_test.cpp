// The combo check of the grid levels over whole frames of the layer: a line a
// move makes leaves the grid and is paid once.
#include <gtest/gtest.h>

#include "grid_cars_fixture.h"

namespace test {
namespace {

    class GridCombos : public GridCarsTest {
    protected:
        void Frame()
        {
            Wait(17);
            carLayer->Draw();
        }
    };

    TEST_F(GridCombos, ALineOnRowZeroOrOfColourZeroLeavesTheGridAndIsPaidOnce)
    {
        const struct {
            const char* what;
            int byClass;
            const char* board;
            int fromRow, fromColumn, toRow, toColumn;
        } cases[] = {
            { "column through row 0", 1, R"(
                1 . . #
                1 . . #
                . 1 . # )",
                2, 1, 2, 0 },
            { "colour 0", 0, R"(
                # # # #
                4 4 . #
                . . 4 # )",
                2, 2, 1, 2 },
        };
        AddCarType(4, "car_a", 0, 0, 4);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            world.fundaments.clear();
            world.comboLog.clear();
            Board(c.board);
            world.stackMovedToGrid = 1;
            world.managerBelowLimit = 1;
            world.bonusByClass = static_cast<uint8_t>(c.byClass);
            MouseOn(c.fromRow, c.fromColumn);
            world.leftDown = 1;
            Frame();
            MouseOn(c.toRow, c.toColumn);
            world.leftDown = 0;
            for (int i = 0; i < 5; ++i)
                Frame();
            int cars = 0;
            for (const cFundament& f : world.fundaments)
                cars += f.autoType != -1 ? 1 : 0;
            EXPECT_EQ(cars, 0);
            ASSERT_EQ(world.comboLog.size(), 1u);
            EXPECT_EQ(world.comboLog[0].times, 1);
        }
    }

} // namespace
} // namespace test
