#include "station_fixture.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <utility>

#include "app/clock.h"
#include "app/cursor_set.h"
#include "platform/time_source.h"
#include "recording_screens.h"
#include "resources/page_descriptor.h"
#include "scene/screen_manager.h"
#include "world/settings.h"

namespace test {

namespace {

    struct PageImage {
        const wchar_t* name;
        int width;
        int height;
        bool trees;
    };

    // The images of the test pages. Sizes matter only where a test reads them.
    const PageImage kImages[] = {
        { L"platform_rahmen", 20, 10, false },
        { L"platform_over.png", 20, 10, false },
        { L"tanke_kaputt_platform.png", 20, 10, false },
        { L"tanke_kaputt.png", 20, 10, false },
        { L"fundament_on.png", 20, 10, false },
        { L"plat_a.png", 20, 10, false },
        { L"plat_b.png", 20, 10, false },
        { L"element1.png", 20, 10, false },
        { L"element2.png", 20, 10, false },
        { L"element3.png", 20, 10, false },
        { L"element4.png", 20, 10, false },
        { L"element5.png", 20, 10, false },
        { L"lampe_green.png", 20, 10, false },
        { L"lampe_yellow.png", 20, 10, false },
        { L"lampe_red.png", 20, 10, false },
        { L"phase100.png", 20, 10, false },
        { L"phase10000.png", 20, 10, false },
        { L"phase10001.png", 20, 10, false },
        { L"phase10002.png", 20, 10, false },
        { L"phase10023.png", 20, 10, false },
        { L"tank.png", 40, 40, false },
        { L"tank_over.png", 40, 40, false },
        { L"tank_on.png", 40, 40, false },
        { L"b_left.png", 70, 70, false },
        { L"b_right.png", 70, 70, false },
        { L"baum.png", 60, 80, true },
        { L"busch.png", 30, 20, true },
    };
    constexpr int kSmallPagesTop = 5000;

    // Where image k of the pages is cut from: every image from a place of
    // its own, the smaller pages' twins further down.
    std::pair<int, int> SourcePoint(int k, bool small)
    {
        return { 100 * (k % 40), 100 * (k / 40) + (small ? kSmallPagesTop : 0) };
    }

    void WritePageSet(const std::string& folder, bool trees, bool small)
    {
        std::filesystem::create_directories(folder);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        for (int k = 0; k < static_cast<int>(std::size(kImages)); ++k) {
            if (kImages[k].trees != trees)
                continue;
            const auto [x, y] = SourcePoint(k, small);
            const int image = d.AddImage(kImages[k].name, kImages[k].width, kImages[k].height);
            d.AddPart(image, 0, x, y, kImages[k].width, kImages[k].height);
        }
        ASSERT_TRUE(d.SaveToFile(folder + "/descriptor.xml"));
        // The recording engine does not decode a page; any bytes make one.
        std::ofstream(folder + "/page0.png", std::ios::binary) << "page";
    }

    const PageSources& Sources()
    {
        static PageSources sources;
        if (sources.empty()) {
            for (int k = 0; k < static_cast<int>(std::size(kImages)); ++k) {
                sources[SourcePoint(k, false)] = { kImages[k].name, false };
                sources[SourcePoint(k, true)] = { kImages[k].name, true };
            }
        }
        return sources;
    }

    std::unique_ptr<Scene::Screen> MakeScreen(int slot)
    {
        if (slot == cScreenManager::kStationView)
            return std::make_unique<Scene::StationView>();
        return MakeRecordingScreen(slot);
    }

} // namespace

void StationTest::WritePages(const std::string& menu)
{
    WritePageSet(menu + "menu_tankstelle", false, false);
    WritePageSet(menu + "menu_tankstelle_1024", false, true);
    WritePageSet(menu + "menu_trees", true, false);
    WritePageSet(menu + "menu_trees_1024", true, true);
}

void StationTest::SetUp()
{
    ScreenTest::SetUp();
    // Nothing held.
    world.managerBelowLimit = 0;
}

void StationTest::StartScreens(int width)
{
    cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
    world.ComputeLayout();
    cScreenManager& manager = cScreenManager::Instance();
    manager.SetFactoryForTests(MakeScreen);
    ASSERT_TRUE(manager.CreateScreens());
    over = Scene::StationView::Instance();
    ASSERT_NE(over, nullptr);
    over->SetActive(true);
    gfx.ClearRecords();
}

std::vector<DrawnImage> StationTest::Drawn() const
{
    return DrawnImages(gfx, Sources());
}

std::vector<std::wstring> StationTest::DrawnNames() const
{
    return NamesOf(Drawn());
}

std::size_t StationTest::DrawnCount(const std::wstring& name) const
{
    return DrawnOf(name).size();
}

std::vector<DrawnImage> StationTest::DrawnOf(const std::wstring& name) const
{
    return DrawsOf(Drawn(), name);
}

void StationTest::AddFundament(int row, int column, int value)
{
    if (world.fundamentTemplates.empty())
        world.AddFundament(1, "plat_a", "plat_b", 9);
    world.CreateFundament(1, row, column, 9, value);
}

int StationTest::AddServicePlace(int type, int row, int column)
{
    world.CreatePlace(type, row, column, 9);
    return static_cast<int>(world.places.size()) - 1;
}

int StationTest::AddTree(int x, int y)
{
    if (world.overTemplates.empty())
        world.AddOver(100, "baum");
    world.CreatePlace(100, x, y, 9);
    return static_cast<int>(world.places.size()) - 1;
}

void StationTest::MouseOnCell(int row, int column)
{
    // Inside the cell's outline, well away from its edges.
    input.x = world.cellX[row][column] + 110;
    input.y = world.cellY[row][column] + 120;
}

void StationTest::PageImageSize(const std::wstring& name, int& width, int& height)
{
    for (const PageImage& image : kImages) {
        if (name == image.name) {
            width = image.width;
            height = image.height;
            return;
        }
    }
    width = height = 0;
}

void StationEditorBarTest::SetUp()
{
    StationTest::SetUp();
    StartScreens();
    cSettings::Instance().editorMode = 1;
}

void StationEditorBarTest::AddTemplates(int count)
{
    for (int i = 0; i < count; ++i)
        world.AddPlace(6 + i % 5, "tank", 10 + i);
}

void StationEditorBarTest::Click()
{
    world.leftClick = 1;
    world.clickEvent = 1;
}

} // namespace test
