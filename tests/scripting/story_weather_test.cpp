// The weather, effect and light methods as a level script calls them: snow
// and rain within their cap, the fog handed to the effects screen, clouds,
// effect types and effects, and the level tint fading dark and bright.
#include <string>

#include <gtest/gtest.h>

#include "scene/effects_layer.h"
#include "scene/level_background.h"
#include "scene/recording_screens.h"
#include "scripting/story.h"
#include "scripting/story_method_fixture.h"

namespace {

class StoryWeather : public test::StoryMethodTest {
protected:
    void SetUp() override
    {
        StoryMethodTest::SetUp();
        cSettings::Instance().SetResolution(1280, 1024);
    }
    void TearDown() override
    {
        cScreenManager::Instance().DestroyScreens();
        cScreenManager::Instance().SetFactoryForTests(nullptr);
        cSettings::Instance().ResetToDefaults();
        StoryMethodTest::TearDown();
    }
    // The fourteen screens, so that the methods find the effects screen.
    Scene::EffectsLayer* MakeScreens()
    {
        cScreenManager::Instance().SetFactoryForTests(test::MakeRecordingScreen);
        EXPECT_TRUE(cScreenManager::Instance().CreateScreens());
        return Scene::EffectsLayer::Instance();
    }

    cGameWorld& world = cGameWorld::Instance();
};

TEST_F(StoryWeather, SnowAndRainStartStopAndKeepTheirSpeeds)
{
    ASSERT_TRUE(Run("Story:StartSnow(1, 5, 3); Story:SetSpeedSnow(0.04); Story:StartRain(7); Story:SetSpeedRain(0.5)"));
    EXPECT_EQ(world.snowFlakes.size(), 5u);
    EXPECT_EQ(world.snowFlakes[4].wind, 3);
    EXPECT_EQ(world.snowing, 1);
    EXPECT_EQ(world.rainDrops.size(), 7u);
    EXPECT_EQ(world.raining, 1);
    EXPECT_DOUBLE_EQ(world.snowSpeed, 0.04);
    EXPECT_DOUBLE_EQ(world.rainSpeed, 0.5);

    // Mode 0 keeps the flakes there are; AddSnow adds calm ones; the wind
    // reaches every flake.
    ASSERT_TRUE(Run("Story:StartSnow(0, 5, 3); Story:AddSnow(2); Story:MinusSnow(4); Story:SetWind(-2)"));
    EXPECT_EQ(world.snowFlakes.size(), 12u);
    for (const cSnowFlake& flake : world.snowFlakes)
        EXPECT_EQ(flake.wind, -2);

    ASSERT_TRUE(Run("Story:StopSnow(); Story:StopRain()"));
    EXPECT_EQ(world.snowing, 0);
    EXPECT_EQ(world.raining, 0);
    EXPECT_FALSE(world.snowTimer.IsRunning());
    EXPECT_EQ(world.snowFlakes.size(), 12u);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(StoryWeather, TooMuchWeatherIsRefusedWithALogLine)
{
    ASSERT_TRUE(Run("Story:StartSnow(1, 1500, 0)"));
    ASSERT_EQ(world.snowFlakes.size(), 1500u);
    const char* refused[] = {
        "Story:StartSnow(0, 501, 0)", // more than the cap together with the flakes there are
        "Story:AddSnow(600)",
        "Story:AddSnow(-1)",
        "Story:StartRain(2001)",
        "Story:StartRain(-5)",
        "Story:StartSnow(1, 2147483647, 0)",
    };
    for (const char* call : refused) {
        SCOPED_TRACE(call);
        TakeLog();
        ASSERT_TRUE(Run(call));
        EXPECT_EQ(TakeLog().size(), 1u);
        EXPECT_EQ(world.snowFlakes.size(), 1500u);
        EXPECT_TRUE(world.rainDrops.empty());
    }
    // Mode 1 empties the flakes first, so the whole cap is there again.
    ASSERT_TRUE(Run("Story:StartSnow(1, 2000, 0); Story:StartRain(2000)"));
    EXPECT_EQ(world.snowFlakes.size(), 2000u);
    EXPECT_EQ(world.rainDrops.size(), 2000u);
}

TEST_F(StoryWeather, TheFogFadesInFromNothingAndOutFromTwoHundred)
{
    // Without the screens the flag is still set.
    ASSERT_TRUE(Run("Story:SetFogAlpha(120); Story:StartFog()"));
    EXPECT_EQ(world.fogOn, 1);
    EXPECT_EQ(world.fogAlpha, 120);
    world.fogOn = 0;

    Scene::EffectsLayer* effects = MakeScreens();
    ASSERT_NE(effects, nullptr);
    effects->SetFog(77, 1.0, 1);
    ASSERT_TRUE(Run("Story:StartFog()"));
    EXPECT_EQ(world.fogOn, 1);
    EXPECT_EQ(effects->GetFogAlpha(), 0);
    EXPECT_EQ(effects->GetFogMode(), 0);
    effects->SetFog(35, 0.06, 0);
    ASSERT_TRUE(Run("Story:StopFog()"));
    EXPECT_EQ(effects->GetFogAlpha(), 200);
    EXPECT_EQ(effects->GetFogMode(), 1);
    EXPECT_EQ(world.fogOn, 1); // the screen clears it once the fog has gone
}

TEST_F(StoryWeather, CloudsAndBalloons)
{
    ASSERT_TRUE(Run("Story:StartClouds(0)"));
    EXPECT_EQ(world.cloudsOn, 1);
    ASSERT_TRUE(Run("Story:AddCloud(4, 0, 0, 100, 50, 10); Story:AddCloud(5, 0, 0, 10, 10, 1)"
                    "Story:AddTextureCloud(4, 'cloud_01', 2.5); Story:SetCloudAlpha(30, 180); Story:SetCloudStop(true)"
                    "Story:AddBalon(1, 0, 0, 50, 50, 5); Story:AddTextureBalon(1, 'balon_a')"));
    ASSERT_EQ(world.clouds.size(), 2u);
    EXPECT_EQ(world.clouds[0].texture, "cloud_01");
    EXPECT_FLOAT_EQ(world.clouds[0].alpha, 2.5f);
    for (const cCloud& cloud : world.clouds) {
        EXPECT_EQ(cloud.alphaA, 30);
        EXPECT_EQ(cloud.alphaB, 30);
        EXPECT_EQ(cloud.alpha2, 180);
    }
    EXPECT_EQ(world.cloudsStop, 1);
    ASSERT_EQ(world.balloons.size(), 1u);
    EXPECT_EQ(world.balloons[0].texture, "balon_a");
    ASSERT_TRUE(Run("Story:StopClouds(); Story:SetCloudStop(false)"));
    EXPECT_EQ(world.cloudsOn, 0);
    EXPECT_EQ(world.cloudsStop, 0);

    // A drift of no steps would divide by zero: refused.
    for (const char* call : { "Story:AddCloud(6, 0, 0, 9, 9, 0)", "Story:AddBalon(2, 0, 0, 9, 9, 0)",
             "Story:AddBalon(2, 0, 0, 9, 9, -3)" }) {
        TakeLog();
        ASSERT_TRUE(Run(call));
        EXPECT_EQ(TakeLog().size(), 1u) << call;
    }
    EXPECT_EQ(world.clouds.size(), 2u);
    EXPECT_EQ(world.balloons.size(), 1u);
}

TEST_F(StoryWeather, EffectTypesNeedAFrameAndEffectsAreCountedAndRemoved)
{
    Scene::EffectsLayer* effects = MakeScreens();
    ASSERT_NE(effects, nullptr);
    TakeLog();
    ASSERT_TRUE(Run("Story:CreateEffects(20, 'smoke', 0, 0, 0); Story:CreateEffects(21, 'x', -4, 0, 0)"));
    EXPECT_EQ(TakeLog().size(), 2u);
    EXPECT_TRUE(world.effectTypes.empty());

    ASSERT_TRUE(Run("Story:CreateEffects(20, 'smoke', 8, 5, 6); Story:EffectTextureExt(20, 'png')"
                    "Story:CreateMyEffects(3, 20, 1, 0.05, 100, 200); Story:CreateMyEffects(4, 20, 0, 0.05, 300, 200)"
                    "Story:CreateMyEffects(3, 99, 0, 0.05, 1, 1)" // an unknown type: nothing
                    "n = Story:ActiveEffects(20); m = Story:ActiveEffects(21)"));
    EXPECT_EQ(Number("n"), 2);
    EXPECT_EQ(Number("m"), 0);
    ASSERT_EQ(world.effects.size(), 2u);
    EXPECT_EQ(world.effects[0].extTexture, "png");
    EXPECT_EQ(world.effects[0].valueB, 5);
    EXPECT_EQ(world.effects[0].row, 0);

    ASSERT_TRUE(Run("Story:DeleteMyEffects(4); Story:DeleteMyEffects(4)"));
    ASSERT_EQ(world.effects.size(), 1u);
    EXPECT_EQ(world.effects[0].owner, 3);
    ASSERT_TRUE(Run("Story:DeleteEffect(20, 3, 100, 201); Story:DeleteEffect(20, 3, 100, 200)"));
    EXPECT_TRUE(world.effects.empty());
    TakeLog();
    ASSERT_TRUE(Run("Story:CreateMyEffects(3, 20, 0, 0/0, 1, 1)"));
    EXPECT_EQ(TakeLog().size(), 1u);
    EXPECT_TRUE(world.effects.empty());
}

// The game erases a running effect by its type and point: the first such in
// the list, one per call; a miss leaves the list as it is. Scripts have only
// their own ways to delete effects.
TEST_F(StoryWeather, AnEffectIsErasedByTypeAndPoint)
{
    ASSERT_TRUE(
        Run("Story:CreateEffects(20, 'smoke', 8, 0, 0); Story:CreateEffects(21, 'spark', 8, 0, 0)"
            "Story:CreateMyEffects(1, 20, 0, 0.05, 100, 200); Story:CreateMyEffects(2, 21, 0, 0.05, 100, 200)"
            "Story:CreateMyEffects(3, 20, 0, 0.05, 100, 200); Story:CreateMyEffects(4, 20, 0, 0.05, 200, 100)"));
    ASSERT_EQ(world.effects.size(), 4u);
    const auto owners = [&] {
        std::string list;
        for (const cEffect& e : world.effects)
            list += std::to_string(e.owner);
        return list;
    };
    Story& story = Story::Instance();
    const struct {
        int type, x, y;
        const char* left; // the owners of the effects still running
    } steps[] = {
        { 20, 100, 200, "234" },
        { 20, 100, 200, "24" },
        { 20, 100, 200, "24" }, // none left there: a miss
        { 21, 200, 100, "24" },
        { 22, 100, 200, "24" },
        { 21, 100, 200, "4" },
        { 20, 200, 100, "" },
        { 20, 200, 100, "" },
    };
    for (const auto& step : steps) {
        story.EraseEffectAt(step.type, step.x, step.y);
        EXPECT_EQ(owners(), step.left) << step.type << " at " << step.x << "," << step.y;
    }
    EXPECT_TRUE(Holds("Story.EraseEffectAt == nil"));
}

TEST_F(StoryWeather, SmokeAtAPlaceThatDoesNotExistIsRefused)
{
    MakeScreens();
    ASSERT_TRUE(Run("Story:CreatePlace(100, 50, 60, 9)"));
    ASSERT_EQ(world.places.size(), 1u);
    for (const char* call : { "Story:StartSmoke(1)", "Story:StartSmoke(-1)", "Story:StartSmoke(2147483647)" }) {
        TakeLog();
        ASSERT_TRUE(Run(call));
        EXPECT_EQ(TakeLog().size(), 1u) << call;
    }
    TakeLog();
    ASSERT_TRUE(Run("Story:StartSmoke(0)"));
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(StoryWeather, TheTintIsSetByExactNamesAndDarkBelowRed151)
{
    ASSERT_TRUE(
        Run("Story:SetLevelColor('red', 150); Story:SetLevelColor('green', 20); Story:SetLevelColor('Red', 9)"
            "Story:SetLevelColor('alpha', 9); r = Story:GetLevelColor('red', 0); a = Story:GetLevelColor('alpha', 0)"
            "g = Story:GetLevelColor('green', 77); dark = Story:IsDunkel()"));
    EXPECT_EQ(world.levelTint[0], 150);
    EXPECT_EQ(world.levelTint[1], 20);
    EXPECT_EQ(Number("r"), 150);
    EXPECT_EQ(Number("a"), 0);
    EXPECT_EQ(Number("g"), 20);
    EXPECT_TRUE(Holds("dark == true"));
    ASSERT_TRUE(Run("Story:SetLevelColor('red', 151)"));
    EXPECT_TRUE(Holds("Story:IsDunkel() == false"));
    ASSERT_TRUE(Run("Story:SetLimitForColorChange(12)"));
    EXPECT_EQ(world.colorChangeLimit, 12);
}

TEST_F(StoryWeather, DarkeningStopsAtItsTargetAndBrighteningAtFullLight)
{
    world.levelTint[0] = 255;
    world.levelTint[1] = 60;
    world.levelTint[2] = 200;
    ASSERT_TRUE(Run("Story:StartDunkler()"));
    EXPECT_EQ(world.darkening, 1);
    EXPECT_EQ(world.tintStep, 1);
    EXPECT_EQ(world.darkTintTarget, 130);
    int steps = 0;
    while (world.darkening == 1 && steps < 1000) {
        Scene::LevelBackground::StepTint(world);
        ++steps;
    }
    EXPECT_EQ(steps, 125);
    EXPECT_EQ(world.levelTint[0], 130);
    EXPECT_EQ(world.levelTint[1], 0); // held at 0 rather than below it
    EXPECT_EQ(world.levelTint[2], 75);
    EXPECT_TRUE(Holds("Story:IsDunkel()"));

    ASSERT_TRUE(Run("Story:StartHeller()"));
    EXPECT_EQ(world.brightening, 1);
    steps = 0;
    while (world.brightening == 1 && steps < 1000) {
        Scene::LevelBackground::StepTint(world);
        ++steps;
    }
    EXPECT_EQ(steps, 125);
    for (int c : world.levelTint)
        EXPECT_EQ(c, 255);
    EXPECT_TRUE(Holds("not Story:IsDunkel()"));
}

} // namespace
