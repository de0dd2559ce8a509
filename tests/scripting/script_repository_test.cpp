// The script repository's one slot: scripts from package entries and loose
// files, text slots set and run, the slot freed and taken again, and the
// character scripts found by name.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "platform/utf16.h"
#include "resources/package.h"
#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"

namespace {

using ScriptRepository = test::ScriptTest;

// A chunk compiled by Lua itself, as a precompiled script would hold it.
std::string Precompiled(const char* source)
{
    lua_State* L = luaL_newstate();
    std::string bytes;
    luaL_loadstring(L, source);
    lua_dump(
        L,
        [](lua_State*, const void* p, size_t size, void* out) {
            static_cast<std::string*>(out)->append(static_cast<const char*>(p), size);
            return 0;
        },
        &bytes);
    lua_close(L);
    return bytes;
}

bool HasLine(const std::vector<test::LogLine>& log, const std::wstring& part)
{
    for (const test::LogLine& line : log)
        if (line.text.find(part) != std::wstring::npos)
            return true;
    return false;
}

TEST_F(ScriptRepository, PackageEntriesLoadAsTextOrBufferSlotsAndRun)
{
    const std::string entries[][2] = {
        { "greet.lua", "greeting = 'from the package'" },
        { "empty.lua", "" },
        { "oops.lua", "error('bad')" },
        { "compiled.lua", Precompiled("greeting = 'compiled'") },
    };
    {
        std::filesystem::create_directories(m_folder / "src");
        cPackage writer;
        ASSERT_TRUE(writer.Create(L"data/scripts.pkg"));
        for (const auto& [name, content] : entries) {
            std::ofstream(m_folder / ("src/" + name), std::ios::binary) << content;
            ASSERT_TRUE(writer.AddFileAs(platform::NarrowToWide("src/" + name), platform::NarrowToWide(name)));
        }
        ASSERT_TRUE(writer.Commit());
    }
    std::filesystem::remove_all(m_folder / "src");

    const struct {
        const wchar_t* entry;
        bool binary;
        bool runs;
        const char* source; // what GetScriptSource answers; null for none
        const char* greeting; // the global after the run
        const wchar_t* error; // part of the logged error
    } cases[] = {
        { L"greet.lua", false, true, "greeting = 'from the package'", "from the package", nullptr },
        { L"greet.lua", true, true, nullptr, "from the package", nullptr },
        { L"empty.lua", false, true, "", "", nullptr },
        { L"empty.lua", true, true, nullptr, "", nullptr },
        // A text slot is named by its text in Lua's messages, a buffer slot
        // by the word "script".
        { L"oops.lua", false, false, "error('bad')", "", L"[string \"error('bad')\"]:1: bad" },
        { L"oops.lua", true, false, nullptr, "", L"[string \"script\"]:1: bad" },
        // Source text only, whichever loader runs it.
        { L"compiled.lua", true, false, nullptr, "", L"binary" },
        { L"compiled.lua", false, false, "\x1bLuaR", "", L"binary" },
    };
    lua_State* L = Scripting::GetMainState();
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::WideToNarrow(c.entry) + (c.binary ? " binary" : " text"));
        ASSERT_TRUE(RunChunk(L, "greeting = ''"));
        const int id = Scripting::LoadScript(L"data/scripts.pkg", c.entry, c.binary);
        ASSERT_EQ(id, 0);
        const char* source = Scripting::GetScriptSource(id);
        EXPECT_EQ(source ? std::string(source) : "(null)", c.source ? std::string(c.source) : "(null)");
        TakeLog();
        EXPECT_EQ(Scripting::RunScript("Package: ", id), c.runs);
        const auto log = TakeLog();
        if (c.error) {
            EXPECT_TRUE(HasLine(log, L"Package:    ###error###    ")) << log.size();
            EXPECT_TRUE(HasLine(log, c.error));
        } else {
            EXPECT_TRUE(log.empty());
        }
        lua_getglobal(L, "greeting");
        EXPECT_STREQ(lua_tostring(L, -1), c.greeting);
        lua_pop(L, 1);
        // The one slot is taken until every script is unloaded.
        EXPECT_EQ(Scripting::LoadScript(L"data/scripts.pkg", L"greet.lua", false), -1);
        EXPECT_TRUE(
            HasLine(TakeLog(), L"[Scripting::LoadScript] Unable to load greet.lua - script repository is full"));
        Scripting::UnloadAllScripts();
        EXPECT_FALSE(Scripting::RunScript("Package: ", id));
    }
    EXPECT_EQ(Scripting::LoadScript(L"data/scripts.pkg", L"absent.lua", false), -1);
    EXPECT_EQ(Scripting::LoadScript(L"data/absent.pkg", L"greet.lua", false), -1);
    // Failed loads take no id.
    EXPECT_EQ(Scripting::LoadScript(L"data/scripts.pkg", L"greet.lua", true), 0);
    Scripting::UnloadScript(0);
}

