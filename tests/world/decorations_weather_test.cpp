// Decorations, balloons and clouds, effects and weather: records created from
// their templates with the game's generator, and cleared again.
#include <gtest/gtest.h>

#include "world_fixture.h"

namespace {

using DecorationsWeather = test::WorldRecords;

TEST_F(DecorationsWeather, DecorationsComeFromTheirTemplates)
{
    world.AddBody(1, "rock_01");
    world.AddMyBody(1, 30, 40);
    world.AddMyBody(2, 50, 60);   // no template: nothing
    ASSERT_EQ(world.bodies.size(), 1u);
    EXPECT_EQ(world.bodies[0].texture, "rock_01");
    EXPECT_EQ(world.bodies[0].y, 40);

    world.AddOver(105, "kaktus_01");
    world.AddOver(106, "kaktus_02");
    EXPECT_EQ(world.overTemplates[0].type, 0);
    world.SetTypOver(106, 44);
    world.AddSuperOver(105, 10, 300);
    world.AddSuperOver(106, 20, 100);
    world.AddSuperOver(105, 30, 200);
    world.AddSuperOver(107, 40, 0);   // no template: nothing
    ASSERT_EQ(world.superOvers.size(), 3u);
    EXPECT_EQ(world.superOvers[0].y, 100);
    EXPECT_EQ(world.superOvers[0].texture, "kaktus_02");
    EXPECT_EQ(world.superOvers[1].y, 200);
    EXPECT_EQ(world.superOvers[2].y, 300);

    // Decoration places take the over template's texture, and its type as
    // the car they show.
    world.CreatePlace111(106, 500, 600, 3, 12);
    world.AddMyOver(105, 70, 80, 0);
    world.AddMyOver(99, 70, 80, 0);
    ASSERT_EQ(world.places.size(), 3u);
    EXPECT_EQ(world.places[0].texture, "kaktus_02");
    EXPECT_EQ(world.places[0].autoType, 44);
    EXPECT_EQ(world.places[0].state, 3);
    EXPECT_EQ(world.places[0].direction, 9);
    EXPECT_EQ(world.places[0].row, -1);
    EXPECT_EQ(world.places[1].texture, "kaktus_01");
    EXPECT_EQ(world.places[1].state, 1);
    EXPECT_EQ(world.places[1].column, -1);
    EXPECT_EQ(world.places[2].texture, "");
}

TEST_F(DecorationsWeather, BalloonsAndCloudsDriftInEqualSteps)
{
    world.AddBalon(1, 0, 100, 1000, 50, 400);
    world.AddTextureBalon(1, "balloon_red");
    world.AddTextureBalon(2, "nothing");
    ASSERT_EQ(world.balloons.size(), 1u);
    EXPECT_FLOAT_EQ(world.balloons[0].stepX, 2.5f);
    EXPECT_FLOAT_EQ(world.balloons[0].stepY, -0.125f);
    EXPECT_EQ(world.balloons[0].texture, "balloon_red");

    world.AddCloud(3, 1280, 0, 0, 0, 3);
    world.AddTextureCloud(3, "cloud_02", 0.5f);
    ASSERT_EQ(world.clouds.size(), 1u);
    EXPECT_FLOAT_EQ(world.clouds[0].stepX, -1280.0f / 3.0f);
    EXPECT_FLOAT_EQ(world.clouds[0].interval, 0.017f);
    EXPECT_EQ(world.clouds[0].alpha2, 255);
    EXPECT_FLOAT_EQ(world.clouds[0].alpha, 0.5f);
    EXPECT_EQ(world.clouds[0].texture, "cloud_02");
}

TEST_F(DecorationsWeather, EffectsPlayFromTheirType)
{
    world.CreateEffects(5, "fx_star", 12, 7, 8);
    world.EffectTextureExt(5, "png");
    world.CreateMyEffects(2, 6, 1, 0.1f, 10, 20, 1, 1);   // unknown type: nothing
    EXPECT_TRUE(world.effects.empty());
    EXPECT_TRUE(world.NoBlockingEffect());

    world.CreateMyEffects(2, 5, 1, 0.1f, 10, 20, 1, 1);
    ASSERT_EQ(world.effects.size(), 1u);
    const cEffect& e = world.effects[0];
    EXPECT_EQ(e.frame, 41 % 12);
    EXPECT_EQ(e.frames, 12);
    EXPECT_EQ(e.extTexture, "png");
    EXPECT_EQ(e.startX, 10);
    EXPECT_EQ(e.startY, 20);
    EXPECT_EQ(e.valueB, 7);
    EXPECT_EQ(e.owner, 2);
    EXPECT_FALSE(world.NoBlockingEffect());

    world.effects.clear();
    world.CreateEffects(20, "smoke", 10, 0, 0);
    world.CreateMyEffects(-1, 20, 0, 0.05f, 0, 0, 4, 4);
    EXPECT_TRUE(world.NoBlockingEffect());
    const struct {
        int frame;
        bool nearlyDone;
    } frames[] = {{0, true}, {1, true}, {2, true}, {3, false}, {9, false}};
    for (const auto& f : frames) {
        world.effects[0].frame = f.frame;
        EXPECT_EQ(world.IsEffectNearlyDone(4, 4), f.nearlyDone) << f.frame;
    }
    EXPECT_FALSE(world.IsEffectNearlyDone(4, 5));
}

TEST_F(DecorationsWeather, ClearingAFundamentPlaysAnEffectAtItsCell)
{
    world.CreateEffects(3, "fx_combo", 8, 0, 0);
    world.CreateFundament(1, 3, 2, 9, -1);
    world.AddAutoToFundament(3, 2, 14);
    world.fundaments[0].occupiedCounter = 6;
    world.ClearFundamentWithEffect(0, 3);
    EXPECT_EQ(world.fundaments[0].autoType, -1);
    EXPECT_EQ(world.fundaments[0].occupiedCounter, 0);
    ASSERT_EQ(world.effects.size(), 1u);
    EXPECT_EQ(world.effects[0].x, world.cellX[3][2]);
    EXPECT_EQ(world.effects[0].y, world.cellY[3][2]);
    EXPECT_EQ(world.effects[0].owner, 0);
    EXPECT_EQ(world.effects[0].row, 3);
}

TEST_F(DecorationsWeather, RainFallsFromRandomPoints)
{
    world.StartRain(3);
    ASSERT_EQ(world.rainDrops.size(), 3u);
    // x = draw % (1280 - 9) + 5, y = draw % 1024.
    const int expected[3][2] = {{46, 35}, {1255, 900}, {109, 364}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(world.rainDrops[i].x, expected[i][0]);
        EXPECT_EQ(world.rainDrops[i].y, expected[i][1]);
        EXPECT_EQ(world.rainDrops[i].drawX, expected[i][0]);
        EXPECT_EQ(world.rainDrops[i].fallStep, 9);
        EXPECT_EQ(world.rainDrops[i].screenWidth, 1280);
    }
    EXPECT_EQ(world.raining, 1);
    world.StartRain(1);   // starts over
    EXPECT_EQ(world.rainDrops.size(), 1u);
    world.ClearWeather();
    EXPECT_TRUE(world.rainDrops.empty());
}

TEST_F(DecorationsWeather, SnowKeepsOrReplacesItsFlakes)
{
    world.AddSnow(4);
    // Size class 4 / r with r = draw % 4, 0 counting as 1: the third draws of
    // the flakes, 6334, 15724, 26962 and 28145, give r = 2, 1, 2, 1.
    const struct {
        int x;
        int sizeClass;
        double speed;
    } added[] = {{46, 2, 12.0}, {905, 4, 19.0}, {1243, 2, 12.0}, {149, 4, 19.0}};
    ASSERT_EQ(world.snowFlakes.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(world.snowFlakes[i].x, added[i].x);
        EXPECT_EQ(world.snowFlakes[i].startX, added[i].x);
        EXPECT_EQ(world.snowFlakes[i].sizeClass, added[i].sizeClass);
        EXPECT_DOUBLE_EQ(world.snowFlakes[i].speed, added[i].speed);
        EXPECT_EQ(world.snowFlakes[i].phase, 1);
        EXPECT_EQ(world.snowFlakes[i].wind, 0);
    }
    EXPECT_EQ(world.snowing, 1);

    platform::GameSrand(1);
    world.StartSnow(0, 5, 3);
    ASSERT_EQ(world.snowFlakes.size(), 9u);
    // Size class 5 / r + 2 with r = draw % 6: 4, 4, 4, 5, 1 give 3, 3, 3, 3, 7.
    const int sizes[] = {3, 3, 3, 3, 7};
    for (int i = 0; i < 5; ++i) {
        const cSnowFlake& flake = world.snowFlakes[4 + i];
        EXPECT_EQ(flake.sizeClass, sizes[i]);
        EXPECT_DOUBLE_EQ(flake.speed, sizes[i] == 3 ? 14.0 : 10.0);
        EXPECT_EQ(flake.wind, 3);
        EXPECT_EQ(flake.phase, 2);
    }
    EXPECT_EQ(world.snowFlakes[8].y, 448);

    world.SetWind(-2);
    world.MinusSnow(5);
    EXPECT_EQ(world.snowFlakes.size(), 9u);
    EXPECT_EQ(world.snowFlakes[0].wind, -2);
    world.StartSnow(1, 2, 0);
    EXPECT_EQ(world.snowFlakes.size(), 2u);
    world.ClearWeather();
    EXPECT_TRUE(world.snowFlakes.empty());
}

} // namespace
