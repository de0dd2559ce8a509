// The managers on a station level: moving stack cars to the places their
// hints name, handing the stack to the player, the cars sliding to their
// places and settling there, and the place-combo check that hands the stack
// back and forth.
#include <gtest/gtest.h>

#include "support/recording_sound.h"
#include "vehicles_fixture.h"

namespace test {
namespace {

    class Managers : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            world.soundEngine = &sound;
            AddCarType(1, "car_a", 7, 0, 1);
            AddCarType(2, "car_b", 8, 0, 2);
            StartScreens();
            world.managerBelowLimit = 0;
        }
        void TearDown() override
        {
            world.soundEngine = nullptr;
            VehiclesTest::TearDown();
        }
        // A service place on the cell, its car standing 40 right of it.
        int Place(int row, int column)
        {
            cPlace place;
            place.type = 7;
            place.row = row;
            place.column = column;
            place.x = 100 * column;
            place.y = 100 * row;
            place.direction = 1;
            place.autoOffsetX = 40;
            world.places.push_back(place);
            return static_cast<int>(world.places.size()) - 1;
        }
        void Stack(std::initializer_list<int> cars)
        {
            int id = 1;
            for (const int car : cars) {
                world.SetStackCoordinateAndDirection(id, 900 + 90 * id, 160, 9);
                world.stackSlots.back().autoType = car;
                ++id;
            }
        }
        void Hint(int place, int autoClass)
        {
            world.hintIndex[world.hintCount] = place;
            world.hintClass[world.hintCount] = autoClass;
            ++world.hintCount;
        }
        // A car sliding from the road onto a place.
        void CarSliding()
        {
            world.StartTransfer(1, 0, 0, 10, 10);
            world.transfers = world.roadTransfers;
        }
        RecordingSoundEngine sound;
    };

    TEST_F(Managers, ManagersFollowTheHintsUntilTheyHaveMadeTheirMoves)
    {
        const int first = Place(2, 1);
        const int second = Place(3, 1);
        Stack({ 1, 2, 1 });
        world.profi = 1;
        world.managerCount = 2;
        world.stackLimit = 2;
        Hint(first, 2);
        Hint(second, 1);
        carLayer->UpdateTransfer();
        // The class-2 car of slot 2 goes to the first hint's place, the
        // first class-1 car to the second's.
        EXPECT_EQ(world.stackSlots[0].autoType, -1);
        EXPECT_EQ(world.stackSlots[1].autoType, -1);
        EXPECT_EQ(world.stackSlots[2].autoType, 1);
        EXPECT_EQ(world.managerMoves, 2);
        ASSERT_EQ(world.placeAutos.size(), 2u);
        EXPECT_EQ(world.placeAutos[0].place, first);
        EXPECT_EQ(world.placeAutos[0].autoType, 2);
        EXPECT_EQ(world.placeAutos[0].arriving, 1);
        EXPECT_EQ(world.placeAutos[0].handPlaced, 0);
        EXPECT_EQ(world.placeAutos[0].itemCode, 8); // served with its colour group
        EXPECT_EQ(world.placeAutos[1].place, second);
        ASSERT_EQ(world.transfers.size(), 2u);
        EXPECT_EQ(world.transfers[0].fromX, world.stackSlots[1].x);
        EXPECT_EQ(world.transfers[0].toX, world.places[first].x + 40);
        EXPECT_EQ(world.transfers[0].source, first);
        EXPECT_EQ(sound.played.size(), 2u);
        EXPECT_EQ(world.managerBelowLimit, 0); // the cars are still on their way
    }

    TEST_F(Managers, AHintsPlaceTakesOneCarOnly)
    {
        const int place = Place(2, 1);
        Stack({ 1, 1 });
        world.profi = 1;
        world.managerCount = 2;
        world.stackLimit = 2;
        Hint(place, 1);
        EXPECT_FALSE(carLayer->TransferByHints());
        EXPECT_EQ(world.placeAutos.size(), 1u);
        EXPECT_EQ(world.transfers.size(), 1u);
        EXPECT_EQ(world.stackSlots[1].autoType, 1);
    }

    TEST_F(Managers, WhenTheManagersMayNotMove)
    {
        struct Case {
            const char* what;
            int managerCount, stackLimit, managerMoves;
            bool paused, held, pickAllowed, taskBook;
        };
        const Case cases[] = {
            { "no managers and a stack limit", 0, 1, 0, false, false, false, false },
            { "moves used up", 1, 2, 1, false, false, false, false },
            { "paused", 1, 1, 0, true, false, false, false },
            { "a car is held", 1, 1, 0, false, true, false, false },
            { "the player holds the stack", 1, 1, 0, false, false, true, false },
            { "the task dialog is open", 1, 1, 0, false, false, false, true },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            world.stackSlots.clear();
            world.placeAutos.clear();
            world.transfers.clear();
            world.hintCount = 0;
            Stack({ 1 });
            Hint(Place(2, 1), 1);
            world.profi = 1;
            world.managerCount = c.managerCount;
            world.stackLimit = c.stackLimit;
            world.managerMoves = c.managerMoves;
            world.paused = c.paused;
            world.autoOnMouse = c.held ? 2 : -1;
            world.managerBelowLimit = c.pickAllowed;
            world.taskBookOpen = c.taskBook;
            carLayer->UpdateTransfer();
            EXPECT_EQ(world.stackSlots[0].autoType, 1);
            EXPECT_TRUE(world.transfers.empty());
            EXPECT_EQ(world.managerBelowLimit, c.pickAllowed ? 1 : 0);
        }
    }

    TEST_F(Managers, WithNoCarToMoveTheStackGoesToThePlayer)
    {
        Stack({ -1, -1 });
        world.managerCount = 1;
        world.stackLimit = 1;
        world.managerMoves = 1;
        carLayer->UpdateTransfer();
        EXPECT_EQ(world.managerBelowLimit, 1);
        EXPECT_EQ(world.managerMoves, 0);

        // No free place: the stack goes to the player once nothing slides.
        world.managerBelowLimit = 0;
        world.stackSlots[0].autoType = 1;
        CarSliding();
        carLayer->UpdateTransfer();
        EXPECT_EQ(world.managerBelowLimit, 0);
        world.transfers.clear();
        carLayer->UpdateTransfer();
        EXPECT_EQ(world.managerBelowLimit, 1);
        EXPECT_EQ(world.stackSlots[0].autoType, 1);
    }

    TEST_F(Managers, ArrivedCarsSettleOnTheirPlacesAndAreListedForTheComboCheck)
    {
        const int first = Place(2, 1);
        const int broken = Place(3, 1);
        const int empty = Place(4, 1);
        world.places[broken].state = 2;
        Stack({ 1, 2 });
        world.profi = 1;
        world.managerCount = 2;
        world.stackLimit = 2;
        Hint(first, 1);
        Hint(broken, 2);
        carLayer->UpdateTransfer();
        ASSERT_EQ(world.transfers.size(), 2u);
        // A slide whose place lost its car ends without a trace.
        world.transfers.push_back(world.transfers[0]);
        world.transfers.back().source = empty;
        for (cTransfer& t : world.transfers)
            t.step = t.steps;
        ClearDrawn();
        carLayer->DrawTransfersToPlaces();
        EXPECT_TRUE(Drawn().empty());
        EXPECT_TRUE(world.transfers.empty());
        for (const cPlaceAuto& car : world.placeAutos) {
            EXPECT_EQ(car.arriving, 0);
            EXPECT_EQ(car.inService, 1);
            EXPECT_EQ(car.settling, 1);
        }
        // The broken place's car is served but enters no combo search.
        ASSERT_EQ(world.selectedCount, 1);
        EXPECT_EQ(world.selectedIndex[0], first);
        EXPECT_EQ(world.selectedRow[0], 2);
        EXPECT_EQ(world.lastPlacedCarType, 1);
    }

    TEST_F(Managers, ArrivedCarsWaitWhileThePlayerHoldsTheStack)
    {
        const int place = Place(2, 1);
        Stack({ 1 });
        world.profi = 1;
        world.managerCount = 1;
        world.stackLimit = 1;
        Hint(place, 1);
        carLayer->UpdateTransfer();
        ASSERT_EQ(world.transfers.size(), 1u);
        // Slides of 10 steps, drawn 15 pixels low onto the place.
        const cTransfer& t = world.transfers[0];
        world.managerBelowLimit = 1;
        for (int step = 1; step <= 12; ++step) {
            Wait(11);
            ClearDrawn();
            carLayer->DrawTransfersToPlaces();
            if (step == 1) {
                ASSERT_EQ(DrawnOf(L"car_a.png").size(), 1u);
                EXPECT_EQ(DrawnOf(L"car_a.png")[0].y, static_cast<int>(t.fromY + t.stepY) + 15);
            }
        }
        ASSERT_EQ(world.transfers.size(), 1u);
        world.transfers[0].step = world.transfers[0].steps;
        world.managerBelowLimit = 0;
        carLayer->DrawTransfersToPlaces();
        EXPECT_TRUE(world.transfers.empty());
    }

    TEST_F(Managers, CarsGoingBackToTheRoadVanishOnArrival)
    {
        world.StartTransfer(1, 500, 500, 800, 500); // 20 steps
        for (int frame = 0; frame < 19; ++frame) {
            Wait(11);
            carLayer->DrawTransfers();
        }
        EXPECT_EQ(world.roadTransfers.size(), 1u);
        for (int frame = 0; frame < 1; ++frame) {
            Wait(11);
            carLayer->DrawTransfers();
        }
        EXPECT_TRUE(world.roadTransfers.empty());
    }

    TEST_F(Managers, ThePlaceComboCheckHandsTheStackOver)
    {
        struct Case {
            const char* what;
            int managerCount, stackLimit, managerMoves, pickAllowed, selected;
            int expected;
        };
        const Case cases[] = {
            { "managers done: the player's turn", 1, 2, 1, 0, 1, 1 },
            { "managers not done: nothing changes", 2, 3, 1, 0, 1, 0 },
            { "the player's move: the managers' turn", 1, 2, 0, 1, 1, 0 },
            { "managers as many as the limit keep the stack", 2, 2, 2, 0, 1, 0 },
            { "no managers: the stack stays with the player", 0, 1, 0, 1, 1, 1 },
            { "empty selection: nothing changes", 1, 2, 1, 0, 0, 0 },
            { "empty selection, managers at the limit", 1, 1, 0, 1, 0, 0 },
        };
        const int place = Place(2, 1);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            world.managerCount = c.managerCount;
            world.stackLimit = c.stackLimit;
            world.managerMoves = c.managerMoves;
            world.managerBelowLimit = c.pickAllowed;
            world.selectedCount = 0;
            world.hintCount = 3;
            if (c.selected)
                world.AddSelectedCell(place, 2, 1);
            carLayer->CheckPlaceCombos();
            EXPECT_EQ(world.managerBelowLimit, c.expected);
            if (c.selected) {
                EXPECT_EQ(world.selectedCount, 0);
                EXPECT_EQ(world.managerMoves, 0);
                EXPECT_EQ(world.hintCount, 0);
            }
        }
    }

    TEST_F(Managers, ThePlaceComboCheckWaitsForSlidesAndTheHeldCar)
    {
        const int place = Place(2, 1);
        world.AddSelectedCell(place, 2, 1);
        world.autoOnMouse = 1;
        carLayer->CheckPlaceCombos();
        EXPECT_EQ(world.selectedCount, 1);
        world.autoOnMouse = -1;
        CarSliding();
        carLayer->CheckPlaceCombos();
        EXPECT_EQ(world.selectedCount, 1);
        world.transfers.clear();
        carLayer->CheckPlaceCombos();
        EXPECT_EQ(world.selectedCount, 0);
    }

} // namespace
} // namespace test