// A text slot holds a copy of the text it was given and runs it; a freed slot
// holds no script until a load takes it again.
TEST_F(ScriptRepository, TextSlotsAreSetGotRunAndFreed)
{
    std::ofstream(m_folder / "data/a.lua") << "value = 'loose'";
    ASSERT_EQ(Scripting::LoadScript(L"data/a.lua", false), 0);
    EXPECT_EQ(Scripting::GetScriptSource(0), nullptr); // a loose file runs as a buffer
    const std::string longer = "value = '" + std::string(300, 'x') + "'";
    const char* const texts[] = { "value = 'first'", longer.c_str(), "value = 'short'", "value = 'first'" };
    lua_State* L = Scripting::GetMainState();
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(Scripting::SetScriptSource(0, text));
        ASSERT_NE(Scripting::GetScriptSource(0), nullptr);
        EXPECT_STREQ(Scripting::GetScriptSource(0), text);
        EXPECT_NE(Scripting::GetScriptSource(0), text); // a copy
        ASSERT_TRUE(Scripting::RunScript("Text: ", 0));
        lua_getglobal(L, "value");
        EXPECT_EQ(std::string(lua_tostring(L, -1)), std::string(text).substr(9, std::strlen(text) - 10));
        lua_pop(L, 1);
    }
    for (int id : { -1, 1, 2 }) {
        EXPECT_FALSE(Scripting::SetScriptSource(id, "value = 1")) << id;
        EXPECT_EQ(Scripting::GetScriptSource(id), nullptr) << id;
        EXPECT_FALSE(Scripting::RunScript("Text: ", id)) << id;
    }
    EXPECT_FALSE(Scripting::SetScriptSource(0, nullptr));
    EXPECT_STREQ(Scripting::GetScriptSource(0), "value = 'first'");

    // Freed: no text to read and nothing to run, even after new text is set.
    Scripting::UnloadScript(0);
    EXPECT_EQ(Scripting::GetScriptSource(0), nullptr);
    EXPECT_TRUE(Scripting::SetScriptSource(0, "value = 'freed'"));
    EXPECT_EQ(Scripting::GetScriptSource(0), nullptr);
    EXPECT_FALSE(Scripting::RunScript("Text: ", 0));
    // The next load takes the slot again and runs its own content.
    std::ofstream(m_folder / "data/b.lua") << "value = 'b'";
    ASSERT_EQ(Scripting::LoadScript(L"data/b.lua", false), 0);
    ASSERT_TRUE(Scripting::RunScript("Text: ", 0));
    EXPECT_TRUE(RunChunk(L, "assert(value == 'b')"));
    // A shorter script in the larger buffer left by the long text ends where
    // it ends.
    Scripting::UnloadScript(0);
    ASSERT_EQ(Scripting::LoadScript(L"data/b.lua", false), 0);
    ASSERT_TRUE(Scripting::SetScriptSource(0, "value = 'c'"));
    EXPECT_STREQ(Scripting::GetScriptSource(0), "value = 'c'");
    ASSERT_TRUE(Scripting::RunScript("Text: ", 0));
    EXPECT_TRUE(RunChunk(L, "assert(value == 'c')"));
}

// A character script is loaded once by name; a missing one is warned about
// once and not looked for again until the host restarts.
TEST_F(ScriptRepository, CharacterScriptsAreFoundOnceAndMissingOnesRemembered)
{
    std::filesystem::create_directories(m_folder / "data/script/person");
    std::ofstream(m_folder / "data/script/person/kim.lua") << "kim_runs = (kim_runs or 0) + 1";
    const std::wstring warning = L"[Scripting::GetScriptById] Character script for \"ghost\" not found.";
    const struct {
        const wchar_t* name;
        int id;
        bool warns;
    } calls[] = {
        { L"kim", 0, false },
        { L"kim", 0, false }, // the same slot, not a second load
        { L"ghost", -1, true },
        { L"ghost", -1, false },
    };
    for (const auto& c : calls) {
        SCOPED_TRACE(platform::WideToNarrow(c.name));
        EXPECT_EQ(Scripting::GetScriptById(c.name), c.id);
        const auto log = TakeLog();
        EXPECT_EQ(HasLine(log, warning), c.warns);
        EXPECT_EQ(log.size(), c.warns ? 1u : 0u);
    }
    ASSERT_TRUE(Scripting::RunScript("Kim: ", 0));
    EXPECT_TRUE(RunChunk(Scripting::GetMainState(), "assert(kim_runs == 1)"));

    // Written later, the missing script is still not looked for.
    std::ofstream(m_folder / "data/script/person/ghost.lua") << "ghost = 1";
    EXPECT_EQ(Scripting::GetScriptById(L"ghost"), -1);
    EXPECT_TRUE(TakeLog().empty());

    // Unloaded, kim's id may go to another script: kim is looked up afresh
    // and never answers with the other script's id.
    Scripting::UnloadScript(0);
    std::ofstream(m_folder / "data/other.lua") << "other = 1";
    ASSERT_EQ(Scripting::LoadScript(L"data/other.lua", true), 0);
    EXPECT_EQ(Scripting::GetScriptById(L"kim"), -1);
    Scripting::UnloadScript(0);

    // A restarted host forgets what it remembered.
    Script::ShutDown();
    ASSERT_TRUE(Script::Initialize());
    ASSERT_TRUE(ExportStory());
    EXPECT_EQ(Scripting::GetScriptById(L"ghost"), 0);
    Scripting::UnloadAllScripts();
}

} // namespace
