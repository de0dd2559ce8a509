// The frame of the car layer: road cars taken, cars on places settling,
// the gap a road car keeps before it starts, and the place a stack car
// drives to.
#include <gtest/gtest.h>

#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "vehicles_fixture.h"
#include "world/settings.h"

namespace test {
namespace {

    class CarLayerFrame : public ThreeCarTypesTest {
    protected:
        // A car on lane 1 facing the direction, on a path from the start to
        // the end point, standing at (x, y).
        int AddLaneCar(int direction, int x1, int y1, int x2, int y2, float x, float y, bool waiting)
        {
            const int car = AddRoadCar(1, kPlain, direction, x, y);
            world.autobahnCars[car].kind = direction;
            world.autobahnCars[car].pathX = { x1, x2 };
            world.autobahnCars[car].pathY = { y1, y2 };
            world.autobahnCars[car].waiting = waiting ? 1 : 0;
            return car;
        }
    };

    TEST_F(CarLayerFrame, NothingHappensWhileTheTaskBookIsOpenOrNoLevelRuns)
    {
        StartScreens();
        AddRoadCar(1, kSpecial, 9, 470.0f, 370.0f);
        world.takeFromAutobahn = 1;
        MouseOnCar(400, 300);
        world.leftDown = 1;
        for (const bool bookOpen : { true, false }) {
            world.taskBookOpen = bookOpen ? 1 : 0;
            world.levelActive = bookOpen ? 1 : 0;
            carLayer->Draw();
            EXPECT_TRUE(gfx.draws.empty());
            EXPECT_EQ(world.autoOnMouse, -1);
        }
        world.taskBookOpen = 0;
        world.levelActive = 1;
        carLayer->Draw();
        EXPECT_EQ(world.autoOnMouse, kSpecial);
    }

    TEST_F(CarLayerFrame, WhichRoadCarsMayBeTaken)
    {
        const struct {
            const char* name;
            int type;
            int takeFromAutobahn;
            int inspection;
            bool placeForGroup;
            int chosen; // the car type the level script chose, or 0
            bool paused;
            int onlyAutobahn;
            bool taken;
        } cases[] = {
            { "upgrade car", kSpecial, 1, 0, false, 0, false, 0, true },
            { "plain car with a working place", kPlain, 1, 0, true, 0, false, 0, true },
            { "plain car without a place", kPlain, 1, 0, false, 0, false, 0, false },
            { "plain car under inspection", kPlain, 1, 1, false, 0, false, 0, true },
            { "road not open to the player", kSpecial, 0, 0, true, 0, false, 0, false },
            { "not one of the chosen cars", kSpecial, 1, 0, false, kPlain, false, 0, false },
            { "one of the chosen cars", kPlain, 1, 0, false, kPlain, false, 0, true },
            { "only the road is played", kPlain, 0, 0, false, 0, false, 1, true },
            { "paused", kSpecial, 1, 0, false, 0, true, 0, false },
            { "worker, road closed and paused", kWorker, 0, 0, false, 0, true, 0, true },
        };
        StartScreens();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            world.autobahnCars.clear();
            world.places.clear();
            world.autoOnMouse = -1;
            world.takeFromAutobahn = c.takeFromAutobahn;
            world.inspection = c.inspection;
            world.chosenAutobahnAutos.clear();
            world.autobahnAutosChosen = 0;
            if (c.chosen != 0)
                Story::Instance().ChoiceAutobahnAutos(c.chosen);
            world.onlyAutobahn = c.onlyAutobahn;
            world.paused = c.paused ? 1 : 0;
            if (c.placeForGroup) {
                cPlace place;
                place.type = 7;
                place.colour = 1; // colour group 7
                world.places.push_back(place);
            }
            AddRoadCar(1, c.type, 9, 470.0f, 370.0f);
            MouseOnCar(400, 300);
            world.leftDown = 1;
            ClearDrawn();
            carLayer->Draw();
            EXPECT_EQ(world.autoOnMouse, c.taken ? c.type : -1);
            const std::wstring plain = c.type == kSpecial ? L"car_b" : (c.type == kPlain ? L"car_a" : L"car_c");
            EXPECT_EQ(DrawnOf(plain + L"_over.png").size(), c.taken ? 1u : 0u);
            // Taking a car ends a pause; the taken car leaves the road at
            // once, a special one without a successor.
            EXPECT_EQ(world.IsPaused(), c.paused && !c.taken);
            if (c.type == kSpecial) {
                EXPECT_EQ(world.autobahnCars.size(), c.taken ? 0u : 1u);
            }
        }
    }

