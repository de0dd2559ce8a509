// Which cars on places take part in the service, and which free place a
// stack car sent by the managers drives to.
#include <gtest/gtest.h>

#include <set>

#include "vehicles_fixture.h"

namespace test {
namespace {

    constexpr int kCar = 1;

    class ServiceParts : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kCar, "car_a", 7, 0, 1);
            world.processTimeInStation = 4.0;
        }
        // A free built place of colour 1 (group 7) on the given cell.
        void AddPlace(int row, int column)
        {
            cPlace place;
            place.type = 7;
            place.colour = 1;
            place.row = row;
            place.column = column;
            world.places.push_back(place);
        }
        // An effect on the cell, played up to the given frame of eight.
        void AddEffect(int row, int column, int frame)
        {
            cEffect effect;
            effect.row = row;
            effect.column = column;
            effect.frames = 8;
            effect.frame = frame;
            world.effects.push_back(effect);
        }
    };

    // A car's service time ends only for a car that stands on its place in
    // service: not while it drives in or settles, nor for an emptied record.
    TEST_F(ServiceParts, OnlyACarSettledInServiceFinishesItsService)
    {
        StartScreens();
        AddPlace(4, 4);
        for (int mask = 0; mask < 16; ++mask) {
            const bool hasCar = mask & 1, inService = mask & 2, arriving = mask & 4, settling = mask & 8;
            SCOPED_TRACE(mask);
            world.placeAutos.clear();
            world.SetPlaceAuto(0, kCar);
            world.PutAutoOnPlace(0, 7, 1);
            cPlaceAuto& car = world.placeAutos.back();
            car.autoType = hasCar ? kCar : -1;
            car.inService = inService ? 1 : 0;
            car.arriving = arriving ? 1 : 0;
            car.settling = settling ? 1 : 0;
            Wait(5000);
            carLayer->UpdateServicedCars();
            ASSERT_EQ(world.placeAutos.size(), 1u);
            EXPECT_EQ(world.placeAutos[0].finished, hasCar && inService && !arriving && !settling ? 1 : 0);
        }
    }

    // A place whose effect has nearly played out is passed over while another
    // free place of the colour waits; with none other it is taken after all.
    TEST_F(ServiceParts, AStackCarAvoidsAPlaceWhoseEffectIsNearlyDoneWhileAnotherIsFree)
    {
        StartScreens();
        const struct {
            const char* what;
            int frameA, frameB; // effect frame on each place, -1 for none
            std::vector<int> picked;
        } cases[] = {
            { "no effects", -1, -1, { 0, 1 } },
            { "A nearly done", 1, -1, { 1 } },
            { "B nearly done", -1, 2, { 0 } },
            { "B's effect just begun", -1, 6, { 0, 1 } },
            { "both nearly done", 0, 2, { 0, 1 } },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            world.places.clear();
            world.effects.clear();
            AddPlace(2, 2);
            AddPlace(5, 5);
            if (c.frameA >= 0)
                AddEffect(2, 2, c.frameA);
            if (c.frameB >= 0)
                AddEffect(5, 5, c.frameB);
            std::set<int> seen;
            for (int i = 0; i < 40; ++i)
                seen.insert(carLayer->PickPlaceForKind(7));
            EXPECT_EQ(seen, std::set<int>(c.picked.begin(), c.picked.end()));
        }
    }

} // namespace
} // namespace test
