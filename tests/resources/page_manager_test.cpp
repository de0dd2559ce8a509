#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/page_manager.h"
#include "support/temp_folder.h"

namespace {

constexpr int kScreenW = 64;
constexpr int kScreenH = 48;
constexpr uint32_t kBackground = 0xFF000000;

// Page pixels tell where they come from: red = 20 * x, green = 20 * y, blue
// by page, so a wrong source rectangle or page shows in the read-back.
uint32_t PagePixel(int page, int x, int y)
{
    return MakeARGB(255, 20 * x + 10, 20 * y + 10, page == 0 ? 60 : 220);
}

// An uncompressed 32-bit TGA, rows from the top.
std::vector<uint8_t> Tga(int page, int w, int h)
{
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = static_cast<uint8_t>(w);
    out[14] = static_cast<uint8_t>(h);
    out[16] = 32;
    out[17] = 0x28;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t c = PagePixel(page, x, y);
            out.insert(out.end(),
                { static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16),
                    static_cast<uint8_t>(c >> 24) });
        }
    }
    return out;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A two-page set: "Button_Off.png" is cut from both pages, "lamp" lies on
// page 1 only, "bar" has three parts of different sizes.
void WriteSet(const test::TempFolder& folder, bool withSecondPage)
{
    cPageDescriptor d;
    d.SetPageNames(L"page", L".tga");
    const int button = d.AddImage(L"Button_Off.png", 8, 4);
    d.SetImageAlias(button, L"button_off");
    d.AddPart(button, 0, 1, 2, 4, 4);
    d.SetPartOffset(button, d.AddPart(button, 1, 3, 1, 4, 4), 4, 0);
    const int lamp = d.AddImage(L"lamp", 3, 3);
    d.AddPart(lamp, 1, 0, 0, 3, 3);
    const int bar = d.AddImage(L"bar", 6, 6);
    d.AddPart(bar, 0, 0, 0, 6, 1);
    d.AddPart(bar, 0, 0, 1, 5, 2);
    d.AddPart(bar, 0, 0, 3, 2, 3);
    ASSERT_TRUE(d.SaveToFile(folder / "descriptor.xml"));
    WriteBytes(folder / "page0.tga", Tga(0, 8, 8));
    if (withSecondPage)
        WriteBytes(folder / "page1.tga", Tga(1, 8, 8));
}

std::wstring Wide(const std::string& text)
{
    return platform::NarrowToWide(text);
}

class PageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitEngine(522, &m_device, &m_gfx);
        ASSERT_TRUE(SUCCEEDED(m_device->Create(nullptr, kScreenW, kScreenH)));
        ClearScreen();
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) {
            m_log.push_back(std::wstring(kind) + L": " + message);
        });
    }

    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        CloseEngine();
    }

    void ClearScreen()
    {
        m_device->BeginScene();
        m_device->Clear(0, nullptr, GFX_CLEAR_ALL, kBackground);
    }

    uint32_t Pixel(int x, int y)
    {
        uint32_t argb = 0;
        EXPECT_TRUE(engine::ReadPixel(x, y, &argb));
        return argb;
    }

    // Every pixel of the screen: what the part lists say must be there, and
    // the background elsewhere.
    struct Expected {
        int x, y, w, h; // screen rectangle
        int page, sx, sy; // where its pixels come from
    };
    void ExpectScreen(const std::vector<Expected>& drawn, int r, int g, int b)
    {
        auto close = [](uint32_t a, uint32_t e) {
            for (int shift : { 0, 8, 16 }) {
                const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((e >> shift) & 0xFF);
                if (d < -2 || d > 2)
                    return false;
            }
            return true;
        };
        for (int y = 0; y < kScreenH; ++y) {
            for (int x = 0; x < kScreenW; ++x) {
                uint32_t expected = kBackground;
                for (const Expected& e : drawn) {
                    if (x >= e.x && x < e.x + e.w && y >= e.y && y < e.y + e.h) {
                        const uint32_t c = PagePixel(e.page, e.sx + x - e.x, e.sy + y - e.y);
                        expected = MakeARGB(
                            255, ((c >> 16) & 0xFF) * r / 255, ((c >> 8) & 0xFF) * g / 255, (c & 0xFF) * b / 255);
                    }
                }
                const uint32_t actual = Pixel(x, y);
                ASSERT_TRUE(close(actual, expected))
                    << "at " << x << "," << y << std::hex << ": " << actual << " expected " << expected;
            }
        }
    }

    iGfxDevice* m_device = nullptr;
    iGfx2D* m_gfx = nullptr;
    std::vector<std::wstring> m_log;
};

} // namespace

