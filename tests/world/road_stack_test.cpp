// Car types, roads and the stack: cars drawn with the game's generator, driven
// into stack slots, served at places and sent along transfers.
#include <gtest/gtest.h>

#include <cmath>

#include "world_fixture.h"

namespace {

class RoadStack : public test::WorldRecords {
protected:
    // Three car types of class 1 in colour groups 0, 1 and 2, a fourth of
    // class 2; road 1 runs from (0, 300) to (1280, 200) and takes class 1.
    void DeclareCars()
    {
        const int colours[] = {0, 1, 2, 0};
        for (int i = 0; i < 4; ++i) {
            const int type = 10 + i;
            world.AddAuto(type, 1, "car_" + std::to_string(type) + "_1");
            world.AddAuto(type, 9, "car_" + std::to_string(type) + "_9");
            world.autoTypes.back().colour = colours[i];
            world.autoTypes.back().class_ = i < 3 ? 1 : 2;
        }
        world.SetAutoBahn(1, 2.0, 3);
        world.SetAutoBahnPoints(1, 0, 300, 1280, 200);
        world.EnableClassAutoForAutobahn(1, 1);
    }
    // A working place of colour 0 and a broken one of colour 1.
    void DeclarePlaces()
    {
        world.AddPlace(6, "pump_red", 0);
        world.SetOffsetForAuto(6, 20, -5, 9);
        world.CreatePlace(101, 10, 10, 0);
        world.CreatePlace(6, 2, 2, 9);
        world.SetColor(2, 2, 0);
        world.CreatePlace(6, 2, 3, 9);
        world.SetColor(2, 3, 1);
        world.places.back().state = 2;
    }
};

TEST_F(RoadStack, NewCarTypeGetsTheFourVariants)
{
    world.AddAuto(5, 3, "bus_3");
    ASSERT_EQ(world.autoTypes.size(), 1u);
    EXPECT_EQ(world.autoTypes[0].variants, (std::vector<int> {1, 3, 7, 9}));
    EXPECT_EQ(world.autoTypes[0].variantNames, (std::vector<std::string> {"", "bus_3", "", ""}));
    EXPECT_EQ(world.autoTypes[0].class_, -1);
    world.AddAuto(5, 4, "nothing");   // not a variant: no change
    world.AddAuto(5, 9, "bus_9");
    EXPECT_EQ(world.autoTypes.size(), 1u);
    EXPECT_EQ(world.GetAutoTypeName(5, 9), "bus_9");
    EXPECT_EQ(world.GetAutoTypeName(5, 4), "");
    EXPECT_EQ(world.GetAutoTypeName(6, 9), "");
    EXPECT_EQ(world.GetAutoTypeValue(6), 0);
    EXPECT_EQ(world.GetAutoTypeClass(6), -1);
}

TEST_F(RoadStack, RoadCarsFollowTheGeneratorsSequence)
{
    DeclareCars();
    DeclarePlaces();
    world.level = 2;
    // Type 10 has a working place of its colour; 11 (broken place) and 12 (no
    // place) come in only on a draw below 20. Each car takes the draws of 11
    // and 12, then the pick: 41, 18467, 6334 % 1; 26500 (in), 19169, 15724 % 2;
    // 11478, 29358, 26962 % 1; 24464, 5705 (in), 28145 % 2.
    world.AddTransportToAutobahn(1, 4);
    ASSERT_EQ(world.autobahnCars.size(), 4u);
    const int expected[] = {10, 10, 10, 12};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const cAutobahnAuto& car = world.autobahnCars[i];
        EXPECT_EQ(car.autoType, expected[i]);
        EXPECT_EQ(car.state, 0);
        EXPECT_EQ(car.kind, 3);
        EXPECT_EQ(car.road, 1);
        EXPECT_EQ(car.target, -1);
        EXPECT_EQ(car.pathX, (std::vector<int> {0, 1280}));
        EXPECT_EQ(car.pathY, (std::vector<int> {300, 200}));
        EXPECT_EQ(car.sortKey, 0);
    }
    EXPECT_EQ(world.autobahnCarCount[1], 4);
    EXPECT_TRUE(world.ExistInAutobahn(12));
    EXPECT_FALSE(world.ExistInAutobahn(13));
    EXPECT_EQ(platform::GameRand(), 23281);   // every draw was taken, no more
}

