// The weather of the overlay: snow and rain, the fog's fades and scrolling,
// clouds with their shadows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "effects_fixture.h"

namespace {

using Scene::EffectsLayer;
using test::EffectsTest;

cSnowFlake Flake(int x, int y, int sizeClass)
{
    cSnowFlake flake;
    flake.x = flake.startX = x;
    flake.y = flake.startY = y;
    flake.sizeClass = sizeClass;
    flake.speed = 0.0; // no sway, so the steps are exact
    return flake;
}

TEST_F(EffectsTest, SnowFlakesAreDrawnBySizeInTheScreensAlphaAndFallByTheirClass)
{
    world.snowing = 1;
    world.snowSpeed = 0.05;
    effects.SetAlpha(200);
    world.snowFlakes = { Flake(100, 10, 7), Flake(200, 10, 5), Flake(300, 10, 4), Flake(400, 10, 3) };
    world.snowTimer.Restart();
    effects.UpdateAnimations();
    ASSERT_EQ(effects.sprites.size(), 4u);
    EXPECT_EQ(effects.Names(), (std::vector<std::string> { "snow.png", "snow15.png", "snow12.png", "snow8.png" }));
    for (const test::Sprite& s : effects.sprites) {
        EXPECT_EQ(s.page, EffectsLayer::kPageEffects);
        EXPECT_EQ(s.a, effects.GetAlpha());
        EXPECT_EQ(s.r, 255);
    }
    EXPECT_EQ(world.snowFlakes[0].y, 10); // not yet time for a step

    // Snow and rain draw from the width-1280 page at any width.
    cSettings::Instance().SetResolution(1024, 768);
    Wait(60);
    effects.sprites.clear();
    effects.UpdateAnimations();
    EXPECT_EQ(effects.sprites.at(0).page, EffectsLayer::kPageEffects);
    EXPECT_EQ(world.snowFlakes[0].y, 17);
    EXPECT_EQ(world.snowFlakes[3].y, 13);
}

// A flake's picture grows with its fall per step: the smallest up to a fall
// of 3, then one size for 4 and one for 5, the largest from 6 on. Whatever
// the snow makes, each flake falls by its class and shows its size.
TEST_F(EffectsTest, EveryFallShowsItsFlakeSize)
{
    world.snowing = 1;
    world.snowSpeed = 0.05;
    const std::vector<std::string> sizes = { "snow8.png", "snow8.png", "snow8.png", "snow12.png", "snow15.png",
        "snow.png", "snow.png", "snow.png", "snow.png" };
    world.snowFlakes.clear();
    for (int fall = 1; fall <= 9; ++fall)
        world.snowFlakes.push_back(Flake(100 * fall, 10, fall));
    effects.UpdateAnimations();
    EXPECT_EQ(effects.Names(), sizes);

    // The flakes a storm and a flurry make.
    world.snowFlakes.clear();
    world.StartSnow(1, 40, 0);
    world.AddSnow(40);
    effects.sprites.clear();
    effects.UpdateAnimations();
    ASSERT_EQ(effects.sprites.size(), world.snowFlakes.size());
    for (std::size_t i = 0; i < world.snowFlakes.size(); ++i) {
        const int fall = world.snowFlakes[i].sizeClass;
        ASSERT_GE(fall, 1);
        EXPECT_EQ(effects.sprites[i].name, sizes[static_cast<std::size_t>(std::min(fall, 9) - 1)]) << fall;
    }
}

TEST_F(EffectsTest, AFlakeThatLeftTheBottomStartsAgainAtTheTop)
{
    world.snowing = 1;
    world.snowFlakes = { Flake(500, 1020, 7) };
    Wait(10);
    effects.UpdateAnimations();
    EXPECT_EQ(world.snowFlakes[0].y, 1027);
    Wait(10);
    effects.UpdateAnimations();
    const cSnowFlake& f = world.snowFlakes[0];
    EXPECT_EQ(f.y, 0);
    EXPECT_GE(f.x, -15);
    EXPECT_LE(f.x, 1280);
    EXPECT_NE(f.x, 0);
}

TEST_F(EffectsTest, SnowAndRainNeitherDrawNorMoveWhilePaused)
{
    world.snowing = 1;
    world.raining = 1;
    world.snowFlakes = { Flake(100, 100, 4) };
    world.StartRain(3);
    const std::vector<cRainDrop> drops = world.rainDrops;
    world.paused = 1;
    Wait(100);
    effects.UpdateAnimations();
    EXPECT_TRUE(effects.sprites.empty());
    EXPECT_EQ(world.snowFlakes[0].y, 100);
    for (size_t i = 0; i < drops.size(); ++i)
        EXPECT_EQ(world.rainDrops[i].drawY, drops[i].drawY);

    world.paused = 0;
    Wait(100);
    effects.UpdateAnimations();
    EXPECT_EQ(effects.sprites.size(), 4u);
    EXPECT_EQ(world.snowFlakes[0].y, 104);
    for (size_t i = 0; i < drops.size(); ++i)
        EXPECT_EQ(world.rainDrops[i].drawY, drops[i].drawY + 9);
}

TEST_F(EffectsTest, RainFallsInTheTintAndStartsAgainAtTheTopPastTheBottom)
{
    world.raining = 1;
    world.levelTint[2] = 140;
    cRainDrop drop;
    drop.x = drop.drawX = 600;
    drop.y = drop.drawY = 1020;
    drop.screenWidth = 1280;
    drop.screenHeight = 1024;
    world.rainDrops = { drop };
    Wait(10);
    effects.UpdateAnimations();
    ASSERT_EQ(effects.sprites.size(), 1u);
    const std::string& image = effects.sprites[0].name;
    EXPECT_TRUE(image == "rain30.png" || image == "rain20.png" || image == "rain15.png" || image == "rain8.png");
    EXPECT_EQ(effects.sprites[0].b, 140);
    EXPECT_EQ(world.rainDrops[0].drawY, 1029);
    Wait(10);
    effects.UpdateAnimations();
    EXPECT_EQ(world.rainDrops[0].drawY, 0);
    EXPECT_EQ(world.rainDrops[0].y, 0);
    EXPECT_LT(world.rainDrops[0].x, 1280);
}

// Rain or snow that starts takes its first step a whole step time after it
// started, however long ago the last weather stepped; until then it is drawn
// where it was placed.
TEST_F(EffectsTest, NewRainOrSnowTakesItsFirstStepAWholeStepTimeAfterItStarts)
{
    const struct {
        const char* name;
        std::function<void()> start;
        std::function<std::vector<int>()> heights;
    } cases[] = {
        { "rain", [this] { world.StartRain(6); },
            [this] {
                std::vector<int> y;
                for (const cRainDrop& d : world.rainDrops)
                    y.push_back(d.drawY);
                return y;
            } },
        { "snow", [this] { world.StartSnow(1, 6, 0); },
            [this] {
                std::vector<int> y;
                for (const cSnowFlake& f : world.snowFlakes)
                    y.push_back(f.y);
                return y;
            } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        world.raining = world.snowing = 0;
        world.rainSpeed = world.snowSpeed = 0.5;
        // The last weather stepped long ago.
        world.rainTimer.Restart();
        world.snowTimer.Restart();
        Wait(5000);
        c.start();
        const std::vector<int> placed = c.heights();
        ASSERT_EQ(placed.size(), 6u);
        for (const double wait : { 10.0, 300.0, 150.0 }) {
            Wait(wait);
            effects.sprites.clear();
            effects.UpdateAnimations();
            EXPECT_EQ(effects.sprites.size(), 6u);
            EXPECT_EQ(c.heights(), placed) << "stepped " << wait << " ms on";
        }
        Wait(100);
        effects.UpdateAnimations();
        EXPECT_NE(c.heights(), placed);
    }
}

TEST_F(EffectsTest, FogRisesToTheLevelsAlphaAndFallsToNothingThenGoesOff)
{
    effects.Activate();
    world.fogOn = 1;
    world.fogAlpha = 3;
    effects.SetFog(0, 0.06, 0);
    std::vector<int> alphas;
    for (int i = 0; i < 5; ++i) {
        Wait(70);
        effects.DrawFog();
        alphas.push_back(effects.GetFogAlpha());
    }
    EXPECT_EQ(alphas, (std::vector<int> { 1, 2, 3, 3, 3 }));
    // Drawn in white with the current alpha, both layers.
    effects.sprites.clear();
    effects.DrawFog();
    ASSERT_EQ(effects.Names(), (std::vector<std::string> { "fogflip.png", "fog.png" }));
    EXPECT_EQ(effects.sprites[0].a, 3);
    EXPECT_EQ(effects.sprites[0].page, EffectsLayer::kPageFog);

    // Fading out starts at 200 whatever the fog showed.
    effects.SetFog(200, 0.06, 1);
    for (int step = 0; step < 200; ++step) {
        Wait(70);
        effects.DrawFog();
    }
    EXPECT_EQ(effects.GetFogAlpha(), 0);
    EXPECT_EQ(world.fogOn, 1);
    Wait(70);
    effects.DrawFog();
    EXPECT_EQ(effects.GetFogAlpha(), 0);
    EXPECT_EQ(world.fogOn, 0);
    effects.sprites.clear();
    effects.DrawFog();
    EXPECT_TRUE(effects.sprites.empty());
}

TEST_F(EffectsTest, FogHoldsWhilePausedAndItsLayersScrollAndWrap)
{
    effects.Activate();
    world.fogOn = 1;
    world.fogAlpha = 100;
    effects.SetFog(0, 0.06, 0);
    EXPECT_EQ(effects.GetFogX(0), -1280);
    EXPECT_EQ(effects.GetFogX(1), 0);
    world.paused = 1;
    Wait(100);
    effects.DrawFog();
    EXPECT_EQ(effects.GetFogAlpha(), 0);
    EXPECT_EQ(effects.GetFogX(0), -1280);
    world.paused = 0;
    Wait(100);
    effects.DrawFog();
    EXPECT_EQ(effects.GetFogX(0), -1279);
    EXPECT_EQ(effects.GetFogX(1), 1);

    // The first layer reaches 0: the second goes to the left of it.
    for (int i = 0; i < 1279; ++i) {
        Wait(100);
        effects.DrawFog();
    }
    EXPECT_EQ(effects.GetFogX(0), 0);
    EXPECT_EQ(effects.GetFogX(1), -1280);
    // And reaches the right edge: both start over.
    for (int i = 0; i < 1280; ++i) {
        Wait(100);
        effects.DrawFog();
    }
    EXPECT_EQ(effects.GetFogX(0), -1280);
    EXPECT_EQ(effects.GetFogX(1), 0);

    // At another width the layers draw from the other page, each as wide as
    // the screen, and meet edge to edge.
    cSettings::Instance().SetResolution(1024, 768);
    effects.ResetClouds();
    effects.sprites.clear();
    effects.DrawFog();
    ASSERT_EQ(effects.sprites.size(), 2u);
    EXPECT_EQ(effects.sprites[0].page, EffectsLayer::kPagesPerWidth + EffectsLayer::kPageFog);
    EXPECT_EQ(effects.sprites[0].x, -1024);
    EXPECT_EQ(effects.sprites[1].x, 0);
}

TEST_F(EffectsTest, ACloudWaitsItsDelayThenFadesTowardsItsTargetAndGoesNearIt)
{
    world.AddCloud(1, 0, 100, 1000, 100, 10);
    world.AddTextureCloud(1, "cloud_01", 0.5f);
    world.clouds[0].alphaA = world.clouds[0].alphaB = 250;
    world.clouds[0].alpha2 = 248;
    Wait(300);
    effects.DrawEffectLayer2();
    EXPECT_EQ(world.clouds[0].step, 0); // still waiting
    ASSERT_EQ(effects.sprites.size(), 1u);
    EXPECT_EQ(effects.sprites[0].name, "cloud_01.png");
    EXPECT_EQ(effects.sprites[0].page, EffectsLayer::kPageClouds);
    EXPECT_EQ(effects.sprites[0].a, 250);
    std::vector<int> alphas;
    for (int i = 0; i < 4; ++i) {
        Wait(300);
        effects.DrawEffectLayer2();
        alphas.push_back(world.clouds.at(0).alphaA);
    }
    EXPECT_EQ(alphas, (std::vector<int> { 249, 248, 248, 248 }));
    EXPECT_EQ(world.clouds[0].step, 4);
    EXPECT_EQ(effects.sprites.back().x, 400);

    // Held by the script: no step.
    world.cloudsStop = 1;
    Wait(300);
    effects.DrawEffectLayer2();
    EXPECT_EQ(world.clouds[0].step, 4);
    world.cloudsStop = 0;
    // Within 60 pixels of the target it goes.
    world.clouds[0].step = 9;
    Wait(300);
    effects.DrawEffectLayer2();
    EXPECT_TRUE(world.clouds.empty());
}

// A cloud within 60 pixels of its target on both axes has arrived and is
// taken off; the others keep drifting, in their order. When several arrive in
// one frame, the last of them goes.
TEST_F(EffectsTest, OnlyTheCloudThatArrivedIsTakenOff)
{
    struct Cloud {
        int id, fromX, fromY;
    }; // each heads for (500, 300)
    const struct {
        const char* what;
        std::vector<Cloud> clouds;
        std::vector<int> left;
    } cases[] = {
        { "the first arrived", { { 1, 470, 290 }, { 2, 100, 300 }, { 3, 900, 300 } }, { 2, 3 } },
        { "the middle one arrived", { { 1, 100, 300 }, { 2, 530, 320 }, { 3, 900, 300 } }, { 1, 3 } },
        { "the last arrived", { { 1, 100, 300 }, { 2, 900, 300 }, { 3, 500, 300 } }, { 1, 2 } },
        { "59 left and 59 above", { { 1, 441, 241 }, { 2, 100, 300 } }, { 2 } },
        { "59 right and 59 below", { { 1, 100, 300 }, { 2, 559, 359 } }, { 1 } },
        { "60 off on x", { { 1, 560, 300 }, { 2, 440, 300 } }, { 1, 2 } },
        { "60 off on y", { { 1, 500, 360 }, { 2, 500, 240 } }, { 1, 2 } },
        { "near on one axis only", { { 1, 500, 400 }, { 2, 600, 300 } }, { 1, 2 } },
        { "two arrived: the last goes", { { 1, 500, 300 }, { 2, 100, 300 }, { 3, 510, 310 } }, { 1, 2 } },
        { "none", { { 1, 100, 100 } }, { 1 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.clouds.clear();
        for (const Cloud& cloud : c.clouds)
            world.AddCloud(cloud.id, cloud.fromX, cloud.fromY, 500, 300, 10);
        effects.sprites.clear();
        effects.DrawEffectLayer2(); // no time has passed: no cloud steps
        EXPECT_EQ(effects.sprites.size(), c.clouds.size()) << "every cloud is drawn in the frame it arrives";
        std::vector<int> left;
        for (const cCloud& cloud : world.clouds)
            left.push_back(cloud.id);
        EXPECT_EQ(left, c.left);
    }
    world.clouds.clear();
}

TEST_F(EffectsTest, CloudShadowsFallBelowTheCloudsWhileTheCloudsAreOn)
{
    world.AddCloud(1, 300, 100, 900, 100, 100);
    world.clouds[0].alphaA = 77;
    effects.DrawCloudShadows();
    EXPECT_TRUE(effects.sprites.empty());
    world.cloudsOn = 1;
    effects.DrawCloudShadows();
    ASSERT_EQ(effects.sprites.size(), 1u);
    EXPECT_EQ(effects.sprites[0].name, "cloud_shadow.png");
    EXPECT_EQ(effects.sprites[0].x, 200);
    EXPECT_EQ(effects.sprites[0].y, 450);
    EXPECT_EQ(effects.sprites[0].a, 77);
}

} // namespace
