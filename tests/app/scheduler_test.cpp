// The state stack, the process queue's refusals and removals, and the frame
// clock with its timers, on a clock set by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <string>
#include <vector>

#include "app/clock.h"
#include "app/process_manager.h"
#include "app/state_manager.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "support/log_capture.h"

namespace {

using Journal = std::vector<std::wstring>;

// A state or process that writes what happens to it into a shared journal.
class Recorder : public iProcess {
public:
    Recorder(const std::wstring& name, Journal& journal)
        : iProcess(name)
        , journal(journal)
    {
    }
    bool Init(void* app) override
    {
        journal.push_back(GetName() + L".Init" + (app ? L"" : L"(null)"));
        return initResult;
    }
    bool Update(void* app) override
    {
        journal.push_back(GetName() + L".Update");
        if (onUpdate)
            onUpdate(app);
        return updateResult;
    }
    void Exit(void* app) override { journal.push_back(GetName() + L".Exit" + (app ? L"" : L"(null)")); }

    Journal& journal;
    bool initResult = true;
    bool updateResult = true;
    std::function<void(void*)> onUpdate;
};

class Schedulers : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return nowMs; });
        cClock::Instance().Reset();
    }
    void TearDown() override { platform::SetTimeSourceForTests(nullptr); }

    double nowMs = 50000.0;
    Journal journal;
    int appTag = 0;
    void* app = &appTag;
};

TEST_F(Schedulers, OnlyTheTopStateRunsAStateThatEndsLeavesAtOnceAndRefusedOnesAreLogged)
{
    test::LogCapture log;
    Recorder menu(L"Menu", journal), level(L"Level", journal), failing(L"Failing", journal);
    failing.initResult = false;
    {
        cStateManager states;
        EXPECT_FALSE(states.Update(app)); // nothing to run
        EXPECT_FALSE(states.Pop(app));
        states.PopAll(app);
        EXPECT_FALSE(states.Push(nullptr, app));
        EXPECT_FALSE(states.Push(&failing, app));
        EXPECT_EQ(states.Size(), 0u);
        ASSERT_TRUE(states.Push(&menu, app) && states.Push(&level, app));
        EXPECT_TRUE(states.Update(app));
        level.updateResult = false;
        EXPECT_TRUE(states.Update(app)); // the level leaves; the menu is left
        EXPECT_EQ(states.Top(), &menu);
        // A state that pushes the next one and ends leaves that one running.
        menu.onUpdate = [&](void* a) { states.Push(&level, a); };
        menu.updateResult = false;
        EXPECT_TRUE(states.Update(app));
        EXPECT_EQ(states.Top(), &level);
        EXPECT_EQ(states.Size(), 1u);
        level.updateResult = true;
        ASSERT_TRUE(states.Push(&menu, app));
        journal.clear();
    } // going away, the stack lets every state go, top first, with no application
    EXPECT_EQ(journal, (Journal { L"Menu.Exit(null)", L"Level.Exit(null)" }));
    EXPECT_EQ(log.lines, (Journal { L"error: Invalid state.", L"error: Failed to initialize state \"Failing\"." }));

    cStateManager last;
    ASSERT_TRUE(last.Push(&menu, app));
    menu.onUpdate = nullptr;
    journal.clear();
    EXPECT_FALSE(last.Update(app)); // the last state left
    EXPECT_EQ(journal, (Journal { L"Menu.Update", L"Menu.Exit" }));
}

TEST_F(Schedulers, TheQueueRefusesWhatCannotRunAndRemovesExactlyTheProcessesThatEnded)
{
    test::LogCapture log;
    Recorder a(L"A", journal), b(L"B", journal), c(L"C", journal), d(L"D", journal), broken(L"Broken", journal);
    cProcessManager processes;
    EXPECT_FALSE(processes.Update(app));
    EXPECT_FALSE(processes.RemoveFront(app));
    EXPECT_FALSE(processes.RemoveByName(L"x", app));
    processes.RemoveAll(app);
    broken.initResult = false;
    EXPECT_FALSE(processes.Add(nullptr, app, 1.0));
    EXPECT_FALSE(processes.Add(&broken, app, 1.0));
    EXPECT_EQ(processes.Size(), 0u);
    EXPECT_EQ(log.lines,
        (Journal { L"error: Invalid call. Process queue is empty.", L"error: Invalid call. Process queue is empty.",
            L"error: Invalid process.", L"error: Failed to initialize process \"Broken\"." }));

    for (Recorder* p : { &a, &b, &c, &d })
        processes.Add(p, app, 0.0);
    b.updateResult = false;
    d.updateResult = false;
    journal.clear();
    nowMs += 10.0;
    EXPECT_TRUE(processes.Update(app));
    // Front to back is newest first; both enders leave after all four ran.
    EXPECT_EQ(journal, (Journal { L"D.Update", L"C.Update", L"B.Update", L"A.Update", L"D.Exit", L"B.Exit" }));
    EXPECT_EQ(processes.Size(), 2u);
    EXPECT_TRUE(processes.Contains(&a) && processes.Contains(&c));

    // Taking the front removes the newest; the rest leave newest first, unlogged.
    processes.Add(&b, app, 0.1);
    log.lines.clear();
    journal.clear();
    EXPECT_TRUE(processes.RemoveFront(app));
    processes.RemoveAll(nullptr);
    EXPECT_EQ(journal, (Journal { L"B.Exit", L"C.Exit(null)", L"A.Exit(null)" }));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(processes.Size(), 0u);
}

