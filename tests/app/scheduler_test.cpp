// The state stack and the process queue, with the clock set by hand.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/process_manager.h"
#include "app/state_manager.h"
#include "support/log_capture.h"
#include "platform/time_source.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A state or process that writes what happens to it into a shared journal.
class Recorder : public iProcess {
public:
    Recorder(const std::wstring& name, std::vector<std::wstring>& journal)
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
        ++updates;
        if (onUpdate)
            onUpdate(app);
        return updateResult;
    }
    void Exit(void* app) override { journal.push_back(GetName() + L".Exit" + (app ? L"" : L"(null)")); }

    std::vector<std::wstring>& journal;
    bool initResult = true;
    bool updateResult = true;
    int updates = 0;
    std::function<void(void*)> onUpdate;
};

class Schedulers : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return nowMs; });
    }
    void TearDown() override { platform::SetTimeSourceForTests(nullptr); }

    double nowMs = 0.0;
    std::vector<std::wstring> journal;
    int appTag = 0;
    void* app = &appTag;
};

TEST_F(Schedulers, PushRefusesNullAndFailedStates)
{
    test::LogCapture log;
    Recorder failing(L"Failing", journal);
    cStateManager states;
    failing.initResult = false;
    EXPECT_FALSE(states.Push(nullptr, app));
    EXPECT_FALSE(states.Push(&failing, app));
    EXPECT_EQ(states.Size(), 0u);
    EXPECT_THAT(log.lines, ElementsAre(L"error: Invalid state.", L"error: Failed to initialize state \"Failing\"."));
}

TEST_F(Schedulers, OnlyTheTopStateRunsAndAStateThatEndsIsPoppedAtOnce)
{
    Recorder menu(L"Menu", journal);
    Recorder level(L"Level", journal);
    cStateManager states;
    EXPECT_FALSE(states.Update(app)); // nothing to run
    states.PopAll(app); // nothing to pop
    EXPECT_FALSE(states.Pop(app));
    ASSERT_TRUE(states.Push(&menu, app));
    ASSERT_TRUE(states.Push(&level, app));
    EXPECT_TRUE(states.Update(app));
    level.updateResult = false;
    EXPECT_TRUE(states.Update(app)); // the level leaves; the menu is left
    EXPECT_EQ(states.Top(), &menu);
    menu.updateResult = false;
    EXPECT_FALSE(states.Update(app)); // the last state left
    EXPECT_EQ(states.Size(), 0u);
    EXPECT_THAT(journal,
        ElementsAre(L"Menu.Init", L"Level.Init", L"Level.Update", L"Level.Update", L"Level.Exit", L"Menu.Update",
            L"Menu.Exit"));
}

TEST_F(Schedulers, AStateThatPushesAnotherAndEndsLeavesTheNewOneRunning)
{
    // The managers do not own their entries: the entries outlive them.
    Recorder first(L"First", journal);
    Recorder second(L"Second", journal);
    cStateManager states;
    first.onUpdate = [&](void* a) { states.Push(&second, a); };
    first.updateResult = false;
    ASSERT_TRUE(states.Push(&first, app));
    EXPECT_TRUE(states.Update(app));
    EXPECT_EQ(states.Top(), &second);
    EXPECT_EQ(states.Size(), 1u);
}

TEST_F(Schedulers, DestroyingTheStackExitsEveryStateWithNoApplication)
{
    Recorder a(L"A", journal);
    Recorder b(L"B", journal);
    {
        cStateManager states;
        states.Push(&a, app);
        states.Push(&b, app);
        journal.clear();
    }
    EXPECT_THAT(journal, ElementsAre(L"B.Exit(null)", L"A.Exit(null)"));
}

TEST_F(Schedulers, ProcessesRunAtTheirOwnIntervals)
{
    // Frames of 16 ms: the input process (0.005 s) runs every frame, the
    // cursor process (0.04 s) every third frame, since time above the
    // interval is dropped when it runs.
    nowMs = 1000.0;
    Recorder input(L"cInputProcess", journal);
    Recorder cursor(L"__unnamed__", journal);
    cProcessManager processes;
    ASSERT_TRUE(processes.Add(&input, app, 0.005));
    ASSERT_TRUE(processes.Add(&cursor, app, 0.04));
    // A new process has gathered the time of the last update: it runs at once.
    nowMs += 16.0;
    ASSERT_TRUE(processes.Update(app));
    EXPECT_EQ(input.updates, 1);
    EXPECT_EQ(cursor.updates, 1);
    for (int frame = 0; frame < 9; ++frame) {
        nowMs += 16.0;
        processes.Update(app);
    }
    EXPECT_EQ(input.updates, 10);
    EXPECT_EQ(cursor.updates, 4); // after 48, 96 and 144 ms more

    // A long pause runs a process once, not once per interval missed.
    nowMs += 5000.0;
    processes.Update(app);
    EXPECT_EQ(cursor.updates, 5);
    nowMs += 16.0;
    processes.Update(app);
    EXPECT_EQ(cursor.updates, 5);
}

