// The art the build generates from tools/art/, where a player must tell
// things apart by it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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

} // namespace
