// The real main-menu state over recording screens (or the test's own), with
// the loading's pause between frames taken out; each test sets the world up
// and starts the state.
#pragma once

#include <gtest/gtest.h>

#include "frontend/state_menu.h"
#include "scene/hud_fixture.h"
#include "scene/menu_manager.h"
#include "scene/recording_screens.h"

namespace test {

class MenuStateTest : public HudTest {
protected:
    void MakeScreens(cMenuManager::Factory factory = [](int slot) { return MakeRecordingScreen(slot); })
    {
        cMenuManager::Instance().SetFactoryForTests(std::move(factory));
        ASSERT_TRUE(cMenuManager::Instance().CreateMenus());
        cStateMenu::SetLoadingPauseForTests([] { });
    }
    void TearDown() override
    {
        state.Exit(nullptr);
        cStateMenu::SetLoadingPauseForTests(nullptr);
        cMenuManager::Instance().DestroyMenus();
        cMenuManager::Instance().SetFactoryForTests(nullptr);
        ScreenCalls().clear();
        HudTest::TearDown();
    }

    cStateMenu state;
};

} // namespace test