TEST_F(RoadStack, DrawIsRepeatedUntilACarQualifies)
{
    DeclareCars();
    world.level = 5;   // no places at all: every type needs its draw
    test::RandModel model;
    int rounds = 0;
    int expected = -1;
    while (expected == -1) {
        ++rounds;
        std::vector<int> candidates;
        for (int type = 10; type <= 12; ++type) {
            if (model() % 100 < 20)
                candidates.push_back(type);
        }
        if (!candidates.empty())
            expected = candidates[model() % static_cast<int>(candidates.size())];
    }
    EXPECT_GT(rounds, 1);
    EXPECT_EQ(world.GetRandomAutoAutobahn(1), expected);

    // On the first level of a triple, and with cars chosen per type, every
    // allowed type is a candidate at once.
    platform::GameSrand(1);
    world.level = 4;
    EXPECT_EQ(world.GetRandomAutoAutobahn(1), 10 + 41 % 3);
    world.autobahnAutosPerType = 1;
    world.EnableAutoForAutobahn(1, 13, 1);
    EXPECT_EQ(world.GetRandomAutoAutobahn(1), 13);
    world.DisableAutoForAutobahn(1, 13);
    EXPECT_FALSE(world.IsAutoEnabledForAutobahn(1, 13));
    EXPECT_EQ(world.GetRandomAutoAutobahn(1), -1);
}

// A road car of a colour that a working service place (types 6 to 10, not
// broken) serves comes at once; any other needs its one-in-five draw.
TEST_F(RoadStack, ServedColoursComeWithoutAChanceDraw)
{
    DeclareCars();
    world.autoTypes.resize(1); // type 10, colour group 0
    world.level = 5;
    struct Case { int placeType, state, colour; bool served; };
    const Case cases[] = {
        { 6, 0, 0, true }, { 10, 0, 0, true }, { 8, 1, 0, true },
        { 5, 0, 0, false }, { 11, 0, 0, false }, { 8, 2, 0, false }, { 8, 0, 1, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.placeType << " state " << c.state << " colour " << c.colour);
        world.places.clear();
        world.AddPlace(c.placeType, "place", 0);
        world.CreatePlace(c.placeType, 2, 2, 9);
        world.places.back().colour = c.colour;
        world.places.back().state = c.state;
        platform::GameSrand(1);
        test::RandModel model;
        if (!c.served) {
            while (model() % 100 >= 20) { }
        }
        model(); // the pick among one
        EXPECT_EQ(world.GetRandomAutoAutobahn(1), 10);
        EXPECT_EQ(platform::GameRand(), model());
    }
}

TEST_F(RoadStack, StackAndColourChoices)
{
    DeclareCars();
    world.autoTypes[3].value = 5;   // a work car is never a customer
    EXPECT_EQ(world.GetRandomAuto(0), 10);
    EXPECT_EQ(world.GetRandomAuto(7), -1);
    world.EnableAutoForStack(2);
    EXPECT_EQ(world.GetRandomAuto(0), -1);

    world.EnableAutoTypForStack(11);
    world.EnableAutoTypForStack(13);
    platform::GameSrand(1);
    EXPECT_EQ(world.GetRandomStackAutoType(), 41 % 2 == 0 ? 11 : 13);
    world.autoTypes.clear();
    EXPECT_EQ(world.GetRandomStackAutoType(), -1);
}

TEST_F(RoadStack, SpawnedCarStartsAtARandomOffsetAndJoinsTheStrip)
{
    DeclareCars();
    world.autobahnDelay = 7;
    world.autobahnCars.push_back(cAutobahnAuto {});
    world.autobahnCars.back().sortKey = 3;
    world.SpawnAutobahnAuto(1, 12);
    ASSERT_EQ(world.autobahnCars.size(), 2u);
    // Larger sort keys first: the new car (key 0) comes last.
    EXPECT_EQ(world.autobahnCars[0].sortKey, 3);
    const cAutobahnAuto& car = world.autobahnCars[1];
    EXPECT_EQ(car.autoType, 12);
    EXPECT_DOUBLE_EQ(car.progress, 41 % 7);
    EXPECT_EQ(car.waiting, 1);
    ASSERT_EQ(world.specialAutos.size(), 1u);
    EXPECT_EQ(world.specialAutos[0].autoType, 12);
    EXPECT_EQ(world.specialAutos[0].x, 1280);

    world.level = 31;
    world.AddTransportToAutobahn(1, 2);
    EXPECT_EQ(world.autobahnCars.back().autoType, 95);
}

