// The overlay drawn by the real engine with the generated art, headless:
// snow and fog over a dark ground, read back pixel by pixel and written to
// test-output/effects_snow_fog.png in the build folder to look at.
#include <gtest/gtest.h>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "scene/menu_effects.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

class ShownEffects : public Scene::MenuEffects {
public:
    void Show() { colour = 0xFFFFFFFFu; }
};

uint32_t Channel(uint32_t argb, int shift)
{
    return (argb >> shift) & 0xFF;
}

class EffectsScreenshot : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
        InitEngine(522, &device, &gfx);
        ASSERT_TRUE(SUCCEEDED(device->Create(nullptr, 1280, 1024)));
    }
    void TearDown() override
    {
        effects.SetActive(false);
        CloseEngine();
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
    }

    cGameWorld& world = cGameWorld::Instance();
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    ShownEffects effects;
};

TEST_F(EffectsScreenshot, SnowAndFogShowOverTheGround)
{
    effects.SetActive(true);
    effects.Show();
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
    world.snowing = 1;
    world.snowSpeed = 100.0;
    world.snowTimer.Restart();
    for (int i = 0; i < 12; ++i) {
        cSnowFlake flake;
        flake.x = 100 + 90 * i;
        flake.y = 200 + 50 * i;
        flake.sizeClass = 7 - i % 4;
        world.snowFlakes.push_back(flake);
    }
    world.fogOn = 1;
    world.fogAlpha = 150;
    effects.SetFog(150, 100.0, 0);

    const uint32_t ground = MakeARGB(255, 40, 60, 50);
    device->BeginScene();
    device->Clear(0, nullptr, GFX_CLEAR_ALL, ground);
    uint32_t before = 0;
    ASSERT_TRUE(engine::ReadPixel(640, 900, &before));
    effects.DrawFog();
    effects.UpdateAnimations();
    device->EndScene();

    // The fog lightens the ground everywhere, in both halves of the screen.
    for (const auto& [x, y] : { std::pair { 640, 900 }, std::pair { 20, 20 }, std::pair { 1270, 1010 } }) {
        uint32_t argb = 0;
        ASSERT_TRUE(engine::ReadPixel(x, y, &argb));
        EXPECT_GT(Channel(argb, 16), Channel(before, 16) + 40) << x << "," << y;
        EXPECT_LT(Channel(argb, 16), 250u) << x << "," << y;
    }
    // A large flake is white at its middle, over the fog.
    uint32_t flake = 0;
    ASSERT_TRUE(engine::ReadPixel(109, 209, &flake));
    EXPECT_GE(Channel(flake, 16), 245u);
    EXPECT_GE(Channel(flake, 8), 245u);
    EXPECT_GE(Channel(flake, 0), 245u);
    EXPECT_TRUE(SUCCEEDED(device->SaveScreenshot(nullptr, nullptr, L"test-output/effects_snow_fog.png")));
}

} // namespace
