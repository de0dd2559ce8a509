// The station view's drawing over the recording engine: which images it
// draws where, at both screen sizes, covered and uncovered, and the platform
// rules of the grid levels and the station levels.
#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "station_fixture.h"
#include "world/settings.h"

namespace {

using test::DrawnImage;

struct Expected {
    std::wstring name;
    int x;
    int y;
};

void ExpectDrawn(const std::vector<DrawnImage>& drawn, const std::vector<Expected>& expected, bool small)
{
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[i].name, expected[i].name);
        EXPECT_EQ(drawn[i].x, expected[i].x);
        EXPECT_EQ(drawn[i].y, expected[i].y);
        EXPECT_EQ(drawn[i].small, small);
    }
}

class StationViewTest : public test::StationTest { };

TEST_F(StationViewTest, DrawsPlatformsTreesElementsOverlaysAndLampsScaledForTheScreen)
{
    struct Case {
        int width;
        bool small; // the smaller pages
        int treeX, treeY; // the tree at design point (300, 200)
        int elementDX, elementDY; // from the cell's point
        int overlayDX, overlayDY; // from the element
        int lampDX, lampDY; // from the element
    };
    const Case cases[] = {
        { 1280, false, 300, 200, 5, 15, -3, -3, 140, 0 },
        // x / 1.25 and y / 1.33, each offset truncated on its own.
        { 1024, true, 240, 150, 4, 11, -2, -2, 112, 0 },
        // Any width but 1280 takes the smaller pages.
        { 1600, true, 240, 150, 4, 11, -2, -2, 112, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        TearDown();
        SetUp();
        StartScreens(c.width);
        world.levelTint[0] = 200;
        world.levelTint[1] = 150;
        world.levelTint[2] = 100;
        AddTree(300, 200);
        AddFundament(2, 3);
        const int place = AddServicePlace(6, 2, 3);
        ASSERT_EQ(world.fundaments[0].content, place);

        over->Draw();
        const int x = world.cellX[2][3];
        const int y = world.cellY[2][3];
        const int ex = x + c.elementDX;
        const int ey = y + c.elementDY;
        ExpectDrawn(Drawn(),
            {
                // Platforms are never scaled: the cell tables already are.
                { L"plat_b.png", x - 15, y + 25 },
                { L"platform_rahmen", x - 15, y + 25 },
                { L"baum.png", c.treeX, c.treeY },
                { L"phase10000.png", ex, ey },
                { L"element1.png", ex + c.overlayDX, ey + c.overlayDY },
                { L"lampe_green.png", ex + c.lampDX, ey + c.lampDY },
            },
            c.small);
        for (const DrawnImage& image : Drawn())
            EXPECT_EQ(image.colour, MakeARGB(255, 200, 150, 100)) << image.name;
    }
}

TEST_F(StationViewTest, ACoveredStationKeepsServingAndTheDrawFlagHidesOnlyTheElements)
{
    using Cover = void (*)(cGameWorld&);
    const Cover covers[] = {
        [](cGameWorld& w) { w.levelOver = 1; },
        [](cGameWorld& w) { w.returnToMenu = 1; },
        [](cGameWorld& w) { w.leaveLevel = 1; },
        [](cGameWorld& w) { w.taskBookOpen = 1; },
        [](cGameWorld& w) { w.statisticsOpen = 1; },
        [](cGameWorld& w) { w.resultScreenOpen = 1; },
        [](cGameWorld& w) { w.optionsOpen = 1; },
        [](cGameWorld&) { cSettings::Instance().developerSwitch2 = 1; },
        [](cGameWorld& w) { w.noFreeCell = 1; },
        [](cGameWorld& w) { w.panelOpen = 1; },
    };
    struct Case {
        int drawStation;
        int cover; // index into covers, -1 uncovered
        bool elementDrawn;
        int frameAfter; // one service frame is due
    };
    std::vector<Case> cases = {
        { 1, -1, true, 1 },
        // Neither drawn nor advanced.
        { 0, -1, false, 0 },
        { 2, -1, false, 0 },
        // Covered: one step, whether drawn or not (the second call of the
        // frame finds the frame timer just restarted).
        { 1, 5, true, 1 },
    };
    for (int i = 0; i < static_cast<int>(std::size(covers)); ++i)
        cases.push_back({ 0, i, false, 1 });

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "drawStation " << c.drawStation << " cover " << c.cover);
        TearDown();
        SetUp();
        StartScreens();
        AddTree(300, 200);
        AddFundament(4, 4);
        const int place = AddServicePlace(6, 4, 4);
        cPlace& p = world.places[place];
        p.colour = 3;
        p.lampFrameCounter = 0;
        p.frameCount = 23;
        p.animationName = L"phase100"; // as the vehicles layer's lamp reset leaves it
        // A car a transfer brought, served with code 9: variant 3 serves it.
        world.PutAutoOnPlace(place, 9, 0);
        world.drawStation = c.drawStation;
        if (c.cover >= 0)
            covers[c.cover](world);
        Wait(40);
        gfx.ClearRecords();

        over->Draw();
        EXPECT_EQ(world.places[place].frame, c.frameAfter);
        EXPECT_EQ(DrawnOf(L"baum.png").size(), 1u);
        EXPECT_EQ(DrawnOf(L"phase10001.png").size(), c.elementDrawn ? 1u : 0u);
        EXPECT_EQ(DrawnOf(L"element4.png").size(), c.elementDrawn ? 1u : 0u);
    }
}

