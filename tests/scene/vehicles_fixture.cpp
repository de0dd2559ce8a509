#include "vehicles_fixture.h"

#include <filesystem>
#include <fstream>
#include <map>

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
        std::wstring name;
        int width;
        int height;
    };

    // Every image of the test pages; each page set holds all of them.
    const std::vector<PageImage>& Images()
    {
        static const std::vector<PageImage> images = [] {
            std::vector<PageImage> list;
            for (const wchar_t* car : { L"car_a", L"car_a_over", L"car_b", L"car_b_over", L"car_c", L"car_c_over",
                     L"car_jeep_1_fantom", L"car_bus_1_fantom", L"car_sedan_1_fantom", L"car_track_1_fantom",
                     L"car_beton_1_fantom", L"car_crane_1_fantom" })
                list.push_back({ std::wstring(car) + L".png", 140, 110 });
            const PageImage signs[]
                = { { L"sign.png", 30, 30 }, { L"button_off.png", 100, 30 }, { L"button_over.png", 100, 30 },
                      { L"doppelpunkt.png", 5, 30 }, { L"dash.png", 7, 30 }, { L"plus.png", 9, 30 },
                      { L"minus.png", 6, 30 }, { L"scores_x.png", 8, 30 }, { L"doppelpunkt_2.png", 3, 20 },
                      { L"dash_2.png", 4, 20 }, { L"plus_2.png", 4, 20 }, { L"scores_x_2.png", 4, 20 } };
            list.insert(list.end(), std::begin(signs), std::end(signs));
            // Digits of distinct widths, so a pen position tells the digits
            // before it.
            for (int d = 0; d < 10; ++d) {
                list.push_back({ std::to_wstring(d) + L".png", 10 + d, 30 });
                list.push_back({ std::to_wstring(d) + L"_2.png", 5 + d, 20 });
                list.push_back({ L"11_000" + std::to_wstring(d) + L".png", 24, 32 });
            }
            for (int f = 0; f < 30; ++f) {
                wchar_t name[16];
                std::swprintf(name, 16, L"star00%02d", f);
                list.push_back({ name, 60, 60 });
            }
            for (int f = 0; f < 10; ++f) {
                wchar_t name[16];
                std::swprintf(name, 16, L"selector00%02d", f);
                list.push_back({ name, 48, 24 });
            }
            return list;
        }();
        return images;
    }

    std::pair<int, int> SourcePoint(size_t k)
    {
        return { 200 * static_cast<int>(k % 20), 200 * static_cast<int>(k / 20) };
    }

    void WritePageSet(const std::string& folder)
    {
        std::filesystem::create_directories(folder);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        for (size_t k = 0; k < Images().size(); ++k) {
            const auto [x, y] = SourcePoint(k);
            const int image = d.AddImage(Images()[k].name.c_str(), Images()[k].width, Images()[k].height);
            d.AddPart(image, 0, x, y, Images()[k].width, Images()[k].height);
        }
        ASSERT_TRUE(d.SaveToFile(folder + "/descriptor.xml"));
        std::ofstream(folder + "/page0.png", std::ios::binary) << "page";
    }

    const PageSources& Sources()
    {
        static PageSources sources;
        if (sources.empty()) {
            for (size_t k = 0; k < Images().size(); ++k)
                sources[SourcePoint(k)] = { Images()[k].name };
        }
        return sources;
    }

    std::unique_ptr<Scene::Screen> MakeScreen(int slot)
    {
        if (slot == cScreenManager::kCarLayer)
            return std::make_unique<Scene::CarLayer>();
        if (slot == cScreenManager::kHud)
            return std::make_unique<NumbersHud>();
        return MakeRecordingScreen(slot);
    }

} // namespace

void NumbersHud::LoadDigits()
{
    pages[32].Load(L"data/gui/interface/menu/menu_submenu");
    MeasureNumberImages();
}

void VehiclesTest::WritePages(const std::string& menu)
{
    for (const char* set :
        { "menu_transport", "menu_transport_over", "menu_transport_1024", "menu_transport_over_1024", "menu_submenu" })
        WritePageSet(menu + set);
}

void VehiclesTest::SetUp()
{
    ScreenTest::SetUp();
    world.levelActive = 1;
    world.penaltyThreshold = 250;
}

void VehiclesTest::StartScreens(int width)
{
    cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
    world.ComputeLayout();
    cScreenManager& manager = cScreenManager::Instance();
    manager.SetFactoryForTests(MakeScreen);
    ASSERT_TRUE(manager.CreateScreens());
    carLayer = Scene::CarLayer::Instance();
    ASSERT_NE(carLayer, nullptr);
    carLayer->SetActive(true);
    hud = manager.Get<NumbersHud>(cScreenManager::kHud);
    ASSERT_NE(hud, nullptr);
    hud->LoadDigits();
    gfx.ClearRecords();
}

std::vector<VehicleImage> VehiclesTest::Drawn() const
{
    return DrawnImages(gfx, Sources());
}

std::vector<std::wstring> VehiclesTest::DrawnNames() const
{
    return NamesOf(Drawn());
}

std::vector<VehicleImage> VehiclesTest::DrawnOf(const std::wstring& name) const
{
    return DrawsOf(Drawn(), name);
}

void VehiclesTest::AddCarType(int type, const std::string& name, int colour, int value, int autoClass)
{
    for (const int variant : { 1, 3, 7, 9 })
        world.AddAuto(type, variant, name);
    cAutoType& added = world.autoTypes.back();
    added.colour = colour;
    added.value = value;
    added.class_ = autoClass;
}

int VehiclesTest::AddRoadCar(int road, int type, int variant, float x, float y)
{
    cAutobahnAuto car;
    car.road = road;
    car.autoType = type;
    car.variant = variant;
    car.x = x;
    car.y = y;
    car.pathX = { static_cast<int>(x), static_cast<int>(x) - 1000 };
    car.pathY = { static_cast<int>(y), static_cast<int>(y) + 300 };
    world.autobahnCars.push_back(car);
    return static_cast<int>(world.autobahnCars.size()) - 1;
}

} // namespace test
