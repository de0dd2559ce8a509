// The station editor bar: nothing without the editor flag; with it, lists
// cut at 102 entries, and places built and removed with the mouse.
#include <gtest/gtest.h>

#include "station_fixture.h"
#include "world/settings.h"

namespace {

class StationEditorTest : public test::StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        StartScreens();
        cSettings::Instance().developerSwitch2 = 1;
    }
    void AddTemplates(int count)
    {
        for (int i = 0; i < count; ++i)
            world.AddPlace(6 + i % 5, "tank", 10 + i);
    }
    void Click()
    {
        world.leftClick = 1;
        world.clickEvent = 1;
    }
    int top() const { return world.barOffset; }
};

TEST_F(StationEditorTest, WithTheFlagClearNothingDrawsOrChanges)
{
    cSettings::Instance().developerSwitch2 = 0;
    AddTemplates(12);
    AddFundament(2, 3);
    world.AddOver(100, "baum");
    for (const int mode : { 0, 2, 3, 4, 5 }) {
        SCOPED_TRACE(mode);
        world.developerCounter = mode;
        for (int& selection : world.stationSelection)
            selection = 0;
        world.autoOnMouse = 4;
        input.x = 190;
        input.y = top() + 10;
        world.leftClick = world.rightClick = 1;
        gfx.ClearRecords();
        over->Draw();
        over->DrawDecorations();
        EXPECT_EQ(world.leftClick, 1);
        EXPECT_EQ(world.rightClick, 1);
        EXPECT_EQ(world.autoOnMouse, 4);
        for (const int selection : world.stationSelection)
            EXPECT_EQ(selection, 0);
        EXPECT_EQ(world.places.size(), 0u);
        EXPECT_EQ(world.fundaments.size(), 1u);
        EXPECT_TRUE(world.superOvers.empty());
        EXPECT_EQ(over->ListCount(), 0);
    }
}

TEST_F(StationEditorTest, TheListIsCutAt102Entries)
{
    AddTemplates(150);
    over->Draw();
    EXPECT_EQ(over->ListCount(), Scene::MenuOver::kListSize);
    EXPECT_EQ(over->ListEntry(101), 101);
    EXPECT_EQ(over->ListEntry(102), -1);
}

TEST_F(StationEditorTest, APlaceTemplateIsPickedAndBuiltOnAFundament)
{
    AddTemplates(3); // ids 6, 7, 8
    AddFundament(2, 3);
    // Hover and click the second cell.
    input.x = 270;
    input.y = top() + 40;
    Click();
    over->Draw();
    EXPECT_EQ(world.stationSelection[0], 1);
    EXPECT_EQ(world.leftClick, 0);

    MouseOnCell(2, 3);
    over->Draw();
    EXPECT_TRUE(world.places.empty());
    Click();
    over->Draw();
    ASSERT_EQ(world.places.size(), 1u);
    const cPlace& place = world.places[0];
    EXPECT_EQ(place.type, 7);
    EXPECT_EQ(place.colour, 1); // id - 6
    EXPECT_EQ(world.fundaments[0].content, 0);

    // A right click drops the selection.
    world.rightClick = 1;
    over->Draw();
    EXPECT_EQ(world.stationSelection[0], -1);

    // Without a selection a click on the element takes it away again.
    Click();
    over->Draw();
    EXPECT_TRUE(world.places.empty());
    EXPECT_EQ(world.fundaments[0].content, -1);
}

TEST_F(StationEditorTest, TheFundamentEditorLaysTheSelectedFundamentOnTheCellClicked)
{
    world.AddFundament(3, "plat_a", "plat_b", 9);
    world.developerCounter = 3;
    world.stationSelection[3] = 0;
    MouseOnCell(2, 5);
    Click();
    over->Draw();
    ASSERT_EQ(world.fundaments.size(), 1u);
    EXPECT_EQ(world.fundaments[0].row, 2);
    EXPECT_EQ(world.fundaments[0].column, 5);
    EXPECT_EQ(world.fundaments[0].content, -1);
}

} // namespace
