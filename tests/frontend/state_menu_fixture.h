// The main-menu state in the game application over the recording engine, with
// screens that note their calls, the level and exit states standing in as
// fakes, and the loading pauses counted instead of waited for.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/pp_app_fixture.h"
#include "frontend/state_menu.h"
#include "scene/recording_screens.h"

namespace test {

// The screens whose frames the menu runs, noted like the others.
class RecordingStartScreen : public Recording<Scene::MenuStart> {
public:
    RecordingStartScreen()
        : Recording("Start")
    {
    }
    void Draw() override { Note("Start::Draw"); }
};
class RecordingMapScreen : public Recording<Scene::MenuOverlux> {
public:
    RecordingMapScreen()
        : Recording("Overlux")
    {
    }
    void Draw() override { Note("Overlux::Draw"); }
};

class StateMenuTest : public PPAppTest {
protected:
    void SetUp() override
    {
        PPAppTest::SetUp();
        ScreenCalls().clear();
        cMenuManager::Instance().SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::MenuPrototype> {
            if (slot == cMenuManager::kStart)
                return std::make_unique<RecordingStartScreen>();
            if (slot == cMenuManager::kOverlux)
                return std::make_unique<RecordingMapScreen>();
            return MakeRecordingScreen(slot);
        });
        ASSERT_TRUE(cMenuManager::Instance().CreateMenus());
        cStateMenu::SetLoadingPauseForTests([this] { ++pauses; });
        world.languageChanged = 0;
        app.RecreateFonts();
        app.SetStatesForTests(&menu, &game, &exitState);
        app.RequestState(cPPApp::kStateMenu);
        // The menu is pushed at the end of this frame.
        ASSERT_TRUE(app.Frame());
        ScreenCalls().clear();
        states.clear();
    }
    void TearDown() override
    {
        cStateMenu::SetLoadingPauseForTests(nullptr);
        cMenuManager::Instance().DestroyMenus();
        cMenuManager::Instance().SetFactoryForTests(nullptr);
        PPAppTest::TearDown();
    }
    // One application frame; the screens' calls of it.
    std::vector<std::string> Frame()
    {
        ScreenCalls().clear();
        gfx.ClearRecords();
        lastResult = app.Frame();
        return ScreenCalls();
    }
    // Runs the loading sequence to the start screen.
    void FinishLoading()
    {
        for (int frame = 0; frame < 20 && world.loadingPhase; ++frame)
            Frame();
        ASSERT_EQ(world.loadingPhase, 0);
        ScreenCalls().clear();
        states.clear();
    }
    std::wstring TopName()
    {
        const iProcess* top = app.GetStateManager().Top();
        return top ? top->GetName() : L"";
    }

    // The states outlive the application that holds them.
    std::vector<std::string> states;
    FakeState game { L"game", states };
    FakeState exitState { L"exit", states };
    cStateMenu menu;
    TestPPApp app;
    FakeInput input;
    int pauses = 0;
    bool lastResult = true;
};

} // namespace test
