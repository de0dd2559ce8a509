#include "world/grid_fixture.h"

#include <filesystem>
#include <fstream>

#include "resources/log.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/settings.h"

namespace test {

namespace {

    const char* const kCallbackScript = R"(
function on_bonus() Story:SetFlag("on_bonus") end
function on_fill_parking_place() Story:SetFlag("on_fill_parking_place") end
function ok_saw() Story:SetFlag("ok_saw") end
function add_manager() Story:SetFlag("add_manager") end
)";

    constexpr int kScriptLevel = 7;

    void ClearStory()
    {
        Story& story = Story::Instance();
        story.ReleaseLevelScript();
        story.ClearFlags();
        while (story.HasFlagEvents())
            story.PopFlagEvent();
    }

} // namespace

void GridTest::SetUp()
{
    world.ResetToDefaults();
    cSettings::Instance().ResetToDefaults();
    cSettings::Instance().SetResolution(1280, 1024);
    world.ComputeLayout();
    world.soundEngine = &sound;
    cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) {
        if (std::wstring(kind) == L"error")
            m_errors.push_back(message);
    });

    m_oldDirectory = std::filesystem::current_path().string();
    std::filesystem::create_directories(m_folder / "data/script/scene");
    std::ofstream(m_folder / "data/script/scene/level_setup_07.lua", std::ios::binary) << kCallbackScript;
    std::filesystem::current_path(m_folder.Path());
    ASSERT_TRUE(Script::Initialize());
    ASSERT_TRUE(ExportStory());
    ClearStory();
    world.level = kScriptLevel;
    Story::Instance().LoadLevelScript();
    ASSERT_NE(Story::Instance().ScriptId(), -1);
}

void GridTest::TearDown()
{
    ClearStory();
    Script::ShutDown();
    std::filesystem::current_path(m_oldDirectory);
    cLog::Instance().SetObserver(nullptr);
    world.ResetToDefaults();
    cSettings::Instance().ResetToDefaults();
}

void GridTest::AddCarType(int id, int colour, int autoClass)
{
    world.AddAuto(id, 1, "car_" + std::to_string(id));
    world.autoTypes.back().colour = colour;
    world.autoTypes.back().class_ = autoClass;
}

std::vector<std::string> GridTest::TakeCallbacks()
{
    std::vector<std::string> names;
    Story& story = Story::Instance();
    while (story.HasFlagEvents()) {
        names.push_back(story.LastFlag());
        story.PopFlagEvent();
    }
    return names;
}

std::vector<std::string> GridTest::Selection() const
{
    std::vector<std::string> cells;
    for (int i = 0; i < world.selectedCount; ++i)
        cells.push_back(std::to_string(world.selectedRow[i]) + "," + std::to_string(world.selectedColumn[i]));
    return cells;
}

std::vector<std::string> GridTest::Combos() const
{
    std::vector<std::string> out;
    for (const cCombo& c : world.combos) {
        std::string text = "k=" + std::to_string(c.count > 0 ? c.memberClass[0] : -99);
        for (int m = 0; m < c.count; ++m)
            text += " " + std::to_string(c.memberRow[m]) + "," + std::to_string(c.memberColumn[m]);
        out.push_back(text);
    }
    return out;
}

} // namespace test