// The road's list is its drawing order. A spawned car re-sorts it: larger
// sort keys first, cars of equal keys in the order they came, so no car
// jumps in front of another from one spawn to the next.
TEST_F(RoadStack, SpawnedCarsKeepTheRoadsOrder)
{
    DeclareCars();
    world.autobahnDelay = 3;
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> before; // car type, sort key
        std::vector<int> after; // the types after spawning 12 and then 13
    };
    const Case cases[] = {
        { "an empty road", {}, { 12, 13 } },
        { "all keys equal", { { 1, 0 }, { 2, 0 }, { 3, 0 } }, { 1, 2, 3, 12, 13 } },
        { "larger keys first", { { 1, 0 }, { 2, 5 }, { 3, 0 }, { 4, 2 } }, { 2, 4, 1, 3, 12, 13 } },
        { "equal larger keys keep their order", { { 1, 4 }, { 2, 0 }, { 3, 4 }, { 4, 4 } }, { 1, 3, 4, 2, 12, 13 } },
        { "already sorted", { { 1, 9 }, { 2, 7 }, { 3, 0 } }, { 1, 2, 3, 12, 13 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.autobahnCars.clear();
        for (const auto& [type, key] : c.before) {
            world.autobahnCars.push_back(cAutobahnAuto {});
            world.autobahnCars.back().autoType = type;
            world.autobahnCars.back().sortKey = key;
        }
        world.SpawnAutobahnAuto(1, 12);
        world.SpawnAutobahnAuto(1, 13);
        std::vector<int> types;
        for (const cAutobahnAuto& car : world.autobahnCars)
            types.push_back(car.autoType);
        EXPECT_EQ(types, c.after);
    }
    // Ten spawns in a row: the road lists them oldest first.
    world.autobahnCars.clear();
    std::vector<int> spawned;
    for (int i = 0; i < 10; ++i) {
        spawned.push_back(10 + i % 4);
        world.SpawnAutobahnAuto(1, spawned.back());
        std::vector<int> types;
        for (const cAutobahnAuto& car : world.autobahnCars)
            types.push_back(car.autoType);
        EXPECT_EQ(types, spawned) << i;
    }
}

TEST_F(RoadStack, CarsDriveIntoTheStackAndHandOverToTheManagers)
{
    world.level = 2;
    world.SetStackCoordinateAndDirection(1, 900, 400, 7);
    world.SetStackCoordinateAndDirection(2, 980, 400, 7);
    world.SetToStackCoordinate(2, 1, 2);
    world.SetFromStackCoordinate(2, 3, 4);
    EXPECT_EQ(world.stackSlots[1].toX, 1);
    EXPECT_EQ(world.stackSlots[1].fromY, 4);

    world.managerBelowLimit = 0;
    world.stackLimit = 2;
    world.managerCount = 1;
    world.AddToStack(2, 11);
    EXPECT_EQ(world.managerBelowLimit, 1);
    const cStackSlot& slot = world.stackSlots[1];
    EXPECT_EQ(slot.autoType, 11);
    EXPECT_EQ(slot.state, 2);
    EXPECT_EQ(slot.busy, 1);
    EXPECT_EQ(world.stackSlots[0].autoType, -1);
    ASSERT_EQ(world.stackCars.size(), 1u);
    const cAutobahnAuto& car = world.stackCars[0];
    EXPECT_EQ(car.state, 5);
    EXPECT_EQ(car.autoType, 11);
    EXPECT_EQ(car.kind, 7);
    EXPECT_EQ(car.target, 2);
    EXPECT_EQ(car.pathX, (std::vector<int> {980, 980}));
    EXPECT_EQ(car.pathY, (std::vector<int> {370, 400}));
    EXPECT_FLOAT_EQ(car.y, 370.0f);

    // The hand-over waits while a transfer runs, and the grid levels pour the
    // stack themselves. A car sliding back to the road holds nothing up.
    world.managerBelowLimit = 0;
    world.StartTransfer(11, 0, 0, 10, 10);
    world.AddToStack(1, 12);
    EXPECT_EQ(world.managerBelowLimit, 1);
    world.managerBelowLimit = 0;
    world.StartTransferToFundament(-1, 11, 0, 0, 10, 10);
    EXPECT_TRUE(world.transfers.empty());
    world.fundaments.push_back(cFundament {});
    world.StartTransferToFundament(0, 11, 0, 0, 10, 10);
    EXPECT_EQ(world.fundaments[0].carArriving, 1);
    world.AddToStack(1, 12);
    EXPECT_EQ(world.managerBelowLimit, 0);
    world.transfers.clear();
    world.level = 4;
    world.AddToStack(1, 12);
    EXPECT_EQ(world.managerBelowLimit, 0);
    world.level = 2;
    world.managerCount = 2;
    world.AddToStack(1, 12);
    EXPECT_EQ(world.managerBelowLimit, 0);
}

TEST_F(RoadStack, ServedCarAtThePlaceAndItsDeparture)
{
    DeclareCars();
    DeclarePlaces();
    world.SetPlaceAuto(1, 10);
    world.PutAutoOnPlace(1, 6, 1);
    world.PutAutoOnPlace(1, 7, 0);   // replaces the first
    ASSERT_EQ(world.placeAutos.size(), 1u);
    const cPlaceAuto car = world.placeAutos[0];
    EXPECT_EQ(car.autoType, 10);
    EXPECT_EQ(car.place, 1);
    EXPECT_EQ(car.x, world.places[1].x + 20);
    EXPECT_EQ(car.y, world.places[1].y - 5);
    EXPECT_EQ(car.variant, 1);
    EXPECT_EQ(car.itemCode, 7);
    EXPECT_EQ(car.patience, 10);
    EXPECT_EQ(car.handPlaced, 0);
    EXPECT_EQ(car.frames, 10);
    EXPECT_EQ(world.FindPlaceAutoAt(2, 2), 1);
    EXPECT_EQ(world.GetPlaceAutoTypeAt(2, 2), 10);
    EXPECT_EQ(world.FindPlaceAutoOfClassAt(2, 2, 1), 1);
    EXPECT_EQ(world.FindPlaceAutoOfClassAt(2, 2, 2), -1);
    EXPECT_EQ(world.FindPlaceAutoAt(2, 3), -1);

    world.StartTransferFromPlace(0, 100, 100, 400, 100);
    ASSERT_EQ(world.transfers.size(), 1u);
    EXPECT_EQ(world.transfers[0].source, 1);
    EXPECT_EQ(world.transfers[0].variant, 1);

    world.FinishServiceAtPlace(2);   // no car stands there
    EXPECT_EQ(world.placeAutos.size(), 1u);
    world.FinishServiceAtPlace(1);
    EXPECT_TRUE(world.placeAutos.empty());
    ASSERT_EQ(world.leavingAutos.size(), 1u);
    EXPECT_EQ(world.leavingAutos[0].sprite, L"car_10_1.png");
    EXPECT_EQ(world.leavingAutos[0].y, car.y + 15);
}

TEST_F(RoadStack, TransferStepsGrowWithTheWay)
{
    const struct {
        int dx;
        int dy;
        int steps;
        float stepX;
        float stepY;
    } cases[] = {{250, 0, 20, 12.0f, 0.0f}, {200, 200, 10, 20.0f, 20.0f}, {0, -201, 20, 0.0f, -10.0f},
        {301, 5, 30, 10.0f, 0.0f}, {-300, 0, 20, -15.0f, 0.0f}, {0, 0, 10, 0.0f, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        world.roadTransfers.clear();
        world.StartTransfer(11, 50, 60, 50 + c.dx, 60 + c.dy);
        ASSERT_EQ(world.roadTransfers.size(), 1u);
        const cTransfer& t = world.roadTransfers[0];
        EXPECT_EQ(t.steps, c.steps);
        EXPECT_FLOAT_EQ(t.stepX, c.stepX);
        EXPECT_FLOAT_EQ(t.stepY, c.stepY);
        EXPECT_EQ(t.variant, 9);
        EXPECT_EQ(t.source, -1);
        EXPECT_DOUBLE_EQ(t.interval, 0.01);
    }
}

TEST_F(RoadStack, MarkersJokersAndTheComboLog)
{
    world.points = 40;
    world.AddFlyingMarker(25);
    ASSERT_EQ(world.flyingValues.size(), 1u);
    EXPECT_EQ(world.flyingValues[0].x, 540);
    EXPECT_EQ(world.flyingValues[0].y, 45);
    EXPECT_EQ(world.flyingValues[0].steps, 50);

    world.places.push_back(cPlace {});
    world.places[0].x = 100;
    world.places[0].y = 400;
    world.AddPointsMarker(0);
    const cFlyingMarker& m = world.flyingValues[1];
    EXPECT_EQ(m.x, 180);
    EXPECT_EQ(m.value, 40);
    const int steps = static_cast<int>((std::sqrt(std::hypot(180.0 - 550.0, 400.0)) + 100.0) / 2.0);
    EXPECT_EQ(m.steps, steps);
    EXPECT_DOUBLE_EQ(m.stepY, -(400 / steps));

    world.AddJoker(3);
    ASSERT_EQ(world.jokers.size(), 3u);
    EXPECT_EQ(world.jokers[2].y, 330);
    EXPECT_EQ(world.jokers[2].targetY, 330);
    EXPECT_EQ(world.jokers[2].item, 90);

    // The item on the mouse flies back to the next free slot of the bar.
    cGameWorld::SetMouseSource([](int& x, int& y) {
        x = 300;
        y = 500;
    });
    world.autoOnMouse = 91;
    world.AddJokerSlot();
    cGameWorld::SetMouseSource(nullptr);
    const cJoker& back = world.jokers.back();
    EXPECT_EQ(back.item, 91);
    EXPECT_EQ(back.x, 300);
    EXPECT_EQ(back.y, 450);
    EXPECT_EQ(back.targetY, 440);
    EXPECT_FLOAT_EQ(back.stepX, -3.0f);
    EXPECT_FLOAT_EQ(back.stepY, -0.1f);
    EXPECT_EQ(back.steps, 100);
    world.jokers.pop_back();

    world.level = 7;
    world.AddSpecAuto(2, 0, 4);
    EXPECT_EQ(world.jokers[3].targetY, 440);
    EXPECT_DOUBLE_EQ(world.jokers[3].speed, 0.0);
    world.level = 8;
    world.AddSpecAuto(2, 0, 4);
    EXPECT_EQ(world.jokers[4].targetY, 60);
    EXPECT_EQ(world.jokers[4].targetX, world.jokers[4].x);
    EXPECT_DOUBLE_EQ(world.jokers[4].speed, 0.017);

    world.AddComboRecord(3, 2);
    world.AddComboRecord(4, 2);
    world.points = 10;
    world.AddComboRecord(3, 6);   // any class: counts for the first entry of length 3
    world.AddComboRecord(3, 5);
    ASSERT_EQ(world.comboLog.size(), 3u);
    EXPECT_EQ(world.comboLog[0].times, 2);
    EXPECT_EQ(world.comboLog[0].points, 50);
    EXPECT_TRUE(world.GetMyCombo(3, 2));
    EXPECT_FALSE(world.GetMyCombo(4, 2));
}

TEST_F(RoadStack, AStationTicksThroughAService)
{
    DeclareCars();
    DeclarePlaces();
    world.level = 2;
    world.drawStation = 1;
    world.processTimeInStation = 3.0;
    world.SetStackCoordinateAndDirection(1, 900, 400, 7);
    world.AddTransportToAutobahn(1, 2);
    world.AddToStack(1, 10);

    // The player takes the car from the stack to the red pump.
    Tick(0.5);
    world.SetPlaceAuto(1, world.stackSlots[0].autoType);
    world.stackSlots[0].autoType = -1;
    world.PutAutoOnPlace(1, 0, 1);
    int frames = 0;
    while (!world.placeAutos.empty() && frames < 1000) {
        Tick(0.02);
        ++frames;
        cPlaceAuto& car = world.placeAutos[0];
        if (car.serviceTimer.Elapsed() >= world.processTimeInStation)
            world.FinishServiceAtPlace(car.place);
    }
    EXPECT_NEAR(frames, 150, 1);   // three seconds in steps of 0.02 s
    EXPECT_EQ(world.leavingAutos.size(), 1u);
    EXPECT_EQ(world.autobahnCars.size(), 2u);
}

} // namespace