TEST_F(Schedulers, TheFrameClockAdvancesOnlyOnUpdateAndTimersMeasureFromTheirStart)
{
    EXPECT_EQ(g_pClock, &cClock::Instance());
    EXPECT_DOUBLE_EQ(g_pClock->GetTime(), 0.0);
    cTimer timer; // built at clock time 0
    EXPECT_FALSE(timer.IsRunning());
    nowMs += 250.0;
    EXPECT_DOUBLE_EQ(g_pClock->GetTime(), 0.0); // between updates it stands still
    g_pClock->Update();
    EXPECT_NEAR(g_pClock->GetTime(), 0.25, 1e-9);
    EXPECT_NEAR(timer.Elapsed(), 0.25, 1e-9);
    timer.Start();
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.0);
    nowMs += 40.0;
    g_pClock->Update();
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    // A pause without frames shows up as one large step; a stopped timer
    // still measures from its start.
    nowMs += 30000.0;
    g_pClock->Update();
    EXPECT_NEAR(g_pClock->GetTime(), 30.29, 1e-9);
    EXPECT_NEAR(timer.Elapsed(), 30.04, 1e-9);
    timer.Restart();
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.0);
    g_pClock->Reset();
    EXPECT_DOUBLE_EQ(g_pClock->GetTime(), 0.0);
    nowMs += 500.0;
    g_pClock->Update();
    EXPECT_NEAR(g_pClock->GetTime(), 0.5, 1e-9); // counted from the reset, not from before it
}

// A process runs once the time gathered since its last run reaches its
// interval, exactly reached included; a new one has gathered the program's
// running time already. Steps of a quarter second are exact in binary.
TEST_F(Schedulers, AProcessRunsWhenItsGatheredTimeReachesItsInterval)
{
    const std::tuple<double, double, int, int> cases[] = { // interval s, frame ms, frames, runs
        { 0.25, 250.0, 4, 4 }, { 0.25, 125.0, 8, 4 }, { 0.5, 125.0, 8, 2 }, { 0.0, 0.0, 3, 3 },
        { 2.0, 250.0, 4, 1 }, // the program ran 1 s before it was added: its first run waits 1 s more
    };
    for (const auto& [interval, frameMs, frames, runs] : cases) {
        SCOPED_TRACE(interval * 1000 + frameMs);
        nowMs = 1000.0;
        Recorder p(L"P", journal);
        cProcessManager processes;
        ASSERT_TRUE(processes.Add(&p, app, interval));
        journal.clear();
        for (int frame = 0; frame < frames; ++frame) {
            nowMs += frameMs;
            processes.Update(app);
        }
        EXPECT_EQ(std::count(journal.begin(), journal.end(), L"P.Update"), runs);
    }
}

// Removing by name: the newest process of that name, in any case; a name no
// process has, or only part of one, removes nothing.
TEST_F(Schedulers, RemovingByNameTakesTheNewestProcessOfThatNameInAnyCase)
{
    test::LogCapture log;
    Recorder input(L"Input", journal), cursor(L"Cursor", journal), older(L"Twin", journal), newer(L"Twin", journal);
    cProcessManager processes;
    for (Recorder* p : { &input, &older, &cursor, &newer })
        ASSERT_TRUE(processes.Add(p, app, 0.0));
    journal.clear();
    const std::tuple<const wchar_t*, bool, Journal, size_t> cases[] = { // name, removed, journal, left
        { L"CURSOR", true, { L"Cursor.Exit" }, 3 }, { L"cursor", false, {}, 3 }, { L"Inp", false, {}, 3 },
        { L"", false, {}, 3 }, { L"twin", true, { L"Twin.Exit" }, 2 }, { L"iNPUT", true, { L"Input.Exit" }, 1 },
    };
    for (const auto& [name, removed, exits, left] : cases) {
        SCOPED_TRACE(platform::WideToNarrow(name));
        EXPECT_EQ(processes.RemoveByName(name, app), removed);
        EXPECT_EQ(journal, exits);
        EXPECT_EQ(processes.Size(), left);
        journal.clear();
    }
    EXPECT_TRUE(processes.Contains(&older) && !processes.Contains(&newer));
    EXPECT_TRUE(log.lines.empty());
}

} // namespace
