// A level run headless on a hand-set clock: the script's "on_init" once and
// "on_timer" once per second of unpaused play, the frame rate, the flag events
// taken one a frame, and a level whose script does not work, which goes back
// to the map.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "level_fixture.h"
#include "recording_screens.h"
#include "platform/utf16.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

using LevelStateTest = test::LevelTest;

const char* const kCountingLevel = R"(
inits = 0
timers = 0
function on_init()
    inits = inits + 1 Story:SetTimeForLevel(90)
    Story:AddFundament(1, "g", "h", 9) Story:CreateFundament(1, 2, 0, 9, -1)
end
function on_timer() timers = timers + 1 end
)";

TEST_F(LevelStateTest, TimerRunsOncePerSecondOfPlayAndNeverWhilePaused)
{
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    EXPECT_EQ(ScriptNumber("inits"), 1.0);
    EXPECT_EQ(cGameWorld::Instance().levelTimeLimit, 90);

    // 2.5 s in frames of 50 ms: two whole seconds.
    ASSERT_TRUE(Frames(50, 50.0));
    EXPECT_EQ(ScriptNumber("timers"), 2.0);
    EXPECT_EQ(cGameWorld::Instance().levelElapsed, 2);

    // Paused: the clock stands, and a minute flag already raised is dropped
    // without a call.
    cGameWorld::Instance().paused = 1;
    Story::Instance().SetFlag("new_minute");
    ASSERT_TRUE(Frames(60, 50.0));
    EXPECT_FALSE(Story::Instance().FlagPresent("new_minute"));
    EXPECT_EQ(ScriptNumber("timers"), 2.0);
    EXPECT_EQ(cGameWorld::Instance().levelElapsed, 2);

    cGameWorld::Instance().paused = 0;
    ASSERT_TRUE(Frames(41, 50.0));
    EXPECT_EQ(ScriptNumber("timers"), 4.0);
    for (const std::wstring& fault : Faults())
        ADD_FAILURE() << platform::WideToNarrow(fault);
}

// A level whose script cannot be loaded, fails before "on_init" has run
// through, or builds neither a grid nor a place has nothing to play (an empty
// grid would even read as full): the state ends at its first frame, back to
// the map with a notice, unrated.
TEST_F(LevelStateTest, ALevelWithoutAWorkingScriptGoesBackToTheMapUnplayed)
{
    const struct {
        const char *name, *source; // source null: no script file
        const wchar_t* logged;
    } kCases[] = {
        { "missing", nullptr, L"level_setup_05.lua\" not found" },
        { "syntax error", "function on_init( end", L"###error###" },
        { "failing chunk", "error('broken') function on_init() end", L"broken" },
        { "failing on_init", "function on_init() Story:SetTimeForLevel(90) error('broken') end", L"broken" },
        { "no on_init", "Story:SetTimeForLevel(90)", L"on_init   ###error###" },
        { "endless on_init", "function on_init() while true do end end", L"ran too long" },
        { "on_init out of memory", "function on_init() local s = 'x' while true do s = s .. s end end",
            L"not enough memory" },
        { "builds nothing", "function on_init() Story:SetTimeForLevel(90) Story:CreatePlace(100, 60, 300, 9) end",
            L"built neither a grid nor a service place" },
        { "precompiled", "\x1bLuaR\x01\x04\x08 function on_init() end", L"binary" },
        { "stuck in a pattern", "function on_init() string.find(string.rep('a', 40), string.rep('a*', 40) .. 'b') end",
            L"ran too long" },
    };
    Scripting::SetScriptLimitsForTests(size_t { 8 } << 20, 0.1);
    cGameWorld& world = cGameWorld::Instance();
    const auto logged = [&](const wchar_t* text) {
        return std::any_of(log.begin(), log.end(),
            [&](const test::LevelLogLine& l) { return l.text.find(text) != std::wstring::npos; });
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder / "data/script/scene/level_setup_05.lua");
        if (c.source)
            WriteLevelScript(5, c.source);
        log.clear();
        world.levelStatus[5] = -1;
        ASSERT_TRUE(StartLevel(5));
        test::ScreenCalls().clear();
        EXPECT_FALSE(Frame(600.0));
        EXPECT_TRUE(test::ScreenCalls().empty()) << "no frame of the level is drawn";
        EXPECT_EQ(world.returnToMenu, 1);
        EXPECT_EQ(world.levelOver, 0);
        EXPECT_EQ(world.levelStatus[5], -1);
        EXPECT_EQ(Story::Instance().ScriptId(), -1);
        EXPECT_EQ(world.levelStartNotice.rfind(L"Level 5 cannot be started", 0), 0u);
        EXPECT_TRUE(logged(c.logged));
        EXPECT_TRUE(logged(L"level 5 cannot start"));
        world.returnToMenu = 0;
    }
    // A level played on until one of its callbacks is stopped (out of time,
    // here): it ends in that frame as one that could not start, unrated and
    // with the notice, and nothing of it is called again.
    WriteLevelScript(5, std::string(kCountingLevel) + "function on_timer() timers = timers + 1 while true do end end");
    ASSERT_TRUE(StartLevel(5));
    log.clear();
    EXPECT_TRUE(Frame(600.0));
    EXPECT_FALSE(Frame(600.0));
    EXPECT_EQ(world.returnToMenu, 1);
    EXPECT_EQ(world.levelStatus[5], -1);
    EXPECT_EQ(Story::Instance().ScriptId(), -1);
    EXPECT_EQ(world.levelStartNotice.rfind(L"Level 5 cannot be started", 0), 0u);
    EXPECT_TRUE(logged(L"ran too long") && logged(L"its script was stopped"));
    world.returnToMenu = 0;
    // A working script starts the level again; the notice is gone.
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    EXPECT_TRUE(Frame(600.0));
    EXPECT_TRUE(world.levelStartNotice.empty());
}

