// The station view over the recording engine: covered and uncovered, the
// place under the mouse as a drop target, and hostile records.
#include <gtest/gtest.h>

#include "station_fixture.h"
#include "world/settings.h"

namespace {

class StationViewTest : public test::StationTest { };

TEST_F(StationViewTest, ACoveredStationKeepsServingAndTheDrawFlagHidesOnlyTheElements)
{
    uint8_t cGameWorld::*const covers[] = { &cGameWorld::levelOver, &cGameWorld::taskBookOpen,
        &cGameWorld::resultScreenOpen, &cGameWorld::panelOpen };
    struct Case {
        int drawStation;
        int cover; // index into covers, -1 uncovered
        bool elementDrawn;
        int frameAfter; // one service frame is due
    };
    // Not drawn and uncovered: not advanced either. Covered: one step,
    // whether drawn or not.
    const Case cases[] = { { 1, -1, true, 1 }, { 0, -1, false, 0 }, { 2, -1, false, 0 }, { 1, 1, true, 1 },
        { 0, 0, false, 1 }, { 0, 1, false, 1 }, { 0, 2, false, 1 }, { 0, 3, false, 1 } };

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "drawStation " << c.drawStation << " cover " << c.cover);
        TearDown();
        SetUp();
        StartScreens();
        AddTree(300, 200);
        AddFundament(4, 4);
        const int place = AddServicePlace(6, 4, 4);
        world.places[place].colour = 3;
        world.places[place].frameCount = 23;
        // A car a transfer brought, served with code 9: variant 3 serves it.
        world.PutAutoOnPlace(place, 9, 0);
        world.drawStation = c.drawStation;
        if (c.cover >= 0)
            world.*covers[c.cover] = 1;
        Wait(40);
        gfx.ClearRecords();

        over->Draw();
        EXPECT_EQ(world.places[place].frame, c.frameAfter);
        EXPECT_EQ(DrawnCount(L"baum.png"), 1u);
        EXPECT_EQ(DrawnCount(L"element4.png"), c.elementDrawn ? 1u : 0u);
    }
}

TEST_F(StationViewTest, ThePlaceUnderTheMouseIsADropTargetOnlyWhenItTakesTheHeldCar)
{
    StartScreens();
    AddTree(0, 0);
    AddFundament(2, 3);
    const int place = AddServicePlace(6, 2, 3); // variant 0: colour group 6
    world.AddAuto(7, 1, "car_green");
    world.AddAuto(8, 1, "car_blue");
    world.autoTypes[0].colour = 6;
    world.autoTypes[1].colour = 7;
    world.autoTypes[0].class_ = world.autoTypes[1].class_ = 1;

    struct Case {
        const char* what;
        bool mouseOver;
        int held;
        bool served;
        bool checkDrop;
        int expected;
    };
    const Case cases[] = {
        { "no car held", true, -1, false, true, place },
        { "a car of its group", true, 7, false, true, place },
        { "a car of another group", true, 8, false, true, -1 },
        { "a car already served there", true, 7, true, true, -1 },
        { "without the drop check", true, 8, true, false, place },
        { "mouse elsewhere", false, 7, false, true, -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        input.x = input.y = -500;
        if (c.mouseOver)
            MouseOnCell(2, 3);
        world.autoOnMouse = c.held;
        world.placeAutos.clear();
        if (c.served)
            world.PutAutoOnPlace(place, 6, 1);
        EXPECT_EQ(over->GetPlaceUnderMouse(c.checkDrop), c.expected);
    }

    // The crane (21) repairs: it is taken by a damaged place of a type above
    // 2 only, whatever its colour group.
    world.AddAuto(21, 1, "crane");
    world.autoTypes[2].class_ = 1;
    world.placeAutos.clear();
    MouseOnCell(2, 3);
    world.autoOnMouse = 21;
    const struct {
        int type, state, expected;
    } crane[] = { { 3, 1, place }, { 2, 1, -1 }, { 3, 0, -1 } };
    for (const auto& c : crane) {
        SCOPED_TRACE(testing::Message() << "crane, type " << c.type << " state " << c.state);
        world.places[place].type = c.type;
        world.places[place].state = c.state;
        EXPECT_EQ(over->GetPlaceUnderMouse(true), c.expected);
    }
}

TEST_F(StationViewTest, RecordsOutsideTheCellTablesAreSkipped)
{
    StartScreens();
    AddTree(0, 0);
    // Station types placed by screen point have no cell; hostile records
    // name cells beyond the tables.
    world.CreatePlace111(6, 50, 50, 0, 0);
    world.AddMyOver(7, 10, 10, 0);
    cPlace far;
    far.type = 8;
    far.row = 20;
    far.column = 3;
    world.places.push_back(far);
    far.row = 3;
    far.column = -1;
    world.places.push_back(far);
    cFundament lost;
    lost.row = 25;
    lost.column = -3;
    lost.texture = lost.texture2 = L"plat_a.png";
    world.fundaments.push_back(lost);
    world.fundaments.back().content = 2;

    MouseOnCell(2, 3);
    world.autoOnMouse = 7;
    cSettings::Instance().editorMode = 1;
    over->Draw();
    over->DrawDecorations();
    EXPECT_EQ(over->GetPlaceUnderMouse(true), -1);
    EXPECT_EQ(DrawnNames(), std::vector<std::wstring> { L"baum.png" });
}

} // namespace
