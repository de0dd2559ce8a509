// Road traffic as the car layer's frames move it: each lane steps its
// cars along their line at its own period, a passed car comes back as a new
// one waiting at the start, with the lanes tied together none starts again
// before every lane has brought its car home, cars sent to the stack drive
// into their slots, and the selector sign over a special car runs through its
// frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "vehicles_fixture.h"

namespace test {
namespace {

    constexpr int kPlain = 1; // value 0
    constexpr int kSpecial = 2; // value 56: the selector shows over it

    class RoadTraffic : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kPlain, "car_a", 7, 0, 1);
            AddCarType(kSpecial, "car_b", 7, 56, 1);
            world.autobahnStep = 2;
            world.autobahnDistance = 100;
        }
        // Lane `road` with its step period, and a moving car on it from
        // (x1, y1) to (x2, y2), standing at its start.
        int Lane(int road, double period, int x1, int y1, int x2, int y2, int type = kPlain)
        {
            while (static_cast<int>(world.autobahnRoads.size()) < road)
                world.autobahnRoads.emplace_back();
            world.autobahnRoads[road - 1].speed = period;
            const int car = AddRoadCar(road, type, 1, static_cast<float>(x1), static_cast<float>(y1));
            cAutobahnAuto& c = world.autobahnCars[car];
            c.kind = 1;
            c.pathX = { x1, x2 };
            c.pathY = { y1, y2 };
            c.waiting = 0;
            return car;
        }
        // Frames of ms milliseconds each.
        void Frames(int count, double ms)
        {
            for (int i = 0; i < count; ++i) {
                Wait(ms);
                ClearDrawn();
                carLayer->Draw();
            }
        }
        const cAutobahnAuto& Car(int index) const { return world.autobahnCars[index]; }
    };

    TEST_F(RoadTraffic, EachLaneStepsAtItsPeriodAlongItsLineAndIsDrawnThere)
    {
        StartScreens();
        // Lane 1 falls 1 pixel for 10 to the left; lane 2 rises 1 for 1 to
        // the right, three times slower.
        const int fast = Lane(1, 0.1, 1000, 100, 0, 200);
        const int slow = Lane(2, 0.3, 200, 600, 400, 400);
        Frames(1, 60); // the lanes' timers run from the layer's start
        ASSERT_FLOAT_EQ(Car(fast).x, 1000.0f);
        Frames(1, 60); // 120 ms: lane 1 steps
        // 2 pixels left (y back on the line), then 2 down (x back on it).
        EXPECT_NEAR(Car(fast).x, 978.0f, 0.01);
        EXPECT_NEAR(Car(fast).y, 102.2f, 0.01);
        EXPECT_FLOAT_EQ(Car(slow).x, 200.0f);
        // The next frame draws each car where it now stands, less its origin.
        Frames(1, 10);
        const std::vector<VehicleImage> drawn = DrawnOf(L"car_a.png");
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_EQ(drawn[0].x, static_cast<int>(Car(fast).x - 70.0f));
        EXPECT_EQ(drawn[0].y, static_cast<int>(Car(fast).y - 70.0f));
        EXPECT_EQ(drawn[1].x, 200 - 70);
        EXPECT_EQ(drawn[1].y, 600 - 70);
        Frames(4, 60); // 370 ms: lane 2 has stepped once
        EXPECT_NEAR(Car(slow).x, 204.0f, 0.01);
        EXPECT_NEAR(Car(slow).y, 596.0f, 0.01);

        // Paused, no lane moves.
        const float x = Car(fast).x;
        world.paused = 1;
        Frames(5, 60);
        EXPECT_EQ(Car(fast).x, x);
        world.paused = 0;
    }

    TEST_F(RoadTraffic, APassedCarComesBackAsANewCarWaitingAtTheStart)
    {
        StartScreens();
        world.autobahnCars.clear();
        const int car = Lane(1, 0.01, 500, 100, 0, 150);
        world.autobahnCars[car].x = 3.0f; // within 5 of the end
        world.autobahnCars[car].y = 149.0f;
        Frames(1, 20);
        EXPECT_EQ(Car(car).waiting, 1);
        EXPECT_FLOAT_EQ(Car(car).x, 500.0f);
        EXPECT_FLOAT_EQ(Car(car).y, 100.0f);
        // Its pause over and no car ahead, it sets off again.
        world.autobahnCars[car].pause = 0.0;
        Frames(3, 20);
        EXPECT_EQ(Car(car).waiting, 0);
        EXPECT_LT(Car(car).x, 500.0f);
    }

    // The car that comes back is one its road allows, drawn as that car; on a
    // road that allows none it comes back as the car it was.
    TEST_F(RoadTraffic, APassedCarComesBackAsACarItsRoadAllowsOrAsItWas)
    {
        const struct {
            const char* name;
            std::vector<int> allowed;
            int was, comes;
            const wchar_t *drawn, *notDrawn;
        } cases[] = {
            { "the road takes the special car", { kSpecial }, kPlain, kSpecial, L"car_b.png", L"car_a.png" },
            { "the road takes the plain car", { kPlain }, kSpecial, kPlain, L"car_a.png", L"car_b.png" },
            { "the road takes what it was", { kPlain }, kPlain, kPlain, L"car_a.png", L"car_b.png" },
            { "no car on the road, special", {}, kSpecial, kSpecial, L"car_b.png", L"car_a.png" },
            { "no car on the road, plain", {}, kPlain, kPlain, L"car_a.png", L"car_b.png" },
        };
        StartScreens();
        world.autobahnAutosPerType = 1;
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            world.autobahnCars.clear();
            world.autobahnAutos.clear();
            for (const int type : c.allowed)
                world.EnableAutoForAutobahn(1, type, 1);
            const int car = Lane(1, 0.01, 500, 100, 0, 150, c.was);
            world.autobahnCars[car].x = 3.0f; // within 5 of the end
            world.autobahnCars[car].y = 149.0f;
            Frames(1, 20);
            ASSERT_EQ(Car(car).waiting, 1);
            EXPECT_EQ(Car(car).autoType, c.comes);
            Frames(1, 20);
            const std::vector<std::wstring> drawn = DrawnNames();
            EXPECT_EQ(std::count(drawn.begin(), drawn.end(), std::wstring(c.drawn)), 1);
            EXPECT_EQ(std::count(drawn.begin(), drawn.end(), std::wstring(c.notDrawn)), 0);
        }
    }

    TEST_F(RoadTraffic, TiedLanesRestartOnlyOnceEveryLaneHasBroughtItsCarHome)
    {
        StartScreens();
        world.onlyAutobahn = 1;
        const int first = Lane(1, 0.01, 500, 100, 0, 150, kSpecial);
        const int second = Lane(2, 0.01, 800, 300, 100, 400);
        world.autobahnCars[first].x = 2.0f; // home
        world.autobahnCars[first].y = 150.0f;
        Frames(3, 20);
        // Lane 1's car stays at its end while lane 2's drives on.
        EXPECT_FLOAT_EQ(Car(first).x, 2.0f);
        EXPECT_FLOAT_EQ(Car(first).y, 150.0f);
        EXPECT_EQ(Car(second).waiting, 0);
        EXPECT_LT(Car(second).x, 800.0f);

        world.autobahnCars[second].x = 101.0f; // home as well
        world.autobahnCars[second].y = 399.0f;
        Frames(1, 20);
        // Both back at their starts, each keeping its type, and off again.
        EXPECT_EQ(Car(first).autoType, kSpecial);
        EXPECT_EQ(Car(second).autoType, kPlain);
        EXPECT_FLOAT_EQ(Car(first).x, 500.0f);
        EXPECT_FLOAT_EQ(Car(second).x, 800.0f);
        EXPECT_EQ(Car(first).waiting, 0);
        EXPECT_EQ(Car(second).waiting, 0);
    }

    TEST_F(RoadTraffic, StackCarsDriveIntoTheirSlotsAndOnlyOneUprightCarMovesAFrame)
    {
        world.SetStackCoordinateAndDirection(1, 900, 300, 9);
        world.SetStackCoordinateAndDirection(2, 1000, 300, 9);
        StartScreens();
        for (cStackSlot& slot : world.stackSlots) {
            slot.autoType = kPlain;
            slot.busy = 1; // its car still on the way
        }
        for (const int id : { 1, 2 }) {
            cAutobahnAuto car;
            car.autoType = kPlain;
            car.kind = 9;
            car.target = id;
            car.x = 800.0f + 100.0f * static_cast<float>(id);
            car.y = 280.0f;
            car.pathX = { static_cast<int>(car.x), static_cast<int>(car.x) };
            car.pathY = { 280, 300 };
            world.stackCars.push_back(car);
        }
        Frames(1, 20);
        EXPECT_FLOAT_EQ(world.stackCars[0].y, 283.0f);
        EXPECT_FLOAT_EQ(world.stackCars[1].y, 280.0f); // waits for the first
        Frames(6, 20);
        // The first is in its slot: the slot is no longer busy and its car
        // bounces once; the second now moves.
        ASSERT_EQ(world.stackCars.size(), 1u);
        EXPECT_EQ(world.stackSlots[0].busy, 0);
        EXPECT_EQ(world.stackSlots[0].settling, 1);
        EXPECT_EQ(world.stackSlots[1].busy, 1);
        EXPECT_GT(world.stackCars[0].y, 280.0f);
    }

    TEST_F(RoadTraffic, TheSelectorRunsThroughItsTenFramesOverASpecialCar)
    {
        StartScreens();
        Lane(1, 1000.0, 470, 370, 0, 600, kSpecial);
        std::vector<std::wstring> frames;
        for (int i = 0; i < 12; ++i) {
            Frames(1, 40);
            for (const std::wstring& name : DrawnNames())
                if (name.rfind(L"selector", 0) == 0)
                    frames.push_back(name);
        }
        std::vector<std::wstring> expected;
        for (int i = 1; i <= 12; ++i)
            expected.push_back(L"selector00" + std::to_wstring(i % 10 / 10) + std::to_wstring(i % 10));
        EXPECT_EQ(frames, expected);
    }

} // namespace
} // namespace test
