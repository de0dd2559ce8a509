// The art the build generates from tools/art/, where a player must tell
// things apart by it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/utf16.h"
#include "resources/page_manager.h"

namespace {

// The five colour groups stay apart on the cars and on the pumps' markers at
// both screen sizes: the average of each image's strongly coloured pixels
// lies far from every other group's.
TEST(GeneratedArt, ColourGroupsOfCarsAndMarkersAreFarApart)
{
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    InitEngine(522, &device, &gfx);
    ASSERT_TRUE(SUCCEEDED(device->Create(nullptr, 1280, 1024)));
    const wchar_t* const cars[]
        = { L"auto_rot.png", L"auto_blau.png", L"auto_gruen.png", L"auto_gelb.png", L"auto_lila.png" };
    const wchar_t* const markers[]
        = { L"element1.png", L"element2.png", L"element3.png", L"element4.png", L"element5.png" };
    const struct {
        const wchar_t* folder;
        const wchar_t* const* names;
    } sets[] = { { L"data/gui/interface/menu/menu_transport", cars },
        { L"data/gui/interface/menu/menu_transport_1024", cars },
        { L"data/gui/interface/menu/menu_tankstelle", markers },
        { L"data/gui/interface/menu/menu_tankstelle_1024", markers } };
    for (const auto& set : sets) {
        SCOPED_TRACE(platform::WideToNarrow(set.folder));
        CPageManager pages;
        ASSERT_TRUE(pages.Load(set.folder));
        double mean[5][3] = {};
        for (int g = 0; g < 5; ++g) {
            uint32_t w = 0, h = 0;
            pages.GetImageSize(set.names[g], &w, &h);
            device->BeginScene();
            device->Clear(0, nullptr, GFX_CLEAR_ALL, 0xFF000000);
            pages.DrawImage(set.names[g], 0, 0, 0, 0, 255, 255, 255, 255);
            device->EndScene();
            int count = 0;
            for (uint32_t y = 0; y < h; ++y) {
                for (uint32_t x = 0; x < w; ++x) {
                    uint32_t argb = 0;
                    ASSERT_TRUE(engine::ReadPixel(static_cast<int>(x), static_cast<int>(y), &argb));
                    const int c[3] = { static_cast<int>(argb >> 16 & 255), static_cast<int>(argb >> 8 & 255),
                        static_cast<int>(argb & 255) };
                    if (std::max({ c[0], c[1], c[2] }) - std::min({ c[0], c[1], c[2] }) < 50)
                        continue;
                    ++count;
                    for (int i = 0; i < 3; ++i)
                        mean[g][i] += c[i];
                }
            }
            ASSERT_GT(count, 50) << platform::WideToNarrow(set.names[g]);
            for (double& channel : mean[g])
                channel /= count;
        }
        for (int a = 0; a < 5; ++a) {
            for (int b = a + 1; b < 5; ++b) {
                const double d = std::hypot(mean[a][0] - mean[b][0], mean[a][1] - mean[b][1], mean[a][2] - mean[b][2]);
                EXPECT_GT(d, 60.0) << platform::WideToNarrow(set.names[a]) << " vs "
                                   << platform::WideToNarrow(set.names[b]);
            }
        }
    }
    CloseEngine();
}

// One generated image drawn on a grey ground at the top left of the screen,
// read back pixel by pixel: f(x, y, argb) for each pixel of the image.
void ForEachPixel(
    const wchar_t* folder, const wchar_t* name, const std::function<void(int, int, int, int, uint32_t)>& f)
{
    CPageManager pages;
    ASSERT_TRUE(pages.Load(folder));
    uint32_t w = 0, h = 0;
    pages.GetImageSize(name, &w, &h);
    ASSERT_GT(w * h, 0u) << platform::WideToNarrow(name);
    g_pGfxDevice->BeginScene();
    g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, 0xFF808080);
    pages.DrawImage(name, 0, 0, 0, 0, 255, 255, 255, 255);
    g_pGfxDevice->EndScene();
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint32_t argb = 0;
            ASSERT_TRUE(engine::ReadPixel(static_cast<int>(x), static_cast<int>(y), &argb));
            f(static_cast<int>(w), static_cast<int>(h), static_cast<int>(x), static_cast<int>(y), argb);
        }
    }
}

class GeneratedHudArt : public ::testing::Test {
protected:
    void SetUp() override
    {
        iGfxDevice* device = nullptr;
        iGfx2D* gfx = nullptr;
        InitEngine(522, &device, &gfx);
        ASSERT_TRUE(SUCCEEDED(device->Create(nullptr, 1280, 1024)));
    }
    void TearDown() override { CloseEngine(); }

    static constexpr const wchar_t* kSets[]
        = { L"data/gui/interface/menu/menu_submenu", L"data/gui/interface/menu/menu_submenu_1024" };
};

