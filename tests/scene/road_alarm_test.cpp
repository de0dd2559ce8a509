// The police car of the alarm (car type 90) on the road: waiting at the start
// of its lane it sets off only now and then (two tries in five, three in ten
// with the lanes tied together), while every other car sets off at once; on
// the alarm level its start sounds the alarm, and no other car and no other
// level sounds it.
#include <gtest/gtest.h>

#include <string>

#include "platform/game_random.h"
#include "support/recording_sound.h"
#include "vehicles_fixture.h"

namespace test {
namespace {

    constexpr int kAlarmCar = 90;
    constexpr int kPlain = 1;
    constexpr int kAlarmLevel = 30;

    class RoadAlarm : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kPlain, "car_a", 7, 0, 1);
            AddCarType(kAlarmCar, "car_b", 7, 0, 1);
            world.autobahnDistance = 100;
            world.soundEngine = &sound;
            world.autobahnRoads.emplace_back();
        }
        void TearDown() override
        {
            world.soundEngine = nullptr;
            VehiclesTest::TearDown();
        }
        int Alarms() const
        {
            int count = 0;
            for (const std::string& path : sound.played)
                count += path.find("alarmincoming") != std::string::npos ? 1 : 0;
            return count;
        }

        RecordingSoundEngine sound;
    };

    TEST_F(RoadAlarm, ThePoliceCarSetsOffNowAndThenAndSoundsTheAlarmOnlyOnTheAlarmLevel)
    {
        StartScreens();
        const struct {
            const char* what;
            int type, level;
            bool together;
            int minStarts, maxStarts; // of 200 tries
        } cases[] = {
            { "police car, alarm level", kAlarmCar, kAlarmLevel, false, 72, 100 },
            { "police car, other level", kAlarmCar, kAlarmLevel - 1, false, 72, 100 },
            { "plain car, alarm level", kPlain, kAlarmLevel, false, 200, 200 },
            { "plain car, other level", kPlain, 12, false, 200, 200 },
            { "police car, lanes tied", kAlarmCar, kAlarmLevel, true, 45, 70 },
            { "plain car, lanes tied", kPlain, kAlarmLevel, true, 200, 200 },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            platform::GameSrand(1);
            world.level = c.level;
            world.autobahnCars.clear();
            const int index = AddRoadCar(1, c.type, 1, 1000.0f, 100.0f);
            cAutobahnAuto& car = world.autobahnCars[index];
            car.pause = 0.0;
            sound.played.clear();
            int starts = 0;
            for (int i = 0; i < 200; ++i) {
                car.waiting = 1;
                car.x = 1000.0f;
                car.y = 100.0f;
                Wait(10);
                if (c.together)
                    carLayer->UpdateRoadCarsTogether();
                else
                    carLayer->UpdateRoadCars(1);
                starts += car.waiting ? 0 : 1;
                // Each sound played to its end.
                for (iSoundInstance*& playing : world.effectSounds)
                    playing = nullptr;
            }
            EXPECT_GE(starts, c.minStarts);
            EXPECT_LE(starts, c.maxStarts);
            const bool alarm = c.type == kAlarmCar && c.level == kAlarmLevel && !c.together;
            EXPECT_EQ(Alarms(), alarm ? starts : 0);
        }
    }

} // namespace
} // namespace test
