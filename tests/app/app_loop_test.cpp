// Run and its two loops driven by SDL events as the desktop sends them, the
// window procedure's table called as the pump would, and the process queue on
// a clock set by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "app/clock.h"
#include "app/cursor_set.h"
#include "app/process_manager.h"
#include "app/state_manager.h"
#include "game_app_fixture.h"
#include "platform/message_pump.h"
#include "platform/time_source.h"
#include "support/recording_sound.h"

using platform::InjectWindowEvent;
using platform::WindowEventKind;
using Log = std::vector<std::string>;

namespace {

// An application that counts what its loops do and closes its window in the
// frame the test chooses.
class cTestApp : public cApplication {
public:
    LRESULT MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        ++passedOn;
        return cApplication::MsgProc(hwnd, message, wParam, lParam);
    }
    bool Init() override
    {
        SetClientSize(64, 48);
        if (onInit)
            onInit(*this);
        return true;
    }
    bool PreFrame() override { return ++preFrames, false; }
    bool Frame() override
    {
        if (++frames == closeAt)
            InjectWindowEvent(GetWindow(), WindowEventKind::Close);
        return frames < 1000; // a loop that never ends fails rather than hangs
    }
    bool Shutdown() override { return ++shutdowns, true; }

    std::function<void(cTestApp&)> onInit;
    int closeAt = 0;
    int preFrames = 0, frames = 0, shutdowns = 0, passedOn = 0;
};

class AppLoop : public GameAppTest {
protected:
    void SetUp() override
    {
        GameAppTest::SetUp();
        g_activateAppSeen = 0;
        // The clock moves on from now, past every timer an earlier test left.
        nowMs = platform::NowMilliseconds();
        platform::SetTimeSourceForTests([this] { return nowMs; });
    }
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        world.musicStream = nullptr;
        GameAppTest::TearDown();
    }

    double nowMs = 0.0;
    Log log;
};

TEST_F(AppLoop, ClosingTheWindowEndsTheMainLoopAndShutsDown)
{
    FakeState state(L"S", log), process(L"P", log);
    cTestApp app;
    app.AddHandler(L"first", [&](const std::any&) { log.push_back("handler"); }, {});
    app.onInit = [&](cTestApp& a) {
        a.GetStateManager().Push(&state, &a);
        a.GetProcessManager().Add(&process, &a, 0.1);
    };
    app.closeAt = 3;
    EXPECT_TRUE(app.Run());
    // Pre-frames, frames and shutdowns.
    EXPECT_EQ(std::tuple(app.preFrames, app.frames, app.shutdowns), std::tuple(1, 3, 1));
    // The handlers, then the processes and states, told the application is going.
    EXPECT_EQ(Log(log.end() - 3, log.end()), (Log { "handler", "P Exit", "S Exit" }));

    // A close that arrives during the start-up ends both loops.
    cTestApp closed;
    closed.onInit = [](cTestApp& a) { InjectWindowEvent(a.GetWindow(), WindowEventKind::Close); };
    EXPECT_TRUE(closed.Run());
    EXPECT_EQ(std::tuple(closed.preFrames, closed.frames, closed.shutdowns), std::tuple(0, 0, 1));
}

// Every message waiting when a frame is due is handed to the window once, in
// the order sent, before the frame runs.
TEST_F(AppLoop, EachPendingMessageIsHandledOnceBeforeTheNextFrame)
{
    constexpr UINT kOwn = 0x8000; // messages of the application's own range
    class cCountingApp : public cTestApp {
    public:
        LRESULT MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == kOwn) {
                seen.push_back(static_cast<int>(wParam));
                if (seen.size() > 50)
                    g_appRunning = 0; // a message taken again and again
            }
            return cTestApp::MsgProc(hwnd, message, wParam, lParam);
        }
        bool Frame() override
        {
            atFrames.push_back(seen.size());
            return cTestApp::Frame();
        }
        std::vector<int> seen;
        std::vector<size_t> atFrames;
    } app;
    app.onInit = [](cTestApp& a) {
        for (int n = 1; n <= 5; ++n)
            platform::PostMessage(a.GetWindow(), kOwn, static_cast<WPARAM>(n), 0);
    };
    app.closeAt = 3;
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.seen, (std::vector<int> { 1, 2, 3, 4, 5 }));
    EXPECT_EQ(app.atFrames, (std::vector<size_t> { 5, 5, 5 }));
}

TEST(StateManager, AMissingStateIsRefusedAndNothingIsPushed)
{
    cStateManager states;
    EXPECT_FALSE(states.Push(nullptr, nullptr));
    EXPECT_EQ(states.Top(), nullptr);
}

