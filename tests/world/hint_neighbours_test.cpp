// Help hints: which neighbours of a cell make a pair, in which order they
// are looked at, and cells that do not exist.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "world/game_world.h"
#include "world_fixture.h"

namespace {

class HintNeighbours : public test::WorldRecords {
protected:
    void SetUp() override
    {
        WorldRecords::SetUp();
        world.AddAuto(1, 1, "car_red");
        world.AddAuto(2, 1, "car_blue");
        world.autoTypes[0].class_ = 11;
        world.autoTypes[1].class_ = 12;
    }
};

struct Car {
    int dRow;
    int dColumn;
    int type;
};

// A 7 x 7 block of fundaments around the cell (4, 4); the cars stand at
// offsets from it. The cell's own fundament index.
int Board(cGameWorld& world, const std::vector<Car>& cars)
{
    world.fundaments.clear();
    world.drawStation = 0;
    int centre = -1;
    for (int row = 1; row <= 7; ++row) {
        for (int column = 1; column <= 7; ++column) {
            if (row == 4 && column == 4)
                centre = static_cast<int>(world.fundaments.size());
            world.CreateFundament(1, row, column, 9, -1);
        }
    }
    for (const Car& car : cars)
        world.AddAutoToFundament(4 + car.dRow, 4 + car.dColumn, car.type);
    return centre;
}

TEST_F(HintNeighbours, TheFirstPairOfOneClassInLineWithTheCellCounts)
{
    const struct {
        const char* what;
        std::vector<Car> cars;
        int expected;
    } cases[] = {
        { "two above", { { -1, 0, 1 }, { -2, 0, 1 } }, 11 },
        { "two below", { { 1, 0, 2 }, { 2, 0, 2 } }, 12 },
        { "above and below", { { -1, 0, 1 }, { 1, 0, 1 } }, 11 },
        { "two left", { { 0, -2, 2 }, { 0, -1, 2 } }, 12 },
        { "two right", { { 0, 1, 1 }, { 0, 2, 1 } }, 11 },
        { "left and right", { { 0, -1, 2 }, { 0, 1, 2 } }, 12 },
        { "a column pair before a row pair", { { 0, 1, 1 }, { 0, 2, 1 }, { 1, 0, 2 }, { 2, 0, 2 } }, 12 },
        { "above before below", { { 1, 0, 1 }, { 2, 0, 1 }, { -1, 0, 2 }, { -2, 0, 2 } }, 12 },
        { "left before right", { { 0, 1, 1 }, { 0, 2, 1 }, { 0, -1, 2 }, { 0, -2, 2 } }, 12 },
        { "two of different classes", { { -1, 0, 1 }, { -2, 0, 2 } }, -1 },
        { "a gap between them", { { -1, 0, 1 }, { -3, 0, 1 } }, -1 },
        { "on the diagonals", { { -1, -1, 1 }, { 1, 1, 1 }, { -1, 1, 2 }, { 1, -1, 2 } }, -1 },
        { "one car", { { 1, 0, 1 } }, -1 },
        { "nothing", {}, -1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int centre = Board(world, c.cars);
        EXPECT_EQ(world.FindNeighbourPairClass(centre), c.expected);
        world.hintCount = 0;
        world.AddHelpHint(centre);
        EXPECT_EQ(world.hintCount, c.expected == -1 ? 0 : 1);
        if (c.expected != -1) {
            EXPECT_EQ(world.hintClass[0], c.expected);
            EXPECT_EQ(world.hintRow[0], 4);
            EXPECT_EQ(world.hintColumn[0], 4);
        }
    }
}

// On a station the cells are the places' cells and the cars those served on
// places; a place or fundament that does not exist has no pair and no hint.
TEST_F(HintNeighbours, StationPlacesAndCellsThatDoNotExist)
{
    world.drawStation = 1;
    world.places.resize(2);
    world.places[0].row = 4;
    world.places[0].column = 2;
    world.places[0].x = 410;
    world.places[0].y = 220;
    world.places[1].row = 0;
    world.places[1].column = 0;
    for (const auto& [row, column, type] : { std::tuple { 4, 3, 2 }, { 4, 4, 2 }, { 1, 0, 1 } }) {
        cPlaceAuto car;
        car.autoType = type;
        car.row = row;
        car.column = column;
        car.handPlaced = 0;
        world.placeAutos.push_back(car);
    }
    EXPECT_EQ(world.FindNeighbourPairClass(0), 12);
    EXPECT_EQ(world.FindNeighbourPairClass(1), -1);
    for (const int index : { -1, 2, 100 })
        EXPECT_EQ(world.FindNeighbourPairClass(index), -1) << index;
    world.hintCount = 0;
    for (const int index : { -1, 2, 1, 0 })
        world.AddHelpHint(index);
    ASSERT_EQ(world.hintCount, 1);
    EXPECT_EQ(world.hintIndex[0], 0);
    EXPECT_EQ(world.hintX[0], 410);
    EXPECT_EQ(world.hintY[0], 220);

    // The same indices on a grid level name fundaments, of which there is one.
    world.drawStation = 0;
    world.CreateFundament(1, 4, 2, 9, -1);
    for (const int index : { -1, 1, 2 })
        EXPECT_EQ(world.FindNeighbourPairClass(index), -1) << index;
}

} // namespace
