// Run and its two loops, driven by SDL events as the desktop sends them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/window.h"

using namespace std::chrono_literals;
using platform::InjectWindowEvent;
using platform::WindowEventKind;

namespace {

class ExitRecorder : public iProcess {
public:
    ExitRecorder(std::vector<std::wstring>& journal)
        : iProcess(L"Recorder")
        , journal(journal)
    {
    }
    bool Update(void*) override { return true; }
    void Exit(void* app) override { journal.push_back(app ? L"Exit" : L"Exit(null)"); }
    std::vector<std::wstring>& journal;
};

TEST_F(AppLoop, ClosingTheWindowEndsTheMainLoopAndShutsDown)
{
    std::vector<std::wstring> journal;
    ExitRecorder state(journal);
    ExitRecorder process(journal);
    cTestApp app;
    app.AddHandler(
        L"first", [&](const std::any& value) { journal.push_back(std::any_cast<std::wstring>(value)); },
        std::wstring(L"handler 1"));
    app.AddHandler(L"second", [&](const std::any&) { journal.push_back(L"handler 2"); }, {});
    app.onInit = [&](cTestApp& a) {
        a.GetStateManager().Push(&state, &a);
        a.GetProcessManager().Add(&process, &a, 0.1);
    };
    app.onFrame = [](cTestApp& a, int frame) {
        if (frame == 3)
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
    };
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.preFrames, 1);
    EXPECT_EQ(app.starts, 1);
    EXPECT_EQ(app.frames, 3);
    EXPECT_EQ(app.shutdowns, 1);
    EXPECT_EQ(g_appRunning, 0);
    // The handlers in order, then the processes and states, all told that the
    // application is going.
    EXPECT_EQ(journal, (std::vector<std::wstring> { L"handler 1", L"handler 2", L"Exit(null)", L"Exit(null)" }));
}

TEST_F(AppLoop, ACloseDuringStartUpEndsBothLoops)
{
    cTestApp app;
    app.onInit = [](cTestApp& a) { InjectWindowEvent(a.GetWindow(), WindowEventKind::Close); };
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.preFrames, 0);
    EXPECT_EQ(app.frames, 0);
    EXPECT_EQ(app.shutdowns, 1);
}

TEST_F(AppLoop, TheDesktopsQuitClosesTheGame)
{
    cTestApp app;
    app.onFrame = [](cTestApp&, int frame) {
        if (frame == 2)
            platform::InjectQuit();
    };
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.frames, 2);
}

TEST_F(AppLoop, FailedInitSkipsLoopsAndShutdown)
{
    {
        cTestApp app;
        app.initResult = false;
        EXPECT_TRUE(app.Run());
        EXPECT_EQ(app.preFrames + app.starts + app.frames + app.shutdowns, 0);
    }
    // The class was given back: the next application registers it again.
    cTestApp again;
    again.onFrame = [](cTestApp& a, int) { InjectWindowEvent(a.GetWindow(), WindowEventKind::Close); };
    EXPECT_TRUE(again.Run());
    EXPECT_EQ(again.frames, 1);
}

TEST_F(AppLoop, FailedStartOrQuitRequestSkipsTheMainLoopButNotShutdown)
{
    {
        cTestApp app;
        app.startResult = false;
        EXPECT_TRUE(app.Run());
        EXPECT_EQ(app.preFrames, 1);
        EXPECT_EQ(app.frames, 0);
        EXPECT_EQ(app.shutdowns, 1);
    }
    cTestApp app;
    world.quitRequested = 1;
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.frames, 0);
    EXPECT_EQ(app.shutdowns, 1);
}

TEST_F(AppLoop, WindowIsTitledSizedCentredAndShown)
{
    cTestApp app;
    RECT client {}, outer {};
    bool visible = false;
    std::wstring title;
    app.onFrame = [&](cTestApp& a, int) {
        platform::GetClientRect(a.GetWindow(), &client);
        platform::GetWindowRect(a.GetWindow(), &outer);
        visible = platform::IsWindowVisible(a.GetWindow());
        title = platform::GetWindowTitle(a.GetWindow());
        InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
    };
    ASSERT_TRUE(app.Run());
    EXPECT_EQ(title, L"(c) Vandrel");
    EXPECT_TRUE(visible);
    EXPECT_EQ(client.right, 64);
    EXPECT_EQ(client.bottom, 48);
    EXPECT_EQ(app.GetClientWidth(), 64);
    int desktopWidth = 0, desktopHeight = 0;
    ASSERT_TRUE(platform::GetDesktopSize(&desktopWidth, &desktopHeight));
    EXPECT_EQ(outer.left, (desktopWidth - 64) / 2);
    EXPECT_EQ(outer.top, (desktopHeight - 48) / 2);
}

