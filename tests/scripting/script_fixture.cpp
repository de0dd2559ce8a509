#include "scripting/script_fixture.h"

#include <filesystem>
#include <fstream>
#include <utility>

#include <lua.hpp>

#include "resources/log.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_world.h"

namespace test {

void ScriptTest::SetUp()
{
    m_oldDirectory = std::filesystem::current_path().string();
    std::filesystem::create_directories(m_folder / "data/script/scene");
    std::filesystem::current_path(m_folder.Path());
    cGameWorld::Instance().ResetToDefaults();
    cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& text) {
        m_log.push_back({ kind, text });
    });
    ASSERT_TRUE(Script::Initialize());
    ASSERT_TRUE(ExportStory());
    Story& story = Story::Instance();
    story.ReleaseLevelScript();
    story.ClearFlags();
    while (story.HasFlagEvents())
        story.PopFlagEvent();
}

void ScriptTest::TearDown()
{
    Scripting::SetScriptLimitsForTests(0, 0);
    Story::Instance().ReleaseLevelScript();
    Script::ShutDown();
    cLog::Instance().SetObserver(nullptr);
    std::filesystem::current_path(m_oldDirectory);
}

void ScriptTest::WriteLevelScript(int level, const std::string& source)
{
    char name[64];
    std::snprintf(name, sizeof name, "data/script/scene/level_setup_%02d.lua", level);
    std::ofstream(m_folder / name, std::ios::binary) << source;
}

void ScriptTest::StartLevel(const std::string& source, int level)
{
    WriteLevelScript(level, source);
    cGameWorld::Instance().level = level;
    Story::Instance().InitLevel();
}

lua_State* ScriptTest::State()
{
    const int level = Story::Instance().ContextHandle();
    if (level >= 0)
        return Scripting::GetContextState(level);
    if (m_handle < 0)
        m_handle = Scripting::AllocateContext();
    return Scripting::GetContextState(m_handle);
}

bool ScriptTest::RunChunk(lua_State* L, const std::string& chunk)
{
    if (luaL_loadstring(L, chunk.c_str()) == LUA_OK && lua_pcall(L, 0, 0, 0) == LUA_OK)
        return true;
    ADD_FAILURE() << "chunk failed: " << lua_tostring(L, -1);
    lua_pop(L, 1);
    return false;
}

double ScriptTest::Number(const char* name)
{
    lua_State* L = State();
    lua_getglobal(L, name);
    const double value = lua_tonumber(L, -1);
    lua_pop(L, 1);
    return value;
}

std::string ScriptTest::Text(const char* name)
{
    lua_State* L = State();
    lua_getglobal(L, name);
    size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    std::string value(text ? text : "", text ? length : 0);
    lua_pop(L, 1);
    return value;
}

std::vector<LogLine> ScriptTest::TakeLog()
{
    return std::exchange(m_log, {});
}

std::vector<std::wstring> ScriptTest::ScriptErrors()
{
    std::vector<std::wstring> errors;
    for (const LogLine& line : TakeLog())
        if (line.text.find(L"###error###") != std::wstring::npos)
            errors.push_back(line.text);
    return errors;
}

} // namespace test
