#include "level_fixture.h"

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>

#include <lua.hpp>

#include "app/clock.h"
#include "app/game_app_fonts.h"
#include "platform/game_random.h"
#include "platform/time_source.h"
#include "recording_screens.h"
#include "resources/log.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_clock.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

LevelTest::LevelTest(bool ownScreens, bool inBuildFolder)
    : ownScreens(ownScreens)
    , inBuildFolder(inBuildFolder)
{
}

void LevelTest::SetUp()
{
    oldDirectory = std::filesystem::current_path().string();
    if (!inBuildFolder) {
        std::filesystem::create_directories(folder / "data/script/scene");
        // The language tables a level start reads, from the build's data.
        std::filesystem::copy(std::filesystem::path(oldDirectory) / "data/language", folder / "data/language",
            std::filesystem::copy_options::recursive);
        std::filesystem::current_path(folder.Path());
    }
    platform::SetTimeSourceForTests([this] { return ms; });
    // Each level plays as if the program had just started.
    platform::GameSrand(1);
    cClock::Instance().Reset();
    cGameWorld::Instance().ResetToDefaults();
    cSettings::Instance().ResetToDefaults();
    cSettings::Instance().SetResolution(1280, 1024);
    // The world reads the mouse where the application's input would give it.
    cGameWorld::SetMouseSource([this](int& x, int& y) { x = input.x, y = input.y; });
    cGameClock::Instance().ResetToDefaults();
    cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& text) {
        log.push_back({ kind, text });
    });
    ASSERT_TRUE(Script::Initialize());
    ASSERT_TRUE(ExportStory());
    Story& story = Story::Instance();
    story.ReleaseLevelScript();
    story.ClearFlags();
    for (; story.HasFlagEvents(); story.PopFlagEvent()) { }
    cScreenManager::Instance().SetFactoryForTests(ownScreens ? cScreenManager::Factory() : MakeRecordingScreen);
    ASSERT_TRUE(state.CreateScreens());
    ScreenCalls().clear();
}

void LevelTest::TearDown()
{
    Story::Instance().ReleaseLevelScript();
    cScreenManager::Instance().DestroyScreens();
    cScreenManager::Instance().SetFactoryForTests(nullptr);
    state.ClearWorldLists();
    cGameWorld::Instance().musicStream = nullptr;
    cGameWorld::Instance().ResetToDefaults();
    cGameWorld::SetMouseSource(nullptr);
    Script::ShutDown();
    Scripting::SetScriptLimitsForTests(0, 0);
    cLog::Instance().SetObserver(nullptr);
    platform::SetTimeSourceForTests(nullptr);
    std::filesystem::current_path(oldDirectory);
}

void LevelTest::WriteLevelScript(int level, const std::string& source)
{
    char name[64];
    std::snprintf(name, sizeof name, "data/script/scene/level_setup_%02d.lua", level);
    std::ofstream(folder / name, std::ios::binary) << source;
}

void LevelTest::LinkBuildData(const char* relative)
{
    std::filesystem::create_directory_symlink(std::filesystem::path(oldDirectory) / relative, folder / relative);
}

bool LevelTest::StartLevel(int level)
{
    cGameWorld::Instance().level = level;
    cGameClock::Instance().SetTime(0, 0);
    return state.Init(nullptr);
}

bool LevelTest::Frame(double step)
{
    ms += step;
    cClock::Instance().Update();
    return state.Update(nullptr);
}

bool LevelTest::Frames(int count, double step)
{
    int i = 0;
    while (i < count && Frame(step))
        ++i;
    return i == count;
}

double LevelTest::ScriptNumber(const char* name)
{
    lua_State* L = Scripting::GetContextState(Story::Instance().ContextHandle());
    if (!L)
        return -1.0;
    lua_getglobal(L, name);
    const double value = lua_tonumber(L, -1);
    lua_pop(L, 1);
    return value;
}

std::vector<std::wstring> LevelTest::Faults() const
{
    std::vector<std::wstring> faults;
    for (const LevelLogLine& line : log)
        if (line.text.find(L"###error###") != std::wstring::npos || line.text.find(L"not found") != std::wstring::npos)
            faults.push_back(line.text);
    return faults;
}

void PlayedLevelTest::SetUp()
{
    LevelTest::SetUp();
    LinkBuildData("data/gui");
    for (int i = 0; i < kFontCount; ++i)
        g_fonts[i] = gfx.CreateFont(L"calibry", 10 + i, 0);
    savedTexts.assign(&g_guiVocabulary[0][0], &g_guiVocabulary[0][0] + kGuiTextCount * kGuiTextLength);
    for (int i = 0; i < kGuiTextCount; ++i)
        std::swprintf(g_guiVocabulary[i], kGuiTextLength, L"text %d", i);
    world.soundEngine = &sound;
    MouseAway();
}

void PlayedLevelTest::TearDown()
{
    world.soundEngine = nullptr;
    DeleteFonts();
    std::copy(savedTexts.begin(), savedTexts.end(), &g_guiVocabulary[0][0]);
    LevelTest::TearDown();
}

} // namespace test
