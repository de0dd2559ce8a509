// The level's light: a brightening ends once full light is reached, so a
// night that falls after it stays at its darkness.
#include <gtest/gtest.h>

#include "scene/menu_floor.h"
#include "world/world_effects_fields.h"

namespace {

TEST(LevelLight, ANightAfterABrighteningHasEndedStaysDark)
{
    cWorldEffectsFields light;
    light.levelTint[0] = 250, light.levelTint[1] = 100, light.levelTint[2] = 0;
    light.tintStep = 15, light.brightening = 1;
    Scene::MenuFloor::StepTint(light);

    light.darkening = 1, light.darkTintTarget = 150;
    for (int i = 0; i < 20; ++i)
        Scene::MenuFloor::StepTint(light);
    EXPECT_EQ(light.levelTint[0], 150);
}

} // namespace
