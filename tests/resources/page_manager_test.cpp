#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/page_manager.h"
#include "support/recording_gfx.h"
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

using Rect = std::tuple<int, int, int, int>;
Rect RectOf(const RECT& r)
{
    return Rect(r.left, r.top, r.right, r.bottom);
}

// The set of the descriptor in the folder, with two pages (any bytes make a
// page for the recording engine), loaded.
bool LoadSet(const cPageDescriptor& d, const test::TempFolder& folder, CPageManager& pages)
{
    if (!d.SaveToFile(folder / "descriptor.xml"))
        return false;
    test::WriteBytes(folder / "page0.png", test::Bytes("zero"));
    test::WriteBytes(folder / "page1.png", test::Bytes("one"));
    return pages.Load(platform::NarrowToWide(folder.Path()).c_str());
}

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
    auto at = [](int x, int y) {
        uint32_t c = 0;
        return engine::ReadPixel(x, y, &c) ? c : 0u;
    };
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

// What a screen asks of a loaded set, recorded as the engine receives it:
// names and aliases in any case, a later image taking a shared name over,
// each part at its offset (whole, cut to a size, or stretched), the colour,
// and the size of an image's last part.
TEST(PageManagerDraws, EveryPartGoesWhereItsImageSaysInTheColourAsked)
{
    test::TempFolder folder;
    cPageDescriptor d;
    d.SetPageNames(L"page", L".png");
    const int two = d.AddImage(L"Button_Off.png", 30, 20);
    d.AddPart(two, 0, 1, 2, 10, 5), d.AddPart(two, 1, 3, 4, 6, 7), d.AddPart(two, 0, 5, 6, 8, 9);
    d.SetPartOffset(two, 1, 11, 12);
    d.SetPartOffset(two, 2, -3, 4);
    d.SetImageAlias(two, L"button");
    const int other = d.AddImage(L"lamp", 4, 4);
    d.AddPart(other, 1, 0, 0, 4, 4);
    d.SetImageAlias(other, L"BUTTON"); // takes the alias over
    test::RecordingGfx gfx;
    CPageManager pages;
    ASSERT_TRUE(LoadSet(d, folder, pages));
    ASSERT_EQ(gfx.texturesCreated, 2);
    for (const wchar_t* name : { L"BUTTON_OFF.PNG", L"button_off.png", L"Lamp", L"button" })
        EXPECT_TRUE(pages.HasImage(name));
    for (const wchar_t* name : { L"button_off", L"", static_cast<const wchar_t*>(nullptr) })
        EXPECT_FALSE(pages.HasImage(name));

    const iGfxTexture* page0 = nullptr;
    // Per draw call: the parts' sources and targets.
    const std::tuple<const char*, std::function<void()>, std::vector<std::pair<Rect, Rect>>> cases[] = {
        { "whole", [&] { pages.DrawImage(L"BUTTON_OFF.png", 100, 50, 0, 0, 1, 2, 3, 4); },
            { { { 1, 2, 11, 7 }, { 100, 50, 110, 55 } }, { { 3, 4, 9, 11 }, { 111, 62, 117, 69 } },
                { { 5, 6, 13, 15 }, { 97, 54, 105, 63 } } } },
        { "cut", [&] { pages.DrawImage(L"button_off.png", 100, 50, 5, 0, 1, 2, 3, 4); },
            { { { 1, 2, 6, 2 }, { 100, 50, 105, 50 } }, { { 3, 4, 8, 4 }, { 111, 62, 116, 62 } },
                { { 5, 6, 10, 6 }, { 97, 54, 102, 54 } } } },
        { "cut in height", [&] { pages.DrawImage(L"button_off.png", 0, 0, 0, 3, 1, 2, 3, 4); },
            { { { 1, 2, 1, 5 }, { 0, 0, 0, 3 } }, { { 3, 4, 3, 7 }, { 11, 12, 11, 15 } },
                { { 5, 6, 5, 9 }, { -3, 4, -3, 7 } } } },
        { "stretched", [&] { pages.DrawImageScaled(L"button_off.png", 10, 20, 40, 30, 1, 2, 3, 4); },
            { { { 1, 2, 11, 7 }, { 10, 20, 50, 50 } }, { { 3, 4, 9, 11 }, { 10, 20, 50, 50 } },
                { { 5, 6, 13, 15 }, { 10, 20, 50, 50 } } } },
        { "the alias taken over", [&] { pages.DrawImage(L"Button", 7, 8, 0, 0, 1, 2, 3, 4); },
            { { { 0, 0, 4, 4 }, { 7, 8, 11, 12 } } } },
        { "unknown", [&] { pages.DrawImage(L"none", 7, 8, 0, 0, 1, 2, 3, 4); }, {} },
    };
    for (const auto& [what, draw, expected] : cases) {
        SCOPED_TRACE(what);
        gfx.ClearRecords();
        draw();
        std::vector<std::pair<Rect, Rect>> seen;
        for (const test::GfxDraw& g : gfx.draws) {
            seen.emplace_back(g.hasSource ? RectOf(g.source) : Rect(), RectOf(g.target));
            EXPECT_EQ(g.color, 0x04010203u);
        }
        EXPECT_EQ(seen, expected);
        if (gfx.draws.size() == 3) { // parts 0 and 2 share page 0, part 1 is on page 1
            page0 = gfx.draws[0].texture;
            EXPECT_TRUE(page0 && gfx.draws[2].texture == page0 && gfx.draws[1].texture != page0);
        }
    }
    uint32_t w = 99, h = 99;
    pages.GetImageSize(L"none", &w, &h);
    EXPECT_EQ(std::pair(w, h), std::pair(99u, 99u));
    pages.GetImageSize(L"BUTTON_OFF.PNG", &w, &h);
    EXPECT_EQ(std::pair(w, h), std::pair(8u, 9u));
    pages.Unload();
    gfx.ClearRecords();
    pages.DrawImage(L"lamp", 0, 0, 0, 0, 1, 2, 3, 4);
    EXPECT_TRUE(gfx.draws.empty() && !pages.HasImage(L"lamp") && gfx.TexturesAlive() == 0);
}