TEST_F(AppLoop, WindowProcedureSetsTheActiveFlagAndDropsTheMusicOfAHiddenWindow)
{
    cTestApp app;
    const std::tuple<UINT, WPARAM, int> cases[]
        = { { WM_ACTIVATE, 0, 0 }, { WM_ACTIVATE, 2, 1 }, { WM_ACTIVATEAPP, 0, 0 }, { WM_ACTIVATEAPP, 1, 1 },
              { WM_SIZE, SIZE_MINIMIZED, 0 }, { WM_SIZE, SIZE_RESTORED, 1 }, { WM_SIZE, SIZE_MAXHIDE, 0 } };
    test::RecordingSound music("data/sound/music/menu.ogg");
    world.musicStream = &music;
    for (const auto& [message, wParam, active] : cases) {
        SCOPED_TRACE(std::to_string(message) + " " + std::to_string(wParam));
        g_appActive = 1 - active;
        EXPECT_EQ(cApplication::StaticWndProc(nullptr, message, wParam, 0), 0);
        EXPECT_EQ(g_appActive, active);
    }
    // Hidden twice, the music stream was stopped and given back once.
    EXPECT_EQ(music.stops, 1);
    EXPECT_EQ(music.releases, 1);
    EXPECT_FALSE(music.usedAfterRelease);
    EXPECT_EQ(world.musicStream, nullptr);

    // Switching away and back asks for the video mode again, as configured.
    cApplication::StaticWndProc(nullptr, WM_NCACTIVATE, 0, 0);
    EXPECT_EQ(world.videoModeChanged, 1);
    EXPECT_EQ(world.fullScreen, 0);

    // Moving, sizing and the screen saver are swallowed; closing goes on.
    for (WPARAM code : { SC_SIZE, SC_MOVE, SC_KEYMENU, SC_TASKLIST, SC_SCREENSAVE, SC_MONITORPOWER })
        cApplication::StaticWndProc(nullptr, WM_SYSCOMMAND, code, 0);
    EXPECT_EQ(app.passedOn, 0);
    cApplication::StaticWndProc(nullptr, WM_SYSCOMMAND, 0xF060, 0);
    EXPECT_EQ(app.passedOn, 1);
    EXPECT_FALSE(app.SetClientSize(640, 480)) << "sized without a window";

    // Key codes outside the table are ignored.
    cApplication::StaticWndProc(nullptr, WM_KEYDOWN, 511, 0);
    cApplication::StaticWndProc(nullptr, WM_KEYDOWN, 512, 0);
    EXPECT_TRUE(app.IsKeyDown(511));
    EXPECT_FALSE(app.IsKeyDown(512));
}

