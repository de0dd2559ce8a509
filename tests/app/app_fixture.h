// An application that records what its loops do, with fakes for the graphics
// device and the music stream, and a fixture that gives every test a clean
// message queue, world and window state.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "app/application.h"
#include "engine/gfx.h"
#include "platform/test_events.h"
#include "sound/sound_engine.h"
#include "support/recording_sound.h"
#include "world/game_world.h"
#include "world/settings.h"

class cTestApp : public cApplication {
public:
    LRESULT MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        passedOn.push_back(MSG { hwnd, message, wParam, lParam });
        return cApplication::MsgProc(hwnd, message, wParam, lParam);
    }
    bool Init() override
    {
        SetClientSize(64, 48);
        CenterWindow();
        if (onInit)
            onInit(*this);
        return initResult;
    }
    bool PreFrame() override
    {
        ++preFrames;
        return false;
    }
    bool Start() override
    {
        ++starts;
        return startResult;
    }
    bool Frame() override
    {
        ++frames;
        activeInFrame.push_back(g_appActive);
        frameTimes.push_back(std::chrono::steady_clock::now());
        if (onFrame)
            onFrame(*this, frames);
        return frames < 1000; // a loop that never ends fails rather than hangs
    }
    bool Shutdown() override
    {
        ++shutdowns;
        return true;
    }

    std::function<void(cTestApp&)> onInit;
    std::function<void(cTestApp&, int frame)> onFrame;
    bool initResult = true;
    bool startResult = true;
    int preFrames = 0;
    int starts = 0;
    int frames = 0;
    int shutdowns = 0;
    std::vector<int> activeInFrame;
    std::vector<std::chrono::steady_clock::time_point> frameTimes;
    std::vector<MSG> passedOn;
};

// The music stream: a sound that remembers its stops and releases.
using FakeMusic = test::RecordingSound;

class FakeDevice : public iGfxDevice {
public:
    HRESULT Create(HWND, int, int, int, int) override { return S_OK; }
    HRESULT BeginScene() override { return S_OK; }
    HRESULT EndScene() override { return S_OK; }
    HRESULT Present() override { return S_OK; }
    HRESULT ApplyFullScreen() override { return S_OK; }
    HRESULT SetDisplayMode(int, int, int, int, int, int) override { return S_OK; }
    HRESULT Clear(int, const RECT*, uint32_t, uint32_t, float, int) override { return S_OK; }
    HRESULT SaveScreenshot(const RECT*, const RECT*, const wchar_t*, int, int) override { return S_OK; }
    int GetZombieBytes() override { return 0; }
    HRESULT TestDevice() override
    {
        ++tests;
        return failuresLeft-- > 0 ? E_FAIL : S_OK;
    }
    int tests = 0;
    int failuresLeft = 0;
};

// Sends an event from another thread after a delay, as the desktop would
// while the game sleeps in its message wait.
class Later {
public:
    Later(std::chrono::milliseconds delay, std::function<void()> send)
        : thread([delay, send] {
            std::this_thread::sleep_for(delay);
            send();
        })
    {
    }
    ~Later() { thread.join(); }
    Later(const Later&) = delete;
    Later& operator=(const Later&) = delete;

private:
    std::thread thread;
};

class AppLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::DiscardPendingMessages();
        world.ResetToDefaults();
        savedScreenMode = cSettings::Instance().screenMode;
        savedDevice = g_pGfxDevice;
        g_pGfxDevice = nullptr;
        g_activateAppSeen = 0;
    }
    void TearDown() override
    {
        world.musicStream = nullptr;
        world.ResetToDefaults();
        cSettings::Instance().screenMode = savedScreenMode;
        g_pGfxDevice = savedDevice;
        platform::DiscardPendingMessages();
    }

    cGameWorld& world = cGameWorld::Instance();
    int savedScreenMode = 0;
    iGfxDevice* savedDevice = nullptr;
};
