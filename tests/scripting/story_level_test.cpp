// A level script's life: loaded from the data folder, "on_init" run in its own
// context, callbacks and flags, and the release that lets the next level load.
#include <gtest/gtest.h>

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

using StoryLevel = test::ScriptTest;

TEST_F(StoryLevel, EveryCallbackRunsInTheLevelsContextAndFlagsQueueTheirEvents)
{
    const char* const names[] = { "on_after_init", "on_load", "on_after_load", "on_timer", "on_bonus", "ok_work",
        "ok_build", "ok_update", "ok_saw", "add_manager", "on_fill_parking_place", "on_minus_points", "on_level_finish",
        "on_blumen", "on_wbaum" };
    std::string source
        = "counted = 0\nfunction on_init() Story:SetFlag('a'); Story:SetFlag('b'); Story:SetFlag('a') end\n";
    for (const char* name : names)
        source += std::string("function ") + name + "() counted = counted + 1; Story:RemoveFlag('" + name + "') end\n";
    Story& story = Story::Instance();
    StartLevel(source, 7);
    EXPECT_EQ(story.ScriptId(), 0);
    EXPECT_EQ(story.ContextHandle(), 0);
    // Three SetFlag calls queue three events, drained oldest first.
    std::string drained;
    for (; story.HasFlagEvents(); story.PopFlagEvent())
        drained += story.LastFlag();
    EXPECT_EQ(drained, "aba");
    EXPECT_EQ(story.LastFlag(), "");
    for (const char* name : names) {
        story.SetFlagSilent(name);
        EXPECT_TRUE(story.CallScriptFunction(name)) << name;
        EXPECT_FALSE(story.FlagPresent(name)) << name;
    }
    EXPECT_FALSE(story.HasFlagEvents()); // neither silent flags nor removals queue events
    EXPECT_EQ(Number("counted"), std::size(names));
    EXPECT_EQ(Scripting::GetCurrentState(), Scripting::GetMainState());
    EXPECT_TRUE(ScriptErrors().empty());

    // Without a release the repository is full; after one the next level loads.
    WriteLevelScript(2, "function on_init() Story:SetFlag('second') end");
    EXPECT_EQ(Scripting::LoadScript(L"data/script/scene/level_setup_02.lua", true), -1);
    story.ReleaseLevelScript();
    EXPECT_EQ(story.ScriptId(), -1);
    EXPECT_EQ(story.ContextHandle(), -1);
    EXPECT_EQ(Scripting::GetContextState(0), nullptr);
    TakeLog();
    EXPECT_FALSE(story.CallScriptFunction("on_timer")); // no script: nothing, no line
    EXPECT_TRUE(TakeLog().empty());
    cGameWorld::Instance().level = 2;
    EXPECT_TRUE(story.InitLevel());
    EXPECT_TRUE(story.FlagPresent("second"));
    story.ClearFlags();
    EXPECT_FALSE(story.FlagPresent("a"));
}

// The flag map and the event queue keep apart: removing or clearing flags
// leaves their events queued, and a silent flag queues none.
TEST_F(StoryLevel, FlagsAndTheirEventsFollowTheirOwnRules)
{
    Story& story = Story::Instance();
    story.RemoveFlag("absent"); // harmless on an empty map
    story.SetFlag("a");
    story.SetFlag("a");
    story.SetFlagSilent("quiet");
    EXPECT_TRUE(story.FlagPresent("a"));
    EXPECT_TRUE(story.FlagPresent("quiet"));
    EXPECT_FALSE(story.FlagPresent("absent"));
    story.RemoveFlag("a");
    EXPECT_FALSE(story.FlagPresent("a"));
    EXPECT_TRUE(story.FlagPresent("quiet"));
    ASSERT_TRUE(story.HasFlagEvents());
    EXPECT_EQ(story.LastFlag(), "a");
    story.PopFlagEvent();
    EXPECT_EQ(story.LastFlag(), "a");
    story.PopFlagEvent();
    EXPECT_FALSE(story.HasFlagEvents());
    story.PopFlagEvent(); // an empty queue stays empty
    EXPECT_EQ(story.LastFlag(), "");

    story.SetFlag("b");
    story.ClearFlags();
    EXPECT_FALSE(story.FlagPresent("quiet"));
    EXPECT_FALSE(story.FlagPresent("b"));
    ASSERT_TRUE(story.HasFlagEvents()); // the queue drains on its own
    EXPECT_EQ(story.LastFlag(), "b");
    story.PopFlagEvent();
    EXPECT_FALSE(story.HasFlagEvents());
}

// "on_load" is called in the level's context while a level script is loaded,
// and not at all before or after.
TEST_F(StoryLevel, OnLoadCallsTheLoadedScriptsOnLoad)
{
    const struct {
        const char* source; // the level script; null: none loaded
        double loads; // the script's count after the call
        bool error; // a script error is logged
    } cases[] = {
        { "loads = 0\nfunction on_init() end\nfunction on_load() loads = loads + 1; Story:SetFlag('loaded') end", 1,
            false },
        { "loads = 0\nfunction on_init() end", 0, true },
        { nullptr, 0, false },
    };
    Story& story = Story::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source ? c.source : "no script");
        story.ReleaseLevelScript();
        story.ClearFlags();
        if (c.source)
            StartLevel(c.source, 5);
        TakeLog();
        story.OnLoad();
        EXPECT_EQ(ScriptErrors().size(), c.error ? 1u : 0u);
        EXPECT_EQ(story.FlagPresent("loaded"), c.loads > 0);
        if (c.source) {
            EXPECT_EQ(Number("loads"), c.loads);
        }
        EXPECT_EQ(Scripting::GetCurrentState(), Scripting::GetMainState());
    }
    // Released, the script is not called again.
    StartLevel("loads = 0\nfunction on_init() end\nfunction on_load() Story:SetFlag('loaded') end", 5);
    story.ReleaseLevelScript();
    story.ClearFlags();
    TakeLog();
    story.OnLoad();
    EXPECT_FALSE(story.FlagPresent("loaded"));
    EXPECT_TRUE(TakeLog().empty());
}

} // namespace
