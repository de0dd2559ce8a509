// The build menu's operations on the station of a shipped level: which place
// a work car needs, a place built on a free fundament and serving the car
// there, a car served again at a fundament, a fundament freed, and every
// index or template that names nothing refused without touching the lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "level_fixture.h"
#include "scene/build_menu.h"
#include "scene/screen_manager.h"
#include "world/game_world.h"

namespace {

constexpr int kStationLevel = 2; // places of types 6 and 7 on a block of fundaments
constexpr int kWorkCar = 50; // value 76: its work place is type 6, the big twin 26
constexpr int kOtherWorkCar = 51; // value 77: type 7, the big twin 27

class BuildMenuTest : public test::LevelTest {
protected:
    BuildMenuTest()
        : test::LevelTest(false, true)
    {
    }
    void SetUp() override
    {
        test::LevelTest::SetUp();
        ASSERT_TRUE(StartLevel(kStationLevel));
        world.AddAuto(kWorkCar, 9, "work_car");
        world.autoTypes.back().value = 76;
        world.AddAuto(kOtherWorkCar, 9, "work_car");
        world.autoTypes.back().value = 77;
        world.AddPlace(26, "tank", 3);
        world.SetOffsetForAuto(26, 12, -4, 9);
        build = dynamic_cast<Scene::BuildMenu*>(cScreenManager::Instance().GetScreen(cScreenManager::kBuild));
        ASSERT_NE(build, nullptr);
        log.clear();
    }
    int FundamentAt(int row, int column) const
    {
        for (std::size_t i = 0; i < world.fundaments.size(); ++i) {
            if (world.fundaments[i].row == row && world.fundaments[i].column == column)
                return static_cast<int>(i);
        }
        ADD_FAILURE() << "no fundament at " << row << ":" << column;
        return -1;
    }
    int PlaceAt(int row, int column) const
    {
        for (std::size_t i = 0; i < world.places.size(); ++i) {
            if (world.places[i].row == row && world.places[i].column == column)
                return static_cast<int>(i);
        }
        return -1;
    }
    int TemplateOf(int id) const
    {
        for (std::size_t i = 0; i < world.placeTemplates.size(); ++i) {
            if (world.placeTemplates[i].id == id)
                return static_cast<int>(i);
        }
        return -1;
    }

