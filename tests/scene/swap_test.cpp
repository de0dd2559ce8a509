// Swap mode of the grid levels: a car picked up swaps places with the car of
// a neighbouring cell for 300 points; released anywhere else it goes back.
#include <gtest/gtest.h>

#include <string>

#include "grid_cars_fixture.h"
#include "level_fixture.h"
#include "scene/menu_effects.h"
#include "scene/menu_manager.h"

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
            world.minusPoints = 100;
            Board(kBoard);
        }
        // Picks the car of the cell up and releases it over another.
        void Move(int fromRow, int fromColumn, int toRow, int toColumn)
        {
            MouseOn(fromRow, fromColumn);
            world.leftDown = 1;
            transport->DrawSwapFundamentAutos();
            ASSERT_NE(world.autoOnMouse, -1);
            if (toRow < 0)
                MouseAway();
            else
                MouseOn(toRow, toColumn);
            world.leftDown = 0;
            transport->DrawSwapFundamentAutos();
        }
    };

    TEST_F(Swap, ASwapWithANeighbourCostsUpTo300PointsAndListsBothCells)
    {
        world.idleSinceTask = 1;
        Move(2, 1, 2, 2);
        EXPECT_EQ(Cells(), Normalised(R"(
            # # # #
            1 2 3 #
            2 1 3 #
            3 1 2 #
            # # # #
            # # # # )"));
        EXPECT_EQ(world.minusPoints, 0); // what was left of 300: never below zero
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(world.managerBelowLimit, 0);
        EXPECT_EQ(world.idleSinceTask, 0);
        ASSERT_EQ(world.selectedCount, 2); // both cells are checked for lines
        EXPECT_EQ(world.selectedIndex[1], Cell(2, 1));
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
            EXPECT_EQ(world.minusPoints, 100);
            EXPECT_EQ(world.autoOnMouse, -1);
            EXPECT_EQ(world.stackMovedToGrid, 1);
            EXPECT_EQ(world.managerBelowLimit, 1);
        }
    }

    // The shipped swap levels, played by the level state: the grid fills
    // itself at the start without lines of its own, and refills the cells a
    // combo clears.
    class SwapLevel : public LevelTest, public ::testing::WithParamInterface<int> {
    protected:
        SwapLevel()
            : LevelTest(true, true)
        {
        }
        void SetUp() override
        {
            LevelTest::SetUp();
            // The loading sequence switches the effects on for good, so the
            // combo effects play.
            cMenuManager::Instance().Get<Scene::MenuEffects>(cMenuManager::kEffects)->SetActive(true);
        }
        cGameWorld& world = cGameWorld::Instance();

        int Free() const
        {
            int free = 0;
            for (const cFundament& f : world.fundaments)
                free += f.autoType == -1 ? 1 : 0;
            return free;
        }
        // Two cars of one type, a third of that type below the cell after
        // them (cars as earlier moves may leave them), then the swap that
        // lines the three up, played with the mouse.
        bool SwapIntoALine(int move)
        {
            for (const cFundament& a : world.fundaments) {
                const int r = a.row;
                const int c = a.column;
                const int next = world.FindFundamentAt(r, c + 1);
                const int end = world.FindFundamentAt(r, c + 2);
                const int below = world.FindFundamentAt(r + 1, c + 2);
                if (next < 0 || end < 0 || below < 0 || (r + c + move) % 3 != 0)
                    continue;
                const int type = world.fundaments[static_cast<std::size_t>(below)].autoType;
                world.fundaments[static_cast<std::size_t>(world.FindFundamentAt(r, c))].autoType = type;
                world.fundaments[static_cast<std::size_t>(next)].autoType = type;
                world.fundaments[static_cast<std::size_t>(end)].autoType = type % 4 + 1;
                // The level reads the mouse at the start of the next frame.
                Point(r, c + 2);
                input.Press(0, true);
                Frames(2, 16.0);
                Point(r + 1, c + 2);
                Frames(2, 16.0);
                input.Press(0, false);
                Frames(2, 16.0);
                return true;
            }
            return false;
        }
        void Point(int row, int column)
        {
            input.x = world.cellX[row][column] + 118;
            input.y = world.cellY[row][column] + 118;
        }
    };

    TEST_P(SwapLevel, TheGridStartsFullWithoutLinesAndRefillsAfterACombo)
    {
        ASSERT_TRUE(StartLevel(GetParam()));
        ASSERT_TRUE(Frames(100, 50.0));
        EXPECT_EQ(Free(), 0);
        EXPECT_TRUE(world.comboLog.empty());
        EXPECT_EQ(world.minusPoints, 0);

        for (int move = 0; move < 3; ++move) {
            SCOPED_TRACE(move);
            const int points = world.minusPoints;
            ASSERT_TRUE(SwapIntoALine(move));
            ASSERT_TRUE(Frames(100, 50.0));
            // Some boards take longer over the refill (chained combos).
            for (int wait = 0; wait < 40 && Free() != 0; ++wait)
                ASSERT_TRUE(Frames(20, 50.0));
            EXPECT_EQ(Free(), 0);
            EXPECT_GT(world.minusPoints, points);
        }
    }

    INSTANTIATE_TEST_SUITE_P(ShippedLevels, SwapLevel, ::testing::Values(16, 28),
        [](const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });

} // namespace
} // namespace test
