// The first visit of a new profile: the shop step with its explanation, the
// demonstration map on which the pins fade in one by one and then change, and
// the button that leads from step to step onto the real map.
#include <gtest/gtest.h>

#include "scripting/story.h"
#include "worldmap_fixture.h"

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

TEST_F(WorldMapIntro, EnteringTheBuildLevelOpensTheShopAndResetsTheDemonstration)
{
    world.places.resize(2);
    world.fundaments.resize(4);
    world.paused = 1;
    test::ScreenCalls().clear();
    map.EnterBuildLevel();
    EXPECT_EQ(world.level, 31);
    EXPECT_EQ(world.shopOpen, 1);
    EXPECT_EQ(world.shopInMainMenu, 0) << "the map keeps drawing the intro over the shop";
    EXPECT_EQ(world.paused, 0);
    EXPECT_TRUE(world.places.empty());
    EXPECT_TRUE(world.fundaments.empty());
    EXPECT_EQ(Played("menu_clk"), 1);
    EXPECT_EQ(test::ScreenCalls(), std::vector<std::string>({ "Buy on" }));
    EXPECT_EQ(map.GetIntroAlpha(), 0);
    EXPECT_EQ(map.GetDemoFadingLevel(), 1);
}

TEST_F(WorldMapIntro, TheShopStepDrawsTheShopAndFadesItsTextIn)
{
    map.EnterBuildLevel();
    test::ScreenCalls().clear();
    for (int i = 1; i <= 20; ++i) {
        Frame();
        EXPECT_EQ(map.GetIntroAlpha(), std::min(255, 15 * i));
    }
    EXPECT_EQ(test::ScreenCalls().back(), "Buy::Update");
    ASSERT_EQ(Named("top3.png").size(), 1u);
    EXPECT_EQ(Named("top3.png")[0].x, (1280 - 1151) / 2);
    EXPECT_EQ(Alpha(Named("top3.png")[0].colour), 255);
    EXPECT_EQ(CountText(L"text 141"), 2);
    EXPECT_EQ(Named("button_short_blue_off.png").size(), 1u);
    EXPECT_TRUE(Named("map2.png").empty()) << "no map under the intro";
}

TEST_F(WorldMapIntro, TheButtonLeavesTheShopThenShowsTheMap)
{
    map.EnterBuildLevel();
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
    EXPECT_EQ(Named("button_short_off.png").size(), 1u);
    ClickButton();
    EXPECT_EQ(world.intro, 3);
    Frame();
    EXPECT_EQ(Named("map2.png").size(), 1u);
    EXPECT_TRUE(Named("map4.png").empty());
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
        EXPECT_TRUE(Named("anim0000.png").empty());
    }
    ASSERT_EQ(VisiblePins(), 30);
    EXPECT_EQ(map.GetDemoNextKind(), 1);
    // From now on a tick comes every 0.057 s and changes one pin.
    Frame(50.0);
    EXPECT_EQ(map.GetDemoNextKind(), 1);
    EXPECT_EQ(Named("anim0028.png").size(), 1u);
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

TEST_F(WorldMapIntro, AFiveLineMapTextStartsTwentyPixelsHigher)
{
    world.intro = 2;
    for (const int lines : { 4, 5 }) {
        std::wstring text = L"one";
        for (int i = 1; i < lines; ++i)
            text += L"#line";
        std::swprintf(g_guiVocabulary[142], kGuiTextLength, L"%ls", text.c_str());
        Frame();
        const test::GfxDraw* first = FindText(L"one");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->y, (lines == 5 ? 60 : 80) + 2) << "shadow two pixels down";
        EXPECT_EQ(first->color, 0xFF2525B9u);
    }
}

TEST_F(WorldMapIntro, BeforeTheFirstStepOnlyTheButtonShowsAndItsClicksCount)
{
    world.intro = -1;
    Frame();
    EXPECT_EQ(Named("button_short_blue_off.png").size(), 1u);
    EXPECT_EQ(Images().size(), 1u);
    ClickButton();
    EXPECT_EQ(world.intro, 0);
    EXPECT_EQ(world.shopOpen, 0);
    test::ScreenCalls().clear();
    ClickButton();
    EXPECT_EQ(world.intro, 1);
    EXPECT_EQ(world.shopOpen, 1);
    EXPECT_EQ(world.level, 31);
    EXPECT_EQ(test::ScreenCalls().front(), "Buy on");
}

TEST_F(WorldMapIntro, AProfileBeyondLevelOneSeesTheMap)
{
    SetFurthest(2);
    Frame();
    EXPECT_EQ(Named("map2.png").size(), 1u);
}

} // namespace
