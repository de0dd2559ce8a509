// Level 2's cars as the engine draws them headless from the shipped level
// script and the generated pages: a road car, a stack car and a car on a
// service place, probed by colour, and a screenshot to look at
// (test-output/vehicles_level_02.png in the build folder).
#include <gtest/gtest.h>

#include <memory>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/utf16.h"
#include "recording_screens.h"
#include "resources/log.h"
#include "scene/menu_manager.h"
#include "scene/menu_over.h"
#include "scene/menu_transport.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr int kRedCar = 1; // "auto_rot" in level 2
constexpr int kBlueCar = 2; // "auto_blau"

std::unique_ptr<Scene::MenuPrototype> MakeScreen(int slot)
{
    if (slot == cMenuManager::kOver)
        return std::make_unique<Scene::MenuOver>();
    if (slot == cMenuManager::kTransport)
        return std::make_unique<Scene::MenuTransport>();
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
int Blue(uint32_t argb)
{
    return static_cast<int>(argb & 0xFF);
}

class VehiclesScreenshot : public ::testing::Test {
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

TEST_F(VehiclesScreenshot, LevelTwoShowsARoadCarAStackCarAndAServedCar)
{
    world.level = 2;
    Scene::MenuOver* over = Scene::MenuOver::Instance();
    Scene::MenuTransport* transport = Scene::MenuTransport::Instance();
    ASSERT_NE(over, nullptr);
    ASSERT_NE(transport, nullptr);
    over->SetActive(true);
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
    Story::Instance().InitLevel();
    ASSERT_GE(Story::Instance().ScriptId(), 0);
    transport->SetActive(true);
    world.levelActive = 1;

    // A red car halfway down the road, a red car that has driven into the
    // first stack slot, a blue car settled on a service place.
    ASSERT_FALSE(world.autobahnCars.empty());
    cAutobahnAuto& road = world.autobahnCars[0];
    road.autoType = kRedCar;
    road.variant = 9;
    road.x = 600.0f;
    road.y = 130.0f;
    ASSERT_FALSE(world.stackSlots.empty());
    cStackSlot& slot = world.stackSlots[0];
    slot.autoType = kRedCar;
    slot.busy = 0;
    slot.settling = 0;
    world.stackCars.clear();
    int place = -1;
    for (size_t i = 0; i < world.places.size() && place < 0; ++i) {
        if (world.places[i].type >= 6 && world.places[i].type <= 10)
            place = static_cast<int>(i);
    }
    ASSERT_GE(place, 0);
    world.SetPlaceAuto(place, kBlueCar);
    world.PutAutoOnPlace(place, 7, 1);
    ASSERT_FALSE(world.placeAutos.empty());
    world.placeAutos.back().settling = 0;
    const cPlaceAuto served = world.placeAutos.back();

    m_device->BeginScene();
    m_device->Clear(0, nullptr, GFX_CLEAR_ALL, kBlack, 0.0f, 0);
    over->Draw();
    transport->Draw();
    over->DrawDecorations();
    m_device->EndScene();
    EXPECT_TRUE(SUCCEEDED(m_device->SaveScreenshot(nullptr, nullptr, L"test-output/vehicles_level_02.png", 90, 0)));

    // Each car's body lies about 70 pixels right of and below its corner.
    const uint32_t roadCar = Pixel(600, 135);
    EXPECT_GT(Red(roadCar), Blue(roadCar) + 100) << std::hex << roadCar;
    const uint32_t stackCar = Pixel(slot.x + 70, slot.y + 75);
    EXPECT_GT(Red(stackCar), Blue(stackCar) + 100) << std::hex << stackCar;
    const uint32_t servedCar = Pixel(served.x + 70, served.y + 75);
    EXPECT_GT(Blue(servedCar), Red(servedCar) + 100) << std::hex << servedCar;
    EXPECT_TRUE(m_errors.empty()) << (m_errors.empty() ? "" : platform::WideToNarrow(m_errors[0]));
}

} // namespace