TEST_F(LevelStateTest, TheFrameRateIsTheFramesOfTheLastWholeSecond)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    const struct {
        double step; // milliseconds a frame
        int frames; // the frame that ends the second
    } cases[] = {
        { 25.0, 40 }, // exactly a second
        { 30.0, 34 }, // 990 ms after 33 frames, 1020 after 34: not scaled to a second
        { 7.0, 143 },
        { 1500.0, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        world.fpsClock = static_cast<int>(ms);
        world.frameCount = 0;
        world.framesPerSecond = -1;
        // Two windows in a row: the second counts from the end of the first.
        for (int window = 0; window < 2; ++window) {
            const int before = world.framesPerSecond;
            ASSERT_TRUE(Frames(c.frames - 1, c.step));
            EXPECT_EQ(world.framesPerSecond, before);
            EXPECT_EQ(world.frameCount, c.frames - 1);
            ASSERT_TRUE(Frame(c.step));
            EXPECT_EQ(world.framesPerSecond, c.frames);
            EXPECT_EQ(world.frameCount, 0);
            EXPECT_EQ(world.fpsClock, static_cast<int>(ms));
        }
    }
}

TEST_F(LevelStateTest, EachFrameTakesTheOldestFlagEventAndKeepsItsNameButTheClocks)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    Story& story = Story::Instance();
    while (story.HasFlagEvents())
        story.PopFlagEvent();
    world.lastFlagText.clear();
    story.SetFlag("first");
    story.SetFlag("new_minute");
    story.SetFlag("second");
    story.SetFlag("second");

    const struct {
        const char* next; // the oldest event left after the frame
        const char* text; // the last flag the frame kept
    } frames[] = {
        { "new_minute", "first" },
        { "second", "first" }, // the clock's tick leaves no trace
        { "second", "second" },
        { "", "second" },
        { "", "second" },
    };
    for (const auto& f : frames) {
        ASSERT_TRUE(Frame(20.0));
        EXPECT_EQ(story.LastFlag(), f.next);
        EXPECT_EQ(world.lastFlagText, f.text);
    }
    EXPECT_FALSE(story.HasFlagEvents());
    // The events go, the flags themselves stay.
    EXPECT_TRUE(story.FlagPresent("first"));
    EXPECT_TRUE(story.FlagPresent("second"));
}

} // namespace