TEST_F(AppLoop, AKeyTableEntryLastsWhileHeldAndATapUntilTheEndOfTheNextFrame)
{
    cTestApp app;
    // What happens to Escape before one frame, whether that frame takes it,
    // and whether the table shows it during and after the frame.
    struct Case {
        const char* what;
        std::vector<UINT> before;
        bool taken;
        bool during, after;
    };
    const Case cases[] = {
        { "tapped", { WM_KEYDOWN, WM_KEYUP }, false, true, false },
        { "tapped and taken", { WM_KEYDOWN, WM_KEYUP }, true, true, false },
        { "held", { WM_KEYDOWN }, false, true, true },
        { "held and taken", { WM_KEYDOWN }, true, true, false },
        { "tapped twice", { WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYUP }, false, true, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (UINT message : c.before)
            cApplication::StaticWndProc(nullptr, message, VK_ESCAPE, 0);
        EXPECT_EQ(app.IsKeyDown(VK_ESCAPE), c.during);
        if (c.taken)
            app.ClearKey(VK_ESCAPE);
        app.EndKeyFrame();
        EXPECT_EQ(app.IsKeyDown(VK_ESCAPE), c.after);
        // Let go after that frame: gone at once, no frame later sees it.
        cApplication::StaticWndProc(nullptr, WM_KEYUP, VK_ESCAPE, 0);
        EXPECT_FALSE(app.IsKeyDown(VK_ESCAPE));
        app.EndKeyFrame();
    }
}

TEST_F(AppLoop, ProcessesRunAtTheirIntervalsAndLeaveByIdentity)
{
    void* const app = this;
    nowMs = 1000.0;
    FakeState input(L"Input", log), cursor(L"Cursor", log);
    FakeState a(L"A", log), b(L"B", log), c(L"C", log), late(L"Late", log);
    auto updates = [&](const std::string& name) { return std::count(log.begin(), log.end(), name + " Update"); };
    cProcessManager processes;
    // Frames of 16 ms: a process of 0.005 s runs every frame, one of 0.04 s
    // every third frame, since time above the interval is dropped when it runs.
    ASSERT_TRUE(processes.Add(&input, app, 0.005));
    ASSERT_TRUE(processes.Add(&cursor, app, 0.04));
    for (int frame = 0; frame < 10; ++frame) {
        nowMs += 16.0;
        processes.Update(app);
    }
    EXPECT_EQ(updates("Input"), 10);
    EXPECT_EQ(updates("Cursor"), 4);
    // A long pause runs a process once, not once per interval missed.
    nowMs += 5000.0;
    processes.Update(app);
    nowMs += 16.0;
    processes.Update(app);
    EXPECT_EQ(updates("Cursor"), 5);

    // Queue C B A (newest first): C takes B out during the pass; B must not run.
    processes.RemoveAll(app);
    for (FakeState* p : { &a, &b, &c })
        processes.Add(p, app, 0.0);
    int passes = 0;
    c.onUpdate = [&] { return ++passes == 1 ? processes.RemoveAt(1, app) : processes.Add(&late, app, 0.0); };
    log.clear();
    nowMs += 10.0;
    processes.Update(app);
    EXPECT_EQ(log, (Log { "C Update", "B Exit", "A Update" }));
    // A process added during a pass waits for the next; one that removes
    // itself (by its name in other case) and then ends leaves once.
    a.onUpdate = [&] { return processes.RemoveByName(L"a", app), false; };
    log.clear();
    nowMs += 10.0;
    processes.Update(app);
    EXPECT_EQ(log, (Log { "C Update", "Late Init", "A Update", "A Exit" }));
    EXPECT_EQ(processes.Size(), 2u);
    EXPECT_TRUE(processes.Contains(&late));
}

TEST_F(AppLoop, TheCursorStepsAtMostOnceEvery50MillisecondsAndWraps)
{
    cCursorSet& cursor = cCursorSet::Instance();
    cClock::Instance().Update();
    ASSERT_TRUE(cursor.Load());
    // Frame 0 and a step due: the single-image cursor wraps to 0 at its second draw.
    cursor.SetCursor(L"Standard", 1);
    cursor.Draw(16);
    cursor.Draw(16);
    cursor.SetCursor(L"Click", 2);
    // The time before each Update and the frame after the Draw.
    const std::pair<double, uint32_t> steps[]
        = { { 60.0, 1 }, { 10.0, 1 }, { 45.0, 2 }, { 0.0, 2 }, { 51.0, 3 }, { 10.0, 0 }, { 51.0, 1 } };
    for (const auto& [wait, frame] : steps) {
        nowMs += wait;
        cClock::Instance().Update();
        cursor.Update();
        cursor.Draw(16);
        EXPECT_EQ(cursor.GetFrame(), frame) << wait;
    }
    cursor.Release();
}

// Drawn where the mouse is, with the alpha of the level it is drawn at; a
// cursor without images shows the standard one and steps no frame.
TEST_F(AppLoop, TheCursorDrawsAtTheMouseWithItsLevelsAlphaAndFallsBackToTheStandardImage)
{
    test::FakeInput input;
    input.x = 50;
    input.y = 60;
    cCursorSet& cursor = cCursorSet::Instance();
    nowMs += 1000.0; // past every timer an earlier test left running
    cClock::Instance().Update();
    ASSERT_TRUE(cursor.Load());
    cursor.SetCursor(L"Standard", 1);
    cursor.Update();
    for (const auto& [level, alpha] : { std::pair { 16, 255u }, { 15, 0u }, { 0, 0u } }) {
        gfx.ClearRecords();
        cursor.Draw(level);
        ASSERT_EQ(gfx.draws.size(), 1u) << level;
        const test::GfxDraw& d = gfx.draws.back();
        EXPECT_EQ(std::tuple(d.color >> 24, d.target.left, d.target.top, d.drawMode), std::tuple(alpha, 50, 60, 9))
            << level;
    }
    nowMs += 60.0;
    cClock::Instance().Update();
    cursor.SetCursor(L"raum_51", 3);
    cursor.Update();
    gfx.ClearRecords();
    cursor.Draw(16);
    EXPECT_EQ(std::tuple(cursor.GetFrame(), gfx.draws.size(), cursor.IsAdvanceDue()), std::tuple(0u, size_t(1), true));
    // The synchroniser hands the cursor the frame clock's time.
    nowMs += 1234.0;
    cClock::Instance().Update();
    EXPECT_TRUE(g_cursorSync.Update(nullptr));
    EXPECT_DOUBLE_EQ(cursor.time, cClock::Instance().GetTime());
    cursor.Release();
}

} // namespace
