// The station editor bar's lists paged by nine, and trees, decorations,
// fundaments and cars placed, moved and erased with the mouse and the arrow
// keys.
#include <gtest/gtest.h>

#include "station_fixture.h"
#include "world/settings.h"

namespace {

class StationEditorItems : public test::StationEditorBarTest {
protected:
    // The x of each bar cell's image drawn, in order.
    std::vector<int> CellImages() const
    {
        std::vector<int> xs;
        for (const test::DrawnImage& image : Drawn()) {
            if (image.name == L"tank.png" && image.width == 70)
                xs.push_back(image.x);
        }
        return xs;
    }
};

TEST_F(StationEditorItems, ListsPageByNine)
{
    struct Case {
        int templates;
        std::vector<int> firstPage; // cells drawn
        bool rightArrow;
        std::vector<int> secondPage; // after a click on the right arrow
    };
    const Case cases[] = {
        { 9, { 185, 259, 333, 407, 481, 555, 629, 703, 777 }, false, {} },
        { 10, { 185, 259, 333, 407, 481, 555, 629, 703, 777 }, true, { 185 } },
        { 3, { 185, 259, 333 }, false, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templates);
        TearDown();
        SetUp();
        AddTemplates(c.templates);
        input.x = input.y = 5;
        over->Draw();
        EXPECT_EQ(CellImages(), c.firstPage);
        EXPECT_EQ(DrawnOf(L"b_right.png").size(), c.rightArrow ? 1u : 0u);
        EXPECT_TRUE(DrawnOf(L"b_left.png").empty());
        if (!c.rightArrow)
            continue;
        ASSERT_EQ(DrawnOf(L"b_right.png")[0].x, 880);
        ASSERT_EQ(DrawnOf(L"b_right.png")[0].y, top() + 15);
        // Green while not hovered.
        EXPECT_EQ(DrawnOf(L"b_right.png")[0].colour & 0xFFFFFF, 0x00FF00u);
        input.x = 900;
        input.y = top() + 30;
        Click();
        ClearDrawn();
        over->Draw();
        EXPECT_EQ(world.leftClick, 0);
        world.mouseOverBuildBar = 0; // as the screen manager does every frame
        ClearDrawn();
        over->Draw();
        EXPECT_EQ(CellImages(), c.secondPage);
        EXPECT_TRUE(DrawnOf(L"b_right.png").empty());
        EXPECT_EQ(DrawnOf(L"b_left.png").size(), 1u);
        EXPECT_EQ(world.mouseOverBuildBar, 0);
    }
}

TEST_F(StationEditorItems, TreesAndDecorationsArePlacedMovedAndErased)
{
    world.AddOver(100, "baum");
    world.AddOver(101, "busch");
    world.developerCounter = 2;
    input.x = 260; // the second cell: "busch"
    input.y = top() + 40;
    Click();
    over->Draw();
    EXPECT_EQ(world.stationSelection[2], 1);
    input.x = 400;
    input.y = 300;
    Click();
    over->Draw();
    ASSERT_EQ(world.places.size(), 1u);
    EXPECT_EQ(world.places[0].type, 101);
    EXPECT_EQ(world.places[0].x, 340);
    EXPECT_EQ(world.places[0].y, 240);

    world.developerCounter = 4;
    Click();
    over->Draw();
    ASSERT_EQ(world.superOvers.size(), 1u);
    EXPECT_EQ(world.superOvers[0].x, 340);

    // Without a selection: the arrow keys move what lies under the mouse,
    // a click erases it.
    world.stationSelection[2] = -1;
    input.x = 345;
    input.y = 245;
    world.keyRight = world.keyDown = 1;
    over->Draw();
    EXPECT_EQ(world.superOvers[0].x, 341);
    EXPECT_EQ(world.superOvers[0].y, 241);
    EXPECT_EQ(world.keyRight, 0);
    Click();
    over->Draw();
    EXPECT_TRUE(world.superOvers.empty());

    world.developerCounter = 2;
    world.keyLeft = 1;
    over->Draw();
    EXPECT_EQ(world.places[0].x, 339);
    Click();
    over->Draw();
    EXPECT_TRUE(world.places.empty());
}

TEST_F(StationEditorItems, FundamentsAndCarsArePlaced)
{
    world.AddFundament(3, "plat_a", "plat_b", 9);
    world.developerCounter = 3;
    input.x = 190;
    input.y = top() + 40;
    Click();
    over->Draw();
    EXPECT_EQ(world.stationSelection[3], 0);
    MouseOnCell(2, 5);
    Click();
    over->Draw();
    ASSERT_EQ(world.fundaments.size(), 1u);
    EXPECT_EQ(world.fundaments[0].row, 2);
    EXPECT_EQ(world.fundaments[0].column, 5);
    EXPECT_EQ(world.fundaments[0].content, -1);

    world.AddAuto(12, 1, "car");
    world.developerCounter = 5;
    input.x = 190;
    input.y = top() + 40;
    Click();
    over->Draw();
    EXPECT_EQ(world.stationSelection[5], 0);
    MouseOnCell(2, 5);
    Click();
    over->Draw();
    EXPECT_EQ(world.fundaments[0].autoType, 12);
    EXPECT_EQ(world.stationSelection[5], -1);

    // The fundament editor erases an empty fundament with any button.
    world.developerCounter = 3;
    world.stationSelection[3] = -1;
    world.rightClick = 1;
    over->Draw();
    EXPECT_TRUE(world.fundaments.empty());
}

} // namespace