TEST_F(PageManagerTest, DrawsATintedTwoPartImageFromTwoPages)
{
    test::TempFolder folder;
    WriteSet(folder, true);
    CPageManager pages;
    ASSERT_TRUE(pages.Load(Wide(folder.Path()).c_str()));
    EXPECT_TRUE(m_log.empty());

    // Whole parts at their offsets, tinted: half green, full red and blue.
    pages.DrawImage(L"button_off.png", 10, 20, 0, 0, 255, 128, 255, 255);
    ExpectScreen({ { 10, 20, 4, 4, 0, 1, 2 }, { 14, 20, 4, 4, 1, 3, 1 } }, 255, 128, 255);

    // Cut to 2 x 3 from each part's corner, not scaled.
    ClearScreen();
    pages.DrawImage(L"BUTTON_OFF", 30, 5, 2, 3, 255, 255, 255, 255);
    ExpectScreen({ { 30, 5, 2, 3, 0, 1, 2 }, { 34, 5, 2, 3, 1, 3, 1 } }, 255, 255, 255);

    // Width 50 and height 0 draws every part 0 pixels high: nothing.
    ClearScreen();
    pages.DrawImage(L"button_off", 0, 0, 50, 0, 255, 255, 255, 255);
    ExpectScreen({}, 255, 255, 255);

    // Stretched: each part fills the whole rectangle, so the last one shows.
    ClearScreen();
    pages.DrawImageScaled(L"lamp", 40, 30, 6, 6, 255, 255, 255, 255);
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x)
            ASSERT_EQ(Pixel(x, y) == kBackground, !(x >= 40 && x < 46 && y >= 30 && y < 36)) << x << "," << y;

    // An unknown name draws nothing and says nothing.
    ClearScreen();
    pages.DrawImage(L"no such image", 0, 0, 0, 0, 255, 255, 255, 255);
    pages.DrawImage(nullptr, 0, 0, 0, 0, 255, 255, 255, 255);
    pages.DrawImageC(L"bar", 0, 0, 12, 12);
    pages.DrawImageE(L"lamp", 1, 1, 0, 0, 255, 255, 255, 255, 0.5f);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(PageManagerTest, FindsNamesAndAliasesInAnyCase)
{
    test::TempFolder folder;
    WriteSet(folder, true);
    CPageManager pages;
    EXPECT_FALSE(pages.HasImage(L"lamp")); // empty manager
    ASSERT_TRUE(pages.Load(Wide(folder.Path()).c_str()));

    struct Case {
        const wchar_t* name;
        bool found;
    };
    const Case cases[] = {
        { L"BUTTON_OFF.PNG", true },
        { L"button_off.png", true },
        { L"Button_Off", true },
        { L"LAMP", true },
        { L"lamp.png", false },
        { L"", false },
        { nullptr, false },
        { L"butto", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(pages.HasImage(c.name), c.found) << (c.name ? platform::WideToNarrow(c.name) : "(null)");

    uint32_t w = 77, h = 88;
    pages.GetImageSize(L"BAR", &w, &h);
    EXPECT_EQ(w, 2u); // the third part's size remains
    EXPECT_EQ(h, 3u);
    w = 77;
    h = 88;
    pages.GetImageSize(L"unknown", &w, &h);
    pages.GetImageSize(nullptr, &w, &h);
    EXPECT_EQ(w, 77u);
    EXPECT_EQ(h, 88u);
}

TEST_F(PageManagerTest, AMissingPageIsLoggedOnceAndTheOtherPageStillDraws)
{
    test::TempFolder folder;
    WriteSet(folder, false);
    CPageManager pages;
    ASSERT_TRUE(pages.Load(Wide(folder.Path()).c_str()));
    const std::wstring expected = L"error: CPageManager::Load - failed open file: " + Wide(folder / "page1.tga");
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_EQ(m_log[0], expected);
    for (const wchar_t* name : { L"button_off", L"lamp", L"bar" })
        EXPECT_TRUE(pages.HasImage(name));

    // The part on page 0 draws; the part on the missing page and the lamp draw nothing.
    pages.DrawImage(L"button_off", 10, 20, 0, 0, 255, 255, 255, 255);
    pages.DrawImage(L"lamp", 40, 40, 0, 0, 255, 255, 255, 255);
    ExpectScreen({ { 10, 20, 4, 4, 0, 1, 2 } }, 255, 255, 255);
    EXPECT_EQ(m_log.size(), 1u);
}

TEST_F(PageManagerTest, UnloadFreesEveryTextureAndForgetsEveryName)
{
    test::TempFolder folder;
    WriteSet(folder, true);
    const int before = m_device->GetZombieBytes();
    {
        CPageManager pages;
        ASSERT_TRUE(pages.Load(Wide(folder.Path()).c_str()));
        const int loaded = m_device->GetZombieBytes();
        EXPECT_GT(loaded, before);
        // Loading again replaces the set instead of stacking a second one.
        ASSERT_TRUE(pages.Load(Wide(folder.Path()).c_str()));
        EXPECT_EQ(m_device->GetZombieBytes(), loaded);

        pages.Unload();
        EXPECT_EQ(m_device->GetZombieBytes(), before);
        for (const wchar_t* name : { L"button_off", L"lamp", L"bar" })
            EXPECT_FALSE(pages.HasImage(name));
        pages.DrawImage(L"lamp", 0, 0, 0, 0, 255, 255, 255, 255);
        ExpectScreen({}, 255, 255, 255);

        ASSERT_TRUE(pages.Load(Wide(folder.Path()).c_str()));
    }
    EXPECT_EQ(m_device->GetZombieBytes(), 0); // the destructor unloads too
}

TEST_F(PageManagerTest, ADescriptorThatCannotBeReadFailsTheLoad)
{
    test::TempFolder folder;
    CPageManager pages;
    EXPECT_FALSE(pages.Load(Wide(folder / "nothing").c_str()));
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_EQ(
        m_log[0], L"error: CPageManager::Load - failed to open descriptor: " + Wide(folder / "nothing/descriptor.xml"));

    // A broken descriptor fails with a message naming it.
    for (const std::vector<uint8_t>& broken : { std::vector<uint8_t> { 0xFF, 0xFE, '<', 0, 'x', 0 }, { 0xFF } }) {
        WriteBytes(folder / "descriptor.xml", broken);
        EXPECT_FALSE(pages.Load(Wide(folder.Path()).c_str()));
        EXPECT_EQ(m_log.back(),
            L"error: CPageManager::Load - unable to parse descriptor: " + Wide(folder.Path()) + L"/descriptor.xml");
    }
    EXPECT_EQ(m_log.size(), 3u);
    EXPECT_FALSE(pages.HasImage(L"lamp"));
}
