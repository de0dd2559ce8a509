// The combo check of the grid levels over whole frames of the layer: a move
// clears its combo, the stack pours onto the free cells once per move, cars
// sliding onto cells join the next check, and in swap mode a combo lets cars
// fall into the gaps.
#include <gtest/gtest.h>

#include "grid_cars_fixture.h"

namespace test {
namespace {

    class GridCombos : public GridCarsTest {
    protected:
        // Stack slots 1..3 at the top right, holding the cars.
        void Stack(std::initializer_list<int> cars)
        {
            int id = 1;
            for (const int car : cars) {
                world.SetStackCoordinateAndDirection(id, 1000 + 90 * id, 160, 9);
                world.stackSlots.back().autoType = car;
                ++id;
            }
        }
        int StackCars() const
        {
            int n = 0;
            for (const cStackSlot& slot : world.stackSlots)
                n += slot.autoType != -1 ? 1 : 0;
            return n;
        }
        // Frames until every sliding car has arrived (at most 100).
        void Settle()
        {
            for (int i = 0; i < 100 && !world.transfers.empty(); ++i) {
                Wait(11);
                transport->Draw();
            }
        }
        void Frame()
        {
            Wait(17);
            transport->Draw();
        }
    };

    TEST_F(GridCombos, AMoveClearsItsLineThenTheStackPoursOnceOntoTheFreeCells)
    {
        Board(R"(
            # # # #
            1 2 . #
            2 . 3 #
            2 1 3 #
            . . . # )");
        Stack({ 3, 3, 3 });
        world.stackMovedToGrid = 1; // the stack has poured for the last move
        world.managerBelowLimit = 1;
        world.bonusByClass = 1;

        // The player moves the 2 of (1, 1) onto (2, 1): no line forms.
        MouseOn(1, 1);
        world.leftDown = 1;
        Frame();
        ASSERT_EQ(world.autoOnMouse, 2);
        MouseOn(2, 1);
        world.leftDown = 0;
        Frame();
        // Row 2 reads 2 2 3 and column 0 reads 1 2 2: no combo yet, and the
        // move's check ran in the same frame as the drop.
        EXPECT_EQ(world.selectedCount, 0);
        EXPECT_EQ(world.stackMovedToGrid, 0);
        EXPECT_EQ(StackCars(), 3);

        // The next frame pours the stack: every car slides to a free cell.
        Frame();
        EXPECT_EQ(world.stackMovedToGrid, 1);
        EXPECT_EQ(StackCars(), 0);
        EXPECT_EQ(world.transfers.size(), 3u);
        Settle();
        // The cars that landed were searched for combos at once; without a
        // new move the stack does not pour again.
        EXPECT_TRUE(world.transfers.empty());
        EXPECT_EQ(world.selectedCount, 0);
        EXPECT_EQ(world.stackMovedToGrid, 1);
        Stack({ 1 });
        Frame();
        EXPECT_EQ(StackCars(), 1);
    }

    TEST_F(GridCombos, ALineOfThreeLeavesTheGridInTheFrameAfterTheDrop)
    {
        Board(R"(
            # # # #
            1 2 . #
            1 3 2 #
            . 3 1 #
            . . . # )");
        world.stackMovedToGrid = 1;
        world.managerBelowLimit = 1;
        world.bonusByClass = 1;
        MouseOn(3, 2);
        world.leftDown = 1;
        Frame();
        MouseOn(3, 0);
        world.leftDown = 0;
        Frame();
        EXPECT_EQ(Cells(), Normalised(R"(
            # # # #
            . 2 . #
            . 3 2 #
            . 3 . #
            . . . #
            # # # # )"));
        EXPECT_EQ(world.selectedCount, 0);
        EXPECT_EQ(world.comboLog.size(), 1u);
    }

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

    TEST_F(GridCombos, ASelectionWaitsForSlidingCarsAndForTheHeldCar)
    {
        Board(R"(
            # # # #
            1 . . #
            1 . . #
            1 . . # )");
        world.stackMovedToGrid = 1;
        world.AddSelectedCell(Cell(3, 0), 3, 0);
        world.StartTransferToFundament(Cell(1, 1), 2, 0, 0, 10, 10);
        transport->CheckFundamentCombos();
        EXPECT_EQ(world.selectedCount, 1);
        EXPECT_EQ(CarAt(1, 0), 1);

        world.transfers.clear();
        world.autoOnMouse = 2;
        transport->CheckFundamentCombos();
        EXPECT_EQ(world.selectedCount, 1);

        world.autoOnMouse = -1;
        transport->CheckFundamentCombos();
        EXPECT_EQ(world.selectedCount, 0);
        EXPECT_EQ(CarAt(1, 0), -1);
        EXPECT_EQ(CarAt(3, 0), -1);
    }

    TEST_F(GridCombos, TheStackPoursOnlyWhenTheMoveWasMadeAndTheSelectionIsEmpty)
    {
        struct Case {
            const char* what;
            int level, stackMovedToGrid, selected, gamePlayMode;
            bool poured;
        };
        const Case cases[] = {
            { "after a move", 1, 0, 0, 0, true },
            { "already poured for this move", 1, 1, 0, 0, false },
            { "the move's check comes first", 1, 0, 1, 0, false },
            { "swap mode", 1, 0, 0, 1, false },
            { "not the first level of a triple", 2, 0, 0, 0, false },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            world.fundaments.clear();
            world.stackSlots.clear();
            world.transfers.clear();
            world.selectedCount = 0;
            world.dropPending = 0;
            Board("# #\n. .\n2 .");
            Stack({ 1 });
            world.level = c.level;
            world.stackMovedToGrid = c.stackMovedToGrid;
            world.gamePlayMode = c.gamePlayMode;
            if (c.selected)
                world.AddSelectedCell(Cell(2, 0), 2, 0);
            transport->CheckFundamentCombos();
            EXPECT_EQ(StackCars(), c.poured ? 0 : 1);
            EXPECT_EQ(world.transfers.size(), c.poured ? 1u : 0u);
        }
    }

    TEST_F(GridCombos, CarsArrivingOnCellsStandThereAndAreSearchedTogether)
    {
        Board("# # #\n. . .");
        world.fundaments[Cell(1, 0)].hidden = 1;
        world.fundaments[Cell(1, 1)].bounce = 1;
        world.StartTransferToFundament(Cell(1, 0), 1, 500, 1100, 300, 400);
        world.StartTransferToFundament(Cell(1, 1), 2, 500, 1100, 400, 400);
        // A slide bound for no cell simply ends.
        cTransfer nowhere = world.transfers.back();
        nowhere.source = -1;
        world.transfers.push_back(nowhere);
        for (cTransfer& t : world.transfers)
            t.step = t.steps - 1;
        Wait(11);
        transport->DrawTransfersToFundaments();
        EXPECT_TRUE(world.transfers.empty());
        EXPECT_EQ(Cells().substr(0, 12), "# # # #\n1 2 ");
        for (const int cell : { Cell(1, 0), Cell(1, 1) }) {
            EXPECT_EQ(world.fundaments[cell].alpha, 255);
            EXPECT_EQ(world.fundaments[cell].hidden, 0);
            EXPECT_EQ(world.fundaments[cell].bounce, 0);
            EXPECT_EQ(world.fundaments[cell].carArriving, 0);
        }
        ASSERT_EQ(world.selectedCount, 2);
        EXPECT_EQ(world.selectedIndex[0], Cell(1, 0));
        EXPECT_EQ(world.selectedIndex[1], Cell(1, 1));
        EXPECT_EQ(world.lastPlacedCarType, 2);
    }

    TEST_F(GridCombos, ASlidingCarIsDrawnAlongItsWayUntilItArrives)
    {
        Board("# #\n. .");
        world.StartTransferToFundament(Cell(1, 0), 1, 100, 200, 300, 200);
        for (int step = 1; step <= 10; ++step) {
            SCOPED_TRACE(step);
            Wait(11);
            ClearDrawn();
            transport->DrawTransfersToFundaments();
            if (step < 10) {
                ASSERT_EQ(DrawnOf(L"car_a.png").size(), 1u);
                EXPECT_EQ(DrawnOf(L"car_a.png")[0].x, 100 + 20 * step);
                EXPECT_EQ(DrawnOf(L"car_a.png")[0].y, 200);
            }
        }
        EXPECT_EQ(CarAt(1, 0), 1);
        // A paused game holds a slide where it is.
        world.StartTransferToFundament(Cell(1, 1), 1, 100, 200, 300, 200);
        world.paused = 1;
        Wait(50);
        transport->DrawTransfersToFundaments();
        EXPECT_EQ(world.transfers[0].step, 0);
    }

    TEST_F(GridCombos, InSwapModeAComboLetsCarsFallBeforeTheNextCheck)
    {
        Board(R"(
            # # #
            2 3 #
            1 3 #
            1 2 #
            1 1 # )");
        world.gamePlayMode = 1;
        world.dropPending = 0;
        world.bonusByClass = 1;
        world.AddSelectedCell(Cell(4, 0), 4, 0);
        transport->CheckFundamentCombos();
        EXPECT_EQ(world.dropPending, 1);
        EXPECT_EQ(Cells(), Normalised("# # # #\n2 3 # #\n. 3 # #\n. 2 # #\n. 1 # #\n# # # #"));

        // While a car is held nothing falls into the cell it came from.
        world.autoOnMouse = 3;
        transport->CheckFundamentCombos();
        EXPECT_EQ(world.dropPending, 1);
        world.autoOnMouse = -1;
        transport->CheckFundamentCombos();
        EXPECT_EQ(world.dropPending, 0);
        EXPECT_EQ(CarAt(4, 0), 2);
        EXPECT_EQ(CarAt(1, 0), -1);
    }

    TEST_F(GridCombos, TheJokerLeavesTheServedCarsAfterEachCheck)
    {
        cPlaceAuto joker;
        joker.autoType = kJoker;
        cPlaceAuto other;
        other.autoType = 1;
        world.placeAutos = { other, joker, joker };
        world.stackMovedToGrid = 1;
        world.jokerInUse = 1;
        transport->CheckFundamentCombos();
        ASSERT_EQ(world.placeAutos.size(), 2u);
        EXPECT_EQ(world.placeAutos[0].autoType, 1);
        EXPECT_EQ(world.jokerInUse, 0);
        transport->RemoveJokerAuto();
        transport->RemoveJokerAuto();
        ASSERT_EQ(world.placeAutos.size(), 1u);
    }

} // namespace
} // namespace test
