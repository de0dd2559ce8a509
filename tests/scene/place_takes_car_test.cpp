// Which place takes which held car: work cars and upgrades anywhere, the
// concrete mixer (and with the inspection any car) on an empty lot, the crane
// on a damaged element, and a service place of kind 6..10 that is not broken
// the car of its colour group (groups 7..10 by the place's variants 1..4,
// every other group by variant 0).
#include <gtest/gtest.h>

#include "vehicles_fixture.h"

namespace test {
namespace {

    constexpr int kMixer = 41;
    constexpr int kCrane = 21;

    class PlaceTakesCar : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            // Plain cars of colour groups 6, 7, 10, 11 and 5.
            AddCarType(1, "car_a", 6, 0, 1);
            AddCarType(2, "car_b", 7, 0, 1);
            AddCarType(3, "car_c", 10, 0, 1);
            AddCarType(4, "car_a", 11, 0, 1);
            AddCarType(5, "car_b", 5, 0, 1);
            // A work car, and cars of the values around the upgrades.
            AddCarType(6, "car_c", 0, 0, 6);
            AddCarType(7, "car_a", 0, 56, 2);
            AddCarType(8, "car_a", 0, 60, 2);
            AddCarType(9, "car_a", 0, 55, 2);
            AddCarType(10, "car_a", 0, 61, 2);
            AddCarType(kMixer, "car_b", 0, 0, 2);
            AddCarType(kCrane, "car_c", 0, 0, 2);
            StartScreens();
            world.places.emplace_back();
        }
    };

    TEST_F(PlaceTakesCar, EachPlaceTakesOnlyTheCarsItServes)
    {
        struct Case {
            const char* what;
            int type, state, variant;
            int car;
            bool inspection;
            bool takes;
        };
        const Case cases[] = {
            { "work car on a lot", 0, 0, 0, 6, false, true },
            { "work car on a broken place", 6, 2, 3, 6, false, true },
            { "work car on a kind beyond the service places", 11, 0, 0, 6, false, true },
            { "upgrade 56", 6, 0, 3, 7, false, true },
            { "upgrade 60", 9, 2, 1, 8, false, true },
            { "value 55 is no upgrade", 6, 0, 3, 9, false, false },
            { "value 61 is no upgrade", 6, 0, 3, 10, false, false },
            { "mixer on an empty lot", 0, 0, 0, kMixer, false, true },
            { "mixer on a lot of kind 1", 1, 0, 0, kMixer, false, true },
            { "mixer on kind 2", 2, 0, 1, kMixer, false, false },
            { "plain car on a lot", 0, 0, 0, 1, false, false },
            { "plain car on a lot under inspection", 1, 0, 0, 1, true, true },
            { "inspection takes no wrong colour on a place", 6, 0, 1, 1, true, false },
            { "crane on a damaged element", 3, 1, 1, kCrane, false, true },
            { "crane on a broken place", 6, 2, 1, kCrane, false, true },
            { "crane on a whole element", 3, 0, 1, kCrane, false, false },
            { "crane on a damaged kind 2", 2, 1, 1, kCrane, false, false },
            { "group 6 at variant 0", 6, 0, 0, 1, false, true },
            { "group 6 at variant 1", 6, 0, 1, 1, false, false },
            { "group 7 at variant 1", 7, 0, 1, 2, false, true },
            { "group 7 at variant 0", 7, 0, 0, 2, false, false },
            { "group 10 at variant 4", 10, 0, 4, 3, false, true },
            { "group 10 at variant 3", 10, 1, 3, 3, false, false },
            { "group 11 at variant 0", 8, 0, 0, 4, false, true },
            { "group 5 at variant 0", 6, 1, 0, 5, false, true },
            { "group 5 at variant 1", 6, 0, 1, 5, false, false },
            { "its colour on a broken place", 6, 2, 0, 1, false, false },
            { "its colour on kind 5", 5, 0, 0, 1, false, false },
            { "its colour on kind 11", 11, 0, 0, 1, false, false },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            cPlace& place = world.places[0];
            place.type = c.type;
            place.state = c.state;
            place.colour = c.variant;
            world.inspection = c.inspection ? 1 : 0;
            EXPECT_EQ(carLayer->CanServeAt(0, c.car), c.takes);
        }
        // No place there: nothing takes the car.
        world.places[0] = cPlace {};
        world.places[0].type = 6;
        EXPECT_FALSE(carLayer->CanServeAt(1, 1));
        EXPECT_FALSE(carLayer->CanServeAt(-1, 1));
    }

} // namespace
} // namespace test