    TEST_F(CarLayerFrame, TakingARoadCarHoldsItAndLeavesTheRoad)
    {
        StartScreens();
        world.takeFromAutobahn = 1;
        AddRoadCar(1, kSpecial, 1, 470.0f, 370.0f);
        AddRoadCar(1, kSpecial, 1, 470.0f, 370.0f); // right under the first
        world.AddSpecAutoEntry(kSpecial);
        world.AddSpecAutoEntry(kSpecial);
        MouseOnCar(400, 300);
        world.leftDown = 1;
        world.levelPoints = 100; // below the penalty threshold
        carLayer->Draw();
        EXPECT_EQ(world.autoOnMouse, kSpecial);
        EXPECT_EQ(world.heldCarItem, 56); // the type value replaces the colour group
        EXPECT_EQ(world.carFromRoad, 1);
        EXPECT_TRUE(world.flyingValues.empty());
        EXPECT_EQ(world.specialAutos.size(), 1u); // one strip entry per car taken
        // One car taken, the second drawn plain under the held one; a
        // special car gets no successor.
        EXPECT_EQ(world.autobahnCars.size(), 1u);
        EXPECT_EQ(DrawnOf(L"car_b_over.png").size(), 1u);
        EXPECT_EQ(DrawnOf(L"car_b.png").size(), 1u);

        // While a car is held no road car lights up or is taken.
        ClearDrawn();
        carLayer->Draw();
        EXPECT_EQ(world.autobahnCars.size(), 1u);
        EXPECT_TRUE(DrawnOf(L"car_b_over.png").empty());
    }

    TEST_F(CarLayerFrame, APlainCarTakenFromTheRoadIsReplaced)
    {
        StartScreens();
        world.SetAutoBahn(1, 1.0, 0);
        world.SetAutoBahnPoints(1, 1400, 40, -200, 200);
        world.EnableClassAutoForAutobahn(1, 1);
        world.takeFromAutobahn = 1;
        world.inspection = 1;
        AddRoadCar(1, kPlain, 9, 470.0f, 370.0f);
        MouseOnCar(400, 300);
        world.leftDown = 1;
        carLayer->Draw();
        EXPECT_EQ(world.autoOnMouse, kPlain);
        ASSERT_EQ(world.autobahnCars.size(), 1u);
        // The successor waits at the start of the road.
        EXPECT_EQ(world.autobahnCars[0].x, static_cast<float>(world.autobahnCars[0].pathX[0]));
    }

    TEST_F(CarLayerFrame, TakingACarAtThePenaltyThresholdCostsPoints)
    {
        for (const bool quiet : { false, true }) {
            SCOPED_TRACE(quiet);
            StartScreens();
            world.takeFromAutobahn = 1;
            world.autoOnMouse = -1;
            world.flyingValues.clear();
            world.levelPoints = world.penaltyThreshold;
            world.noPenalty = quiet ? 1 : 0;
            AddRoadCar(1, kSpecial, 9, 470.0f, 370.0f);
            MouseOnCar(400, 300);
            world.leftDown = 1;
            carLayer->Draw();
            EXPECT_EQ(world.autoOnMouse, kSpecial);
            EXPECT_EQ(world.flyingValues.size(), quiet ? 0u : 1u);
            cScreenManager::Instance().DestroyScreens();
        }
    }

    TEST_F(CarLayerFrame, ARoadResetPutsEveryCarOnItsPathStart)
    {
        StartScreens();
        const int car = AddRoadCar(1, kPlain, 9, 470.0f, 370.0f);
        world.autobahnCars[car].x = 900.0f;
        world.roadsReset = 1;
        carLayer->Draw();
        EXPECT_EQ(world.roadsReset, 0);
        EXPECT_EQ(world.autobahnCars[car].x, 470.0f);
    }

    TEST_F(CarLayerFrame, ACarOnItsPlaceSettlesAndThenItsServiceTimeBegins)
    {
        StartScreens();
        cPlaceAuto car;
        car.autoType = kPlain;
        car.settling = 1;
        world.placeAutos.push_back(car);
        car.autoType = kSpecial;
        car.arriving = 1;
        world.placeAutos.push_back(car);
        world.paused = 1; // a pause halts the settling
        Wait(31);
        carLayer->Draw();
        EXPECT_EQ(world.placeAutos[0].settleStep, 0);
        world.paused = 0;
        for (int step = 0; step < 17; ++step) {
            Wait(31);
            ClearDrawn();
            carLayer->Draw();
            // A car still driven in by a transfer is not drawn here.
            EXPECT_TRUE(DrawnOf(L"car_b.png").empty());
            // A frame quicker than a step leaves the car where it is.
            if (step < 16) {
                Wait(10);
                carLayer->Draw();
                EXPECT_EQ(world.placeAutos[0].settleStep, step + 1);
            }
        }
        EXPECT_EQ(world.placeAutos[0].settling, 0);
        EXPECT_EQ(world.placeAutos[0].serviceTimer.Elapsed(), 0.0);
    }

