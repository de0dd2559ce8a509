// Level 2 played headless from the shipped script and the generated art:
// the road cars drive, a stack car is dragged with the mouse to the place of
// its colour, served for the level's service time and paid by the script,
// and then leaves. The frame calls the layer's operations in the menu
// manager's order.
#include <gtest/gtest.h>

#include <memory>

#include "app/clock.h"
#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "recording_screens.h"
#include "resources/log.h"
#include "scene/menu_manager.h"
#include "scene/menu_over.h"
#include "scene/menu_transport.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "support/recording_gfx.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

std::unique_ptr<Scene::MenuPrototype> MakeScreen(int slot)
{
    if (slot == cMenuManager::kOver)
        return std::make_unique<Scene::MenuOver>();
    if (slot == cMenuManager::kTransport)
        return std::make_unique<Scene::MenuTransport>();
    return test::MakeRecordingScreen(slot);
}

class LevelTwoPlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& m) {
            if (std::wstring(kind) != L"message")
                m_errors.push_back(m);
        });
        platform::SetTimeSourceForTests([this] { return m_now; });
        cClock::Instance().Reset();
        InitEngine(522, &m_device, &m_gfx);
        ASSERT_TRUE(SUCCEEDED(m_device->Create(nullptr, 1280, 1024)));
        m_input = std::make_unique<test::FakeInput>();
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
        world.ComputeLayout();
        cGameWorld::SetMouseSource([this](int& x, int& y) {
            x = m_input->x;
            y = m_input->y;
        });
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
        cGameWorld::SetMouseSource(nullptr);
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        m_input.reset();
        CloseEngine();
        platform::SetTimeSourceForTests(nullptr);
        cLog::Instance().SetObserver(nullptr);
    }

    // One frame of the level, 16 ms after the last.
    void Frame()
    {
        m_now += 16.0;
        cClock::Instance().Update();
        Scene::MenuOver* over = Scene::MenuOver::Instance();
        Scene::MenuTransport* transport = Scene::MenuTransport::Instance();
        world.leftDown = m_input->down[0] ? 1 : 0;
        m_device->BeginScene();
        transport->HandleStackClick();
        world.hoveredElement = over->GetPlaceUnderMouse(true);
        over->Draw();
        transport->Draw();
        transport->DrawLeavingAutos();
        transport->UpdateServicedCars();
        transport->UpdateTransfer();
        transport->UpdateHelpHints();
        transport->DragAuto();
        m_device->EndScene();
    }

    // A point over the place's cell, or false.
    bool PointOnPlace(int place, int& x, int& y)
    {
        const cPlace& p = world.places[static_cast<size_t>(place)];
        for (y = 0; y < 1024; y += 4) {
            for (x = 0; x < 1280; x += 4) {
                if (world.IsMouseOverPlace(p.row, p.column, x, y))
                    return true;
            }
        }
        return false;
    }

    cGameWorld& world = cGameWorld::Instance();
    iGfxDevice* m_device = nullptr;
    iGfx2D* m_gfx = nullptr;
    std::unique_ptr<test::FakeInput> m_input;
    double m_now = 100000.0;
    std::vector<std::wstring> m_errors;
};

TEST_F(LevelTwoPlay, ACarIsDraggedFromTheStackServedPaidAndSentAway)
{
    world.level = 2;
    Scene::MenuOver::Instance()->SetActive(true);
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
    Story::Instance().InitLevel();
    ASSERT_GE(Story::Instance().ScriptId(), 0);
    Scene::MenuTransport::Instance()->SetActive(true);
    world.levelActive = 1;
    world.roadsReset = 1;
    m_input->x = m_input->y = -1000;

    // The road moves and the stack cars drive in.
    ASSERT_FALSE(world.autobahnCars.empty());
    for (int i = 0; i < 200; ++i)
        Frame();
    EXPECT_TRUE(world.stackCars.empty());
    bool moved = false;
    for (const cAutobahnAuto& car : world.autobahnCars)
        moved = moved || car.x != static_cast<float>(car.pathX[0]);
    EXPECT_TRUE(moved);

    // Take the car of the first slot.
    const cStackSlot& slot = world.stackSlots[0];
    ASSERT_GE(slot.autoType, 0);
    const int car = slot.autoType;
    const int group = Story::Instance().GetAutoColor(car);
    m_input->x = slot.x + 70;
    m_input->y = slot.y + 70;
    m_input->down[0] = true;
    Frame();
    ASSERT_EQ(world.autoOnMouse, car);

    // Carry it to the place of its colour and let go.
    int place = -1;
    for (size_t i = 0; i < world.places.size(); ++i) {
        if (world.places[i].type == group)
            place = static_cast<int>(i);
    }
    ASSERT_GE(place, 0);
    int x = 0;
    int y = 0;
    ASSERT_TRUE(PointOnPlace(place, x, y));
    m_input->x = x;
    m_input->y = y;
    Frame();
    EXPECT_EQ(world.hoveredElement, place);
    m_input->down[0] = false;
    Frame();
    ASSERT_EQ(world.autoOnMouse, -1);
    ASSERT_EQ(world.placeAutos.size(), 1u);
    EXPECT_EQ(world.placeAutos[0].place, place);

    // Settled and served for 4 s: the script pays 25 and the car leaves.
    const int money = world.money;
    int frames = 0;
    while (world.money == money && frames++ < 400)
        Frame();
    EXPECT_EQ(world.money, money + 25);
    EXPECT_GE(frames * 16, 4000);
    Frame();
    EXPECT_TRUE(world.placeAutos.empty());
    EXPECT_EQ(world.leavingAutos.size(), 1u);
    EXPECT_TRUE(m_errors.empty()) << (m_errors.empty() ? "" : platform::WideToNarrow(m_errors[0]));
}

} // namespace
