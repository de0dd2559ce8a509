// Around the station: the city cars keep their distance, give way where
// streets join, go round their streets and never leave them; trees are
// planted by hand; the intro reveals the station lot by lot.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/game_random.h"
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
    shop.DrawTraffic();
    const auto car = FindImage("city_9.png");
    ASSERT_TRUE(car.has_value());
    EXPECT_EQ(car->x, 100);
    EXPECT_EQ(car->colour, MakeARGB(255, 200, 255, 255));
}

TEST_F(ShopCityTest, AHeldTreeFollowsTheMouseIsPlantedByAClickAndDroppedByTheRightButton)
{
    world.AddOver(102, "tree_02");
    world.treeSelection = 102;
    MoveMouse(400, 500);
    shop.DrawDecorPlaces();
    const auto held = FindImage("tree_02.png");
    ASSERT_TRUE(held.has_value());
    EXPECT_EQ(held->x, 242);
    EXPECT_EQ(held->y, 289);

    world.leftClick = 1;
    shop.DrawDecorPlaces();
    ASSERT_EQ(world.places.size(), 1u);
    EXPECT_EQ(world.places[0].type, 102);
    EXPECT_EQ(world.places[0].x, 242);
    EXPECT_EQ(world.places[0].y, 289);
    EXPECT_EQ(world.treeSelection, 102) << "the tree stays held for the next";
    EXPECT_EQ(world.leftClick, 0);

    gfx.ClearRecords();
    shop.DrawDecorPlaces();
    EXPECT_EQ(Count("tree_02.png"), 2) << "the planted tree and the held one";

    world.rightDown = 1;
    world.leftClick = 1;
    shop.DrawDecorPlaces();
    EXPECT_EQ(world.treeSelection, -1);
    EXPECT_EQ(world.places.size(), 1u) << "a dropped tree is not planted";
}

TEST_F(ShopCityTest, TheRevealShowsAThirdAtOnceThenOneLotAfterAnotherAndLeavesTheLastHidden)
{
    world.intro = 1;
    for (int i = 0; i < 9; ++i)
        AddLot(3 + i / 3, 2 + i % 3, 1 + i, "lot_a", 100, true);
    for (const cFundament& f : world.fundaments) {
        EXPECT_EQ(f.status, 9);
        EXPECT_EQ(f.alpha, 255);
    }
    shop.FlagRandomFundaments();
    auto visible = [this] {
        return std::count_if(
            world.fundaments.begin(), world.fundaments.end(), [](const cFundament& f) { return f.alpha == 255; });
    };
    EXPECT_EQ(visible(), 3);
    EXPECT_LT(world.fundaments[static_cast<size_t>(shop.RevealSlot())].alpha, 255);
    for (int i = 0; i < 11; ++i) {
        Wait(20);
        shop.DrawIntroReveal();
    }
    EXPECT_EQ(visible(), 4) << "one lot fades in over 11 steps";
    for (int i = 0; i < 200; ++i) {
        Wait(20);
        shop.DrawIntroReveal();
    }
    EXPECT_EQ(visible(), 8);
    gfx.ClearRecords();
    shop.DrawIntroReveal();
    EXPECT_EQ(Count("lot_am"), 9) << "every lot in its extended look";
}

TEST_F(ShopCityTest, TheRevealOfOneLotOrNoneEndsAtOnce)
{
    shop.FlagRandomFundaments();
    shop.PickRandomSlot();
    shop.DrawIntroReveal();
    EXPECT_EQ(shop.RevealSlot(), 0);

    world.intro = 1;
    AddLot(2, 3, 20, "pump", 0, false);
    shop.FlagRandomFundaments();
    EXPECT_EQ(world.fundaments[0].alpha, 255);
    Wait(20);
    shop.DrawIntroReveal();
    EXPECT_EQ(Count("pump"), 1) << "the pump islands keep their own image";
}

} // namespace
