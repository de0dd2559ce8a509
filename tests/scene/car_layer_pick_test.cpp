// Stack cars lit and picked, dropped on a place or elsewhere, and the
// service that follows on the place.
#include <gtest/gtest.h>

#include "vehicles_fixture.h"
#include "world/settings.h"

namespace test {
namespace {

    constexpr int kCar = 1;

    class CarLayerPick : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kCar, "car_a", 7, 0, 1);
            world.takeFromStack = 1;
            world.stackLimit = 1;
            world.managerCount = 0;
            world.managerBelowLimit = 1;
            world.processTimeInStation = 4.0;
            // Two slots, each with a car that has driven in; the road ends
            // at (50, 900).
            for (int id = 1; id <= 2; ++id) {
                world.SetStackCoordinateAndDirection(id, 100 * id, 300, 9);
                world.stackSlots.back().autoType = kCar;
            }
            world.stackCounter = 2;
            world.SetAutoBahn(1, 1.0, 1);
            world.SetAutoBahnPoints(1, 1200, 100, 50, 900);
            // A built place of the car's colour, free.
            cPlace place;
            place.type = 7;
            place.direction = 1;
            place.x = 600;
            place.y = 500;
            place.row = 4;
            place.column = 4;
            place.autoOffsetX = 30;
            place.autoOffsetY = -20;
            world.places.push_back(place);
        }
    };

    TEST_F(CarLayerPick, TheFirstStackCarUnderTheMouseIsPickedWhenAllowed)
    {
        StartScreens();
        // Both slots' outlines cover (170..180, 370).
        world.stackSlots[1].x = 110;
        input.x = 175;
        input.y = 370;
        const struct {
            const char* what;
            bool paused;
            bool noFreeCell;
            bool leftDown;
            int held;
            bool picks;
        } cases[] = {
            { "pick", false, false, true, -1, true },
            { "paused", true, false, true, -1, false },
            { "no free cell", false, true, true, -1, false },
            { "button up", false, false, false, -1, false },
            { "holding", false, false, true, 3, false },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            world.stackSlots[0].autoType = kCar;
            world.stackSlots[1].autoType = kCar;
            world.paused = c.paused ? 1 : 0;
            world.noFreeCell = c.noFreeCell ? 1 : 0;
            world.leftDown = c.leftDown ? 1 : 0;
            world.autoOnMouse = c.held;
            carLayer->HandleStackClick();
            EXPECT_EQ(world.stackSlots[0].autoType, c.picks ? -1 : kCar);
            EXPECT_EQ(world.stackSlots[1].autoType, kCar);
            if (c.picks) {
                EXPECT_EQ(world.autoOnMouse, kCar);
                EXPECT_EQ(world.currentStack, 1);
                EXPECT_EQ(world.heldCarItem, 7);
            }
        }

        // The managers hold the stack: no pick until the stack is full.
        world.autoOnMouse = -1;
        world.paused = 0;
        world.noFreeCell = 0;
        world.leftDown = 1;
        world.managerBelowLimit = 0;
        world.stackSlots[0].autoType = -1;
        carLayer->HandleStackClick();
        EXPECT_EQ(world.autoOnMouse, -1);
        world.stackSlots[0].autoType = kCar;
        carLayer->HandleStackClick();
        EXPECT_EQ(world.autoOnMouse, kCar);

        // An empty slot under the mouse is passed over.
        world.autoOnMouse = -1;
        world.managerBelowLimit = 1;
        world.stackSlots[0].autoType = -1;
        world.stackSlots[1].autoType = kCar;
        carLayer->HandleStackClick();
        EXPECT_EQ(world.autoOnMouse, kCar);
        EXPECT_EQ(world.currentStack, 2);
    }

    TEST_F(CarLayerPick, OnlyTheFirstDueCarEndsItsServiceInAFrame)
    {
        StartScreens();
        world.places.push_back(world.places[0]);
        for (int place = 0; place < 2; ++place) {
            world.SetPlaceAuto(place, kCar);
            world.PutAutoOnPlace(place, 7, 1);
            world.placeAutos.back().inService = 1;
            world.placeAutos.back().settling = 0;
        }
        Wait(5000);
        carLayer->UpdateServicedCars();
        EXPECT_EQ(world.placeAutos[0].finished, 1);
        EXPECT_EQ(world.placeAutos[1].finished, 0);
        carLayer->UpdateServicedCars(); // the first leaves
        ASSERT_EQ(world.placeAutos.size(), 1u);
        EXPECT_EQ(world.placeAutos[0].finished, 0);
        carLayer->UpdateServicedCars();
        EXPECT_EQ(world.placeAutos[0].finished, 1);
    }

    TEST_F(CarLayerPick, TheManagersSendOneStackCarToThePlaceAHintNames)
    {
        StartScreens();
        world.hintIndex[0] = 0;
        world.hintClass[0] = world.GetAutoTypeClass(kCar);
        world.hintCount = 1;
        world.managerCount = 2;
        EXPECT_FALSE(carLayer->TransferByHints());
        ASSERT_EQ(world.placeAutos.size(), 1u);
        EXPECT_EQ(world.placeAutos[0].place, 0);
        EXPECT_EQ(world.stackSlots[0].autoType, -1);
        EXPECT_EQ(world.stackSlots[1].autoType, kCar); // the place waits for that one
    }

    TEST_F(CarLayerPick, ADropElsewhereSendsTheCarBackToTheRoadAndMayCostPoints)
    {
        StartScreens();
        const struct {
            int points;
            int fromRoad;
            bool costs;
        } cases[] = { { 249, 0, false }, { 250, 0, true }, { 900, 1, false } };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.points);
            world.roadTransfers.clear();
            world.flyingValues.clear();
            world.levelPoints = c.points;
            world.autoOnMouse = kCar;
            world.carFromRoad = c.fromRoad;
            world.leftDown = 0;
            world.hoveredElement = -1;
            input.x = 300;
            input.y = 400;
            carLayer->DragAuto();
            EXPECT_EQ(world.autoOnMouse, -1);
            ASSERT_EQ(world.roadTransfers.size(), 1u);
            EXPECT_EQ(world.roadTransfers[0].toX, 50);
            EXPECT_EQ(world.flyingValues.size(), c.costs ? 1u : 0u);
            EXPECT_EQ(world.carFromRoad, 0);
        }

        // An occupied or unbuilt place is no target either.
        for (const bool occupied : { true, false }) {
            world.roadTransfers.clear();
            world.placeAutos.clear();
            world.places[0].direction = occupied ? 1 : 0;
            if (occupied) {
                world.PutAutoOnPlace(0, 7, 1);
                world.placeAutos.back().autoType = kCar;
            }
            world.autoOnMouse = kCar;
            world.hoveredElement = 0;
            carLayer->DragAuto();
            EXPECT_EQ(world.roadTransfers.size(), 1u);
        }
    }

    TEST_F(CarLayerPick, OnEitherScreenALetGoCarIsDrawnWhereItIs)
    {
        // The place is at pixels of the screen, as the layout puts it: its
        // served car stands at the same pixels on either screen. A car let go
        // elsewhere slides on from where it was held.
        std::vector<std::pair<int, int>> served;
        for (const int width : { 1280, 1024 }) {
            SCOPED_TRACE(width);
            TearDown();
            SetUp();
            StartScreens(width);
            for (cStackSlot& slot : world.stackSlots)
                slot.autoType = -1;
            world.paused = 1; // nothing moves on between the frames
            world.autoOnMouse = kCar;
            world.hoveredElement = 0;
            carLayer->DragAuto();
            ASSERT_EQ(world.placeAutos.size(), 1u);
            ClearDrawn();
            carLayer->Draw();
            ASSERT_EQ(DrawnOf(L"car_a.png").size(), 1u);
            served.emplace_back(DrawnOf(L"car_a.png")[0].x, DrawnOf(L"car_a.png")[0].y);

            world.autoOnMouse = kCar;
            world.grabOffsetX = 20;
            world.grabOffsetY = 30;
            world.hoveredElement = -1;
            input.x = 300;
            input.y = 400;
            world.leftDown = 1;
            ClearDrawn();
            carLayer->DragAuto();
            ASSERT_EQ(Drawn().size(), 1u);
            const VehicleImage held = Drawn()[0];
            world.leftDown = 0;
            carLayer->DragAuto();
            ASSERT_EQ(world.roadTransfers.size(), 1u);
            ClearDrawn();
            carLayer->Draw();
            const std::vector<VehicleImage> sliding = DrawnOf(L"car_a.png");
            ASSERT_EQ(sliding.size(), 2u); // the served car and the sliding one
            EXPECT_NEAR(sliding[1].x, held.x, 1);
            EXPECT_NEAR(sliding[1].y, held.y, 1);
        }
        EXPECT_EQ(served[0], served[1]);
    }

    // A free, working place of a car kind, with its cell on the grid, gets
    // the hint when the two cells before it hold cars of one class; no other
    // place does.
    TEST_F(CarLayerPick, OnlyAFreeWorkingCarPlaceOnTheGridGetsTheHint)
    {
        const struct {
            const char* name;
            int type;
            int state;
            int row;
            int column;
            bool taken;
            bool hint;
        } cases[] = {
            { "free car place", 7, 0, 4, 3, false, true },
            { "lowest car kind", 6, 0, 4, 3, false, true },
            { "highest car kind", 10, 0, 4, 3, false, true },
            { "kind below the cars", 5, 0, 4, 3, false, false },
            { "kind above the cars", 11, 0, 4, 3, false, false },
            { "broken", 7, 2, 4, 3, false, false },
            { "other state", 7, 1, 4, 3, false, true },
            { "no row", 7, 0, -1, 3, false, false },
            { "no column", 7, 0, 4, -1, false, false },
            { "taken", 7, 0, 4, 3, true, false },
        };
        StartScreens();
        world.drawStation = 1;
        world.helpAuto = 1;
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            world.places.clear();
            world.placeAutos.clear();
            cPlace place;
            place.type = c.type;
            place.state = c.state;
            place.row = c.row;
            place.column = c.column;
            world.places.push_back(place);
            // The pair of one class in the two cells left of the place.
            for (int d = 1; d <= 2; ++d) {
                cPlaceAuto car;
                car.autoType = kCar;
                car.place = 10 + d;
                car.row = c.row;
                car.column = c.column - d;
                world.placeAutos.push_back(car);
            }
            if (c.taken) {
                cPlaceAuto car;
                car.autoType = kCar;
                car.place = 0;
                car.row = 9;
                car.column = 9;
                world.placeAutos.push_back(car);
            }
            world.hintCount = 0;
            carLayer->UpdateHelpHints();
            ASSERT_EQ(world.hintCount, c.hint ? 1 : 0);
            if (c.hint) {
                EXPECT_EQ(world.hintIndex[0], 0);
            }
        }
    }

    TEST_F(CarLayerPick, ACarLightsUpOnlyWhenThePlayerMayTakeIt)
    {
        const struct {
            const char* name;
            int takeFromStack;
            uint8_t pickAllowed;
            bool paused;
            int level;
            uint8_t noFreeCell;
            bool mouseOn;
            bool lit;
        } cases[] = {
            { "may take", 1, 1, false, 2, 0, true, true },
            { "mouse elsewhere", 1, 1, false, 2, 0, false, false },
            { "managers hold the stack", 1, 0, false, 2, 0, true, false },
            { "stack closed", 0, 1, false, 2, 0, true, false },
            { "paused", 1, 1, true, 2, 0, true, false },
            { "first level of a triple", 1, 1, false, 4, 0, true, false },
            { "no free cell", 1, 1, false, 2, 1, true, false },
        };
        StartScreens();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            world.takeFromStack = c.takeFromStack;
            world.managerBelowLimit = c.pickAllowed;
            world.paused = c.paused ? 1 : 0;
            world.level = c.level;
            world.noFreeCell = c.noFreeCell;
            input.x = c.mouseOn ? 170 : 10;
            input.y = c.mouseOn ? 365 : 10;
            ClearDrawn();
            carLayer->DrawStackAutos();
            EXPECT_EQ(DrawnOf(L"car_a_over.png").size(), c.lit ? 1u : 0u);
        }
    }

} // namespace
} // namespace test
