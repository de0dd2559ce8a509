// The build menu's operations on a small station: a work place built on a
// fundament and serving the car, and every index or template that names
// nothing refused without touching the lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/log.h"
#include "scene/menu_build.h"
#include "world/game_world.h"

namespace {

class MenuBuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.ResetToDefaults();
        world.ComputeLayout();
        cLog::Instance().SetObserver([this](const wchar_t*, const std::wstring& text) { log.push_back(text); });
        // A work car of value 76: its work place is type 6, the big twin 26.
        world.AddAuto(50, 9, "work_car");
        world.autoTypes.back().value = 76;
        world.AddPlace(6, "workshop", 2);
        world.AddPlace(26, "tank", 3);
        world.SetOffsetForAuto(6, 12, -4, 9);
        world.AddFundament(1, "ground", "ground_over", 9);
        world.CreatePlace(100, 10, 10, 9);
        world.CreateFundament(1, 4, 4, 9, -1);
        world.CreateFundament(1, 5, 2, 9, -1);
    }
    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        world.ResetToDefaults();
    }

    cGameWorld& world = cGameWorld::Instance();
    Scene::MenuBuild build;
    std::vector<std::wstring> log;
};

TEST_F(MenuBuildTest, BuildsTheWorkPlaceAndServesTheCar)
{
    EXPECT_EQ(build.ChoosePlaceType(50), 26);
    build.BuildForAuto(0, 50, "garage");
    ASSERT_EQ(world.places.size(), 2u);
    const cPlace& place = world.places[1];
    EXPECT_EQ(place.type, 6);
    EXPECT_EQ(place.row, 4);
    EXPECT_EQ(world.fundaments[0].content, 1); // the place standing on it
    ASSERT_EQ(world.placeAutos.size(), 1u);
    EXPECT_EQ(world.placeAutos[0].place, 1);
    EXPECT_EQ(world.placeAutos[0].patience, 16); // served with its type + 10
    EXPECT_EQ(build.GetLastBuiltType(), 6);

    // With the work place standing, a tank is still wanted; with a tank, the
    // work place.
    EXPECT_EQ(build.ChoosePlaceType(50), 26);
    build.BuildForAuto(1, 50, "cisterne");
    ASSERT_EQ(world.places.size(), 3u);
    EXPECT_EQ(world.places[2].type, 26);
    EXPECT_EQ(world.placeAutos.back().patience, 46);
    EXPECT_EQ(build.ChoosePlaceType(50), 6);

    // Served again at the same cell, then the fundament freed.
    EXPECT_TRUE(build.PutAutoAtFundament(0, 50));
    EXPECT_EQ(build.GetSelection(), 0);
    EXPECT_EQ(world.placeAutos.back().patience, 6);
    EXPECT_EQ(build.ReleaseFundament(1), 0);
    EXPECT_EQ(world.fundaments[0].content, -1);
    EXPECT_TRUE(log.empty());
}

TEST_F(MenuBuildTest, UnknownFundamentsTemplatesAndPlacesAreRefused)
{
    const auto places = world.places.size();
    const struct {
        int fundament;
        int placeType;
    } refused[] = { { -1, 6 }, { 2, 6 }, { 99, 6 }, { 0, 7 }, { 1, -1 } };
    for (const auto& r : refused) {
        log.clear();
        EXPECT_FALSE(build.BuildPlace(r.fundament, r.placeType, 16, 50)) << r.fundament << " " << r.placeType;
        EXPECT_EQ(log.size(), 1u);
    }
    EXPECT_EQ(world.places.size(), places);
    EXPECT_EQ(world.fundaments[0].content, -1);

    // A car type nobody declared has value 0: a template nobody declared.
    build.BuildForAuto(0, 77, "garage");
    EXPECT_EQ(world.places.size(), places);

    EXPECT_FALSE(build.PutAutoAtFundament(-1, 50));
    EXPECT_FALSE(build.PutAutoAtFundament(7, 50));
    EXPECT_FALSE(build.PutAutoAtFundament(1, 50)); // no place on that cell
    EXPECT_EQ(build.ReleaseFundament(-1), -1);
    EXPECT_EQ(build.ReleaseFundament(5), -1);
    EXPECT_EQ(build.ReleaseFundament(0), -1); // the decoration stands on no cell
    EXPECT_TRUE(world.placeAutos.empty());
}

} // namespace
