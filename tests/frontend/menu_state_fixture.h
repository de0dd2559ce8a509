// The real main-menu state over recording screens (or the test's own), with
// the loading's pause between frames taken out; each test sets the world up
// and starts the state.
#pragma once

#include <gtest/gtest.h>

#include "frontend/state_menu.h"
#include "scene/hud_fixture.h"
#include "scene/recording_screens.h"
#include "scene/screen_manager.h"

namespace test {

class MenuStateTest : public HudTest {
protected:
    void MakeScreens(cScreenManager::Factory factory = [](int slot) { return MakeRecordingScreen(slot); })
    {
        cScreenManager::Instance().SetFactoryForTests(std::move(factory));
        ASSERT_TRUE(cScreenManager::Instance().CreateScreens());
        cStateMenu::SetLoadingPauseForTests([] { });
    }
    void TearDown() override
    {
        state.Exit(nullptr);
        cStateMenu::SetLoadingPauseForTests(nullptr);
        cScreenManager::Instance().DestroyScreens();
        cScreenManager::Instance().SetFactoryForTests(nullptr);
        ScreenCalls().clear();
        HudTest::TearDown();
    }

    cStateMenu state;
};

} // namespace test
