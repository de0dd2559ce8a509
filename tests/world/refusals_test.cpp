// Degenerate and hostile values from scripts and files: each is refused with a
// log line or handled without dividing by zero, and none may loop forever. A
// case that hangs ends the run by an alarm.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>
#include <unistd.h>

#include "platform/game_random.h"
#include "platform/time_source.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

class Refusals : public ::testing::Test {
protected:
    // A fresh world at full size with a road 1 from (0, 300) to (1280, 200)
    // for class 1 and one car type of it.
    void Fresh()
    {
        world.ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
        world.ComputeLayout();
        platform::SetTimeSourceForTests([] { return 1000.0; });
        cLog::Instance().SetObserver([this](const wchar_t*, const std::wstring& line) { logged.push_back(line); });
        world.AddAuto(10, 1, "car");
        world.autoTypes[0].class_ = 1;
        world.SetAutoBahn(1, 2.0, 3);
        world.SetAutoBahnPoints(1, 0, 300, 1280, 200);
        world.EnableClassAutoForAutobahn(1, 1);
    }
    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        platform::SetTimeSourceForTests(nullptr);
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
    }

    cGameWorld& world = cGameWorld::Instance();
    std::vector<std::wstring> logged;
};

// A refusal writes one line or more; setUp may be empty.
struct Case {
    const char* name;
    bool logs;
    std::function<void(cGameWorld&)> setUp, act, check;
};