TEST_F(AppLoop, LosingFocusStopsDrawingUntilFocusReturns)
{
    cSettings::Instance().screenMode = 1;
    cTestApp app;
    std::unique_ptr<Later> regain;
    app.onFrame = [&](cTestApp& a, int frame) {
        if (frame == 2) {
            InjectWindowEvent(a.GetWindow(), WindowEventKind::FocusLost);
            HWND window = a.GetWindow();
            regain
                = std::make_unique<Later>(120ms, [window] { InjectWindowEvent(window, WindowEventKind::FocusGained); });
        }
        if (frame == 4)
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
    };
    ASSERT_TRUE(app.Run());
    regain.reset();
    ASSERT_EQ(app.frames, 4);
    // No frame ran while the window was inactive: the loop slept until the
    // focus came back.
    EXPECT_EQ(std::count(app.activeInFrame.begin(), app.activeInFrame.end(), 0), 0);
    EXPECT_GE(app.frameTimes[2] - app.frameTimes[1], 100ms);
    // Switching away and back asks for the video mode again, full screen as
    // configured.
    EXPECT_EQ(g_activateAppSeen, 1);
    EXPECT_EQ(world.videoModeChanged, 1);
    EXPECT_EQ(world.fullScreen, 1);
}

TEST_F(AppLoop, MinimisingStopsAndGivesBackTheMusicAndRestoringResumes)
{
    FakeMusic music("data/sound/music/menu.ogg");
    world.musicStream = &music;
    cTestApp app;
    std::unique_ptr<Later> restore;
    app.onFrame = [&](cTestApp& a, int frame) {
        if (frame == 2) {
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Minimized);
            HWND window = a.GetWindow();
            restore
                = std::make_unique<Later>(100ms, [window] { InjectWindowEvent(window, WindowEventKind::Restored); });
        }
        if (frame == 3)
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
    };
    ASSERT_TRUE(app.Run());
    restore.reset();
    EXPECT_EQ(app.frames, 3);
    EXPECT_GE(music.stops, 1);
    EXPECT_EQ(music.releases, 1);
    EXPECT_FALSE(music.usedAfterRelease);
    EXPECT_EQ(world.musicStream, nullptr);
    EXPECT_GE(app.frameTimes[2] - app.frameTimes[1], 80ms);
}

TEST_F(AppLoop, FirstLoopStopsTheMusicWhileInactiveAndKeepsTheStream)
{
    FakeMusic music("data/sound/music/menu.ogg");
    world.musicStream = &music;
    cTestApp app;
    std::unique_ptr<Later> regain;
    app.onInit = [&](cTestApp& a) {
        InjectWindowEvent(a.GetWindow(), WindowEventKind::FocusLost);
        HWND window = a.GetWindow();
        regain = std::make_unique<Later>(60ms, [window] { InjectWindowEvent(window, WindowEventKind::FocusGained); });
    };
    int stopsAfterStartUp = -1;
    std::unique_ptr<Later> regainAgain;
    app.onFrame = [&](cTestApp& a, int frame) {
        if (frame == 1) {
            stopsAfterStartUp = music.stops;
            // In the main loop an inactive window leaves the music alone.
            InjectWindowEvent(a.GetWindow(), WindowEventKind::FocusLost);
            HWND window = a.GetWindow();
            regainAgain
                = std::make_unique<Later>(60ms, [window] { InjectWindowEvent(window, WindowEventKind::FocusGained); });
        }
        if (frame == 2)
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
    };
    ASSERT_TRUE(app.Run());
    regain.reset();
    regainAgain.reset();
    EXPECT_GE(stopsAfterStartUp, 1);
    EXPECT_EQ(music.stops, stopsAfterStartUp);
    EXPECT_EQ(music.releases, 0);
    EXPECT_EQ(world.musicStream, &music);
}

