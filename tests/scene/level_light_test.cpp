// The level's floor and the screens over it: a brightening ends once full
// light is reached, so a night that falls after it stays at its darkness; a
// parking body shows only on its lot; a screen takes the mouse up to its edges.
#include <gtest/gtest.h>

#include "scene/level_background.h"
#include "support/recording_gfx.h"
#include "world/world_effects_fields.h"

namespace {

TEST(LevelLight, ANightAfterABrighteningHasEndedStaysDark)
{
    cWorldEffectsFields light;
    light.levelTint[0] = 250, light.levelTint[1] = 100, light.levelTint[2] = 0;
    light.tintStep = 15, light.brightening = 1;
    Scene::LevelBackground::StepTint(light);

    light.darkening = 1, light.darkTintTarget = 150;
    for (int i = 0; i < 20; ++i)
        Scene::LevelBackground::StepTint(light);
    EXPECT_EQ(light.levelTint[0], 150);
}

TEST(LevelBackground, ParkingBodiesShowOnlyOnTheirLotAndOtherBodiesAlways)
{
    const int cases[][3] = { { 0, 0, 1 }, { 0, 1, 0 }, { 3, 3, 1 }, { 3, 2, 0 }, { 4, 0, 1 }, { -1, 0, 1 } };
    cBody body;
    for (const auto& [id, lot, shown] : cases) {
        body.id = id;
        EXPECT_EQ(Scene::LevelBackground::ShowsBody(body, lot), shown == 1) << id << " on lot " << lot;
    }
}

TEST(LevelBackground, AScreenTakesTheMouseOnItsEdgesAndNotBeyond)
{
    test::FakeInput input;
    Scene::Screen screen(100, 50, 200, 80);
    screen.SetFadeAlpha(255);
    const int x0 = 100, y0 = 50, x1 = 300, y1 = 130;
    const int cases[][3] = { { x0, y0, 1 }, { x1, y1, 1 }, { x0 - 1, y0, 0 }, { x0, y0 - 1, 0 }, { x1 + 1, y1, 0 },
        { x1, y1 + 1, 0 } };
    for (const auto& [x, y, over] : cases) {
        input.x = x, input.y = y;
        EXPECT_EQ(screen.IsMouseOver(), over == 1) << x << ", " << y;
    }
}

} // namespace
