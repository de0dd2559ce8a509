// A level run headless on a hand-set clock: the script's "on_init" once and
// "on_timer" once per second of unpaused play, the leave request that ends
// the state, and the level start that forgets what the last level left.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/cursor_set.h"
#include "level_fixture.h"
#include "platform/utf16.h"
#include "recording_screens.h"
#include "scene/menu_manager.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_clock.h"
#include "world/game_world.h"

namespace {

using LevelStateTest = test::LevelTest;

const char* const kCountingLevel = R"(
inits = 0
timers = 0
limit_seen = -1
function on_init()
    inits = inits + 1
    limit_seen = Story:GetTimeForLevel()
    Story:SetTimeForLevel(90)
end
function on_timer()
    timers = timers + 1
end
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
    EXPECT_EQ(ScriptNumber("inits"), 1.0);
    for (const std::wstring& fault : Faults())
        ADD_FAILURE() << platform::WideToNarrow(fault);
}

TEST_F(LevelStateTest, LeavingEndsTheStateWithTheScriptAndMusicReleased)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    ASSERT_NE(Story::Instance().ScriptId(), -1);
    ASSERT_TRUE(Frame(20.0));

    world.musicStream = sound.Play2D("data/sound/music/level.ogg");
    world.leaveLevel = 1;
    test::ScreenCalls().clear();
    gfx.ClearRecords();
    EXPECT_FALSE(Frame(20.0));
    // The frame was drawn and its keys handled before the level ended.
    EXPECT_NE(std::find(gfx.calls.begin(), gfx.calls.end(), "Present"), gfx.calls.end());
    EXPECT_FALSE(test::ScreenCalls().empty());

    EXPECT_EQ(Story::Instance().ScriptId(), -1);
    EXPECT_EQ(Story::Instance().ContextHandle(), -1);
    EXPECT_EQ(world.returnToMenu, 1);
    EXPECT_EQ(world.leaveLevel, 0);
    EXPECT_EQ(world.musicStream, nullptr);
    ASSERT_NE(sound.Last(), nullptr);
    EXPECT_EQ(sound.Last()->stops, 1);
    EXPECT_EQ(sound.Last()->releases, 1);
    EXPECT_EQ(sound.Unreleased(), 0);

    // The next level loads into the freed slot and context.
    world.returnToMenu = 0;
    ASSERT_TRUE(StartLevel(5));
    EXPECT_EQ(Story::Instance().ScriptId(), 0);
    EXPECT_EQ(Story::Instance().ContextHandle(), 0);
}

// A level whose script cannot be loaded or fails before "on_init" has run
// through has nothing to play (an empty grid would even read as full): the
// state ends at its first frame, back to the map with a notice, unrated.
TEST_F(LevelStateTest, ALevelWithoutAWorkingScriptGoesBackToTheMapUnplayed)
{
    const struct {
        const char* name;
        const char* source; // null: no script file
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
    // A working script starts the level again; the notice is gone.
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    EXPECT_TRUE(Frame(600.0));
    EXPECT_TRUE(world.levelStartNotice.empty());
}

TEST_F(LevelStateTest, LevelStartForgetsWhatTheLastLevelLeft)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kCountingLevel);
    // The last level left: a darkening half done, its own time limit, its
    // options and lists, its music playing, the leave screens' flags.
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 180;
    world.darkening = 1;
    world.tintStep = 1;
    world.darkTintTarget = 130;
    world.brightening = 1;
    world.levelTimeLimit = 240;
    world.processTimeInStation = 9.0;
    world.stackCounter = 4;
    world.stackLimit = 2;
    world.takeFromStack = 1;
    world.parkingAutos = 3;
    world.gamePlayMode = 1;
    world.minusPointsLimit = 3;
    world.levelOver = 1;
    world.levelState = 1;
    world.medalText = L"GOLD";
    world.medalHoverPause = 1;
    world.bodies.push_back(cBody { 7, "tree", 1, 2 });
    world.places.emplace_back();
    world.messageActive[14] = 1;
    world.musicStream = sound.Play2D("data/sound/music/last.ogg");
    world.saveCounters[3] = 5;
    Story::Instance().SetFlag("from_last_level");

    ASSERT_TRUE(StartLevel(5));
    // on_init saw no time limit: the old one was gone before it ran.
    EXPECT_EQ(ScriptNumber("limit_seen"), 0.0);
    EXPECT_EQ(world.levelTimeLimit, 90);
    EXPECT_EQ(world.darkening, 0);
    EXPECT_EQ(world.brightening, 0);
    EXPECT_EQ(world.tintStep, 0);
    EXPECT_EQ(world.darkTintTarget, 0);
    EXPECT_EQ(world.levelTint[0], 0);
    EXPECT_EQ(world.processTimeInStation, 0.0);
    EXPECT_EQ(world.stackCounter, 0);
    EXPECT_EQ(world.stackLimit, 0);
    EXPECT_EQ(world.takeFromStack, 0);
    EXPECT_EQ(world.parkingAutos, 0);
    EXPECT_EQ(world.gamePlayMode, 0);
    EXPECT_EQ(world.minusPointsLimit, 250);
    EXPECT_EQ(world.levelOver, 0);
    EXPECT_EQ(world.levelState, 0);
    EXPECT_TRUE(world.medalText.empty());
    EXPECT_EQ(world.medalHoverPause, 0);
    EXPECT_TRUE(world.bodies.empty());
    EXPECT_TRUE(world.places.empty());
    EXPECT_EQ(world.messageActive[14], 0);
    EXPECT_EQ(world.saveCounters[3], 0);
    EXPECT_FALSE(Story::Instance().FlagPresent("from_last_level"));
    EXPECT_EQ(world.drawStation, 1);
    EXPECT_EQ(world.dropPending, 1);
    EXPECT_EQ(world.levelActive, 1);
    // The old music was stopped and given back, not just forgotten.
    EXPECT_EQ(world.musicStream, nullptr);
    EXPECT_EQ(sound.Unreleased(), 0);
    EXPECT_EQ(sound.Last()->stops, 1);

    const auto& lines = log;
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                  [](const test::LevelLogLine& l) { return l.text.find(L"+++ START LEVEL 5") != std::wstring::npos; }),
        lines.end());
}