    cGameWorld& world = cGameWorld::Instance();
    Scene::BuildMenu* build = nullptr;
};

TEST_F(BuildMenuTest, AWorkCarNeedsItsBigTwinUntilOneStands)
{
    const struct {
        int autoType;
        int withoutTwin, withTwin;
    } cases[] = {
        { kWorkCar, 26, 6 },
        { kOtherWorkCar, 27, 7 },
        // A car type nobody declared has value 0.
        { 99, -50, -70 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.autoType);
        EXPECT_EQ(build->ChoosePlaceType(c.autoType), c.withoutTwin);
        // The small place standing does not count; the big twin does, on
        // whichever cell it stands.
        world.CreatePlace(c.withoutTwin - 20, 3, 2, 9);
        EXPECT_EQ(build->ChoosePlaceType(c.autoType), c.withoutTwin);
        world.CreatePlace(c.withoutTwin, 3, 4, 9);
        EXPECT_EQ(build->ChoosePlaceType(c.autoType), c.withTwin);
        world.places.pop_back();
        world.places.pop_back();
    }
}

TEST_F(BuildMenuTest, BuildingPutsThePlaceOnTheFundamentAndServesTheCar)
{
    const struct {
        const char* building;
        int row, column;
        int type, serve; // the place built and the code it serves with
        const char* texture;
        int offsetX, offsetY;
    } cases[] = {
        { "garage", 3, 2, 6, 16, "place_red", 30, -20 },
        { "cisterne", 3, 4, 26, 46, "tank", 12, -4 },
        { "anything", 4, 4, 6, 16, "place_red", 30, -20 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.building);
        const int fundament = FundamentAt(c.row, c.column);
        ASSERT_EQ(PlaceAt(c.row, c.column), -1);
        const std::size_t before = world.places.size();
        build->BuildForAuto(fundament, kWorkCar, c.building);

        ASSERT_EQ(world.places.size(), before + 1);
        const int place = PlaceAt(c.row, c.column);
        ASSERT_EQ(place, static_cast<int>(before));
        const cPlace& p = world.places[place];
        EXPECT_EQ(p.type, c.type);
        EXPECT_EQ(p.texture, c.texture);
        EXPECT_EQ(p.autoOffsetX, c.offsetX);
        EXPECT_EQ(p.autoOffsetY, c.offsetY);
        EXPECT_EQ(p.autoType, kWorkCar);
        EXPECT_EQ(world.fundaments[fundament].content, place); // the place standing on it
        EXPECT_EQ(build->GetLastBuiltX(), p.x + 100);
        EXPECT_EQ(build->GetLastBuiltY(), p.y);
        EXPECT_EQ(build->GetLastBuiltType(), c.type);

        // The car is served there, brought by the menu, not by the player.
        ASSERT_FALSE(world.placeAutos.empty());
        const cPlaceAuto& served = world.placeAutos.back();
        EXPECT_EQ(served.place, place);
        EXPECT_EQ(served.autoType, kWorkCar);
        EXPECT_EQ(served.itemCode, c.serve);
        EXPECT_EQ(served.x, p.x + c.offsetX);
        EXPECT_EQ(served.handPlaced, 0);
    }
    EXPECT_TRUE(Faults().empty());
}

TEST_F(BuildMenuTest, ACarIsServedAtAFundamentsPlaceAndTheFundamentFreed)
{
    // The shipped red place stands on (4, 3), the blue one on (5, 2).
    const struct {
        int row, column;
        int type;
    } cases[] = { { 4, 3, 6 }, { 5, 2, 7 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const int fundament = FundamentAt(c.row, c.column);
        const int place = PlaceAt(c.row, c.column);
        ASSERT_GE(place, 0);
        EXPECT_TRUE(build->PutAutoAtFundament(fundament, kOtherWorkCar));
        EXPECT_EQ(build->GetSelection(), fundament);
        EXPECT_EQ(world.places[place].autoType, kOtherWorkCar);
        ASSERT_FALSE(world.placeAutos.empty());
        const cPlaceAuto& served = world.placeAutos.back();
        EXPECT_EQ(served.place, place);
        EXPECT_EQ(served.autoType, kOtherWorkCar);
        EXPECT_EQ(served.itemCode, c.type); // served with the place's own type
        EXPECT_EQ(served.handPlaced, 0);

        ASSERT_EQ(world.fundaments[fundament].content, place);
        EXPECT_EQ(build->ReleaseFundament(place), fundament);
        EXPECT_EQ(world.fundaments[fundament].content, -1);
    }
    // No fundament holds a place any more.
    for (const cFundament& f : world.fundaments)
        EXPECT_EQ(f.content, -1) << f.row << ":" << f.column;
    EXPECT_TRUE(Faults().empty());
}

TEST_F(BuildMenuTest, UnknownFundamentsTemplatesAndPlacesAreRefused)
{
    const std::size_t places = world.places.size();
    const int fundaments = static_cast<int>(world.fundaments.size());
    const int free = FundamentAt(3, 2);
    const struct {
        int fundament;
        int placeType;
    } refused[] = { { -1, 6 }, { fundaments, 6 }, { 99, 6 }, { free, 8 }, { free, -1 } };
    for (const auto& r : refused) {
        log.clear();
        EXPECT_FALSE(build->BuildPlace(r.fundament, r.placeType, 16, kWorkCar)) << r.fundament << " " << r.placeType;
        EXPECT_EQ(log.size(), 1u);
    }
    EXPECT_EQ(world.places.size(), places);
    EXPECT_EQ(world.fundaments[free].content, -1);

    // A car type nobody declared has value 0: a template nobody declared.
    build->BuildForAuto(free, 77, "garage");
    EXPECT_EQ(world.places.size(), places);

    const int tree = 0; // stands on no cell
    const int empty = FundamentAt(3, 3); // nothing stands on it
    const int fundamentsRefused[] = { -1, fundaments, empty };
    for (const int f : fundamentsRefused)
        EXPECT_FALSE(build->PutAutoAtFundament(f, kWorkCar)) << f;
    const int placesRefused[] = { -1, static_cast<int>(places), tree };
    for (const int p : placesRefused)
        EXPECT_EQ(build->ReleaseFundament(p), -1) << p;
    EXPECT_TRUE(world.placeAutos.empty());
}

TEST_F(BuildMenuTest, APlaceThatCannotBeMadeInAnEmptyStationResumesTheGame)
{
    // A fundament off the grid in a station of no places: nothing is built,
    // and the game, paused for the menu, goes on.
    world.places.clear();
    const int fundament = FundamentAt(3, 2);
    world.fundaments[fundament].row = 99;
    world.paused = 1;
    world.buildMenuOpen = 1;
    EXPECT_FALSE(build->BuildPlace(fundament, 6, 16, kWorkCar));
    EXPECT_TRUE(world.places.empty());
    EXPECT_TRUE(world.placeAutos.empty());
    EXPECT_EQ(world.paused, 0);
    EXPECT_EQ(world.buildMenuOpen, 0);
    bool told = false;
    for (const test::LevelLogLine& line : log)
        told = told || line.text == L"ERROR, not found place 6";
    EXPECT_TRUE(told);
}

} // namespace