// The draws that fit a box, keep the colour already set, or hand each part's
// centre on, as the engine receives them.
TEST(PageManagerDraws, FittedUncolouredAndCentredDrawsPlaceEveryPart)
{
    test::TempFolder folder;
    cPageDescriptor d;
    d.SetPageNames(L"page", L".png");
    const int bar = d.AddImage(L"bar", 20, 10);
    d.AddPart(bar, 0, 1, 2, 10, 4), d.AddPart(bar, 1, 0, 0, 4, 8), d.AddPart(bar, 0, 20, 30, 6, 6);
    d.SetPartOffset(bar, 0, 3, 5);
    d.SetPartOffset(bar, 1, -2, 7);
    test::RecordingGfx gfx;
    CPageManager pages;
    ASSERT_TRUE(LoadSet(d, folder, pages));

    using Draw = std::tuple<Rect, Rect, float, float>; // source, target, centre
    const uint32_t before = 0x80FF0000u; // set before each call
    const std::tuple<const char*, std::function<void()>, uint32_t, std::vector<Draw>> cases[] = {
        // a 40 × 20 box: wide parts take its width, the others its height
        { "fitted", [&] { pages.DrawImageC(L"BAR", 10, 20, 50, 40); }, before,
            { { { 1, 2, 11, 6 }, { 10, 20, 50, 28 }, 0, 0 }, { { 0, 0, 4, 8 }, { 10, 20, 30, 40 }, 0, 0 },
                { { 20, 30, 26, 36 }, { 10, 20, 50, 40 }, 0, 0 } } },
        { "fitted, a tall box", [&] { pages.DrawImageC(L"bar", 0, 0, 10, 30); }, before,
            { { { 1, 2, 11, 6 }, { 0, 0, 10, 12 }, 0, 0 }, { { 0, 0, 4, 8 }, { 0, 0, 5, 30 }, 0, 0 },
                { { 20, 30, 26, 36 }, { 0, 0, 10, 30 }, 0, 0 } } },
        { "uncoloured whole", [&] { pages.DrawImageD(L"Bar", 100, 50, 0, 0); }, before,
            { { { 1, 2, 11, 6 }, { 103, 55, 113, 59 }, 0, 0 }, { { 0, 0, 4, 8 }, { 98, 57, 102, 65 }, 0, 0 },
                { { 20, 30, 26, 36 }, { 100, 50, 106, 56 }, 0, 0 } } },
        { "uncoloured cut", [&] { pages.DrawImageD(L"bar", 0, 0, 3, 2); }, before,
            { { { 1, 2, 4, 4 }, { 3, 5, 6, 7 }, 0, 0 }, { { 0, 0, 3, 2 }, { -2, 7, 1, 9 }, 0, 0 },
                { { 20, 30, 23, 32 }, { 0, 0, 3, 2 }, 0, 0 } } },
        { "centred whole", [&] { pages.DrawImageE(L"bar", 100, 50, 0, 0, 1, 2, 3, 4, 0.5f); }, 0x04010203u,
            { { { 1, 2, 11, 6 }, { 103, 55, 113, 59 }, 108, 57 }, { { 0, 0, 4, 8 }, { 98, 57, 102, 65 }, 100, 61 },
                { { 20, 30, 26, 36 }, { 100, 50, 106, 56 }, 103, 53 } } },
        { "centred cut", [&] { pages.DrawImageE(L"bar", 0, 0, 3, 2, 1, 2, 3, 4, 0.5f); }, 0x04010203u,
            { { { 1, 2, 4, 4 }, { 3, 5, 6, 7 }, 4, 6 }, { { 0, 0, 3, 2 }, { -2, 7, 1, 9 }, -1, 8 },
                { { 20, 30, 23, 32 }, { 0, 0, 3, 2 }, 1, 1 } } },
        { "unknown",
            [&] {
                pages.DrawImageC(L"none", 0, 0, 9, 9), pages.DrawImageD(L"none", 0, 0, 0, 0),
                    pages.DrawImageE(L"none", 0, 0, 0, 0, 1, 2, 3, 4, 0);
            },
            before, {} },
    };
    for (const auto& [what, draw, colour, expected] : cases) {
        SCOPED_TRACE(what);
        gfx.SetColor(before);
        gfx.ClearRecords();
        draw();
        std::vector<Draw> seen;
        for (const test::GfxDraw& g : gfx.draws) {
            seen.emplace_back(g.hasSource ? RectOf(g.source) : Rect(), RectOf(g.target), g.centerX, g.centerY);
            EXPECT_EQ(g.color, colour);
        }
        EXPECT_EQ(seen, expected);
        // Parts 0 and 2 lie on page 0, part 1 on page 1.
        if (gfx.draws.size() >= 3) {
            EXPECT_TRUE(gfx.draws[0].texture == gfx.draws[2].texture && gfx.draws[1].texture != gfx.draws[0].texture);
        }
    }
}
