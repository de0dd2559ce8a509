// A level script's life: loaded from the data folder, "on_init" run in its own
// context, the game reading back what it set, and the release that lets the
// next level load.
#include <gtest/gtest.h>

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

using test::ScriptTest;
using StoryLevel = ScriptTest;

const char* const kLevelScript = R"(
counted = 0
function on_init()
    Story:SetFlag("gate_open")
    Story:SetFlag("second")
    Story:SetFlag("gate_open")
    Story:SaveParam(3, 42)
    Story:SaveCounter(99, Story:GetLevel() * 2)
    Story:AddToParameters(5, 7)
    Story:AddToParameters(5, -2)
    Story:SetState(1)
    Story:SetGamePlayMode(1)
end
function on_timer()
    counted = counted + 1
    if Story:FlagPresent("gate_open") then Story:RemoveFlag("gate_open") end
end
)";

TEST_F(StoryLevel, OnInitSetsFlagsAndWorldValuesThatTheGameReadsBack)
{
    StartLevel(kLevelScript, 7);
    Story& story = Story::Instance();
    EXPECT_EQ(story.ScriptId(), 0);
    EXPECT_EQ(story.ContextHandle(), 0);
    EXPECT_TRUE(ScriptErrors().empty());

    EXPECT_TRUE(story.FlagPresent("gate_open"));
    EXPECT_TRUE(story.FlagPresent("second"));
    const cGameWorld& world = cGameWorld::Instance();
    EXPECT_EQ(world.saveParams[3], 42);
    EXPECT_EQ(world.saveCounters[99], 14);
    EXPECT_EQ(world.parameters[5], 5);
    EXPECT_EQ(world.levelState, 1);
    EXPECT_EQ(world.gamePlayMode, 1);

    // Three SetFlag calls queue three events, drained oldest first.
    std::vector<std::string> drained;
    while (story.HasFlagEvents()) {
        drained.push_back(story.LastFlag());
        story.PopFlagEvent();
    }
    EXPECT_EQ(drained, (std::vector<std::string> { "gate_open", "second", "gate_open" }));
    EXPECT_EQ(story.LastFlag(), "");

    // Callbacks run in the level's context and see its globals.
    story.CallScriptFunction("on_timer");
    story.CallScriptFunction("on_timer");
    EXPECT_FALSE(story.FlagPresent("gate_open"));
    EXPECT_EQ(GlobalNumber(Scripting::GetContextState(story.ContextHandle()), "counted"), 2);
    EXPECT_EQ(Scripting::GetCurrentState(), Scripting::GetMainState());
}

TEST_F(StoryLevel, ReleaseFreesSlotAndContextSoTheNextLevelLoads)
{
    StartLevel("function on_init() Story:SetFlag('first') end", 1);
    Story& story = Story::Instance();
    ASSERT_EQ(story.ScriptId(), 0);
    story.ReleaseLevelScript();
    EXPECT_EQ(story.ScriptId(), -1);
    EXPECT_EQ(story.ContextHandle(), -1);
    EXPECT_EQ(Scripting::GetContextState(0), nullptr);

    // A callback with no script loaded does nothing and logs nothing.
    TakeLog();
    story.CallScriptFunction("on_timer");
    EXPECT_TRUE(TakeLog().empty());

    StartLevel("function on_init() Story:SetFlag('second') end", 2);
    EXPECT_EQ(story.ScriptId(), 0);
    EXPECT_EQ(story.ContextHandle(), 0);
    EXPECT_TRUE(story.FlagPresent("second"));
    EXPECT_TRUE(ScriptErrors().empty());
}

TEST_F(StoryLevel, WithoutReleaseTheNextLoadFindsTheRepositoryFull)
{
    StartLevel("function on_init() end", 1);
    WriteLevelScript(2, "function on_init() end");
    EXPECT_EQ(Scripting::LoadScript(L"data/script/scene/level_setup_02.lua", true), -1);
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, L"error");
    EXPECT_EQ(log[0].text,
        L"[Scripting::LoadScript] Unable to load data/script/scene/level_setup_02.lua - script repository is full");
}

TEST_F(StoryLevel, LevelThirtyOneAlwaysLoadsItsFixedScript)
{
    WriteLevelScript(31,
        "function on_init() Story:SetFlag('shop') end\n"
        "function on_after_init() Story:SetFlag('after') end");
    cGameWorld::Instance().level = 4; // no script for level 4 exists
    Story::Instance().InitLevel31();
    Story::Instance().AfterInit();
    EXPECT_TRUE(Story::Instance().FlagPresent("shop"));
    EXPECT_TRUE(Story::Instance().FlagPresent("after"));
}

TEST_F(StoryLevel, MissingScriptIsLoggedAndTheLevelRefused)
{
    cGameWorld::Instance().level = 12;
    EXPECT_FALSE(Story::Instance().InitLevel());
    EXPECT_EQ(Story::Instance().ScriptId(), -1);
    EXPECT_EQ(Story::Instance().ContextHandle(), -1);
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, L"Story::LoadLevelScript -> \"data/script/scene/level_setup_12.lua\" not found");
}

TEST_F(StoryLevel, EveryCallbackNameReachesTheScript)
{
    const char* const names[] = { "on_init", "on_after_init", "on_load", "on_after_load", "on_timer", "on_bonus",
        "ok_work", "ok_build", "ok_update", "ok_saw", "add_manager", "on_fill_parking_place", "on_minus_points",
        "on_level_finish", "on_blumen", "on_wbaum" };
    std::string source;
    for (const char* name : names)
        source += std::string("function ") + name + "() Story:SetFlag('" + name + "') end\n";
    WriteLevelScript(9, source);
    cGameWorld::Instance().level = 9;
    Story& story = Story::Instance();
    story.LoadLevelScript();
    for (const char* name : names) {
        story.CallScriptFunction(name);
        EXPECT_TRUE(story.FlagPresent(name)) << name;
    }
    EXPECT_TRUE(ScriptErrors().empty());
}

TEST_F(StoryLevel, AnEmptyScriptLoadsAndRuns)
{
    StartLevel("", 3);
    EXPECT_EQ(Story::Instance().ScriptId(), 0);
    // Only the missing "on_init" is reported.
    const auto errors = ScriptErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Map: on_init   ###error###    attempt to call a nil value\r\n");
}

TEST(StoryFlags, QueueAndMapFollowTheirOwnRules)
{
    Story& story = Story::Instance();
    story.ClearFlags();
    while (story.HasFlagEvents())
        story.PopFlagEvent();

    story.RemoveFlag("absent"); // harmless on an empty map
    story.SetFlag("a");
    story.SetFlag("a");
    story.SetFlagSilent("quiet");
    EXPECT_TRUE(story.FlagPresent("a"));
    EXPECT_TRUE(story.FlagPresent("quiet"));
    story.RemoveFlag("a");
    EXPECT_FALSE(story.FlagPresent("a"));
    // Removing the flag leaves its two events queued; the silent one has none.
    ASSERT_TRUE(story.HasFlagEvents());
    EXPECT_EQ(story.LastFlag(), "a");
    story.PopFlagEvent();
    EXPECT_EQ(story.LastFlag(), "a");
    story.PopFlagEvent();
    EXPECT_FALSE(story.HasFlagEvents());
    story.PopFlagEvent();
    EXPECT_EQ(story.LastFlag(), "");

    story.SetFlag("b");
    story.ClearFlags();
    EXPECT_FALSE(story.FlagPresent("quiet"));
    EXPECT_TRUE(story.HasFlagEvents()); // the queue drains on its own
    story.PopFlagEvent();
}

} // namespace