TEST_F(Schedulers, EmptyQueueUpdatesNothingAndRemovingFromItIsLogged)
{
    test::LogCapture log;
    cProcessManager processes;
    EXPECT_FALSE(processes.Update(app));
    EXPECT_FALSE(processes.RemoveFront(app));
    EXPECT_FALSE(processes.RemoveByName(L"x", app));
    EXPECT_FALSE(processes.RemoveAt(0, app));
    processes.RemoveAll(app);
    EXPECT_THAT(log.lines,
        ElementsAre(L"error: Invalid call. Process queue is empty.", L"error: Invalid call. Process queue is empty."));
}

TEST_F(Schedulers, AddRefusesNullAndFailedProcesses)
{
    test::LogCapture log;
    Recorder failing(L"Broken", journal);
    cProcessManager processes;
    failing.initResult = false;
    EXPECT_FALSE(processes.Add(nullptr, app, 1.0));
    EXPECT_FALSE(processes.Add(&failing, app, 1.0));
    EXPECT_EQ(processes.Size(), 0u);
    EXPECT_THAT(log.lines, ElementsAre(L"error: Invalid process.", L"error: Failed to initialize process \"Broken\"."));
}

TEST_F(Schedulers, ProcessesThatEndAreRemovedAfterThePassAndNoOthers)
{
    Recorder a(L"A", journal), b(L"B", journal), c(L"C", journal), d(L"D", journal);
    cProcessManager processes;
    for (Recorder* p : { &a, &b, &c, &d })
        processes.Add(p, app, 0.0);
    b.updateResult = false;
    d.updateResult = false;
    journal.clear();
    nowMs += 10.0;
    processes.Update(app);
    // Front to back is newest first; both enders leave after all four ran.
    EXPECT_THAT(journal, ElementsAre(L"D.Update", L"C.Update", L"B.Update", L"A.Update", L"D.Exit", L"B.Exit"));
    EXPECT_EQ(processes.Size(), 2u);
    EXPECT_TRUE(processes.Contains(&a));
    EXPECT_TRUE(processes.Contains(&c));
}

TEST_F(Schedulers, ProcessesRemovedWhileTheQueueRuns)
{
    Recorder a(L"A", journal), b(L"B", journal), c(L"C", journal);
    Recorder late(L"Late", journal);
    cProcessManager processes;
    processes.Add(&a, app, 0.0);
    processes.Add(&b, app, 0.0);
    processes.Add(&c, app, 0.0); // queue: C B A
    // C takes B out of the queue; B must not run in this pass.
    c.onUpdate = [&](void* a2) {
        if (c.updates == 1)
            processes.RemoveAt(1, a2);
        else if (c.updates == 2)
            processes.Add(&late, a2, 0.0);
    };
    journal.clear();
    nowMs += 10.0;
    processes.Update(app);
    EXPECT_THAT(journal, ElementsAre(L"C.Update", L"B.Exit", L"A.Update"));

    // A process added during a pass waits for the next one.
    journal.clear();
    nowMs += 10.0;
    processes.Update(app);
    EXPECT_THAT(journal, ElementsAre(L"C.Update", L"Late.Init", L"A.Update"));

    // A process that removes itself and then reports that it ended leaves once.
    a.onUpdate = [&](void* a2) { processes.RemoveByName(L"a", a2); };
    a.updateResult = false;
    journal.clear();
    nowMs += 10.0;
    processes.Update(app);
    EXPECT_THAT(journal, ElementsAre(L"Late.Update", L"C.Update", L"A.Update", L"A.Exit"));
    EXPECT_FALSE(processes.Contains(&a));
}

TEST_F(Schedulers, RemoveAllExitsNewestFirstAndLogsNothing)
{
    test::LogCapture log;
    Recorder a(L"A", journal), b(L"B", journal);
    cProcessManager processes;
    processes.Add(&a, app, 0.1);
    processes.Add(&b, app, 0.1);
    journal.clear();
    processes.RemoveAll(nullptr);
    EXPECT_THAT(journal, ElementsAre(L"B.Exit(null)", L"A.Exit(null)"));
    EXPECT_THAT(log.lines, IsEmpty());
    EXPECT_EQ(processes.Size(), 0u);
}

TEST_F(Schedulers, RemoveByNameIgnoresCase)
{
    Recorder input(L"cInputProcess", journal);
    cProcessManager processes;
    processes.Add(&input, app, 0.1);
    EXPECT_FALSE(processes.RemoveByName(L"cCursor", app));
    EXPECT_TRUE(processes.RemoveByName(L"CINPUTPROCESS", app));
    EXPECT_EQ(processes.Size(), 0u);
}

} // namespace
