// Combos of served cars at the station's places: runs measured from the
// changed cell, the any class, merging, and what a combo does to its places
// with damage on.
#include <array>
#include <tuple>

#include <gtest/gtest.h>

#include "world/grid_fixture.h"

namespace {

using test::GridTest;

class PlaceCombos : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        // Class 6 is the any class.
        for (const auto& [id, colour, autoClass] :
            { std::tuple { 11, 7, 2 }, { 12, 8, 2 }, { 13, 9, 3 }, { 16, 10, 6 } })
            AddCarType(id, colour, autoClass);
    }

    // A work place on the cell serving a car of the type; its index.
    int Serve(int row, int column, int type)
    {
        world.CreatePlace(6, row, column, 9);
        const int p = static_cast<int>(world.places.size()) - 1;
        world.SetPlaceAuto(p, type);
        world.PutAutoOnPlace(p, 0, 1);
        return p;
    }

    void Clear()
    {
        world.places.clear();
        world.placeAutos.clear();
        world.selectedCount = 0;
    }

    void Find(int place)
    {
        Select(place, world.places[place].row, world.places[place].column);
        world.comboCounter = 0;
        world.FindAutoCombos();
    }
};

TEST_F(PlaceCombos, ThreeInAColumnWithTheMiddleOneJustPlaced)
{
    Serve(2, 4, 11);
    const int middle = Serve(3, 4, 12); // another type of the same class
    Serve(4, 4, 11);
    Serve(3, 5, 13);
    Find(middle);
    EXPECT_EQ(Combos(), (std::vector<std::string> { "k=2 2,4 3,4 4,4" }));
    EXPECT_EQ(world.combos[0].memberIndex[2], 2);

    world.ApplyPlaceCombos();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_bonus" }));
    EXPECT_EQ(std::tuple(world.bonusType, world.bonusAutoClass, world.bonusCellCount), std::tuple(3, 2, 3));
    // The members' cars leave; the car beside them stays.
    ASSERT_EQ(world.placeAutos.size(), 1u);
    EXPECT_EQ(world.placeAutos[0].autoType, 13);
    EXPECT_EQ(world.leavingAutos.size(), 3u);
    EXPECT_EQ(world.flyingValues.size(), 1u);
}

TEST_F(PlaceCombos, RunsMeasuredFromTheChangedCell)
{
    struct Case {
        const char* name;
        std::vector<std::array<int, 3>> cars; // row, column, type
        int selected; // index into cars
        std::vector<std::string> combos;
    };
    const Case cases[] = {
        { "a row of four", { { 3, 1, 11 }, { 3, 2, 11 }, { 3, 3, 12 }, { 3, 4, 11 } }, 1, { "k=2 3,1 3,2 3,3 3,4" } },
        { "two of a class are nothing", { { 3, 1, 11 }, { 3, 2, 11 }, { 3, 3, 13 } }, 0, {} },
        { "below the changed cell the run looks six cells far",
            { { 1, 2, 11 }, { 2, 2, 11 }, { 3, 2, 11 }, { 4, 2, 11 }, { 5, 2, 11 }, { 6, 2, 11 }, { 7, 2, 11 },
                { 8, 2, 11 } },
            0, { "k=2 1,2 2,2 3,2 4,2 5,2 6,2" } },
        { "above it, all the way", { { 1, 2, 11 }, { 2, 2, 11 }, { 3, 2, 11 }, { 4, 2, 11 }, { 5, 2, 11 } }, 4,
            { "k=2 1,2 2,2 3,2 4,2 5,2" } },
        { "a car of any class joins the classes on both sides", { { 2, 2, 11 }, { 3, 2, 16 }, { 4, 2, 13 } }, 1,
            { "k=6 2,2 3,2 4,2" } },
        { "any class: five cells down",
            { { 1, 2, 16 }, { 2, 2, 11 }, { 3, 2, 11 }, { 4, 2, 11 }, { 5, 2, 11 }, { 6, 2, 11 }, { 7, 2, 11 },
                { 8, 2, 11 } },
            0, { "k=6 1,2 2,2 3,2 4,2 5,2 6,2" } },
        { "any class: six cells to the right",
            { { 3, 0, 16 }, { 3, 1, 11 }, { 3, 2, 11 }, { 3, 3, 11 }, { 3, 4, 11 }, { 3, 5, 11 }, { 3, 6, 11 },
                { 3, 7, 11 } },
            0, { "k=6 3,0 3,1 3,2 3,3 3,4 3,5 3,6" } },
        { "a cross of two runs becomes one combo",
            { { 1, 3, 11 }, { 2, 3, 11 }, { 3, 3, 11 }, { 3, 4, 12 }, { 3, 5, 11 } }, 2,
            { "k=2 1,3 2,3 3,3 3,4 3,5" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        std::vector<int> placesMade;
        for (const auto& car : c.cars)
            placesMade.push_back(Serve(car[0], car[1], car[2]));
        Find(placesMade[c.selected]);
        EXPECT_EQ(Combos(), c.combos);
    }
}

TEST_F(PlaceCombos, ABrokenPlaceStartsNoCombo)
{
    Serve(2, 4, 11);
    const int middle = Serve(3, 4, 11);
    Serve(4, 4, 11);
    world.places[middle].state = 2;
    Find(middle);
    EXPECT_TRUE(world.combos.empty());
}

TEST_F(PlaceCombos, WearAndLampFollowTheCombos)
{
    struct Case { int damage; int length; int wearBefore; int wearAfter; const wchar_t* lamp; int state; };
    const Case cases[] = {
        { 1, 3, 0, 5, L"lampe_green", 0 },
        { 1, 3, 25, 30, L"lampe_green", 0 },
        { 1, 3, 26, 31, L"lampe_yellow", 0 },
        { 1, 4, 65, 75, L"lampe_red", 0 },
        { 1, 5, 80, 95, L"blink", 0 },
        { 1, 6, 81, 0, L"none", 2 }, // worn out: the place breaks
        { 0, 3, 50, 50, L"lampe_green", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "damage " << c.damage << " length " << c.length << " wear " << c.wearBefore);
        Clear();
        world.damageMode = c.damage;
        for (int r = 0; r < c.length; ++r) {
            Serve(2 + r, 1, 11);
            world.places.back().wear = c.wearBefore;
        }
        Find(0);
        ASSERT_EQ(world.combos.size(), 1u);
        ASSERT_EQ(world.combos[0].count, c.length);
        world.ApplyPlaceCombos();
        for (const cPlace& p : world.places) {
            EXPECT_EQ(p.wear, c.wearAfter);
            EXPECT_EQ(p.lampName, c.lamp);
            EXPECT_EQ(p.state, c.state);
            EXPECT_EQ(p.animationName, c.damage ? L"phase100" : L"");
        }
        EXPECT_TRUE(world.placeAutos.empty());
    }
}

TEST_F(PlaceCombos, ComboLogCountsCombosOfOneLengthAndClass)
{
    const std::pair<int, int> cases[] = { { 11, 11 }, { 11, 13 } };
    for (const auto& [first, second] : cases) {
        world.comboLog.clear();
        for (const int type : { first, second }) {
            Clear();
            for (int r = 0; r < 3; ++r)
                Serve(2 + r, 1, type);
            Find(1);
            world.ApplyPlaceCombos();
        }
        EXPECT_EQ(world.GetMyCombo(3, 2), first == second);
        EXPECT_TRUE(world.GetMyCombo(3, 1));
        EXPECT_FALSE(world.GetMyCombo(4, 1));
    }
}

} // namespace