TEST_F(StationViewTest, PlatformsOfStationLevels)
{
    struct Case {
        const char* what;
        int templateId;
        int content; // -2: the place built on it, broken or not
        bool broken;
        bool mouseOver;
        int held; // car on the mouse, -1 none
        int hovered; // target place
        std::vector<std::wstring> names;
    };
    const Case cases[] = {
        { "nothing built", 1, -1, false, false, -1, -1, { L"plat_a.png" } },
        { "template 6 shows its second image", 6, -1, false, false, -1, -1, { L"plat_b.png" } },
        { "built-place index 0 draws no base", 1, 0, false, false, -1, -1, {} },
        { "a place built on it", 1, -2, false, false, -1, -1, { L"plat_b.png", L"platform_rahmen" } },
        { "a broken place", 1, -2, true, false, -1, -1, { L"plat_b.png", L"tanke_kaputt_platform.png" } },
        { "a held car over a target", 1, -1, false, true, 7, 1, { L"plat_a.png", L"platform_over.png" } },
        { "a held car without a target", 1, -1, false, true, 7, -1, { L"plat_a.png" } },
        { "no car held", 1, -1, false, true, -1, 1, { L"plat_a.png" } },
        { "held car elsewhere", 1, -1, false, false, 7, 1, { L"plat_a.png" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        StartScreens();
        world.AddFundament(1, "plat_a", "plat_b", 9);
        world.AddFundament(6, "plat_a", "plat_b", 9);
        world.AddOver(100, "baum");
        world.CreatePlace(100, 900, 900, 9); // place 0: a tree
        world.CreateFundament(c.templateId, 2, 3, 9, c.content == -2 ? -1 : c.content);
        if (c.content == -2) {
            world.CreatePlace(6, 2, 3, 9);
            world.places.back().state = c.broken ? 2 : 0;
        }
        if (c.mouseOver)
            MouseOnCell(2, 3);
        world.autoOnMouse = c.held;
        world.hoveredElement = c.hovered;
        over->DrawPlatforms();
        std::vector<std::wstring> names = DrawnNames();
        EXPECT_EQ(names, c.names);
        for (const DrawnImage& image : Drawn()) {
            EXPECT_EQ(image.x, world.cellX[2][3] - 15);
            EXPECT_EQ(image.y, world.cellY[2][3] + 25);
        }
    }
}

TEST_F(StationViewTest, PlatformsOfGridLevelsHighlightWhereTheNextMoveMayGo)
{
    struct Case {
        const char* what;
        bool managers; // the managers hand the stack to the player
        bool carOn;
        int held;
        bool noFreeCell;
        bool paused;
        bool mouseOver;
        bool highlight;
    };
    const Case cases[] = {
        { "a free cell to put a car on", false, false, -1, false, false, true, true },
        { "a taken cell", false, true, 7, false, false, true, false },
        { "a joker goes anywhere", false, true, 90, false, false, true, true },
        { "picking up from the managers", true, true, -1, false, false, true, true },
        { "nothing to pick up", true, false, -1, false, false, true, false },
        { "no free cell left", false, false, -1, true, false, true, false },
        { "paused", false, false, -1, false, true, true, false },
        { "mouse elsewhere", false, false, -1, false, false, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        StartScreens();
        world.level = 4;
        AddFundament(2, 3, 5); // content 5 changes nothing on grid levels
        world.fundaments[0].autoType = c.carOn ? 3 : -1;
        world.managerBelowLimit = c.managers ? 1 : 0;
        world.autoOnMouse = c.held;
        world.noFreeCell = c.noFreeCell ? 1 : 0;
        world.paused = c.paused ? 1 : 0;
        if (c.mouseOver)
            MouseOnCell(2, 3);
        over->DrawPlatforms();
        std::vector<std::wstring> expected = { L"plat_b.png" };
        if (c.highlight)
            expected.push_back(L"platform_over.png");
        EXPECT_EQ(DrawnNames(), expected);
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
}

TEST_F(StationViewTest, DecorationsAreDrawnScaledFromTheTreesPage)
{
    for (const int width : { 1280, 1024 }) {
        SCOPED_TRACE(width);
        TearDown();
        SetUp();
        StartScreens(width);
        world.AddOver(101, "busch");
        world.AddSuperOver(101, 500, 400);
        world.AddSuperOver(101, 600, 100);
        over->DrawDecorations();
        const bool small = width != 1280;
        ExpectDrawn(Drawn(),
            { { L"busch.png", small ? 480 : 600, small ? 75 : 100 },
                { L"busch.png", small ? 400 : 500, small ? 300 : 400 } },
            small);
    }
}

TEST_F(StationViewTest, TreesFadeInByTheirStep)
{
    StartScreens();
    const int tree = AddTree(300, 200);
    world.places[tree].alpha = 0;
    world.places[tree].alphaStep = 100;
    const uint32_t expected[] = { 0, 100, 200, 255, 255 };
    for (const uint32_t alpha : expected) {
        gfx.ClearRecords();
        over->DrawStationObjects();
        ASSERT_EQ(DrawnOf(L"baum.png").size(), 1u);
        EXPECT_EQ(DrawnOf(L"baum.png")[0].colour >> 24, alpha);
        Wait(20);
    }
}

TEST_F(StationViewTest, ImageSizesOfTreesComeFromTheTreesPage)
{
    StartScreens();
    world.AddOver(100, "baum");
    world.AddMyOver(100, 300, 200, 0);
    world.AddMyOver(100, 300, 200, 0);
    EXPECT_EQ(world.places[0].animationName, L"baum");
    EXPECT_EQ(world.places[0].imageWidth, 60);
    EXPECT_EQ(world.places[0].imageHeight, 80);
    // Only the first tree at the point is asked about.
    EXPECT_EQ(world.places[1].imageWidth, 0);

    world.places[0].imageWidth = world.places[1].imageWidth = 9;
    world.CreatePlace111(6, 40, 50, 0, 0);
    world.CreatePlace111(6, 40, 50, 0, 0);
    world.places[2].imageWidth = world.places[3].imageWidth = 9;
    over->GetElementImageSize(6, 40, 50);
    over->GetElementImageSize(100, 300, 200);
    EXPECT_EQ(world.places[2].imageWidth, 0);
    EXPECT_EQ(world.places[3].imageWidth, 0);
    EXPECT_EQ(world.places[0].imageWidth, 0);
    EXPECT_EQ(world.places[1].imageWidth, 9);
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
    cSettings::Instance().developerSwitch2 = 1;
    over->Draw();
    over->DrawDecorations();
    EXPECT_EQ(over->GetPlaceUnderMouse(true), -1);
    EXPECT_EQ(DrawnNames(), std::vector<std::wstring> { L"baum.png" });
}

TEST_F(StationViewTest, SwitchedOffTheScreenHoldsNoPages)
{
    StartScreens();
    AddTree(300, 200);
    over->SetActive(false);
    over->Draw();
    over->DrawFoundation(10, 20);
    EXPECT_TRUE(Drawn().empty());
    over->SetActive(true);
    over->DrawFoundation(10, 20);
    ASSERT_EQ(Drawn().size(), 1u);
    EXPECT_EQ(Drawn()[0].name, L"fundament_on.png");
    EXPECT_EQ(Drawn()[0].colour, 0xFFFFFFFFu);
}

TEST_F(StationViewTest, SmallDrawingOperations)
{
    StartScreens(1024);
    world.AddPlace(6, "tank", 1);
    world.levelTint[0] = 10;
    over->DrawTemplateHover(0, 500, 400, true);
    over->DrawTemplateHover(0, 500, 400, false);
    over->DrawTemplateHover(1, 500, 400, false); // no such template
    over->DrawStationImage(L"tank.png", 7, 8, 99);
    over->DrawStationImageScaled(L"tank.png", 7, 8, 50, 99);
    over->DrawStationImageScaled(L"tank.png", 7, 8, 0, 99);
    const std::vector<DrawnImage> drawn = Drawn();
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].name, L"tank_over.png");
    EXPECT_EQ(drawn[0].x, 400);
    EXPECT_EQ(drawn[0].y, 300);
    EXPECT_EQ(drawn[0].colour, MakeARGB(255, 10, 255, 255));
    EXPECT_EQ(drawn[1].name, L"tank_on.png");
    EXPECT_EQ(drawn[2].colour, MakeARGB(99, 255, 255, 255));
    EXPECT_EQ(drawn[2].width, 40);
    // Cut to half its width and height, not scaled.
    EXPECT_EQ(drawn[3].width, 20);
    EXPECT_EQ(drawn[3].height, 20);
}

} // namespace
