#include "station_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "recording_screens.h"
#include "resources/page_descriptor.h"
#include "scene/menu_manager.h"
#include "world/settings.h"

namespace test {

namespace {

    // The images of the test pages, the trees page's last.
    const wchar_t* const kImages[] = { L"platform_rahmen", L"platform_over.png", L"tanke_kaputt_platform.png",
        L"tanke_kaputt.png", L"fundament_on.png", L"plat_a.png", L"plat_b.png", L"element1.png", L"element2.png",
        L"element3.png", L"element4.png", L"element5.png", L"lampe_green.png", L"lampe_yellow.png", L"lampe_red.png",
        L"phase100.png", L"phase10000.png", L"phase10001.png", L"phase10002.png", L"phase10023.png", L"tank.png",
        L"tank_over.png", L"tank_on.png", L"b_left.png", L"b_right.png", L"baum.png", L"busch.png" };
    constexpr int kFirstTree = 25;

    // Every image is cut from a place of its own: image k from (100 k, 0).
    void WritePageSet(const std::string& folder, bool trees)
    {
        std::filesystem::create_directories(folder);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        for (int k = 0; k < static_cast<int>(std::size(kImages)); ++k) {
            if ((k >= kFirstTree) != trees)
                continue;
            const int image = d.AddImage(kImages[k], 20, 10);
            d.AddPart(image, 0, 100 * k, 0, 20, 10);
        }
        ASSERT_TRUE(d.SaveToFile(folder + "/descriptor.xml"));
        // The recording engine does not decode a page; any bytes make one.
        std::ofstream(folder + "/page0.png", std::ios::binary) << "page";
    }

    std::unique_ptr<Scene::MenuPrototype> MakeScreen(int slot)
    {
        if (slot == cMenuManager::kOver)
            return std::make_unique<Scene::MenuOver>();
        return MakeRecordingScreen(slot);
    }

} // namespace

void StationTest::WritePages(const std::string& menu)
{
    for (const char* size : { "", "_1024" }) {
        WritePageSet(menu + "menu_tankstelle" + size, false);
        WritePageSet(menu + "menu_trees" + size, true);
    }
}

void StationTest::SetUp()
{
    ScreenTest::SetUp();
    world.managerBelowLimit = 0; // nothing held
}

void StationTest::StartScreens()
{
    cSettings::Instance().SetResolution(1280, 1024);
    world.ComputeLayout();
    cMenuManager& manager = cMenuManager::Instance();
    manager.SetFactoryForTests(MakeScreen);
    ASSERT_TRUE(manager.CreateMenus());
    over = Scene::MenuOver::Instance();
    ASSERT_NE(over, nullptr);
    over->SetActive(true);
    gfx.ClearRecords();
}

std::vector<std::wstring> StationTest::DrawnNames() const
{
    std::vector<std::wstring> names;
    for (const GfxDraw& draw : gfx.draws) {
        const int k = draw.source.left / 100;
        if (draw.kind == GfxDraw::Kind::Texture)
            names.push_back(draw.source.top == 0 && draw.source.left % 100 == 0 && k < static_cast<int>(std::size(kImages))
                    ? kImages[k]
                    : L"?");
    }
    return names;
}

std::size_t StationTest::DrawnCount(const std::wstring& name) const
{
    const std::vector<std::wstring> names = DrawnNames();
    return static_cast<std::size_t>(std::count(names.begin(), names.end(), name));
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

} // namespace test
