// Bonus items on station levels: an item rises from the cell of the combo
// that made it to the top of the screen and expires there; a click on the
// way puts its effect to work, once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bonus_fixture.h"

namespace {

constexpr int kStationLevel = 2;
// A cell well below the top, so a rising item's slot at the top of the
// screen is far from it.
constexpr int kRow = 6;
constexpr int kColumn = 4;

class BonusRisingTest : public test::BonusTest {
protected:
    void SetUp() override
    {
        test::BonusTest::SetUp();
        StartLevel(kStationLevel);
    }
    // An item of the kind rising from the test cell; its index.
    int Rise(int kind)
    {
        world.AddSpecAuto(kRow, kColumn, kind);
        return static_cast<int>(world.jokers.size()) - 1;
    }
    int StartX() const { return world.cellX[kRow][kColumn] + 50; }
    int StartY() const { return world.cellY[kRow][kColumn] + 50; }
    // The mouse on the middle of the item where it stands now.
    void MouseOnItem(int index)
    {
        const cJoker& item = world.jokers[index];
        MoveMouse(static_cast<int>(item.step * item.stepX + item.x) + 64,
            static_cast<int>(item.step * item.stepY + item.y) + 64);
    }
};

TEST_F(BonusRisingTest, AComboMakesAnItemThatRisesToTheTopAndExpires)
{
    StartLevel(kStationLevel, "function on_bonus() Story:AddSpecAuto(0, 4) end");
    world.AddAuto(11, 1, "car_11");
    world.autoTypes.back().colour = 7;
    world.autoTypes.back().class_ = 2;
    for (int row = 2; row <= 4; ++row) {
        world.CreatePlace(6, row, kColumn, 9);
        const int p = static_cast<int>(world.places.size()) - 1;
        world.SetPlaceAuto(p, 11);
        world.PutAutoOnPlace(p, 0, 1);
    }
    ASSERT_TRUE(world.AddSelectedCell(1, 3, kColumn));
    world.comboCounter = 0;
    world.FindAutoCombos();
    world.ApplyPlaceCombos();

    // The item starts at the combo's first cell and heads for y 60.
    ASSERT_EQ(world.jokers.size(), 1u);
    const cJoker item = world.jokers[0];
    const int x = world.cellX[2][kColumn] + 50;
    const int y = world.cellY[2][kColumn] + 50;
    EXPECT_EQ(item.item, 4);
    EXPECT_EQ(item.x, x);
    EXPECT_EQ(item.y, y);
    EXPECT_EQ(item.targetX, x);
    EXPECT_EQ(item.targetY, 60);

    // Not moved before its interval has passed.
    Frame(10);
    ASSERT_EQ(Images().size(), 1u);
    EXPECT_EQ(Images()[0].name, "bonus_tank_red");
    EXPECT_EQ(Images()[0].x, x);
    EXPECT_EQ(Images()[0].y, y);
    EXPECT_EQ(Images()[0].colour, Tinted(255));

    Frame(8);
    ASSERT_EQ(Images().size(), 1u);
    EXPECT_EQ(Images()[0].y, static_cast<int>(item.stepY + static_cast<float>(y)));

    // A hundred steps to the top; the next frame it is gone, with no effect.
    for (int i = 1; i < 100; ++i)
        Frame();
    ASSERT_EQ(world.jokers.size(), 1u);
    EXPECT_EQ(world.jokers[0].step, 100);
    ASSERT_EQ(Images().size(), 1u);
    EXPECT_EQ(Images()[0].y, 60);
    Frame();
    EXPECT_TRUE(Images().empty());
    EXPECT_TRUE(world.jokers.empty());
    EXPECT_TRUE(world.autobahnCars.empty());
    EXPECT_TRUE(TakeCallbacks().empty());
}

TEST_F(BonusRisingTest, WhilePausedAnItemStandsStillButCanBeUsed)
{
    const int i = Rise(102);
    world.SetPause(true);
    for (int n = 0; n < 5; ++n)
        Frame(100);
    EXPECT_EQ(world.jokers[i].step, 0);
    MouseOnItem(i);
    Frame();
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { "bonus_kaktus_blume", "bonus_over" }));
    for (const test::HudImage& image : Images())
        EXPECT_EQ(image.colour, Tinted(255));
    Click();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_blumen" }));
    EXPECT_EQ(world.leftClick, 0);
    EXPECT_TRUE(world.jokers.empty());
}

struct EffectCase {
    int kind;
    const char* image;
    std::vector<std::string> callbacks;
    int roadCar; // the type of the car that enters road 1, or -1
    int managers;
    int parking;
};

class BonusEffectTest : public BonusRisingTest, public ::testing::WithParamInterface<EffectCase> { };

