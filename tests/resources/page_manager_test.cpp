#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/page_manager.h"
#include "support/temp_folder.h"

namespace {

// Page pixels tell where they come from: red = 20 * x, green = 20 * y, blue
// by page, so a wrong source rectangle or page shows in the read-back.
uint32_t PagePixel(int page, int x, int y)
{
    return MakeARGB(255, 20 * x + 10, 20 * y + 10, page == 0 ? 60 : 220);
}

// A two-page set of 8 × 8 uncompressed TGA pages, rows from the top:
// "Button_Off.png" (alias "button_off") is cut from both pages, "lamp" lies
// on page 1 only.
void WriteSet(const test::TempFolder& folder, bool withSecondPage)
{
    cPageDescriptor d;
    d.SetPageNames(L"page", L".tga");
    const int button = d.AddImage(L"Button_Off.png", 8, 4);
    d.SetImageAlias(button, L"button_off");
    d.AddPart(button, 0, 1, 2, 4, 4);
    d.SetPartOffset(button, d.AddPart(button, 1, 3, 1, 4, 4), 4, 0);
    d.AddPart(d.AddImage(L"lamp", 3, 3), 1, 0, 0, 3, 3);
    ASSERT_TRUE(d.SaveToFile(folder / "descriptor.xml"));
    for (int page = 0; page < (withSecondPage ? 2 : 1); ++page) {
        std::vector<uint8_t> tga { 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 32, 0x28 };
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                for (int shift = 0; shift < 32; shift += 8)
                    tga.push_back(static_cast<uint8_t>(PagePixel(page, x, y) >> shift));
        test::WriteBytes(folder / ("page" + std::to_string(page) + ".tga"), tga);
    }
}

class PageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitEngine(522, &m_device, &m_gfx);
        ASSERT_TRUE(SUCCEEDED(m_device->Create(nullptr, 64, 48)));
        m_device->BeginScene();
        m_device->Clear(0, nullptr, GFX_CLEAR_ALL, 0xFF000000);
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) { m_log.push_back(std::wstring(kind) + L": " + message); });
    }
    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        CloseEngine();
    }
    static uint32_t Pixel(int x, int y)
    {
        uint32_t argb = 0;
        EXPECT_TRUE(engine::ReadPixel(x, y, &argb));
        return argb;
    }

    iGfxDevice* m_device = nullptr;
    iGfx2D* m_gfx = nullptr;
    std::vector<std::wstring> m_log;
    test::TempFolder m_folder;
    std::wstring m_path = platform::NarrowToWide(m_folder.Path());
};

} // namespace

TEST_F(PageManagerTest, DrawsEachPartFromItsPageAtItsOffsetTintedCutOrScaled)
{
    WriteSet(m_folder, true);
    CPageManager pages;
    ASSERT_TRUE(pages.Load(m_path.c_str()));
    EXPECT_TRUE(m_log.empty());
    for (const wchar_t* name : { L"BUTTON_OFF.PNG", L"Button_Off", L"LAMP" })
        EXPECT_TRUE(pages.HasImage(name));
    for (const wchar_t* name : { L"lamp.png", L"butto", L"", static_cast<const wchar_t*>(nullptr) })
        EXPECT_FALSE(pages.HasImage(name));
    pages.DrawImage(L"button_off.png", 10, 20, 0, 0, 255, 128, 255, 255); // whole parts, half green
    pages.DrawImage(L"BUTTON_OFF", 30, 5, 2, 3, 255, 255, 255, 255); // cut to 2 × 3 from each corner
    pages.DrawImageScaled(L"lamp", 40, 30, 6, 6, 255, 255, 255, 255);
    pages.DrawImage(L"no such image", 0, 0, 0, 0, 255, 255, 255, 255);
    auto halfGreen = [](uint32_t c) { return (c & 0xFFFF00FFu) | (((c >> 8 & 0xFF) * 128 / 255) << 8); };
    const struct {
        int x, y;
        uint32_t expected;
    } probes[] = {
        { 10, 20, halfGreen(PagePixel(0, 1, 2)) }, { 13, 23, halfGreen(PagePixel(0, 4, 5)) },
        { 14, 20, halfGreen(PagePixel(1, 3, 1)) }, { 17, 23, halfGreen(PagePixel(1, 6, 4)) },
        { 18, 20, 0xFF000000 }, { 31, 7, PagePixel(0, 2, 4) }, { 32, 5, 0xFF000000 }, { 31, 8, 0xFF000000 },
        { 35, 7, PagePixel(1, 4, 3) }, { 36, 5, 0xFF000000 }, { 45, 35, PagePixel(1, 2, 2) }, { 46, 30, 0xFF000000 },
        { 0, 0, 0xFF000000 },
    };
    for (const auto& p : probes) {
        const uint32_t actual = Pixel(p.x, p.y);
        for (int shift = 0; shift < 24; shift += 8)
            EXPECT_NEAR((actual >> shift) & 0xFF, (p.expected >> shift) & 0xFF, 3) << p.x << "," << p.y << " " << shift;
    }
    uint32_t w = 77, h = 88;
    pages.GetImageSize(L"unknown", &w, &h);
    EXPECT_EQ(w, 77u);
    pages.GetImageSize(L"lamp", &w, &h);
    EXPECT_EQ(w, 3u);
}

TEST_F(PageManagerTest, AMissingPageIsLoggedAndUnloadFreesEveryTexture)
{
    WriteSet(m_folder, false);
    const int before = m_device->GetZombieBytes();
    {
        CPageManager pages;
        ASSERT_TRUE(pages.Load(m_path.c_str()));
        ASSERT_EQ(m_log.size(), 1u);
        EXPECT_EQ(m_log[0], L"error: CPageManager::Load - failed open file: " + m_path + L"/page1.tga");
        EXPECT_TRUE(pages.HasImage(L"lamp"));
        pages.DrawImage(L"lamp", 40, 40, 0, 0, 255, 255, 255, 255); // its page is missing: nothing
        EXPECT_EQ(Pixel(41, 41), 0xFF000000u);
        const int loaded = m_device->GetZombieBytes();
        ASSERT_TRUE(pages.Load(m_path.c_str())); // loading again replaces the set
        EXPECT_EQ(m_device->GetZombieBytes(), loaded);
        pages.Unload();
        EXPECT_EQ(m_device->GetZombieBytes(), before);
        EXPECT_FALSE(pages.HasImage(L"lamp"));
        ASSERT_TRUE(pages.Load(m_path.c_str()));
    }
    EXPECT_EQ(m_device->GetZombieBytes(), before); // the destructor unloads too
}

TEST_F(PageManagerTest, ADescriptorThatCannotBeReadFailsTheLoad)
{
    CPageManager pages;
    EXPECT_FALSE(pages.Load((m_path + L"/nothing").c_str()));
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_EQ(m_log[0], L"error: CPageManager::Load - failed to open descriptor: " + m_path + L"/nothing/descriptor.xml");
    // A broken descriptor fails with a message naming it.
    for (const std::vector<uint8_t>& broken : { std::vector<uint8_t> { 0xFF, 0xFE, '<', 0, 'x', 0 }, { 0xFF } }) {
        test::WriteBytes(m_folder / "descriptor.xml", broken);
        EXPECT_FALSE(pages.Load(m_path.c_str()));
        EXPECT_EQ(m_log.back(), L"error: CPageManager::Load - unable to parse descriptor: " + m_path + L"/descriptor.xml");
    }
    EXPECT_EQ(m_log.size(), 3u);
    EXPECT_FALSE(pages.HasImage(L"lamp"));
}
