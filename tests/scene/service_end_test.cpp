// The end of a service at a place, as the car layer runs it: once the
// service time has passed the script is told who was served where (and the
// points fly from above the car), the place's effect for the item goes, and a
// frame later the car leaves. Putting a car on a place restarts its lamp. In
// grid mode, and while paused, none of it happens.
#include <gtest/gtest.h>

#include "scene/effects_layer.h"
#include "vehicles_fixture.h"

namespace test {
namespace {

    constexpr int kCar = 1;

    class ServiceEnd : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kCar, "car_a", 7, 0, 1);
            StartScreens();
            world.processTimeInStation = 2.0;
            cPlace place;
            place.type = 8;
            place.x = 400;
            place.y = 300;
            place.autoOffsetX = 30;
            place.autoOffsetY = -20;
            place.autoType = kCar;
            place.wear = 50;
            world.places.push_back(place);
        }
        // A car with the item code on place 0, settled and in service.
        void Serve(int itemCode)
        {
            world.PutAutoOnPlace(0, itemCode, 0);
            world.placeAutos.back().inService = 1;
            world.placeAutos.back().settling = 0;
        }
        // Effects of each type owned by place 0, where place effects stand.
        void PlaceEffects()
        {
            for (const int type : { 20, 22, 24, 25 }) {
                world.CreateEffects(type, "fx", 4, 0, 0);
                world.CreateMyEffects(0, type, 0, 0.05f, 400 + 30, 300 - 30, 0, 0);
            }
        }
        std::vector<int> EffectTypesLeft() const
        {
            std::vector<int> types;
            for (const cEffect& e : world.effects)
                types.push_back(e.type);
            return types;
        }
    };

    TEST_F(ServiceEnd, TheScriptLearnsWhoWasServedWhereAndTheItemsEffectGoes)
    {
        const struct {
            int itemCode;
            std::vector<int> left; // of the effects 20, 22, 24, 25
        } cases[] = {
            { 6, { 20, 22, 24 } },
            { 8, { 20, 22, 25 } },
            { 76, { 22, 24, 25 } },
            { 87, { 22, 24, 25 } },
            { 90, { 22, 24, 25 } },
            { 86, { 20, 24, 25 } },
            { 7, { 20, 24, 25 } },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.itemCode);
            world.effects.clear();
            world.flyingValues.clear();
            world.leavingAutos.clear();
            PlaceEffects();
            Serve(c.itemCode);
            Wait(1990);
            carLayer->UpdateServicedCars();
            EXPECT_EQ(world.placeAutos[0].finished, 0) << "not yet";
            EXPECT_EQ(world.effects.size(), 4u);
            Wait(20);
            carLayer->UpdateServicedCars();
            EXPECT_EQ(world.placeAutos[0].finished, 1);
            EXPECT_EQ(world.currentTask, c.itemCode);
            EXPECT_EQ(world.workingAuto, kCar);
            EXPECT_EQ(world.workingPlace, 8);
            EXPECT_EQ(world.patience, 10);
            EXPECT_EQ(world.lastLotRow, 430 + 20); // where the points start: above the car
            EXPECT_EQ(world.lastLotColumn, 280 - 40);
            EXPECT_EQ(EffectTypesLeft(), c.left);
            EXPECT_EQ(world.flyingValues.size(), 1u);
            // The car is still there this frame, and leaves in the next.
            EXPECT_TRUE(world.leavingAutos.empty());
            carLayer->UpdateServicedCars();
            EXPECT_TRUE(world.placeAutos.empty());
            EXPECT_EQ(world.leavingAutos.size(), 1u);
        }
    }

    TEST_F(ServiceEnd, APutDownCarRestartsThePlacesLampByItsWear)
    {
        const struct {
            int wear;
            const wchar_t* lamp;
        } cases[] = { { 0, L"lampe_green" }, { 30, L"lampe_green" }, { 31, L"lampe_yellow" }, { 70, L"lampe_yellow" },
            { 71, L"lampe_red" }, { 90, L"lampe_red" }, { 91, L"blink" }, { 150, L"blink" } };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.wear);
            cPlace& place = world.places[0];
            place.wear = c.wear;
            place.frame = 7;
            place.frameCount = 3;
            place.lampFrameCounter = 5;
            Serve(6);
            EXPECT_EQ(place.lampName, c.lamp);
            EXPECT_EQ(place.frame, 0);
            EXPECT_EQ(place.frameCount, 24);
            EXPECT_EQ(place.lampFrameCounter, 0);
            EXPECT_EQ(place.animationImage, L"phase10000.png");
        }
    }

    TEST_F(ServiceEnd, InGridModeOrPausedNothingOfTheServiceHappens)
    {
        for (const bool grid : { true, false }) {
            SCOPED_TRACE(grid ? "grid mode" : "paused");
            world.effects.clear();
            world.placeAutos.clear();
            world.drawStation = grid ? 0 : 1;
            world.paused = grid ? 0 : 1;
            world.places[0].lampName = L"kept";
            PlaceEffects();
            Serve(6);
            if (grid) {
                EXPECT_EQ(world.places[0].lampName, L"kept");
            }
            Wait(5000);
            carLayer->UpdateServicedCars();
            carLayer->UpdateServicedCars();
            EXPECT_EQ(world.placeAutos.size(), 1u);
            EXPECT_EQ(world.placeAutos[0].finished, 0);
            if (grid) {
                carLayer->DeletePlaceEffect(0, 6);
            }
            EXPECT_EQ(world.effects.size(), 4u);
        }
        // Unpaused, the car that waited is served at once.
        world.drawStation = 1;
        world.paused = 0;
        carLayer->UpdateServicedCars();
        EXPECT_EQ(world.placeAutos[0].finished, 1);
    }

} // namespace
} // namespace test
