// The station editor bar: nothing without the editor flag; with it, lists
// cut at 102 entries, and places built and removed with the mouse.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "recording_screens.h"
#include "resources/page_descriptor.h"
#include "station_fixture.h"
#include "world/settings.h"

namespace {

class StationEditorTest : public test::StationEditorBarTest { };

TEST_F(StationEditorTest, WithTheFlagClearNothingDrawsOrChanges)
{
    cSettings::Instance().editorMode = 0;
    AddTemplates(12);
    AddFundament(2, 3);
    world.AddOver(100, "baum");
    for (const int mode : { 0, 2, 3, 4, 5 }) {
        SCOPED_TRACE(mode);
        world.developerCounter = mode;
        for (int& selection : world.stationSelection)
            selection = 0;
        world.autoOnMouse = 4;
        input.x = 190;
        input.y = top() + 10;
        world.leftClick = world.rightClick = 1;
        gfx.ClearRecords();
        over->Draw();
        over->DrawDecorations();
        EXPECT_EQ(world.leftClick, 1);
        EXPECT_EQ(world.rightClick, 1);
        EXPECT_EQ(world.autoOnMouse, 4);
        for (const int selection : world.stationSelection)
            EXPECT_EQ(selection, 0);
        EXPECT_EQ(world.places.size(), 0u);
        EXPECT_EQ(world.fundaments.size(), 1u);
        EXPECT_TRUE(world.superOvers.empty());
        EXPECT_EQ(over->ListCount(), 0);
    }
}

TEST_F(StationEditorTest, TheListIsCutAt102Entries)
{
    AddTemplates(150);
    over->Draw();
    EXPECT_EQ(over->ListCount(), Scene::StationView::kListSize);
    EXPECT_EQ(over->ListEntry(101), 101);
    EXPECT_EQ(over->ListEntry(102), -1);
}

TEST_F(StationEditorTest, APlaceTemplateIsPickedAndBuiltOnAFundament)
{
    AddTemplates(3); // ids 6, 7, 8
    AddFundament(2, 3);
    // Hover and click the second cell.
    input.x = 270;
    input.y = top() + 40;
    Click();
    over->Draw();
    EXPECT_EQ(world.stationSelection[0], 1);
    EXPECT_EQ(world.leftClick, 0);

    MouseOnCell(2, 3);
    over->Draw();
    EXPECT_TRUE(world.places.empty());
    Click();
    over->Draw();
    ASSERT_EQ(world.places.size(), 1u);
    const cPlace& place = world.places[0];
    EXPECT_EQ(place.type, 7);
    EXPECT_EQ(place.colour, 1); // id - 6
    EXPECT_EQ(world.fundaments[0].content, 0);

    // A right click drops the selection.
    world.rightClick = 1;
    over->Draw();
    EXPECT_EQ(world.stationSelection[0], -1);

    // Without a selection a click on the element takes it away again.
    Click();
    over->Draw();
    EXPECT_TRUE(world.places.empty());
    EXPECT_EQ(world.fundaments[0].content, -1);
}

TEST_F(StationEditorTest, TheFundamentEditorLaysTheSelectedFundamentOnTheCellClicked)
{
    world.AddFundament(3, "plat_a", "plat_b", 9);
    world.developerCounter = 3;
    world.stationSelection[3] = 0;
    MouseOnCell(2, 5);
    Click();
    over->Draw();
    ASSERT_EQ(world.fundaments.size(), 1u);
    EXPECT_EQ(world.fundaments[0].row, 2);
    EXPECT_EQ(world.fundaments[0].column, 5);
    EXPECT_EQ(world.fundaments[0].content, -1);
}

// The car mode's bar and the car at the mouse are drawn by the car layer,
// from its car page: one car in each visible cell, one at the mouse.
class StationEditorCarsTest : public StationEditorTest {
protected:
    void WritePages(const std::string& menu) override
    {
        StationEditorTest::WritePages(menu);
        std::filesystem::create_directories(menu + "menu_transport");
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        for (int i = 0; i < 12; ++i)
            d.AddPart(d.AddImage((L"car" + std::to_wstring(i) + L".png").c_str(), 20, 10), 0, 20 * i, 0, 20, 10);
        ASSERT_TRUE(d.SaveToFile(menu + "menu_transport/descriptor.xml"));
        std::ofstream(menu + "menu_transport/page0.png", std::ios::binary) << "cars";
    }
    void SetUp() override
    {
        StationEditorTest::SetUp();
        cScreenManager& manager = cScreenManager::Instance();
        manager.DestroyScreens();
        manager.SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::Screen> {
            if (slot == cScreenManager::kStationView)
                return std::make_unique<Scene::StationView>();
            if (slot == cScreenManager::kCarLayer)
                return std::make_unique<Scene::CarLayer>();
            return test::MakeRecordingScreen(slot);
        });
        ASSERT_TRUE(manager.CreateScreens());
        over = Scene::StationView::Instance();
        over->SetActive(true);
        manager.GetScreen(cScreenManager::kCarLayer)->SetActive(true);
        for (int i = 0; i < 12; ++i)
            world.AddAuto(20 + i, 9, "car" + std::to_string(i));
        world.developerCounter = 5;
    }
    // Where the cars were drawn in the last frame, and at what size.
    std::vector<std::array<int, 4>> Cars() const
    {
        std::vector<std::array<int, 4>> cars;
        for (const test::GfxDraw& d : gfx.draws) {
            const auto* page = static_cast<const test::RecordingTexture*>(d.texture);
            if (d.kind == test::GfxDraw::Kind::Texture && page
                && std::string(page->bytes.begin(), page->bytes.end()) == "cars")
                cars.push_back({ static_cast<int>(d.target.left), static_cast<int>(d.target.top),
                    static_cast<int>(d.target.right - d.target.left),
                    static_cast<int>(d.target.bottom - d.target.top) });
        }
        return cars;
    }
};

TEST_F(StationEditorCarsTest, TheCarModeDrawsACarInEachCellAndOneAtTheMouse)
{
    // Nine of the twelve car types show, each scaled into its cell.
    input.x = input.y = 600;
    gfx.ClearRecords();
    over->Draw();
    auto cars = Cars();
    ASSERT_EQ(cars.size(), 9u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(cars[i], (std::array<int, 4> { 185 + 74 * i, top() + 5, 70, 70 })) << i;

    // Picked from the third cell, the car follows the mouse at its own size.
    input.x = 185 + 2 * 74 + 30;
    input.y = top() + 40;
    Click();
    over->Draw();
    ASSERT_EQ(world.stationSelection[5], 2);
    input.x = input.y = 600;
    over->Draw(); // the bar rests for the frame after the pick
    gfx.ClearRecords();
    over->Draw();
    cars = Cars();
    ASSERT_EQ(cars.size(), 10u);
    EXPECT_EQ(cars.back(), (std::array<int, 4> { 500, 500, 20, 10 }));
}

} // namespace