// A task counter shows the thing it counts, not a colour group's mark: hardly
// a pixel of its icon has the hue of a group of customer cars, which would
// read as "cars of that colour" on a level without them.
TEST_F(GeneratedHudArt, TaskCounterIconsWearNoColourGroupsHue)
{
    const uint32_t hues[] = { 0xD8342C, 0x2F6FD6, 0x2E9E48, 0xE8B820, 0x8E44AD };
    const wchar_t* const icons[] = { L"element2a.png", L"element3a.png", L"element4a.png", L"element5a.png",
        L"element_new_station.png", L"element_manager.png", L"element_sport.png" };
    for (const wchar_t* folder : kSets) {
        for (const wchar_t* icon : icons) {
            SCOPED_TRACE(platform::WideToNarrow(folder) + "/" + platform::WideToNarrow(icon));
            int drawn = 0, groupHue = 0;
            ForEachPixel(folder, icon, [&](int, int, int, int, uint32_t argb) {
                if ((argb & 0xFFFFFF) == 0x808080)
                    return;
                ++drawn;
                for (const uint32_t hue : hues) {
                    const double d = std::hypot(static_cast<int>(argb >> 16 & 255) - static_cast<int>(hue >> 16 & 255),
                        static_cast<int>(argb >> 8 & 255) - static_cast<int>(hue >> 8 & 255),
                        static_cast<int>(argb & 255) - static_cast<int>(hue & 255));
                    groupHue += d < 60.0;
                }
            });
            EXPECT_GT(drawn, 100) << "an empty icon";
            EXPECT_LT(groupHue, drawn / 20) << groupHue << " of " << drawn << " pixels in a group's hue";
        }
    }
}

// The digit image of "/" between a counter's value and its target is a slash:
// its white stroke runs from the bottom left up to the top right over most of
// the digits' height, so "1 / 10" never reads as the range "1 - 10".
TEST_F(GeneratedHudArt, TheSlashImageIsASlash)
{
    for (const wchar_t* folder : kSets) {
        for (const wchar_t* name : { L"dash.png", L"dash_2.png" }) {
            SCOPED_TRACE(platform::WideToNarrow(folder) + "/" + platform::WideToNarrow(name));
            int top = 1 << 20, bottom = -1, height = 0;
            double upperX = 0, lowerX = 0;
            int upper = 0, lower = 0;
            ForEachPixel(folder, name, [&](int, int h, int x, int y, uint32_t argb) {
                height = h;
                if ((argb >> 16 & 255) < 200 || (argb >> 8 & 255) < 200 || (argb & 255) < 200)
                    return;
                top = std::min(top, y), bottom = std::max(bottom, y);
                if (y < h / 2)
                    upperX += x, ++upper;
                else
                    lowerX += x, ++lower;
            });
            ASSERT_GT(upper, 0) << "no stroke in the upper half";
            ASSERT_GT(lower, 0) << "no stroke in the lower half";
            EXPECT_GT(bottom - top, height / 2) << "too flat for a slash";
            EXPECT_GT(upperX / upper, lowerX / lower + 1.5) << "the stroke does not lean right";
        }
    }
}

// Every building the shop sells looks unlike every other, plain or extended,
// at both sizes: of the pixels either of two buildings covers on a grey
// ground, a good share differ in being covered at all or in brightness, so
// no two are the same box in another tint.
TEST(GeneratedArt, ShopBuildingsLookUnlikeEachOther)
{
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    InitEngine(522, &device, &gfx);
    ASSERT_TRUE(SUCCEEDED(device->Create(nullptr, 1280, 1024)));
    const char* const kinds[] = { "wash", "shop", "workshop", "floodlight", "diesel", "tower", "crane", "concrete",
        "office", "diner", "carpark", "carpark2", "training", "playground", "weather", "depot", "canopy" };
    for (const wchar_t* folder : { L"data/gui/interface/menu/menu_buy", L"data/gui/interface/menu/menu_buy_1024" }) {
        SCOPED_TRACE(platform::WideToNarrow(folder));
        struct Drawn {
            std::string name;
            int kind;
            std::vector<int> luma; // -1 where the ground shows
        };
        std::vector<Drawn> images;
        for (int k = 0; k < static_cast<int>(std::size(kinds)); ++k) {
            for (const char* form : { "", "m" }) {
                Drawn d { std::string("lot_") + kinds[k] + form + ".png", k, {} };
                ForEachPixel(folder, platform::NarrowToWide(d.name).c_str(), [&](int, int, int, int, uint32_t argb) {
                    const int r = argb >> 16 & 255, g = argb >> 8 & 255, b = argb & 255;
                    d.luma.push_back((argb & 0xFFFFFF) == 0x808080 ? -1 : (r * 299 + g * 587 + b * 114) / 1000);
                });
                images.push_back(std::move(d));
            }
        }
        for (std::size_t a = 0; a < images.size(); ++a) {
            for (std::size_t b = a + 1; b < images.size(); ++b) {
                if (images[a].kind == images[b].kind)
                    continue;
                const std::vector<int>&x = images[a].luma, &y = images[b].luma;
                ASSERT_EQ(x.size(), y.size());
                int covered = 0, differ = 0;
                for (std::size_t i = 0; i < x.size(); ++i) {
                    if (x[i] < 0 && y[i] < 0)
                        continue;
                    ++covered;
                    differ += (x[i] < 0) != (y[i] < 0) || std::abs(x[i] - y[i]) > 40;
                }
                EXPECT_GT(differ, covered / 5) << images[a].name << " and " << images[b].name
                                               << " look alike: " << differ << " of " << covered << " pixels differ";
            }
        }
    }
    CloseEngine();
}

} // namespace