TEST_F(Refusals, DegenerateValuesAreRefusedOrHandled)
{
    const Case cases[] = {
        { "a road on which no class may drive gives no car", true, [](cGameWorld& w) { w.autobahnClasses.clear(); },
            [](cGameWorld& w) { w.AddTransportToAutobahn(1, 3); },
            [](cGameWorld& w) { EXPECT_TRUE(w.autobahnCars.empty()); EXPECT_EQ(w.GetRandomAutoAutobahn(1), -1); } },
        { "no car type at all", true, [](cGameWorld& w) { w.autoTypes.clear(); },
            [](cGameWorld& w) { w.AddTransportToAutobahn(1, 3); },
            [](cGameWorld& w) {
                EXPECT_TRUE(w.autobahnCars.empty());
                EXPECT_EQ(w.GetRandomAuto(0), -1);
                EXPECT_EQ(std::pair(w.GetRandomStackAutoType(), w.GetRandomAutoAutobahn(1)), std::pair(-1, -1));
            } },
        { "road id outside the tables", true, nullptr,
            [](cGameWorld& w) {
                w.AddTransportToAutobahn(5, 1), w.AddTransportToAutobahn(-1, 1);
                w.SpawnAutobahnAuto(7, 10), w.SetAutoBahn(9, 1.0, 1);
            },
            [](cGameWorld& w) { EXPECT_TRUE(w.autobahnCars.empty()); EXPECT_EQ(w.autobahnRoads.size(), 1u); } },
        { "segment outside the street", true, nullptr,
            [](cGameWorld& w) {
                w.SetAutoBahnPointsCity(1, 0, 0, 10, 10, 10, 3), w.SetAutoBahnPointsCity(1, 0, 0, 10, 10, -1, 3);
                w.AddTransportToCity(1, 12, 10, 0);
            },
            [](cGameWorld& w) { EXPECT_EQ(w.autobahnRoads[0].segCount, 0); EXPECT_TRUE(w.autobahnCars.empty()); } },
        { "a lane whose ends share x", false,
            [](cGameWorld& w) { w.SetAutoBahnPointsCity(1, 400, 100, 400, 500, 2, 7); },
            [](cGameWorld& w) { w.AddTransportToCity(1, 2, 10, 30); },
            [](cGameWorld& w) {
                ASSERT_EQ(w.autobahnCars.size(), 1u);
                const auto& car = w.autobahnCars[0];
                EXPECT_EQ(std::tuple(car.x, car.y, car.kind), std::tuple(430.0f, 100.0f, 7));
            } },
        { "road delay below one", false, [](cGameWorld& w) { w.autobahnDelay = 0; },
            [](cGameWorld& w) { w.SpawnAutobahnAuto(1, 10); w.autobahnDelay = -4; w.SpawnAutobahnAuto(1, 10); },
            [](cGameWorld& w) {
                ASSERT_EQ(w.autobahnCars.size(), 2u);
                EXPECT_EQ(w.autobahnCars[0].progress + w.autobahnCars[1].progress, 0.0);
                EXPECT_EQ(platform::GameRand(), 41); // nothing was drawn
            } },
        { "an effect of no frames", false, [](cGameWorld& w) { w.CreateEffects(4, "fx", 0, 0, 0); },
            [](cGameWorld& w) { w.CreateMyEffects(-1, 4, 1, 0.1f, 5, 5, 3, 3); },
            [](cGameWorld& w) { ASSERT_EQ(w.effects.size(), 1u); EXPECT_TRUE(w.IsEffectNearlyDone(3, 3)); } },
        { "colour outside the table", true, [](cGameWorld& w) { w.CreatePlace(6, 1, 1, 9); },
            [](cGameWorld& w) { w.SetColor(1, 1, 1000000); w.SetColor(1, 1, -5); },
            [](cGameWorld& w) { EXPECT_EQ(w.places[0].colour, 0); EXPECT_EQ(w.GetRandomAutoAutobahn(1), 10); } },
        { "stack slot that does not exist", true, nullptr,
            [](cGameWorld& w) { w.AddToStack(3, 10); w.DriveAutoIntoStack(-1, 0, 0, 1, 1); },
            [](cGameWorld& w) { EXPECT_TRUE(w.stackCars.empty()); } },
        { "place and fundament indices outside the lists", true, nullptr,
            [](cGameWorld& w) {
                w.PutAutoOnPlace(0, 1, 1), w.PutAutoOnPlace(-1, 1, 1), w.FinishServiceAtPlace(3);
                w.ApplyComboToPlace(-7, 3), w.SetPlaceAuto(2, 10), w.AddPointsMarker(0);
                w.AddPointsMarkerAtFundament(0), w.ClearFundamentWithEffect(4, 3);
                w.StartTransferFromPlace(0, 0, 0, 1, 1), w.AddLeavingAuto(0);
            },
            [](cGameWorld& w) {
                EXPECT_TRUE(w.placeAutos.empty() && w.flyingValues.empty() && w.transfers.empty());
                EXPECT_TRUE(w.leavingAutos.empty() && w.effects.empty());
            } },
        { "counts below zero or beyond reason", true, nullptr,
            [](cGameWorld& w) {
                w.AddTransportToAutobahn(1, -2), w.AddTransportToAutobahn(1, 2000000000);
                w.AddJoker(-1), w.AddJoker(2000000000);
                w.StartRain(-10), w.StartSnow(0, 2000000000, 0), w.AddSnow(-1);
            },
            [](cGameWorld& w) {
                EXPECT_TRUE(w.autobahnCars.empty() && w.jokers.empty());
                EXPECT_TRUE(w.rainDrops.empty() && w.snowFlakes.empty() && w.raining == 0);
            } },
        { "drifts of no steps", true, nullptr,
            [](cGameWorld& w) { w.AddBalon(1, 0, 0, 100, 100, 0); w.AddCloud(1, 0, 0, 100, 100, -3); },
            [](cGameWorld& w) { EXPECT_TRUE(w.balloons.empty()); EXPECT_TRUE(w.clouds.empty()); } },
        { "weather on a screen too small for it", true, [](cGameWorld&) { cSettings::Instance().SetResolution(9, 0); },
            [](cGameWorld& w) { w.StartRain(10); w.StartSnow(1, 10, 0); w.AddSnow(10); },
            [](cGameWorld& w) { EXPECT_TRUE(w.rainDrops.empty() && w.snowFlakes.empty() && w.snowing == 0); } },
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        alarm(5); // a case that hangs ends the program
        if (c.setUp)
            c.setUp(world);
        logged.clear();
        platform::GameSrand(1);
        c.act(world);
        EXPECT_EQ(!logged.empty(), c.logs);
        alarm(0);
        c.check(world);
    }
}

// A flake falls at the speed of its size, whether it came with the snow or
// was added to it later; larger classes fall faster.
TEST_F(Refusals, FlakesOfOneSizeFallAlikeAndLargerOnesFaster)
{
    Fresh();
    world.StartSnow(1, 300, 0);
    world.AddSnow(300);
    std::map<int, double> speedOfClass;
    for (const cSnowFlake& flake : world.snowFlakes) {
        const auto [it, first] = speedOfClass.emplace(flake.sizeClass, flake.speed);
        EXPECT_EQ(it->second, flake.speed) << "class " << flake.sizeClass;
    }
    ASSERT_GE(speedOfClass.size(), 4u);
    EXPECT_LT(speedOfClass[1], speedOfClass[2]);
    EXPECT_LT(speedOfClass[2], speedOfClass[3]);
    EXPECT_LT(speedOfClass[3], speedOfClass[4]);
}

} // namespace