TEST_F(AppLoop, MaximisingAsksForTheVideoModeAgain)
{
    cTestApp app;
    int changed = -1;
    app.onFrame = [&](cTestApp& a, int frame) {
        if (frame == 1)
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Maximized);
        if (frame == 2) {
            changed = world.videoModeChanged;
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
        }
    };
    ASSERT_TRUE(app.Run());
    EXPECT_EQ(changed, 1);
}

TEST_F(AppLoop, KeysReachTheKeyTableWithTheirVirtualKeyCodes)
{
    struct Key {
        const char* name;
        int code;
    };
    const std::vector<Key> keys = {
        { "A", 'A' },
        { "Q", 'Q' },
        { "Z", 'Z' },
        { "0", '0' },
        { "1", '1' },
        { "9", '9' },
        { "Escape", 27 },
        { "Return", 13 },
        { "Tab", 9 },
        { "F1", 112 },
        { "F9", 120 },
        { "F10", 121 },
        { "F12", 123 },
        { "Left", 37 },
        { "Up", 38 },
        { "Right", 39 },
        { "Down", 40 },
        { "Left Shift", 0xA0 },
        { "Left Ctrl", 0xA2 },
        { "Left Alt", 0xA4 },
        { "Space", 32 },
        { "Backspace", 8 },
        { "Delete", 46 },
        { "Home", 36 },
        { "-", 0xBD },
        { ".", 0xBE },
    };
    std::vector<int> downAtFrame2, downAtFrame3, downAtFrame4;
    auto snapshot = [&](cTestApp& a, std::vector<int>& into) {
        for (int code = 0; code < cApplication::kKeyCount; ++code)
            if (a.IsKeyDown(code))
                into.push_back(code);
    };
    cTestApp app;
    app.onFrame = [&](cTestApp& a, int frame) {
        HWND window = a.GetWindow();
        if (frame == 1) {
            for (const Key& key : keys)
                ASSERT_TRUE(platform::InjectKey(window, key.name, true)) << key.name;
        } else if (frame == 2) {
            snapshot(a, downAtFrame2);
            // The game consumes a press by clearing it; the system's key
            // repeat sets it again.
            for (const Key& key : keys)
                a.ClearKey(key.code);
            platform::InjectKey(window, "A", true, true);
        } else if (frame == 3) {
            snapshot(a, downAtFrame3);
            for (const Key& key : keys)
                platform::InjectKey(window, key.name, false);
        } else if (frame == 4) {
            snapshot(a, downAtFrame4);
            InjectWindowEvent(window, WindowEventKind::Close);
        }
    };
    ASSERT_TRUE(app.Run());
    std::vector<int> expected;
    for (const Key& key : keys)
        expected.push_back(key.code);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(downAtFrame2, expected);
    EXPECT_EQ(downAtFrame3, std::vector<int> { 'A' });
    EXPECT_TRUE(downAtFrame4.empty());
}

TEST_F(AppLoop, MouseButtonsGoOnToTheApplicationsProcedure)
{
    cTestApp app;
    app.onFrame = [](cTestApp& a, int frame) {
        if (frame == 1) {
            platform::InjectMouseButton(a.GetWindow(), 1, true, 20, 30);
            platform::InjectMouseButton(a.GetWindow(), 1, false, 21, 31);
        } else {
            InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
        }
    };
    ASSERT_TRUE(app.Run());
    std::vector<MSG> buttons;
    for (const MSG& msg : app.passedOn)
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP)
            buttons.push_back(msg);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(buttons[0].hwnd, app.GetWindow());
    EXPECT_EQ(MouseXOf(buttons[0].lParam), 20);
    EXPECT_EQ(MouseYOf(buttons[0].lParam), 30);
    EXPECT_EQ(buttons[1].message, WM_LBUTTONUP);
}

TEST_F(AppLoop, ADeviceThatCannotDrawSkipsFramesUntilItRecovers)
{
    FakeDevice device;
    device.failuresLeft = 5;
    g_pGfxDevice = &device;
    cTestApp app;
    int testsBeforeFirstFrame = -1;
    app.onFrame = [&](cTestApp& a, int) {
        testsBeforeFirstFrame = device.tests;
        InjectWindowEvent(a.GetWindow(), WindowEventKind::Close);
    };
    ASSERT_TRUE(app.Run());
    EXPECT_EQ(app.frames, 1);
    // The first loop's frame step ends it at its first drawable pass; the
    // main loop's first frame needed the device to answer S_OK.
    EXPECT_EQ(testsBeforeFirstFrame, 7);
}

} // namespace
