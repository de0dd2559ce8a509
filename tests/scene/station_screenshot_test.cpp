// Level 2's station as the engine draws it headless from the shipped level
// script and the generated pages: pixel probes at its places, platforms,
// lamps and trees, and a screenshot to look at
// (test-output/station_level_02.png in the build folder).
#include <gtest/gtest.h>

#include <memory>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/utf16.h"
#include "recording_screens.h"
#include "resources/log.h"
#include "scene/menu_manager.h"
#include "scene/menu_over.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;

std::unique_ptr<Scene::MenuPrototype> MakeScreen(int slot)
{
    if (slot == cMenuManager::kOver)
        return std::make_unique<Scene::MenuOver>();
    return test::MakeRecordingScreen(slot);
}

uint32_t Pixel(int x, int y)
{
    uint32_t argb = 0;
    EXPECT_TRUE(engine::ReadPixel(x, y, &argb)) << x << "," << y;
    return argb;
}

int Red(uint32_t argb)
{
    return static_cast<int>((argb >> 16) & 0xFF);
}
int Green(uint32_t argb)
{
    return static_cast<int>((argb >> 8) & 0xFF);
}

class StationScreenshot : public ::testing::Test {
protected:
    void SetUp() override
    {
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& m) {
            if (std::wstring(kind) != L"message")
                m_errors.push_back(m);
        });
        InitEngine(522, &m_device, &m_gfx);
        ASSERT_TRUE(SUCCEEDED(m_device->Create(nullptr, 1280, 1024)));
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
        world.ComputeLayout();
        cMenuManager::Instance().SetFactoryForTests(MakeScreen);
        ASSERT_TRUE(cMenuManager::Instance().CreateMenus());
        ASSERT_TRUE(Script::Initialize());
        ASSERT_TRUE(ExportStory());
    }
    void TearDown() override
    {
        Story::Instance().ReleaseLevelScript();
        Script::ShutDown();
        cMenuManager::Instance().DestroyMenus();
        cMenuManager::Instance().SetFactoryForTests(nullptr);
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        CloseEngine();
        cLog::Instance().SetObserver(nullptr);
    }

    cGameWorld& world = cGameWorld::Instance();
    iGfxDevice* m_device = nullptr;
    iGfx2D* m_gfx = nullptr;
    std::vector<std::wstring> m_errors;
};

TEST_F(StationScreenshot, LevelTwoShowsItsPlatformsPlacesLampsAndTrees)
{
    world.level = 2;
    Scene::MenuOver* over = Scene::MenuOver::Instance();
    ASSERT_NE(over, nullptr);
    over->SetActive(true);
    // Daylight, as the script's own SetLevelColor calls ask for.
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
    Story::Instance().InitLevel();
    ASSERT_GE(Story::Instance().ScriptId(), 0);

    m_device->BeginScene();
    m_device->Clear(0, nullptr, GFX_CLEAR_ALL, kBlack, 0.0f, 0);
    over->Draw();
    over->DrawDecorations();
    m_device->EndScene();
    EXPECT_TRUE(SUCCEEDED(m_device->SaveScreenshot(nullptr, nullptr, L"test-output/station_level_02.png", 90, 0)));

    int servicePlaces = 0;
    int trees = 0;
    for (const cPlace& place : world.places) {
        if (place.type >= 100) {
            // A tree of at least 80 x 60 at its design point.
            ++trees;
            EXPECT_NE(Pixel(place.x + 40, place.y + 30), kBlack) << place.texture;
            continue;
        }
        ++servicePlaces;
        const int x = world.cellX[place.row][place.column];
        const int y = world.cellY[place.row][place.column];
        // The pump in the middle of the cell's face, the platform at the
        // face's left corner, and the green lamp of an unworn place.
        EXPECT_NE(Pixel(x + 118, y + 100), kBlack);
        EXPECT_NE(Pixel(x + 40, y + 100), kBlack);
        const uint32_t lamp = Pixel(x + 5 + 140 + 12, y + 15 + 20); // below its label
        EXPECT_GT(Green(lamp), Red(lamp) + 60) << std::hex << lamp;
    }
    EXPECT_EQ(servicePlaces, 2);
    EXPECT_GE(trees, 3);
    // Every platform of the block shows, built on or not.
    ASSERT_EQ(world.fundaments.size(), 9u);
    for (const cFundament& f : world.fundaments)
        EXPECT_NE(Pixel(world.cellX[f.row][f.column] + 60, world.cellY[f.row][f.column] + 150), kBlack);
    // Away from the station the screen stays clear.
    EXPECT_EQ(Pixel(1270, 1010), kBlack);
    EXPECT_TRUE(m_errors.empty()) << (m_errors.empty() ? "" : platform::WideToNarrow(m_errors[0]));
}

} // namespace