    // Only a car standing on its place is drawn there: an empty record draws
    // nothing, a car still driven in is drawn by its transfer.
    TEST_F(CarLayerFrame, OnlyACarStandingOnItsPlaceIsDrawnOnIt)
    {
        const struct {
            const char* name;
            int autoType;
            uint8_t arriving;
            bool drawn;
        } cases[] = {
            { "standing", kPlain, 0, true },
            { "empty record", -1, 0, false },
            { "still arriving", kSpecial, 1, false },
            { "empty and arriving", -1, 1, false },
        };
        StartScreens();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            world.placeAutos.clear();
            cPlaceAuto car;
            car.autoType = c.autoType;
            car.arriving = c.arriving;
            car.x = 300;
            car.y = 200;
            car.variant = 9;
            world.placeAutos.push_back(car);
            ClearDrawn();
            carLayer->DrawPlaceAutos();
            // Nothing at all reaches the screen for the others.
            EXPECT_EQ(gfx.draws.size(), c.drawn ? 1u : 0u);
            if (c.drawn && !Drawn().empty()) {
                EXPECT_EQ(Drawn()[0].x, 300);
                EXPECT_EQ(Drawn()[0].y, 200);
            }
        }
    }

    TEST_F(CarLayerFrame, ACarStartsOnlyOutsideTheGapOfAMovingCarAhead)
    {
        StartScreens();
        world.autobahnDistance = 100;
        world.autobahnStep = 2;
        const struct {
            int direction;
            float otherY; // a car of the same lane and start, ahead
            bool otherWaiting;
            bool mayStart;
        } cases[] = {
            // Down the screen (1, 3) the car ahead is below; up (7, 9), above.
            { 1, 199.0f, false, false },
            { 1, 200.0f, false, true },
            { 1, 100.0f, false, false },
            { 3, 160.0f, true, true }, // waiting cars never block
            { 1, 60.0f, false, true },
            { 9, 50.0f, false, false },
            { 9, 0.0f, false, true },
            { 9, 100.9f, false, false },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.direction << " " << c.otherY);
            world.autobahnCars.clear();
            const int self = AddLaneCar(c.direction, 500, 100, 0, 400, 500.0f, 100.0f, true);
            AddLaneCar(c.direction, 500, 100, 0, 400, 450.0f, c.otherY, c.otherWaiting);
            EXPECT_EQ(carLayer->MayRoadCarStart(self, c.direction, 500, 100), c.mayStart);
        }

        // Another lane, direction or start point never blocks.
        world.autobahnCars.clear();
        const int self = AddLaneCar(1, 500, 100, 0, 400, 500.0f, 100.0f, true);
        AddLaneCar(3, 500, 100, 0, 400, 450.0f, 150.0f, false);
        AddLaneCar(1, 501, 100, 0, 400, 450.0f, 150.0f, false);
        world.autobahnCars.back().road = 2;
        AddLaneCar(1, 500, 100, 0, 400, 450.0f, 150.0f, false);
        world.autobahnCars.back().road = 2;
        EXPECT_TRUE(carLayer->MayRoadCarStart(self, 1, 500, 100));
    }

    TEST_F(CarLayerFrame, ACarThatCompletesALineOfPlacesScoresItsCombo)
    {
        StartScreens();
        for (int row = 2; row <= 4; ++row) {
            world.CreatePlace(6, row, 4, 9);
            world.SetPlaceAuto(row - 2, kPlain);
            world.PutAutoOnPlace(row - 2, 0, 1);
        }
        // The middle car has just arrived.
        ASSERT_TRUE(world.AddSelectedCell(1, 3, 4));
        carLayer->Draw();
        ASSERT_EQ(world.comboLog.size(), 1u);
        EXPECT_EQ(world.comboLog[0].length, 3);
        EXPECT_EQ(world.selectedCount, 0);
    }

    TEST_F(CarLayerFrame, AStackPlainDrivesToAFreePlaceOfItsColour)
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
        world.SetPlaceAuto(0, kPlain);
        world.PutAutoOnPlace(0, 7, 1); // place 0 serves a car
        EXPECT_EQ(carLayer->PickPlaceForKind(7), 3);
        EXPECT_EQ(carLayer->PickPlaceForKind(6), 4);
        EXPECT_EQ(carLayer->PickPlaceForKind(3), 4); // an unknown group counts as 6
        EXPECT_EQ(carLayer->PickPlaceForKind(10), -1);

        // Of many free places only the first hundred are drawn from: place 3
        // and the places 5 to 103.
        cPlace free;
        free.type = 6;
        free.colour = 1;
        world.places.insert(world.places.end(), 150, free);
        for (int i = 0; i < 300; ++i)
            EXPECT_LE(carLayer->PickPlaceForKind(7), 103);
    }

} // namespace
} // namespace test
