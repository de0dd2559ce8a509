// The station editor's restyling of a lot, click by click: Alt steps the
// platform round its three looks, Shift steps the scenery round the houses,
// the trees and the parked cars; the tree held from the shop's list is the
// one the list gave; and where the mouse takes a lot.
#include <gtest/gtest.h>

#include "shop_fixture.h"

namespace {

class ShopEditorTest : public test::ShopTest {
protected:
    void SetUp() override
    {
        ShopTest::SetUp();
        AddLot(3, 2, 1, "lot_a", 300, true);
        Build(3, 2, 9);
        cSettings::Instance().editorMode = 1;
    }
    void TearDown() override
    {
        cSettings::Instance().editorMode = 0;
        world.alternateHouse = 0;
        world.treeSelection = -1;
        ShopTest::TearDown();
    }
    void EditorClick(bool shift, bool alt)
    {
        world.keyLeftShift = shift ? 1 : 0;
        world.keyLeftAlt = alt ? 1 : 0;
        ClickLot(3, 2);
    }
};

// Alt-clicks go 56, 57, 58 and back to 56; the lot stays built and keeps its
// building.
TEST_F(ShopEditorTest, AltClicksStepThePlatformRoundItsThreeLooks)
{
    Lot(3, 2).texture = L"platform_56.png";
    Lot(3, 2).textureId = 56;
    for (const int next : { 57, 58, 56, 57 }) {
        SCOPED_TRACE(next);
        EditorClick(false, true);
        EXPECT_EQ(Lot(3, 2).texture, L"platform_" + std::to_wstring(next) + L".png");
        EXPECT_EQ(Lot(3, 2).textureId, next);
        EXPECT_EQ(Lot(3, 2).content, 1);
        EXPECT_EQ(world.lotStatus[3][2], 9);
        EXPECT_EQ(world.leftClick, 0) << "the click is used up";
        EXPECT_EQ(world.keyLeftAlt, 0);
    }
}

// Each Shift-click puts the next scenery on the lot: 22 houses (kind 10 on),
// the 16th kind in its other look while the alternate houses are switched
// on, then 9 trees, then 5 parked cars, and after the last car the first
// house again. A fresh cycle starts at the first house.
TEST_F(ShopEditorTest, ShiftClicksStepTheSceneryRoundHousesTreesAndCars)
{
    const struct {
        int before;
        bool alternate;
        int kind;
        const wchar_t* image;
    } cases[] = {
        { 0, false, 10, L"house_01" },
        { 5, false, 10, L"house_01" },
        { 10, false, 11, L"house_02" },
        { 15, false, 16, L"house_07" },
        { 15, true, 16, L"house_07m" },
        { 16, true, 17, L"house_08" },
        { 30, false, 31, L"house_22" },
        { 31, false, 32, L"tree_01" },
        { 39, false, 40, L"tree_09" },
        { 40, false, 41, L"car_red" },
        { 41, false, 42, L"car_black" },
        { 42, false, 43, L"car_blue" },
        { 43, false, 44, L"car_green" },
        { 44, false, 45, L"car_yellow" },
        { 45, false, 10, L"house_01" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << (c.alternate ? " alternate" : ""));
        Lot(3, 2).objectOffsetX = Lot(3, 2).objectOffsetY = 7;
        Build(3, 2, 11);
        world.sceneryCycle = c.before;
        world.alternateHouse = c.alternate ? 1 : 0;
        EditorClick(true, false);
        EXPECT_EQ(world.sceneryCycle, c.kind);
        EXPECT_EQ(Lot(3, 2).content, c.kind);
        EXPECT_EQ(Lot(3, 2).placeTexture, c.image);
        EXPECT_EQ(Lot(3, 2).status, 9) << "scenery stands built, never extended";
        EXPECT_EQ(Lot(3, 2).objectOffsetX, 0);
        EXPECT_EQ(Lot(3, 2).objectOffsetY, 0);
        EXPECT_EQ(world.leftClick, 0);
        EXPECT_EQ(world.keyLeftShift, 0);
    }
}

// The tree chosen from the list (101 to 103) is drawn on the cursor as that
// tree; a selection of no tree draws nothing on the cursor.
TEST_F(ShopEditorTest, TheHeldTreeIsTheTreeChosen)
{
    shop.SetActive(false);
    WriteSet("data/gui/interface/menu/menu_buy", { "tree_01.png", "tree_02.png", "tree_03.png", "platform_56.png" });
    shop.SetActive(true);
    world.places.clear();
    const struct {
        int selection;
        const char* image; // nullptr none
    } cases[] = { { 101, "tree_01.png" }, { 102, "tree_02.png" }, { 103, "tree_03.png" }, { 104, nullptr } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selection);
        world.treeSelection = c.selection;
        world.leftClick = 0;
        MoveMouse(700, 500);
        gfx.ClearRecords();
        shop.DrawDecorPlaces();
        int trees = 0;
        for (const char* tree : { "tree_01.png", "tree_02.png", "tree_03.png" }) {
            const int drawn = Count(tree);
            EXPECT_EQ(drawn, c.image && std::string(c.image) == tree ? 1 : 0) << tree;
            trees += drawn;
        }
        EXPECT_EQ(trees, c.image ? 1 : 0);
    }
}

using test::ShopTest;
class ShopLotMouseTest : public ShopTest { };

// The mouse is over a lot inside the parallelogram of its cell, on every
// cell of the grid to its last, and over no lot outside the grid.
TEST_F(ShopLotMouseTest, TheLotUnderTheMouseIsTheCellsParallelogram)
{
    const int last = world::kGridSize - 1;
    const struct {
        int dx, dy;
        bool inside;
    } points[] = { { 70, 160, true }, { 5, 141, true }, { 70, 100, false }, { 140, 200, false }, { 20, 200, false } };
    for (const auto& [row, col] : { std::pair { 4, 4 }, std::pair { 0, 0 }, std::pair { last, last } }) {
        for (const auto& p : points) {
            SCOPED_TRACE(testing::Message() << row << "," << col << " + " << p.dx << "," << p.dy);
            MoveMouse(world.cellX[row][col] + p.dx, world.cellY[row][col] + p.dy);
            EXPECT_EQ(shop.IsMouseOverLot(row, col), p.inside);
        }
    }
    MoveMouse(world.cellX[0][0] + 70, world.cellY[0][0] + 160);
    for (const auto& [row, col] : { std::pair { -1, 0 }, std::pair { 0, -1 }, std::pair { last + 1, 0 },
             std::pair { 0, last + 1 } })
        EXPECT_FALSE(shop.IsMouseOverLot(row, col)) << row << "," << col;
}

// While a tree is held, a click over a lot plants the tree and buys nothing.
TEST_F(ShopLotMouseTest, AHeldTreeKeepsTheLotsFromTheMouse)
{
    AddLot(3, 2, 1, "lot_a", 100, true);
    world.money = 1000;
    for (const int held : { 101, -1 }) {
        SCOPED_TRACE(held);
        world.treeSelection = held;
        HoverLot(3, 2);
        Pass(true);
        EXPECT_EQ(Lot(3, 2).status, held == -1 ? 9 : 0);
        EXPECT_EQ(world.money, held == -1 ? 900 : 1000);
    }
}

} // namespace
