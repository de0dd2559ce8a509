// The game application over the recording engine: a desktop of the test's
// size, a headless window, and fake states that note what the state stack
// does with them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "app/game_app_fonts.h"
#include "platform/test_events.h"
#include "platform/window.h"
#include "support/recording_gfx.h"
#include "world/game_world.h"
#include "world/settings.h"

class TestGameApp : public cGameApp {
public:
    // A window without a class procedure, enough for the display sequences.
    void OpenWindow()
    {
        window = platform::CreateAppWindow(L"test", 0, 0, 64, 48);
        ASSERT_NE(window, nullptr);
    }
    DWORD WindowStyle() const { return platform::GetWindowStyle(window); }

    int desktopWidth = 1280, desktopHeight = 1024;
    // The part a window may take; the whole desktop unless a test says.
    int usableWidth = 0, usableHeight = 0;
    int engineStops = 0;

protected:
    void QueryDesktopSize(int& width, int& height) override { width = desktopWidth, height = desktopHeight; }
    void QueryUsableArea(int& width, int& height) override
    {
        width = usableWidth > 0 ? usableWidth : desktopWidth;
        height = usableHeight > 0 ? usableHeight : desktopHeight;
    }
    // The recording engine the test made stays in place.
    void StartEngine() override { }
    void StopEngine() override { ++engineStops; }
};

// A state that notes its calls as "<name> Init", "<name> Update", "<name> Exit".
class FakeState : public iProcess {
public:
    FakeState(const std::wstring& name, std::vector<std::string>& log)
        : iProcess(name)
        , label(name.begin(), name.end())
        , log(log)
    {
    }
    bool Init(void*) override { return log.push_back(label + " Init"), true; }
    bool Update(void*) override
    {
        log.push_back(label + " Update");
        return onUpdate ? onUpdate() : true;
    }
    void Exit(void*) override { log.push_back(label + " Exit"); }

    std::function<bool()> onUpdate;

private:
    std::string label;
    std::vector<std::string>& log;
};

class GameAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::DiscardPendingMessages();
        world.ResetToDefaults();
        saved = { settings.width, settings.height, settings.screenMode };
        settings.width = 1280;
        settings.height = 1024;
        settings.screenMode = 0;
    }
    void TearDown() override
    {
        DeleteFonts();
        settings.SetResolution(saved.width, saved.height);
        settings.screenMode = saved.screenMode;
        world.ResetToDefaults();
        platform::DiscardPendingMessages();
    }
    bool Called(const std::string& call) const { return std::ranges::find(gfx.calls, call) != gfx.calls.end(); }

    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    test::RecordingGfx gfx;
    struct {
        int width, height, screenMode;
    } saved {};
};