TEST_P(BonusEffectTest, AClickedItemPutsItsEffectToWork)
{
    const EffectCase& c = GetParam();
    world.SetAutoBahn(1, 1.0, 1);
    world.SetAutoBahnPoints(1, 0, 100, 600, 400);
    world.SetLotForBuild(7, 2);
    world.stackLimit = 3;
    world.managerCount = 1;
    world.parkingAutos = 1;

    const int i = Rise(c.kind);
    Frame();
    MouseOnItem(i);
    Click();
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { c.image, "bonus_over" }));
    EXPECT_EQ(world.leftClick, 0);
    EXPECT_TRUE(world.jokers.empty());

    std::vector<std::string> callbacks = TakeCallbacks();
    EXPECT_EQ(callbacks, c.callbacks);
    if (c.roadCar < 0) {
        EXPECT_TRUE(world.autobahnCars.empty());
    } else {
        ASSERT_EQ(world.autobahnCars.size(), 1u);
        EXPECT_EQ(world.autobahnCars[0].autoType, c.roadCar);
        EXPECT_EQ(world.autobahnCars[0].road, 1);
    }
    EXPECT_EQ(world.buildLots[0].pending, c.kind == 100 || c.kind == 101 ? 0 : 1);
    EXPECT_EQ(world.managerCount, c.managers);
    EXPECT_EQ(world.parkingAutos, c.parking);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, BonusEffectTest,
    ::testing::Values(EffectCase { 4, "bonus_tank_red", {}, 4, 1, 1 },
        EffectCase { 5, "bonus_tank_black", {}, 5, 1, 1 }, EffectCase { 6, "bonus_tank_green", {}, 6, 1, 1 },
        EffectCase { 7, "bonus_tank_blue", {}, 7, 1, 1 }, EffectCase { 8, "bonus_tank_yellow", {}, 8, 1, 1 },
        EffectCase { 21, "bonus_update", {}, 21, 1, 1 }, EffectCase { 41, "bonus_build_black", {}, 41, 1, 1 },
        EffectCase { 100, "bonus_kaktus", { "ok_saw" }, -1, 1, 1 },
        EffectCase { 101, "bonus_tree", { "ok_saw" }, -1, 1, 1 },
        EffectCase { 102, "bonus_kaktus_blume", { "on_blumen" }, -1, 1, 1 },
        EffectCase { 103, "bonus_wb", { "on_wbaum" }, -1, 1, 1 },
        EffectCase { 111, "bonus_manager1", { "add_manager" }, -1, 2, 1 },
        EffectCase { 112, "bonus_auto3", {}, -1, 1, 3 }));

TEST_F(BonusRisingTest, ItemsWithNothingToDoAreUsedUpAllTheSame)
{
    // No lot waits to be built; the managers are at the stack limit; 98 is
    // no bonus kind and has no image, yet it is caught like the others.
    world.stackLimit = 2;
    world.managerCount = 2;
    for (const int kind : { 100, 111, 98 }) {
        SCOPED_TRACE(kind);
        const int i = Rise(kind);
        MouseOnItem(i);
        Click();
        EXPECT_EQ(world.leftClick, 0);
        EXPECT_TRUE(world.jokers.empty());
        EXPECT_TRUE(TakeCallbacks().empty());
        EXPECT_EQ(world.managerCount, 2);
        EXPECT_EQ(BonusNames().back(), "bonus_over");
    }
}

TEST_F(BonusRisingTest, OneClickUsesOneItem)
{
    Rise(102);
    Rise(103);
    MouseOnItem(0);
    Click();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_blumen" }));
    ASSERT_EQ(world.jokers.size(), 1u);
    EXPECT_EQ(world.jokers[0].item, 103);
    EXPECT_EQ(world.jokers[0].used, 0);
}

TEST_F(BonusRisingTest, AnItemIsNeverUsedTwice)
{
    // Just below the top the item overlaps its own slot there: once used it
    // lingers while the mouse rests on the slot, and must not work again.
    const int i = Rise(102);
    world.jokers[i].step = 99;
    world.SetPause(true);
    MoveMouse(StartX() + 20, 100);
    Click();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_blumen" }));
    ASSERT_EQ(world.jokers.size(), 1u);
    Click();
    EXPECT_TRUE(TakeCallbacks().empty());
    EXPECT_EQ(world.leftClick, 1) << "the click is left for others";
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { "bonus_kaktus_blume" }));
    MouseAway();
    Frame();
    EXPECT_TRUE(world.jokers.empty());
}

TEST_F(BonusRisingTest, ItemsAnEffectAddsAreHandledInTheSamePass)
{
    StartLevel(kStationLevel, "function on_blumen() Story:SetFlag(\"on_blumen\") Story:AddSpecAuto(0, 5) end");
    world.bonusCellRow[0] = 3;
    world.bonusCellColumn[0] = 1;
    // Eight items fill the list's room, so the new one moves the list.
    for (int n = 0; n < 8; ++n)
        Rise(102);
    MouseOnItem(0);
    Click();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_blumen" }));
    ASSERT_EQ(world.jokers.size(), 8u);
    EXPECT_EQ(world.jokers[7].item, 5);
    EXPECT_EQ(BonusNames().back(), "bonus_tank_black") << "drawn in the frame it was made";
}

TEST_F(BonusRisingTest, OnASmallerScreenAnItemStartsOnItsCellAndIsCaughtWhereItIsDrawn)
{
    cSettings::Instance().SetResolution(1024, 768);
    world.ComputeLayout();
    const int i = Rise(103);
    world.SetPause(true);
    Frame();
    ASSERT_EQ(Images().size(), 1u);
    // The cell is in pixels of this screen already.
    EXPECT_EQ(Images()[0].x, StartX());
    EXPECT_EQ(Images()[0].y, StartY());
    MouseOnItem(i);
    Click();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_wbaum" }));
}

TEST_F(BonusRisingTest, StationImagesDifferFromGridImages)
{
    EXPECT_STREQ(Scene::MenuSubmenu::BonusImageName(4, false), L"bonus_tank_red");
    EXPECT_STREQ(Scene::MenuSubmenu::BonusImageName(5, false), L"bonus_tank_black");
    EXPECT_STREQ(Scene::MenuSubmenu::BonusImageName(4, true), L"bonus_4");
    EXPECT_STREQ(Scene::MenuSubmenu::BonusImageName(5, true), L"bonus_5");
    EXPECT_EQ(Scene::MenuSubmenu::BonusImageName(90, false), nullptr);
    EXPECT_EQ(Scene::MenuSubmenu::BonusImageName(100, true), nullptr);
}

} // namespace
