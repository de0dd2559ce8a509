// The parking check, the managers, the queue of lots to build and the small
// lists the scripts keep: icons, special cars, chosen road cars and links.
#include <gtest/gtest.h>

#include "world/grid_fixture.h"

namespace {

using test::GridTest;
using GridLists = GridTest;

TEST_F(GridLists, ParkingFullWhenEveryParkingSlotIsFree)
{
    for (int id = 1; id <= 4; ++id)
        world.SetStackCoordinateAndDirection(id, 0, 0, 1);
    world.takeFromStack = 1;
    world.SetParkingAutos(3);
    world.stackSlots[2].autoType = 5; // slot 3 taken
    world.stackSlots[3].autoType = 5; // slot 4 is no parking slot
    world.CheckParkingFull();
    EXPECT_TRUE(TakeCallbacks().empty());

    world.stackSlots[2].autoType = -1;
    world.CheckParkingFull();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_fill_parking_place" }));

    struct Case {
        const char* name;
        int onMouse;
        bool transfer;
        int takeFromStack;
        int selected;
    };
    const Case waits[] = {
        { "a car on the mouse", 4, false, 1, 0 },
        { "a transfer runs", -1, true, 1, 0 },
        { "parking is off", -1, false, 0, 0 },
        { "changed cells wait for their combo search", -1, false, 1, 1 },
    };
    for (const Case& c : waits) {
        SCOPED_TRACE(c.name);
        world.autoOnMouse = c.onMouse;
        world.transfers.assign(c.transfer ? 1 : 0, cTransfer {});
        world.takeFromStack = c.takeFromStack;
        world.selectedCount = c.selected;
        world.CheckParkingFull();
        EXPECT_TRUE(TakeCallbacks().empty());
    }
}

TEST_F(GridLists, ParkingWithoutParkingCarsCallsOnEveryCheck)
{
    world.takeFromStack = 1;
    world.SetParkingAutos(0);
    world.CheckParkingFull();
    world.CheckParkingFull();
    EXPECT_EQ(TakeCallbacks().size(), 2u);
    // Without slots every parking slot counts as free.
    world.SetParkingAutos(2);
    world.CheckParkingFull();
    EXPECT_EQ(TakeCallbacks().size(), 1u);
}

TEST_F(GridLists, LotQueueIsBuiltInOrder)
{
    world.AddFundament(56, "platform", "platform2", 9);
    world.CreateEffects(11, "saw", 8, 0, 0);
    world.SetLotForBuild(3, 4);
    world.SetLotForBuild(5, 6);
    world.SetLotForBuild(20, 1); // outside the grid: refused
    EXPECT_EQ(world.buildLots.size(), 2u);
    EXPECT_EQ(TakeErrors().size(), 1u);

    const std::pair<int, int> cells[] = { { 3, 4 }, { 5, 6 } };
    for (const auto& [row, column] : cells) {
        sound.played.clear();
        world.FinishLotBuild();
        EXPECT_EQ(world.lastLotRow, row);
        EXPECT_EQ(world.lastLotColumn, column);
        EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "ok_saw" }));
        const int f = world.FindFundamentAt(row, column);
        ASSERT_GE(f, 0);
        EXPECT_EQ(world.fundaments[f].textureId, 56);
        EXPECT_EQ(world.fundaments[f].content, -1);
        EXPECT_EQ(world.places.back().type, 0);
        EXPECT_EQ(world.places.back().row, row);
        EXPECT_EQ(world.fundaments[f].texture, L"platform_build.png");
        EXPECT_EQ(sound.played, (std::vector<std::string> { "data/sound/wav/gong.wav" }));
        ASSERT_FALSE(world.effects.empty());
        EXPECT_EQ(world.effects.back().type, 11);
        EXPECT_EQ(world.effects.back().x, world.cellX[row][column] - 10);
        EXPECT_EQ(world.effects.back().y, world.cellY[row][column] - 10);
    }
    EXPECT_EQ(world.buildLots[0].pending, 0);
    EXPECT_EQ(world.buildLots[1].pending, 0);

    // Nothing is pending any more.
    const std::size_t placesBefore = world.places.size();
    world.FinishLotBuild();
    EXPECT_TRUE(TakeCallbacks().empty());
    EXPECT_EQ(world.places.size(), placesBefore);
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GridLists, ManagersUpToTheStackLimit)
{
    world.stackLimit = 2;
    world.managerBelowLimit = 1;
    world.AddManager();
    EXPECT_EQ(world.managerCount, 1);
    EXPECT_EQ(world.managerBelowLimit, 1);
    world.AddManager();
    EXPECT_EQ(world.managerCount, 2);
    EXPECT_EQ(world.managerBelowLimit, 0);
    world.AddManager();
    EXPECT_EQ(world.managerCount, 2);
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "add_manager", "add_manager" }));
}

TEST_F(GridLists, DeleteIconRemovesEveryIconOfTheId)
{
    world.AddIcon(1, "a");
    for (int i = 0; i < 3; ++i)
        world.AddIcon(2, "b");
    world.AddIcon(3, "c");
    world.DeleteIcon(2);
    ASSERT_EQ(world.icons.size(), 2u);
    EXPECT_EQ(world.icons[0].texture, L"a");
    EXPECT_EQ(world.icons[1].id, 3);
    world.DeleteIcon(9);
    EXPECT_EQ(world.icons.size(), 2u);
}

TEST_F(GridLists, SpecialCars)
{
    world.AddSpecAutoEntry(21);
    world.AddSpecAutoEntry(22);
    world.AddSpecAutoEntry(21);
    EXPECT_EQ(world.specialAutos[0].x, 1280);
    EXPECT_TRUE(world.ICreateSpecAuto(21));
    EXPECT_FALSE(world.IHaveSpecAuto(21));
    world.specialAutos[2].flag = 1;
    EXPECT_TRUE(world.IHaveSpecAuto(21));
    EXPECT_FALSE(world.IHaveSpecAuto(22));

    world.RemoveSpecAuto(21); // the first entry only
    ASSERT_EQ(world.specialAutos.size(), 2u);
    EXPECT_EQ(world.specialAutos[0].autoType, 22);
    EXPECT_TRUE(world.IHaveSpecAuto(21));
    world.RemoveSpecAuto(30);
    EXPECT_EQ(world.specialAutos.size(), 2u);

    // Spawning needs an entry of the type; the car goes on road 1.
    world.SetAutoBahn(1, 1.0, 3);
    world.SpawnSpecAuto(30);
    EXPECT_TRUE(world.autobahnCars.empty());
    world.SpawnSpecAuto(22);
    ASSERT_EQ(world.autobahnCars.size(), 1u);
    EXPECT_EQ(world.autobahnCars[0].autoType, 22);
    EXPECT_EQ(world.autobahnCars[0].kind, 3);
}

TEST_F(GridLists, ChosenRoadCarsLinksAndTriples)
{
    EXPECT_FALSE(world.IsChosenAutobahnAuto(5));
    world.ChoiceAutobahnAutos(5);
    EXPECT_TRUE(world.IsChosenAutobahnAuto(5));
    EXPECT_FALSE(world.IsChosenAutobahnAuto(6));

    world.AddToLink(1, 2, 3, 4);
    ASSERT_EQ(world.links.size(), 1u);
    EXPECT_EQ(world.links[0].c, 3);
    EXPECT_EQ(world.links[0].d, 4);

    for (int level = 0; level <= 31; ++level)
        EXPECT_EQ(cGameWorld::IsFirstLevelOfTriple(level), level >= 1 && level <= 28 && level % 3 == 1) << level;
}

} // namespace
