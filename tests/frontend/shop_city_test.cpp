// The city around the station: its cars keep their distance, give way where
// streets join, go round their streets and never leave them, and are drawn by
// their direction in the level's tint.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "shop_fixture.h"

namespace {

class ShopCityTest : public test::ShopTest {
protected:
    void SetUp() override
    {
        ShopTest::SetUp();
        world.autobahnStep = 2;
        for (int d : { 1, 3, 7, 9 })
            world.AddAuto(95, d, "city_" + std::to_string(d));
    }
    // A street of the given segments {x1, y1, x2, y2, direction}.
    void Street(int id, const std::vector<std::array<int, 5>>& segments)
    {
        world.SetAutoBahn(id, 1.0, segments[0][4]);
        for (size_t i = 0; i < segments.size(); ++i) {
            const auto& s = segments[i];
            world.SetAutoBahnPointsCity(id, s[0], s[1], s[2], s[3], static_cast<int>(i), s[4]);
        }
    }
    cAutobahnAuto& Car(size_t i) { return world.autobahnCars[i]; }
};

TEST_F(ShopCityTest, TheRearCarWaitsWhileTheOneAheadIsWithinSixtyPixels)
{
    Street(1, { { 0, 600, 1200, 100, 9 } });
    world.AddTransportToCity(1, 0, 95, 0); // behind
    world.AddTransportToCity(1, 0, 95, 40); // ahead, 40 px on
    const float rearX = Car(0).x;
    shop.MoveTraffic();
    EXPECT_EQ(Car(0).x, rearX);
    EXPECT_GT(Car(1).x, 40.0f);
    for (int i = 0; i < 300; ++i) {
        shop.MoveTraffic();
        const bool apart = std::abs(Car(1).x - Car(0).x) >= 60.0f || std::abs(Car(1).y - Car(0).y) >= 60.0f;
        ASSERT_TRUE(apart || Car(1).x > Car(0).x) << i;
    }
}

TEST_F(ShopCityTest, AStreetGivesWayWhereItJoinsAnotherAndCarsGoRoundTheirStreet)
{
    Street(1, { { 0, 900, 1200, 400, 9 } });
    Street(3, { { 700, 0, 960, 500, 3 }, { 960, 500, 1200, 400, 9 } });
    world.AddTransportToCity(1, 0, 95, 960); // on street 1 at the junction
    world.AddTransportToCity(3, 0, 95, 258); // at the end of street 3's first segment
    Car(0).pathX = { 0, 2000 }; // keep it standing at the junction
    Car(0).pathY = { 900, 67 };
    world.autobahnCars[0].kind = 1; // another direction, so it never blocks by direction
    const float x = Car(1).x;
    shop.MoveTraffic();
    EXPECT_EQ(Car(1).segment, 0) << "street 1 is busy at the junction";
    EXPECT_EQ(Car(1).x, x);

    world.autobahnCars.erase(world.autobahnCars.begin());
    shop.MoveTraffic();
    EXPECT_EQ(Car(0).segment, 1);
    EXPECT_EQ(Car(0).kind, 9);
    for (int i = 0; i < 200 && Car(0).segment == 1; ++i)
        shop.MoveTraffic();
    EXPECT_EQ(Car(0).segment, 0) << "after the last segment comes the first again";
    EXPECT_EQ(Car(0).kind, 3);
}

// At the end of a segment a car takes the next one only when its way is
// free: the third street gives way to the first where it joins it, the
// fourth to the third, no other street to any; and a car of its own
// direction just ahead holds it back on any street.
TEST_F(ShopCityTest, AtAJunctionOnlyTheJoiningStreetGivesWayToTheOneItJoins)
{
    const struct {
        int joining, other, otherKind;
        bool waits;
    } cases[] = { { 3, 1, 1, true }, { 4, 3, 1, true }, { 4, 1, 1, false }, { 3, 4, 1, false }, { 2, 1, 1, false },
        { 2, 3, 1, false }, { 1, 3, 1, false }, { 2, 1, 3, true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.joining << " meets " << c.other);
        world.autobahnRoads.clear();
        world.autobahnCars.clear();
        // The other street runs through (960, 500), where the joining one's
        // first segment ends.
        Street(c.other, { { 0, 900, 1200, 400, 9 } });
        Street(c.joining, { { 700, 0, 960, 500, 3 }, { 960, 500, 1200, 400, 9 } });
        world.AddTransportToCity(c.other, 0, 95, 962); // standing just past the junction
        world.AddTransportToCity(c.joining, 0, 95, 258); // at the end of its first segment
        ASSERT_EQ(world.autobahnCars.size(), 2u);
        Car(0).kind = c.otherKind;
        Car(0).pathX = { 0, 2000 }; // it keeps standing by the junction
        Car(0).pathY = { 900, 67 };
        const float x = Car(1).x;
        shop.MoveTraffic();
        EXPECT_EQ(Car(1).segment, c.waits ? 0 : 1);
        if (c.waits) {
            EXPECT_EQ(Car(1).x, x);
        } else {
            EXPECT_EQ(Car(1).kind, 9);
        }
    }
}

TEST_F(ShopCityTest, CarsStayOnTheirStreetsWhateverTheStep)
{
    Street(1, { { -150, 1060, 1400, 425, 9 } });
    Street(2, { { 100, 100, 100, 700, 1 } }); // straight down: no slope
    Street(3, { { 100, 800, 900, 800, 3 } }); // straight across
    Street(4, { { 1000, 100, 1200, 900, 3 } });
    for (int road = 1; road <= 4; ++road)
        world.AddTransportToCity(road, 0, 95, 0);
    for (const int step : { 2, 7, 23 }) {
        world.autobahnStep = step;
        for (int i = 0; i < 3000; ++i) {
            shop.MoveTraffic();
            for (const cAutobahnAuto& car : world.autobahnCars) {
                const auto& road = world.autobahnRoads[static_cast<size_t>(car.road - 1)];
                const int x0 = std::min(road.segStartX[0], road.segEndX[0]) - step * 6;
                const int x1 = std::max(road.segStartX[0], road.segEndX[0]) + step * 6;
                const int y0 = std::min(road.segStartY[0], road.segEndY[0]) - step * 6;
                const int y1 = std::max(road.segStartY[0], road.segEndY[0]) + step * 6;
                ASSERT_TRUE(car.x >= x0 && car.x <= x1 && car.y >= y0 && car.y <= y1)
                    << "street " << car.road << " step " << step << " at " << car.x << "," << car.y;
            }
        }
    }
}

TEST_F(ShopCityTest, ACarOnAMissingStreetWaitsAtTheEndOfItsSegment)
{
    Street(1, { { 0, 600, 100, 550, 9 } });
    world.AddTransportToCity(1, 0, 95, 100);
    Car(0).road = 4;
    shop.MoveTraffic();
    EXPECT_EQ(Car(0).x, 100.0f);
}

TEST_F(ShopCityTest, CityCarsAreDrawnByDirectionInTheLevelTint)
{
    Street(1, { { 0, 600, 1200, 100, 9 } });
    world.AddTransportToCity(1, 0, 95, 100);
    world.levelTint[0] = 200;
    world.levelTint[1] = 150;
    world.levelTint[2] = 100;
    shop.DrawTraffic();
    const auto car = FindImage("city_9.png");
    ASSERT_TRUE(car.has_value());
    EXPECT_EQ(car->x, 100);
    EXPECT_EQ(car->colour, MakeARGB(255, 200, 150, 100));
}

} // namespace
