// The logo sequence before the menu: each logo fades out fully before the
// next one begins.
#include <gtest/gtest.h>

#include "frontend/state_menu.h"
#include "scene/hud_fixture.h"

namespace {

using LogoTest = test::HudTest;

TEST_F(LogoTest, EachLogoFadesOutFullyBeforeTheNextBegins)
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
}

} // namespace
