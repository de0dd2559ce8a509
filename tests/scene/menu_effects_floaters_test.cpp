// The flying value texts: drawn by the head-up display's number drawing,
// stepped also while paused, and a "+N" that arrives credits the level's
// points with the result sound.
#include <gtest/gtest.h>

#include <climits>

#include "effects_fixture.h"
#include "recording_screens.h"

namespace {

struct Number {
    std::wstring text;
    int x, y, alpha;
};

class NumberSubmenu : public Scene::MenuSubmenu {
public:
    std::vector<Number> numbers;
    int resultSounds = 0;
    void DrawNumber(int alignRight, const wchar_t* text, int x, int y, int alpha) override
    {
        EXPECT_EQ(alignRight, 0);
        numbers.push_back({ text, x, y, alpha });
    }
    void ResetResultSound() override { ++resultSounds; }
};

class FloatersTest : public test::EffectsTest {
protected:
    void SetUp() override
    {
        EffectsTest::SetUp();
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
        EffectsTest::TearDown();
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

    cMenuManager& menus = cMenuManager::Instance();
    NumberSubmenu* hud = nullptr;
};

TEST_F(FloatersTest, APointsFloaterFliesUpFadesAndCreditsTheLevelOnArrival)
{
    world.minusPoints = 40;
    AddFloater(300, 400, 25, 3, -10.0);
    world.paused = 1; // floaters fly on in a pause
    std::vector<int> ys;
    for (int frame = 0; frame < 3; ++frame) {
        Wait(20);
        effects.DrawValueFloaters();
        ys.push_back(hud->numbers.back().y);
    }
    EXPECT_EQ(ys, (std::vector<int> { 400, 390, 380 }));
    EXPECT_EQ(hud->numbers[0].text, L"+25");
    EXPECT_EQ(hud->numbers[0].x, 300);
    // The alpha drawn is the one the step before left: 255 - 0.9 per step.
    EXPECT_EQ(hud->numbers[1].alpha, 255);
    EXPECT_EQ(hud->numbers[2].alpha, 254);
    // The third step reached the count: credited, sounded, gone.
    EXPECT_TRUE(world.flyingValues.empty());
    EXPECT_EQ(world.minusPoints, 65);
    EXPECT_EQ(hud->resultSounds, 1);
}

TEST_F(FloatersTest, APenaltyFloaterShowsMinusAndCreditsNothing)
{
    world.minusPoints = 40;
    world.AddFlyingMarker(250); // from the points display downwards
    for (int frame = 0; frame < 60; ++frame) {
        Wait(20);
        effects.DrawValueFloaters();
    }
    EXPECT_EQ(hud->numbers.at(0).text, L"-250");
    EXPECT_TRUE(world.flyingValues.empty());
    EXPECT_EQ(world.minusPoints, 40);
    EXPECT_EQ(hud->resultSounds, 0);
}

TEST_F(FloatersTest, OneArrivingStartsThePassAgainFromTheFirst)
{
    AddFloater(10, 100, 1, 50, 0.0);
    AddFloater(20, 100, 2, 1, 0.0);
    AddFloater(30, 100, 4, 50, 0.0);
    Wait(20);
    effects.DrawValueFloaters();
    // The second arrived; the first is drawn again before the third.
    std::vector<int> xs;
    for (const Number& n : hud->numbers)
        xs.push_back(n.x);
    EXPECT_EQ(xs, (std::vector<int> { 10, 20, 10, 30 }));
    ASSERT_EQ(world.flyingValues.size(), 2u);
    // Its step timer had just restarted: the second pass did not step it again.
    EXPECT_EQ(world.flyingValues[0].step, 1);
    EXPECT_EQ(world.minusPoints, 2);
}

TEST_F(FloatersTest, AHugeCreditWrapsInsteadOfOverflowing)
{
    world.minusPoints = INT_MAX;
    AddFloater(10, 100, 5, 0, 0.0);
    effects.DrawValueFloaters();
    EXPECT_EQ(world.minusPoints, INT_MIN + 4);
}

} // namespace
