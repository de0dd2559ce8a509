// The world map's pins and paths: the image of each rating, what is drawn
// before and after the furthest level, choosing a level, the levels that are
// refused (region gate, a building still to be built), the city pin and the
// star animations.
#include <gtest/gtest.h>

#include "worldmap_fixture.h"

namespace {

class WorldMapPins : public test::WorldMapTest { };

TEST_F(WorldMapPins, EachRatingHasItsPinAndGoldIsTinted)
{
    struct Case {
        int status;
        const char* image; // nullptr: no pin
        uint32_t colour;
    };
    const Case cases[] = {
        { -1, "fishka_02.png", 0xFFFFFFFF },
        { 0, "fishka_01.png", 0xFFFFFFFF },
        { 1, "fishka_03.png", 0xFFFFFFFF },
        { 2, "fishka_04.png", 0xFFDDFFFF },
        { 7, nullptr, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        world.levelStatus[3] = c.status;
        Frame();
        bool found = false;
        for (const test::HudImage& image : Images()) {
            if (image.x == 100 + 90 - 45 && image.y == 200 + 45 - 80 && image.name.rfind("fishka", 0) == 0) {
                found = true;
                ASSERT_NE(c.image, nullptr);
                EXPECT_EQ(image.name, c.image);
                EXPECT_EQ(image.colour, c.colour);
            }
        }
        EXPECT_EQ(found, c.image != nullptr);
    }
}

TEST_F(WorldMapPins, PathsBehindTheFurthestLevelAreStrongAndTheRestFaint)
{
    Frame();
    for (int k = 1; k <= 29; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "anim00%02d", k - 1);
        const auto drawn = Named(std::string(name) + ".png");
        SCOPED_TRACE(k);
        if (k == 5) {
            EXPECT_TRUE(drawn.empty()) << "the path leading on from the furthest level";
            continue;
        }
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(Alpha(drawn[0].colour), k < 5 ? 200 : 40);
    }
    // Mirages over levels 6..30, the first of each triple with its own image.
    EXPECT_EQ(Named("mirage2.png").size(), 8u); // 7, 10, ..., 28
    EXPECT_EQ(Named("mirage1.png").size(), 17u);
    EXPECT_EQ(Alpha(Named("mirage1.png")[0].colour), 90);
    // Five pins, all never played.
    EXPECT_EQ(Named("fishka_02.png").size(), 5u);
}

TEST_F(WorldMapPins, BeyondTheLastLevelAllPathsAndPinsShowAndNoMirage)
{
    SetFurthest(35);
    world.level = 30;
    Frame();
    for (int k = 0; k <= 28; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "anim00%02d.png", k);
        ASSERT_EQ(Named(name).size(), 1u) << name;
        EXPECT_EQ(Alpha(Named(name)[0].colour), 200);
    }
    EXPECT_TRUE(Named("mirage1.png").empty());
    EXPECT_TRUE(Named("mirage2.png").empty());
    EXPECT_EQ(Named("fishka_02.png").size(), 30u);
}

TEST_F(WorldMapPins, ClickingAnOpenPinChoosesItsLevel)
{
    Frame();
    HoverPin(3);
    Click();
    EXPECT_EQ(world.level, 3);
    EXPECT_EQ(world.leftClick, 0);
    EXPECT_EQ(Played("menu_clk"), 1);
    EXPECT_EQ(world.taskText, L"task 3");
    EXPECT_EQ(map.GetHoveredPin(), 3);
    // The play button replays a level behind the furthest one.
    Frame();
    EXPECT_EQ(CountText(L"text 21"), 1);
    EXPECT_EQ(CountText(L"text 23"), 0);
}

TEST_F(WorldMapPins, TheRegionGateNeedsSilverOrGoldInTheFourStationLevels)
{
    struct Case {
        int status[4]; // levels 2, 3, 5, 6
        bool open;
    };
    const Case cases[] = {
        { { 1, 2, 1, 2 }, true },
        { { 1, 2, 0, 2 }, false },
        { { -1, 1, 1, 1 }, false },
    };
    for (const Case& c : cases) {
        SetFurthest(7);
        world.level = 7;
        const int levels[4] = { 2, 3, 5, 6 };
        for (int i = 0; i < 4; ++i)
            world.levelStatus[levels[i]] = c.status[i];
        MoveMouse(0, 0);
        Frame();
        EXPECT_EQ(map.IsSelectable(7), c.open);
        // A closed region steps back to the level before it.
        EXPECT_EQ(world.level, c.open ? 7 : 6);
        HoverPin(7);
        Frame();
        if (!c.open) {
            EXPECT_EQ(world.taskText, L"text 118");
            EXPECT_EQ(world.taskTextIsNotice, 1);
        }
        Click();
        EXPECT_EQ(world.level, c.open ? 7 : 6);
        // A refused click stays for the buttons of the frame.
        EXPECT_EQ(world.leftClick, c.open ? 0 : 1);
        world.leftClick = 0;
    }
}

