#include <gtest/gtest.h>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/page_manager.h"
#include "support/temp_folder.h"

namespace {

const std::wstring kLoad = L"error: CPageManager::Load - ";

// A started engine drawing into a 64 × 48 target, and the log lines written meanwhile.
class PageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitEngine(522, &m_device, &m_gfx);
        ASSERT_TRUE(SUCCEEDED(m_device->Create(nullptr, 64, 48)) && SUCCEEDED(m_device->BeginScene()));
        cLog::Instance().SetObserver(
            [this](const wchar_t* kind, const std::wstring& line) { m_log.push_back(kind + (L": " + line)); });
    }
    void TearDown() override { cLog::Instance().SetObserver(nullptr), CloseEngine(); }

    iGfxDevice* m_device = nullptr;
    iGfx2D* m_gfx = nullptr;
    std::vector<std::wstring> m_log;
    test::TempFolder m_folder;
    std::wstring m_path = platform::NarrowToWide(m_folder.Path());
};

} // namespace

TEST_F(PageManagerTest, AMissingPageIsLoggedAndUnloadFreesEveryTexture)
{
    // "button" is cut from both pages, "lamp" lies on page 1, which is missing.
    cPageDescriptor d;
    d.SetPageNames(L"page", L".tga");
    d.AddPart(d.AddImage(L"button", 8, 4), 0, 1, 2, 4, 4), d.AddPart(0, 1, 3, 1, 4, 4);
    d.AddPart(d.AddImage(L"lamp", 3, 3), 1, 0, 0, 3, 3);
    ASSERT_TRUE(d.SaveToFile(m_folder / "descriptor.xml"));
    std::vector<uint8_t> white { 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 32, 0x28 }; // 8 × 8 TGA
    white.resize(white.size() + 8 * 8 * 4, 0xFF);
    test::WriteBytes(m_folder / "page0.tga", white);
    const int before = m_device->GetZombieBytes();
    CPageManager pages;
    ASSERT_TRUE(pages.Load(m_path.c_str()));
    EXPECT_EQ(m_log, std::vector { kLoad + L"failed open file: " + m_path + L"/page1.tga" });
    m_device->Clear(0, nullptr, GFX_CLEAR_ALL, 0xFF000000);
    pages.DrawImage(L"lamp", 40, 40, 0, 0, 255, 255, 255, 255); // its page is missing: nothing
    pages.DrawImage(L"BUTTON", 10, 20, 0, 0, 255, 255, 255, 255); // the part on page 0 draws
    pages.DrawImage(L"button", 30, 20, 50, 0, 255, 255, 255, 255); // a size given: cut to 0 rows
    auto at = [](int x, int y) { uint32_t c = 0; return engine::ReadPixel(x, y, &c) ? c : 0u; };
    EXPECT_EQ(std::tuple(at(41, 41), at(11, 21), at(31, 21)), std::tuple(0xFF000000u, 0xFFFFFFFFu, 0xFF000000u));
    const int loaded = m_device->GetZombieBytes();
    // Loading again replaces the set.
    ASSERT_TRUE(pages.Load(m_path.c_str()) && m_device->GetZombieBytes() == loaded);
    pages.Unload();
    EXPECT_TRUE(m_device->GetZombieBytes() == before && !pages.HasImage(L"lamp"));
}

TEST_F(PageManagerTest, ADescriptorThatCannotBeReadFailsTheLoad)
{
    CPageManager pages;
    EXPECT_FALSE(pages.Load((m_path + L"/nothing").c_str()));
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_EQ(m_log[0], kLoad + L"failed to open descriptor: " + m_path + L"/nothing/descriptor.xml");
    // A broken descriptor fails with a message naming it.
    for (const std::vector<uint8_t>& broken : { std::vector<uint8_t> { 0xFF, 0xFE, '<', 0, 'x', 0 }, { 0xFF } }) {
        test::WriteBytes(m_folder / "descriptor.xml", broken);
        EXPECT_FALSE(pages.Load(m_path.c_str()));
        EXPECT_EQ(m_log.back(), kLoad + L"unable to parse descriptor: " + m_path + L"/descriptor.xml");
    }
    EXPECT_EQ(m_log.size(), 3u);
    EXPECT_FALSE(pages.HasImage(L"lamp"));
}
