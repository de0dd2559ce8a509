// Which car stands on a cell of the station: the car a transfer brought to
// the cell's place, never a car the player put down there, nor another
// cell's; and the help hint that follows from it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "world_fixture.h"

namespace {

class StationCellCars : public test::WorldRecords {
protected:
    struct Car {
        int row;
        int column;
        int type;
        bool putDown; // by the player, not brought by a transfer
    };
    // Three car types of classes 11, 12 and 13 and the station mode.
    void SetUp() override
    {
        WorldRecords::SetUp();
        for (int type = 1; type <= 3; ++type) {
            world.AddAuto(type, 1, "car_" + std::to_string(type));
            world.autoTypes.back().class_ = 10 + type;
        }
        world.drawStation = 1;
    }
    void Place(const std::vector<Car>& cars)
    {
        world.placeAutos.clear();
        for (const Car& c : cars) {
            cPlaceAuto a;
            a.row = c.row;
            a.column = c.column;
            a.autoType = c.type;
            a.handPlaced = c.putDown ? 1 : 0;
            world.placeAutos.push_back(a);
        }
    }
};

TEST_F(StationCellCars, TheCellsCarIsTheOneBroughtToIt)
{
    struct Case {
        const char* name;
        std::vector<Car> cars;
        int classAt; // of cell (2, 3)
        int typeKept; // the type remembered for a hint, when a car was found
    };
    const Case cases[] = {
        { "no car anywhere", {}, -1, 0 },
        { "the cell's own car", { { 2, 3, 2, false } }, 12, 2 },
        { "a car on another cell of the row", { { 2, 4, 1, false } }, -1, 0 },
        { "a car on another cell of the column", { { 1, 3, 1, false } }, -1, 0 },
        { "a car on another cell", { { 5, 6, 1, false } }, -1, 0 },
        { "a car the player put down on the cell", { { 2, 3, 1, true } }, -1, 0 },
        { "a put-down car first, then the one brought", { { 2, 3, 1, true }, { 2, 3, 3, false } }, 13, 3 },
        { "other cells' cars before the cell's own",
            { { 2, 4, 1, false }, { 1, 3, 1, false }, { 2, 3, 3, true }, { 2, 3, 2, false } }, 12, 2 },
        { "two brought to the cell: the first", { { 2, 3, 3, false }, { 2, 3, 1, false } }, 13, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Place(c.cars);
        world.lastCellAutoType = 0;
        EXPECT_EQ(world.GetClassAt(2, 3), c.classAt);
        EXPECT_EQ(world.lastCellAutoType, c.typeKept);
    }
}

// A place with two cars of one class brought beside it in its row gets the
// hint of that class; a car put down by the player does not count.
TEST_F(StationCellCars, AHintCountsOnlyTheCarsBroughtBesideThePlace)
{
    world.AddPlace(6, "pump_red", 0);
    for (int column = 2; column <= 4; ++column)
        world.CreatePlace(6, 2, column, 9);
    world.helpAuto = 1;
    struct Case { const char* name; std::vector<Car> cars; int hintClass; };
    const Case cases[] = {
        { "two of one class on the right", { { 2, 3, 1, false }, { 2, 4, 1, false } }, 11 },
        { "one of them put down", { { 2, 3, 1, false }, { 2, 4, 1, true } }, -1 },
        { "two of different classes", { { 2, 3, 1, false }, { 2, 4, 2, false } }, -1 },
        { "the pair on another row", { { 3, 3, 1, false }, { 3, 4, 1, false } }, -1 },
        { "a pair elsewhere, one beside", { { 2, 3, 1, false }, { 7, 7, 1, false }, { 7, 8, 1, false } }, -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Place(c.cars);
        world.hintCount = 0;
        EXPECT_EQ(world.FindNeighbourPairClass(0), c.hintClass);
        world.AddHelpHint(0);
        ASSERT_EQ(world.hintCount, c.hintClass == -1 ? 0 : 1);
        if (c.hintClass != -1) {
            EXPECT_EQ(world.hintClass[0], c.hintClass);
            EXPECT_EQ(std::pair(world.hintRow[0], world.hintColumn[0]), std::pair(2, 2));
        }
    }
}

} // namespace
