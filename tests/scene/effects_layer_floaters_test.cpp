// The flying value texts: drawn by the head-up display's number drawing,
// stepped also while paused, and a "+N" that arrives credits the level's
// points with the result sound. And the balloons of the effect layer.
#include <gtest/gtest.h>

#include <climits>

#include "hud_fixture.h"
#include "recording_screens.h"
#include "scene/effects_layer.h"

namespace {

// The head-up display with its digit-image numbers noted instead of drawn.
class NumberHud : public Scene::Hud {
public:
    struct Number {
        std::wstring text;
        int y = 0;
        int alpha = 0;
        int x = 0;
    };
    std::vector<Number> numbers;
    int resultSounds = 0;
    void DrawNumber(int, const wchar_t* text, int x, int y, int alpha) override
    {
        numbers.push_back({ text, y, alpha, x });
    }
    void DrawNumberSmall(int, const wchar_t* text, int x, int y, int alpha) override
    {
        numbers.push_back({ text, y, alpha, x });
    }
    void ResetResultSound() override { ++resultSounds; }
};

class FloatersTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        menus.SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::Screen> {
            if (slot == cScreenManager::kHud)
                return std::make_unique<NumberHud>();
            return test::MakeRecordingScreen(slot);
        });
        ASSERT_TRUE(menus.CreateScreens());
        hud = menus.Get<NumberHud>(cScreenManager::kHud);
        ASSERT_NE(hud, nullptr);
    }
    void TearDown() override
    {
        menus.DestroyScreens();
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

    Scene::EffectsLayer effects;
    cScreenManager& menus = cScreenManager::Instance();
    NumberHud* hud = nullptr;
};

TEST_F(FloatersTest, APointsFloaterFliesUpFadesAndCreditsTheLevelOnArrival)
{
    world.levelPoints = 40;
    AddFloater(300, 30, 25, 3, -10.0); // from as high as the grid's top row
    world.paused = 1; // floaters fly on in a pause
    Frames(3);
    ASSERT_EQ(hud->numbers.size(), 3u);
    EXPECT_EQ(hud->numbers[0].text, L"+25");
    EXPECT_EQ(hud->numbers[2].y, 10);
    EXPECT_EQ(hud->numbers[2].alpha, 254);
    EXPECT_TRUE(world.flyingValues.empty());
    EXPECT_EQ(world.levelPoints, 65);
    EXPECT_EQ(hud->resultSounds, 1);
}

TEST_F(FloatersTest, APenaltyFloaterShowsMinusAndCreditsNothing)
{
    world.levelPoints = 40;
    world.AddFlyingMarker(250);
    Frames(60);
    EXPECT_EQ(hud->numbers.at(0).text, L"-250");
    EXPECT_TRUE(world.flyingValues.empty());
    EXPECT_EQ(world.levelPoints, 40);
    EXPECT_EQ(hud->resultSounds, 0);
}

TEST_F(FloatersTest, AHugeCreditWrapsInsteadOfOverflowing)
{
    world.levelPoints = INT_MAX;
    AddFloater(10, 100, 5, 0, 0.0);
    effects.DrawValueFloaters();
    EXPECT_EQ(world.levelPoints, INT_MIN + 4);
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

// What a cell's combo shows: its effect and its points flying off, drawn
// where they stand on that cell at either screen size, the distances from
// the cell (the game's and the script's) shrinking with the cells.
class SpriteEffects : public Scene::EffectsLayer {
public:
    struct Sprite {
        std::wstring name;
        int x, y;
    };
    std::vector<Sprite> sprites;

protected:
    void DrawSprite(CPageManager&, const std::wstring& name, int x, int y, int, int, int, int) override
    {
        sprites.push_back({ name, x, y });
    }
};

TEST_F(FloatersTest, ACellsEffectAndPointsStandOnThatCellAtEitherSize)
{
    struct Drawn {
        int effectX, effectY, pointsX, pointsY;
    };
    const int row = 5, column = 3;
    for (const int offset : { 0, 40 }) {
        Drawn at[2] {};
        for (int size = 0; size < 2; ++size) {
            cSettings::Instance().SetResolution(size == 0 ? 1280 : 1024, size == 0 ? 1024 : 768);
            world.ResetToDefaults();
            world.ComputeLayout();
            world.CreateEffects(3, "combo_3", 8, offset, -offset);
            cFundament f;
            f.row = row;
            f.column = column;
            world.fundaments.push_back(f);
            world.points = 300;
            world.ClearFundamentWithEffect(0, 3);
            world.AddPointsMarkerAtFundament(0);
            SpriteEffects drawn;
            drawn.UpdateAnimations();
            hud->numbers.clear();
            drawn.DrawValueFloaters();
            ASSERT_EQ(drawn.sprites.size(), 1u);
            ASSERT_EQ(hud->numbers.size(), 1u);
            const int x = world.cellX[row][column], y = world.cellY[row][column];
            at[size] = { drawn.sprites[0].x - x, drawn.sprites[0].y - y, hud->numbers[0].x - x, hud->numbers[0].y - y };
        }
        // Each distance from the cell at 1024 x 768 is the 1280 one on that
        // screen's scale (1.25 across, 1.33 down), give or take the pixel a
        // truncation loses.
        const float sx = 1.25f, sy = 1024.0f / 768.0f;
        EXPECT_NEAR(at[1].effectX, at[0].effectX / sx, 1.0) << "offset " << offset;
        EXPECT_NEAR(at[1].effectY, at[0].effectY / sy, 1.0) << "offset " << offset;
        EXPECT_NEAR(at[1].pointsX, at[0].pointsX / sx, 1.0) << "offset " << offset;
        EXPECT_NEAR(at[1].pointsY, at[0].pointsY / sy, 1.0) << "offset " << offset;
    }
}

} // namespace
