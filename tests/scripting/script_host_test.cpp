// The host's capacities of one, its selection rules and the separation of its
// Lua universes.
#include <cwchar>
#include <fstream>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_world.h"

namespace {

using ScriptHost = test::ScriptTest;

TEST_F(ScriptHost, ContextsAreSeparateUniverses)
{
    lua_State* main = Scripting::GetMainState();
    ASSERT_TRUE(RunChunk(main, "shared_name = 'main'"));

    const int first = Scripting::AllocateContext();
    ASSERT_EQ(first, 0);
    lua_State* context = Scripting::GetContextState(first);
    ASSERT_NE(context, main);
    EXPECT_TRUE(GlobalIsNil(context, "shared_name"));
    ASSERT_TRUE(RunChunk(context, "shared_name = 'level'; only_here = 1"));
    EXPECT_EQ(GlobalString(main, "shared_name"), "main");
    EXPECT_TRUE(GlobalIsNil(main, "only_here"));

    // The next level's context starts empty again, but with Story.
    Scripting::FreeContext(first);
    const int second = Scripting::AllocateContext();
    ASSERT_EQ(second, 0);
    lua_State* next = Scripting::GetContextState(second);
    EXPECT_TRUE(GlobalIsNil(next, "only_here"));
    EXPECT_FALSE(GlobalIsNil(next, "Story"));
    EXPECT_FALSE(GlobalIsNil(next, "DebugPrint"));
}

TEST_F(ScriptHost, StoryInAContextIsTheSameObjectAsInTheMainState)
{
    cGameWorld::Instance().level = 17;
    const int handle = Scripting::AllocateContext();
    ASSERT_TRUE(RunChunk(Scripting::GetMainState(), "main_level = Story:GetLevel()"));
    ASSERT_TRUE(RunChunk(Scripting::GetContextState(handle), "level = Story:GetLevel(); Story:SetFlag('ctx')"));
    EXPECT_EQ(GlobalNumber(Scripting::GetMainState(), "main_level"), 17);
    EXPECT_EQ(GlobalNumber(Scripting::GetContextState(handle), "level"), 17);
    EXPECT_TRUE(Story::Instance().FlagPresent("ctx"));
    Scripting::FreeContext(handle);
}

TEST_F(ScriptHost, OneContextOnlyAndOneLevelOfSelection)
{
    const int handle = Scripting::AllocateContext();
    ASSERT_EQ(handle, 0);
    EXPECT_EQ(Scripting::AllocateContext(), -1);
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text,
        L"[Scripting::AllocateContext] Unable to allocate private context - out of "
        L"handles.error after FreeContextIndex");

    lua_State* context = Scripting::GetContextState(handle);
    EXPECT_FALSE(Scripting::SelectContext(-1));
    EXPECT_FALSE(Scripting::SelectContext(1));
    EXPECT_TRUE(Scripting::SelectContext(handle));
    EXPECT_FALSE(Scripting::SelectContext(handle));
    EXPECT_EQ(Scripting::GetCurrentState(), context);
    EXPECT_TRUE(Scripting::RestoreContext());
    EXPECT_EQ(Scripting::GetCurrentState(), Scripting::GetMainState());
    EXPECT_FALSE(Scripting::RestoreContext());

    // Freeing the current context makes the main state current first.
    ASSERT_TRUE(Scripting::SelectContext(handle));
    Scripting::FreeContext(handle);
    EXPECT_EQ(Scripting::GetCurrentState(), Scripting::GetMainState());
    EXPECT_FALSE(Scripting::RestoreContext());
    EXPECT_FALSE(Scripting::SelectContext(handle));
    Scripting::FreeContext(handle); // a second free is refused quietly
    EXPECT_EQ(Scripting::AllocateContext(), 0);
}

TEST_F(ScriptHost, RepositorySlotIsReusedWithItsBuffer)
{
    std::ofstream(m_folder / "a.lua") << "loaded_a = 1";
    std::ofstream(m_folder / "b.lua") << "loaded_b = 2";
    const int a = Scripting::LoadScript(L"a.lua", false);
    ASSERT_EQ(a, 0);
    EXPECT_EQ(Scripting::LoadScript(L"b.lua", false), -1);
    EXPECT_EQ(Scripting::LoadScript(L"missing.lua", false), -1);
    // Loose scripts always take the buffer path, so they have no source text.
    EXPECT_EQ(Scripting::GetScriptSource(a), nullptr);
    EXPECT_TRUE(Scripting::RunScript("test", a));
    EXPECT_EQ(GlobalNumber(Scripting::GetMainState(), "loaded_a"), 1);

    Scripting::UnloadScript(a);
    Scripting::UnloadScript(a); // already free: nothing
    EXPECT_FALSE(Scripting::RunScript("test", a));
    const int b = Scripting::LoadScript(L"b.lua", false);
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(Scripting::RunScript("test", b));
    EXPECT_EQ(GlobalNumber(Scripting::GetMainState(), "loaded_b"), 2);

    // Text set by hand runs as a string chunk.
    ASSERT_TRUE(Scripting::SetScriptSource(b, "from_text = 'yes'"));
    EXPECT_STREQ(Scripting::GetScriptSource(b), "from_text = 'yes'");
    EXPECT_TRUE(Scripting::RunScript("test", b));
    EXPECT_EQ(GlobalString(Scripting::GetMainState(), "from_text"), "yes");
    EXPECT_FALSE(Scripting::SetScriptSource(5, "x"));
    EXPECT_FALSE(Scripting::RunScript("test", -1));
}

TEST_F(ScriptHost, ShutDownReportsScriptsStillLoaded)
{
    std::ofstream(m_folder / "a.lua") << "x = 1";
    ASSERT_EQ(Scripting::LoadScript(L"a.lua", true), 0);
    TakeLog();
    Script::ShutDown();
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, L"warning");
    EXPECT_EQ(log[0].text, L"[Script::ShutDown] 1 Zombies detected. Scripts may still be in use.");
    EXPECT_EQ(Scripting::GetMainState(), nullptr);
    // Without a main state nothing can be selected and Story is not exported.
    EXPECT_FALSE(ExportStory());
    const int handle = Scripting::AllocateContext();
    EXPECT_FALSE(Scripting::SelectContext(handle));
    Scripting::FreeContext(handle);
    EXPECT_EQ(Scripting::LoadScript(L"a.lua", true), 0);
    Scripting::UnloadScript(0);
}

TEST_F(ScriptHost, CharacterScriptsAreLookedUpOnce)
{
    EXPECT_EQ(Scripting::GetScriptById(L"nobody"), -1);
    EXPECT_EQ(Scripting::GetScriptById(L"nobody"), -1);
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 1u); // a missing script is not looked for again
    EXPECT_EQ(log[0].text, L"[Scripting::GetScriptById] Character script for \"nobody\" not found.");
}

TEST(ScriptText, WideBufferCutsLongTextAndWidensUtf8)
{
    EXPECT_STREQ(Scripting::ToWideBuffer("gr\xc3\xbcn"), L"gr\u00fcn");
    EXPECT_STREQ(Scripting::ToWideBuffer(nullptr), L"");
    const std::string longText(1000, 'x');
    EXPECT_EQ(std::wcslen(Scripting::ToWideBuffer(longText.c_str())), 259u);
}

} // namespace