TEST_F(LevelStateTest, QuittingRefusesTheLevelAndTheBackgroundReloadsOnTheFirstFrame)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kCountingLevel);
    world.quitRequested = 1;
    EXPECT_FALSE(StartLevel(5));
    EXPECT_EQ(Story::Instance().ScriptId(), -1);
    world.quitRequested = 0;

    // The background is switched off by the level's set-up and on again by
    // its first frame, which loads the new region.
    auto* floor = cMenuManager::Instance().GetMenu(cMenuManager::kFloor);
    floor->SetActive(true);
    test::ScreenCalls().clear();
    ASSERT_TRUE(StartLevel(5));
    EXPECT_FALSE(floor->IsActive());
    ASSERT_TRUE(Frame(20.0));
    EXPECT_TRUE(floor->IsActive());
    const auto& calls = test::ScreenCalls();
    const auto off = std::find(calls.begin(), calls.end(), "Floor off");
    const auto on = std::find(calls.begin(), calls.end(), "Floor on");
    ASSERT_NE(off, calls.end());
    ASSERT_NE(on, calls.end());
    EXPECT_LT(off, on);
}

TEST_F(LevelStateTest, CursorFollowsTheClickUnlessACarIsDragged)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    input.Click(0);
    ASSERT_TRUE(Frame(20.0));
    // The click is seen after the drawing: the next frame shows "Click".
    EXPECT_EQ(world.clickCursor, 1);
    ASSERT_TRUE(Frame(20.0));
    EXPECT_EQ(cCursorSet::Instance().GetName(), L"Click");
    EXPECT_EQ(world.clickCursor, 0);
    ASSERT_TRUE(Frame(20.0));
    EXPECT_EQ(cCursorSet::Instance().GetName(), L"Standard");

    world.autoOnMouse = 4;
    world.clickCursor = 1;
    ASSERT_TRUE(Frame(20.0));
    EXPECT_EQ(world.clickCursor, 1);
}

TEST_F(LevelStateTest, FrameRateChangesOnlyOnceASecondHasPassed)
{
    cGameWorld& world = cGameWorld::Instance();
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    world.fpsClock = static_cast<int>(ms);
    world.frameCount = 0;
    world.framesPerSecond = 0;
    ASSERT_TRUE(Frames(39, 25.0)); // 975 ms
    EXPECT_EQ(world.framesPerSecond, 0);
    ASSERT_TRUE(Frame(25.0));
    EXPECT_EQ(world.framesPerSecond, 40);
    EXPECT_EQ(world.frameCount, 0);
}

TEST_F(LevelStateTest, EachFrameDropsTheOldestFlagEventOnly)
{
    WriteLevelScript(5, kCountingLevel);
    ASSERT_TRUE(StartLevel(5));
    Story& story = Story::Instance();
    while (story.HasFlagEvents())
        story.PopFlagEvent();
    story.SetFlag("first");
    story.SetFlag("second");
    story.SetFlag("third");

    const char* const oldest[] = { "second", "third", "" };
    for (const char* expected : oldest) {
        ASSERT_TRUE(Frame(20.0));
        EXPECT_EQ(story.LastFlag(), expected);
    }
    EXPECT_FALSE(story.HasFlagEvents());
    // The events go, the flags themselves stay.
    EXPECT_TRUE(story.FlagPresent("first"));
    EXPECT_TRUE(story.FlagPresent("third"));
}

} // namespace
