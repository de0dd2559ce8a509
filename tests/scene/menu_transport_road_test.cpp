// Road traffic: the gap a car keeps to the one ahead before it starts, the
// cars driving into the stack and the place a stack car drives to.
#include <gtest/gtest.h>

#include "vehicles_fixture.h"

namespace test {
namespace {

    constexpr int kCar = 1;

    class TransportRoad : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kCar, "car_a", 7, 0, 1);
            world.autobahnDistance = 100;
            world.autobahnStep = 2;
        }
        // A car on lane 1 facing the direction, on a path from the start to
        // the end point, standing at (x, y).
        int AddLaneCar(int direction, int x1, int y1, int x2, int y2, float x, float y, bool waiting)
        {
            cAutobahnAuto car;
            car.road = 1;
            car.kind = direction;
            car.variant = direction;
            car.autoType = kCar;
            car.pathX = { x1, x2 };
            car.pathY = { y1, y2 };
            car.x = x;
            car.y = y;
            car.waiting = waiting ? 1 : 0;
            world.autobahnCars.push_back(car);
            return static_cast<int>(world.autobahnCars.size()) - 1;
        }
    };

    TEST_F(TransportRoad, ACarStartsOnlyOutsideTheGapOfAMovingCarAhead)
    {
        StartScreens();
        const struct {
            int direction;
            float otherY; // a car of the same lane and start, ahead
            bool otherWaiting;
            bool mayStart;
        } cases[] = {
            // Down the screen (1, 3) the car ahead is below; up (7, 9), above.
            { 1, 199.0f, false, false }, { 1, 200.0f, false, true }, { 1, 100.0f, false, false },
            { 3, 160.0f, true, true }, // waiting cars never block
            { 1, 60.0f, false, true }, { 9, 50.0f, false, false }, { 9, 0.0f, false, true }, { 9, 100.9f, false, false },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.direction << " " << c.otherY);
            world.autobahnCars.clear();
            const int self = AddLaneCar(c.direction, 500, 100, 0, 400, 500.0f, 100.0f, true);
            AddLaneCar(c.direction, 500, 100, 0, 400, 450.0f, c.otherY, c.otherWaiting);
            EXPECT_EQ(transport->MayRoadCarStart(self, c.direction, 500, 100), c.mayStart);
        }

        // Another lane, direction or start point never blocks.
        world.autobahnCars.clear();
        const int self = AddLaneCar(1, 500, 100, 0, 400, 500.0f, 100.0f, true);
        AddLaneCar(3, 500, 100, 0, 400, 450.0f, 150.0f, false);
        AddLaneCar(1, 501, 100, 0, 400, 450.0f, 150.0f, false);
        world.autobahnCars.back().road = 2;
        AddLaneCar(1, 500, 100, 0, 400, 450.0f, 150.0f, false);
        world.autobahnCars.back().road = 2;
        EXPECT_TRUE(transport->MayRoadCarStart(self, 1, 500, 100));
    }

    TEST_F(TransportRoad, StackArrivalsDriveInAndTheSlotBouncesOnce)
    {
        StartScreens();
        world.SetStackCoordinateAndDirection(1, 100, 300, 9);
        world.SetStackCoordinateAndDirection(2, 300, 300, 9);
        world.AddToStack(1, kCar);
        world.AddToStack(2, kCar);
        ASSERT_EQ(world.stackCars.size(), 2u);
        EXPECT_EQ(world.stackSlots[0].busy, 1);

        // Both paths are upright: only the first car moves, 3 a frame.
        Wait(20);
        transport->UpdateStackArrivals();
        EXPECT_FLOAT_EQ(world.stackCars[0].y, 273.0f);
        EXPECT_FLOAT_EQ(world.stackCars[1].y, 270.0f);

        for (int frame = 0; frame < 20 && world.stackCars.size() == 2; ++frame) {
            Wait(20);
            transport->UpdateStackArrivals();
        }
        ASSERT_EQ(world.stackCars.size(), 1u);
        EXPECT_EQ(world.stackCars[0].target, 2);
        const cStackSlot& slot = world.stackSlots[0];
        EXPECT_EQ(slot.busy, 0);
        EXPECT_EQ(slot.settling, 1);
        EXPECT_EQ(world.stackSlots[1].busy, 1);
    }

    TEST_F(TransportRoad, AStackCarDrivesToAFreePlaceOfItsColour)
    {
        StartScreens();
        const struct {
            int type;
            int state;
            int colour;
        } places[] = { { 6, 0, 1 }, { 7, 2, 1 }, { 12, 0, 1 }, { 8, 0, 1 }, { 9, 0, 0 } };
        for (const auto& p : places) {
            cPlace place;
            place.type = p.type;
            place.state = p.state;
            place.colour = p.colour;
            world.places.push_back(place);
        }
        world.SetPlaceAuto(0, kCar);
        world.PutAutoOnPlace(0, 7, 1); // place 0 serves a car
        EXPECT_EQ(transport->PickPlaceForKind(7), 3);
        EXPECT_EQ(transport->PickPlaceForKind(6), 4);
        EXPECT_EQ(transport->PickPlaceForKind(3), 4); // an unknown group counts as 6
        EXPECT_EQ(transport->PickPlaceForKind(10), -1);
    }

} // namespace
} // namespace test
