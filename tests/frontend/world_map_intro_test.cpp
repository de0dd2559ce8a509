// The first visit of a new profile: the button that leads from the shop step
// through the map's explanation onto the real map, the shop step's text, and
// the demonstration pins that fade in one by one and then change.
#include <gtest/gtest.h>

#include "scripting/story.h"
#include "world_map_fixture.h"

namespace {

class WorldMapIntro : public test::WorldMapTest {
protected:
    void SetUp() override
    {
        test::WorldMapTest::SetUp();
        SetFurthest(1);
        world.level = 1;
        world.intro = 1;
    }
    void ClickButton()
    {
        MoveMouse(600, 970);
        Click();
        MoveMouse(0, 0);
    }
    int VisiblePins() const
    {
        int count = 0;
        for (int level = 1; level <= 30; ++level)
            count += map.GetDemoAlpha(level) > 0 ? 1 : 0;
        return count;
    }
};

// The button leads from step to step: before the first step only it shows;
// then the shop opens (the build level, its script entered); then the map's
// explanation; then the map. A profile beyond level one sees the map at once.
TEST_F(WorldMapIntro, TheButtonLeadsFromStepToStepOntoTheMap)
{
    world.intro = -1;
    Frame();
    EXPECT_EQ(Named("button_short_blue_off").size(), 1u);
    EXPECT_EQ(Images().size(), 1u);
    ClickButton();
    EXPECT_EQ(world.intro, 0);
    EXPECT_EQ(world.shopOpen, 0);
    world.places.resize(2);
    world.fundaments.resize(4);
    world.paused = 1;
    test::ScreenCalls().clear();
    ClickButton();
    EXPECT_EQ(world.intro, 1);
    EXPECT_EQ(world.shopOpen, 1);
    EXPECT_EQ(world.level, 31);
    EXPECT_EQ(world.shopInMainMenu, 0) << "the map keeps drawing the intro over the shop";
    EXPECT_EQ(world.paused, 0);
    EXPECT_TRUE(world.places.empty());
    EXPECT_TRUE(world.fundaments.empty());
    EXPECT_EQ(test::ScreenCalls().front(), "Shop on");
    EXPECT_EQ(map.GetDemoFadingLevel(), 1);

    world.shopInMainMenu = 1;
    world.keyEscape = 1;
    ClickButton();
    EXPECT_EQ(world.intro, 2);
    EXPECT_EQ(world.shopOpen, 0);
    EXPECT_EQ(world.shopInMainMenu, 0);
    EXPECT_EQ(world.keyEscape, 0) << "an Escape of the shop step must not act on the map";
    EXPECT_EQ(world.level, 1);
    EXPECT_EQ(Story::Instance().ScriptId(), -1);
    Frame();
    EXPECT_EQ(Named("map4.png").size(), 1u);
    EXPECT_EQ(Named("button_short_off").size(), 1u);
    ClickButton();
    EXPECT_EQ(world.intro, 3);
    Frame();
    EXPECT_EQ(Named("map2.png").size(), 1u);
    EXPECT_TRUE(Named("map4.png").empty());

    world.intro = 1;
    SetFurthest(2);
    Frame();
    EXPECT_EQ(Named("map2.png").size(), 1u);
}

TEST_F(WorldMapIntro, TheShopStepDrawsTheShopAndFadesItsTextIn)
{
    map.EnterBuildLevel();
    test::ScreenCalls().clear();
    for (int i = 1; i <= 20; ++i) {
        Frame();
        EXPECT_EQ(map.GetIntroAlpha(), std::min(255, 15 * i));
    }
    EXPECT_EQ(test::ScreenCalls().back(), "Shop::Update");
    ASSERT_EQ(Named("top3.png").size(), 1u);
    EXPECT_EQ(Named("top3.png")[0].x, (1280 - 1151) / 2);
    EXPECT_EQ(Named("top3.png")[0].colour >> 24, 255u);
    EXPECT_EQ(CountText(L"text 141"), 2);
    EXPECT_EQ(Named("button_short_blue_off").size(), 1u);
    EXPECT_TRUE(Named("map2.png").empty()) << "no map under the intro";
}

TEST_F(WorldMapIntro, PinsFadeInOneAfterAnotherThenChangeOneByOne)
{
    world.intro = 2;
    Frame(5.0);
    EXPECT_EQ(VisiblePins(), 0);
    // Level 1 takes 11 ticks of 25 up to 255; the tick that completes it
    // gives level 2 its first step.
    for (int i = 0; i < 10; ++i)
        Frame();
    EXPECT_EQ(map.GetDemoAlpha(1), 250);
    EXPECT_EQ(map.GetDemoFadingLevel(), 1);
    Frame();
    EXPECT_EQ(map.GetDemoAlpha(1), 255);
    EXPECT_EQ(map.GetDemoFadingLevel(), 2);

    int frames = 0;
    while (VisiblePins() < 30 && frames < 1000) {
        Frame();
        ++frames;
        EXPECT_TRUE(Named("fishka_bonus.png").empty());
        EXPECT_TRUE(Named("anim0000").empty());
    }
    ASSERT_EQ(VisiblePins(), 30);
    EXPECT_EQ(map.GetDemoNextKind(), 1);
    // From now on a tick comes every 0.057 s and changes one pin.
    Frame(50.0);
    EXPECT_EQ(map.GetDemoNextKind(), 1);
    EXPECT_EQ(Named("anim0028").size(), 1u);
    while (map.GetDemoNextKind() < 31 && frames < 2000) {
        Frame(60.0);
        ++frames;
    }
    EXPECT_EQ(map.GetDemoNextKind(), 31);
    EXPECT_GT(map.GetDemoFadingLevel(), 30);
    ASSERT_EQ(Named("fishka_bonus.png").size(), 1u);
    EXPECT_EQ(Named("fishka_bonus.png")[0].x, 100 + 30 * 31 - 45);
    int changed = 0;
    for (int level = 1; level <= 30; ++level) {
        EXPECT_GE(map.GetDemoKind(level), 0);
        EXPECT_LE(map.GetDemoKind(level), 2);
        changed += map.GetDemoKind(level) != 0 ? 1 : 0;
    }
    EXPECT_GT(changed, 0);
    Frame(60.0);
    EXPECT_EQ(map.GetDemoNextKind(), 31) << "each pin changes once";
}

} // namespace
