// The flying value texts: drawn by the head-up display's number drawing,
// stepped also while paused, and a "+N" that arrives credits the level's
// points with the result sound. And the balloons of the effect layer.
#include <gtest/gtest.h>

#include <climits>

#include "hud_fixture.h"
#include "recording_screens.h"
#include "scene/menu_effects.h"

namespace {

// The head-up display with its digit-image numbers noted instead of drawn.
class NumberSubmenu : public Scene::MenuSubmenu {
public:
    struct Number {
        std::wstring text;
        int y = 0;
        int alpha = 0;
    };
    std::vector<Number> numbers;
    int resultSounds = 0;
    void DrawNumber(int, const wchar_t* text, int, int y, int alpha) override { numbers.push_back({ text, y, alpha }); }
    void DrawNumberSmall(int, const wchar_t* text, int, int y, int alpha) override
    {
        numbers.push_back({ text, y, alpha });
    }
    void ResetResultSound() override { ++resultSounds; }
};

class FloatersTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        menus.SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::MenuPrototype> {
            if (slot == cMenuManager::kSubmenu)
                return std::make_unique<NumberSubmenu>();
            return test::MakeRecordingScreen(slot);
        });
        ASSERT_TRUE(menus.CreateMenus());
        hud = menus.Get<NumberSubmenu>(cMenuManager::kSubmenu);
        ASSERT_NE(hud, nullptr);
    }
    void TearDown() override
    {
        menus.DestroyMenus();
        menus.SetFactoryForTests(nullptr);
        HudTest::TearDown();
    }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            Wait(20);
            effects.DrawValueFloaters();
        }
    }
    void AddFloater(int x, int y, int value, int steps, double stepY)
    {
        cFlyingMarker m;
        m.x = x;
        m.y = y;
        m.value = value;
        m.steps = steps;
        m.stepY = stepY;
        m.timer.Restart();
        world.flyingValues.push_back(m);
    }

    Scene::MenuEffects effects;
    cMenuManager& menus = cMenuManager::Instance();
    NumberSubmenu* hud = nullptr;
};

TEST_F(FloatersTest, APointsFloaterFliesUpFadesAndCreditsTheLevelOnArrival)
{
    world.minusPoints = 40;
    AddFloater(300, 30, 25, 3, -10.0); // from as high as the grid's top row
    world.paused = 1; // floaters fly on in a pause
    Frames(3);
    ASSERT_EQ(hud->numbers.size(), 3u);
    EXPECT_EQ(hud->numbers[0].text, L"+25");
    EXPECT_EQ(hud->numbers[2].y, 10);
    EXPECT_EQ(hud->numbers[2].alpha, 254);
    EXPECT_TRUE(world.flyingValues.empty());
    EXPECT_EQ(world.minusPoints, 65);
    EXPECT_EQ(hud->resultSounds, 1);
}

TEST_F(FloatersTest, APenaltyFloaterShowsMinusAndCreditsNothing)
{
    world.minusPoints = 40;
    world.AddFlyingMarker(250);
    Frames(60);
    EXPECT_EQ(hud->numbers.at(0).text, L"-250");
    EXPECT_TRUE(world.flyingValues.empty());
    EXPECT_EQ(world.minusPoints, 40);
    EXPECT_EQ(hud->resultSounds, 0);
}

TEST_F(FloatersTest, AHugeCreditWrapsInsteadOfOverflowing)
{
    world.minusPoints = INT_MAX;
    AddFloater(10, 100, 5, 0, 0.0);
    effects.DrawValueFloaters();
    EXPECT_EQ(world.minusPoints, INT_MIN + 4);
}

using EffectLayerTest = FloatersTest;

TEST_F(EffectLayerTest, BalloonsStepAndLeaveOneAFrameAtTheirTarget)
{
    world.AddBalon(1, 100, 0, 200, 50, 10);
    world.AddBalon(2, 100, 0, 200, 50, 10);
    for (cBalloon& b : world.balloons)
        b.step = 9;
    world.paused = 1;
    Wait(50);
    effects.DrawEffectLayer();
    EXPECT_EQ(world.balloons.size(), 2u); // at 190, 45: not near enough
    world.paused = 0;
    effects.DrawEffectLayer();
    // Both arrived; the last of them goes in this frame, the other next.
    ASSERT_EQ(world.balloons.size(), 1u);
    EXPECT_EQ(world.balloons[0].id, 1);
    effects.DrawEffectLayer();
    EXPECT_TRUE(world.balloons.empty());
}

} // namespace
