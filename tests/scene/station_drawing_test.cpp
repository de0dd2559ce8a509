// The station view's drawing over the recording engine: which images it
// draws where, at both screen sizes, the platform rules of the grid levels
// and the station levels, trees fading in, a switched-off view, and the small drawing operations
// other screens use.
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

class StationDrawingTest : public test::StationTest { };

TEST_F(StationDrawingTest, DrawsPlatformsTreesElementsOverlaysAndLampsScaledForTheScreen)
{
    struct Case {
        int width;
        bool small; // the smaller pages
        int treeX, treeY; // the tree at design point (300, 200)
        int platformDX, platformDY; // from the cell's point
        int elementDX, elementDY; // from the cell's point
        int overlayDX, overlayDY; // from the element
        int lampDX, lampDY; // from the element
    };
    const Case cases[] = {
        { 1280, false, 300, 200, -15, 25, 5, 15, -3, -3, 140, 0 },
        // x / 1.25 and y / 1.33, each offset truncated on its own.
        { 1024, true, 240, 150, -12, 18, 4, 11, -2, -2, 112, 0 },
        // Any width but 1280 takes the smaller pages.
        { 1600, true, 240, 150, -12, 18, 4, 11, -2, -2, 112, 0 },
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
                // The platform shrinks with the distances between the cells.
                { L"plat_b.png", x + c.platformDX, y + c.platformDY },
                { L"platform_rahmen", x + c.platformDX, y + c.platformDY },
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

TEST_F(StationDrawingTest, PlatformsOfStationLevels)
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

TEST_F(StationDrawingTest, PlatformsOfGridLevelsHighlightWhereTheNextMoveMayGo)
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

TEST_F(StationDrawingTest, DecorationsAreDrawnScaledFromTheTreesPage)
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

TEST_F(StationDrawingTest, TreesFadeInByTheirStep)
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

TEST_F(StationDrawingTest, ImageSizesOfTreesComeFromTheTreesPage)
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

TEST_F(StationDrawingTest, SwitchedOffTheScreenDrawsNothing)
{
    StartScreens();
    AddTree(300, 200);
    AddFundament(2, 3);
    AddServicePlace(6, 2, 3);
    over->SetActive(false);
    over->Draw();
    EXPECT_TRUE(Drawn().empty());
    over->SetActive(true);
    over->Draw();
    EXPECT_EQ(DrawnCount(L"baum.png"), 1u);
}

TEST_F(StationDrawingTest, SmallDrawingOperationsDrawWhereAndHowTheyAreAsked)
{
    const struct {
        int width;
        int hoverX, hoverY; // design point (500, 400) on this screen
    } sizes[] = { { 1280, 500, 400 }, { 1024, 400, 300 } };
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.width);
        TearDown();
        SetUp();
        StartScreens(size.width);
        world.AddPlace(6, "tank", 1);
        world.levelTint[0] = 10;
        world.levelTint[1] = 20;
        world.levelTint[2] = 30;
        over->DrawFoundation(11, 21);
        over->DrawTemplateHover(0, 500, 400, true);
        over->DrawTemplateHover(0, 500, 400, false);
        over->DrawTemplateHover(1, 500, 400, false); // no such template
        over->DrawTemplateHover(-1, 500, 400, false);
        over->DrawStationImage(L"tank.png", 7, 8, 99);
        // fundament_on.png is 20 x 10: cut to 30 % it keeps 6 x 3.
        over->DrawStationImageScaled(L"fundament_on.png", 13, 14, 30, 77);
        over->DrawStationImageScaled(L"fundament_on.png", 13, 14, 100, 255);
        over->DrawStationImageScaled(L"fundament_on.png", 13, 14, 0, 99); // nothing left to draw
        over->DrawStationImageScaled(L"fundament_on.png", 13, 14, 5, 99); // half a pixel high
        const std::vector<DrawnImage> drawn = Drawn();
        const struct {
            const wchar_t* name;
            int x, y, width, height;
            uint32_t colour;
        } expected[] = {
            // The foundation: white, unscaled.
            { L"fundament_on.png", 11, 21, 20, 10, 0xFFFFFFFFu },
            // The hover images: scaled, with the level's tint.
            { L"tank_over.png", size.hoverX, size.hoverY, 40, 40, MakeARGB(255, 10, 20, 30) },
            { L"tank_on.png", size.hoverX, size.hoverY, 40, 40, MakeARGB(255, 10, 20, 30) },
            // A named image, white, with the alpha asked for.
            { L"tank.png", 7, 8, 40, 40, MakeARGB(99, 255, 255, 255) },
            // Cut to a share of its width and height, not scaled.
            { L"fundament_on.png", 13, 14, 6, 3, MakeARGB(77, 255, 255, 255) },
            { L"fundament_on.png", 13, 14, 20, 10, 0xFFFFFFFFu },
        };
        ASSERT_EQ(drawn.size(), std::size(expected));
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(drawn[i].name, expected[i].name);
            EXPECT_EQ(drawn[i].x, expected[i].x);
            EXPECT_EQ(drawn[i].y, expected[i].y);
            EXPECT_EQ(drawn[i].width, expected[i].width);
            EXPECT_EQ(drawn[i].height, expected[i].height);
            EXPECT_EQ(drawn[i].colour, expected[i].colour);
            EXPECT_EQ(drawn[i].small, size.width != 1280);
        }

        // Switched off, the view holds no pages and draws none of them.
        ClearDrawn();
        over->SetActive(false);
        over->DrawFoundation(11, 21);
        over->DrawTemplateHover(0, 500, 400, true);
        over->DrawStationImage(L"tank.png", 7, 8, 99);
        over->DrawStationImageScaled(L"fundament_on.png", 13, 14, 30, 77);
        EXPECT_TRUE(Drawn().empty());
    }
}

} // namespace
