// The logo sequence before the menu: each logo fades out fully before the
// next one begins, and the last one's end starts the loading.
#include <gtest/gtest.h>

#include "frontend/state_menu.h"
#include "scene/hud_fixture.h"

namespace {

using LogoTest = test::HudTest;

TEST_F(LogoTest, EachLogoFadesOutFullyBeforeTheNextOrTheLoadingBegins)
{
    cStateMenu state;
    world.logoCount = 2, world.logosPresent = 1, world.loadingPhase = 0;
    world.logoPhase = 2, world.logoFadeValue = 255;
    int steps = 0;
    for (; world.logoIndex == 0 && steps < 1000; ++steps) {
        Wait(1);
        state.UpdateLogos();
    }
    EXPECT_EQ(steps, 128) << "by two a step";
    EXPECT_EQ(world.logoPhase, 0);
    EXPECT_EQ(world.logosPresent, 1);

    world.logoPhase = 2, world.logoFadeValue = 2;
    Wait(1);
    state.UpdateLogos();
    EXPECT_EQ(world.logosPresent, 0);
    EXPECT_EQ(world.loadingPhase, 1);
}

} // namespace