TEST_F(WorldMapPins, ALevelWhoseBuildingIsMissingShowsTheNoticeAndIsRefused)
{
    SetFurthest(8);
    world.level = 8;
    Frame();
    EXPECT_FALSE(map.IsSelectable(8));
    EXPECT_EQ(world.level, 7);
    HoverPin(8);
    Frame();
    EXPECT_EQ(world.taskText, L"text 135 Workshop");
    EXPECT_EQ(map.GetHintText(), L"text 145");
    EXPECT_EQ(world.taskTextIsNotice, 1);
    EXPECT_EQ(CountText(L"text 145"), 2);
    Click();
    EXPECT_EQ(world.level, 7);

    world.lotTable[4][3] = 9;
    MoveMouse(0, 0);
    Frame();
    EXPECT_TRUE(map.IsSelectable(8));
    HoverPin(8);
    Click();
    EXPECT_EQ(world.level, 8);
    EXPECT_EQ(world.taskText, L"task 8");
}

TEST_F(WorldMapPins, ANoticeOfALockedPinSurvivesThePinsDrawnAfterIt)
{
    SetFurthest(10);
    world.level = 9;
    Frame();
    HoverPin(8); // level 8's building is missing; pins 9 and 10 come after it
    Frame();
    EXPECT_EQ(world.taskTextIsNotice, 0) << "the furthest level's own task needs nothing";
    world.taskRows[9].requiredKind = 5; // level 10 needs lot 0, 0
    Frame();
    EXPECT_EQ(world.taskText, L"text 135 place name not found");
    EXPECT_EQ(world.taskTextIsNotice, 1);
}

TEST_F(WorldMapPins, TheCityPinOpensTheShopAlsoWithoutMoney)
{
    HoverPin(31);
    world.money = 0; // nothing to spend yet, but the station can be looked at
    world.places.resize(3);
    world.autoTypes.resize(2);
    world.clouds.resize(1);
    world.paused = 1;
    Frame();
    EXPECT_EQ(map.GetHoveredPin(), 31);
    EXPECT_EQ(world.taskText, L"task 31");
    ASSERT_EQ(Named("fishka_over_city.png").size(), 1u);
    EXPECT_EQ(Named("fishka_over_city.png")[0].colour, 0xFFDDFFFFu);
    test::ScreenCalls().clear();
    Click();
    EXPECT_EQ(world.level, 31);
    EXPECT_EQ(world.shopInMainMenu, 1);
    EXPECT_EQ(world.shopOpen, 1);
    EXPECT_EQ(world.highscoreTableReady, 0);
    EXPECT_EQ(world.paused, 0);
    EXPECT_TRUE(world.places.empty());
    EXPECT_TRUE(world.autoTypes.empty());
    EXPECT_TRUE(world.clouds.empty());
    EXPECT_EQ(test::ScreenCalls(), std::vector<std::string>({ "Buy on" }));
}

TEST_F(WorldMapPins, StarsStepOneFramePerFrameAtMostAndWrapAfterFrame39)
{
    Frame(1000.0); // a long pause still steps once
    EXPECT_EQ(map.GetStarsFrame(), 1);
    EXPECT_EQ(map.GetBonusStarsFrame(), 1);
    Frame(5.0); // too soon
    EXPECT_EQ(map.GetStarsFrame(), 1);
    for (int i = 0; i < 39; ++i)
        Frame();
    EXPECT_EQ(map.GetStarsFrame(), 0);
    EXPECT_EQ(map.GetBonusStarsFrame(), 0);
    // Level 5 is ordinary: its animated star is the last frame's name.
    EXPECT_EQ(Named("stars0039.png").size(), 1u);
}

} // namespace
