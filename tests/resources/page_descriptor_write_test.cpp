// Page descriptors at their limits: page counts, queries at the last image and
// part, and the ways the text is written out and read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/page_descriptor.h"
#include "support/temp_folder.h"

namespace {

std::wstring WithPages(const std::wstring& count, const std::wstring& images = L"")
{
    return L"<page-descriptor><info page-name=\"page\" page-extension=\".dds\" page-count=\"" + count
        + L"\" image-count=\"" + (images.empty() ? L"0" : L"1") + L"\"/>" + images + L"</page-descriptor>";
}

std::wstring ImageOnPage(int page)
{
    return L"<image name=\"a\" alias=\"\" width=\"8\" height=\"8\" parts=\"1\"><part page=\"" + std::to_wstring(page)
        + L"\" x=\"0\" y=\"0\" width=\"8\" height=\"8\" offset-x=\"0\" offset-y=\"0\"/></image>";
}

// Two images, the second cut in two parts.
cPageDescriptor TwoImages()
{
    cPageDescriptor d;
    d.AddPart(d.AddImage(L"lamp", 8, 8), 0, 0, 0, 8, 8);
    const int bar = d.AddImage(L"bar", 40, 10);
    d.AddPart(bar, 0, 8, 0, 20, 10);
    d.SetPartOffset(bar, d.AddPart(bar, 1, 0, 0, 20, 10), 20, 0);
    d.SetImageAlias(bar, L"long_bar");
    return d;
}

} // namespace

TEST(PageDescriptorLimits, PageCountsUpToTheLargestFileNameLoadAndOnePastIsRefused)
{
    const std::tuple<std::wstring, bool, const wchar_t*> cases[] = {
        // page count (and an image), loads, name of the last page
        { WithPages(L"0"), true, nullptr },
        { WithPages(L"1"), true, L"page0.dds" },
        { WithPages(L"1000"), true, L"page999.dds" },
        { WithPages(L"1001"), true, L"page1000.dds" },
        { WithPages(L"9999"), true, L"page9998.dds" },
        { WithPages(L"10000"), false, nullptr },
        { WithPages(L"-1"), false, nullptr },
        { WithPages(L"99999999999"), false, nullptr }, // beyond int: clamped, still too many
        { WithPages(L"9999", ImageOnPage(9998)), true, L"page9998.dds" },
        { WithPages(L"9999", ImageOnPage(9999)), false, nullptr },
    };
    for (const auto& [text, loads, lastName] : cases) {
        SCOPED_TRACE(platform::WideToNarrow(text));
        cPageDescriptor d;
        ASSERT_EQ(d.Parse(text.c_str(), 0), loads);
        if (!loads)
            continue;
        wchar_t buffer[32];
        EXPECT_STREQ(d.GetPageFileName(d.GetPageCount() - 1, buffer, 32), lastName);
        EXPECT_EQ(d.GetPageFileName(d.GetPageCount(), buffer, 32), nullptr);
    }
}

TEST(PageDescriptorLimits, QueriesAnswerForTheLastImageAndPartAndRefuseOnePast)
{
    const cPageDescriptor d = TwoImages();
    const struct {
        int image, part;
        bool imageExists, partExists;
    } cases[] = { { 1, 1, true, true }, { 0, 0, true, true }, { 1, 2, true, false }, { 0, 1, true, false },
        { 2, 0, false, false }, { -1, 0, false, false }, { 1, -1, true, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.image) + "/" + std::to_string(c.part));
        EXPECT_EQ(d.GetImageName(c.image) != nullptr, c.imageExists);
        EXPECT_EQ(d.GetImageAlias(c.image) != nullptr, c.imageExists);
        EXPECT_EQ(d.GetImageSize(c.image, nullptr, nullptr), c.imageExists);
        EXPECT_EQ(d.GetPartCount(c.image), c.imageExists ? 1 + c.image : 0);
        EXPECT_EQ(d.GetPartPage(c.image, c.part), c.partExists ? c.part : -1);
        int x = -7, y = -7, w = -7, h = -7;
        EXPECT_EQ(d.GetPartRect(c.image, c.part, &x, &y, &w, &h), c.partExists);
        EXPECT_EQ(d.GetPartOffset(c.image, c.part, nullptr, nullptr), c.partExists);
        if (!c.partExists) {
            EXPECT_EQ(std::vector<int>({ x, y, w, h }), std::vector<int>({ -7, -7, -7, -7 }));
        }
        cPageDescriptor copy = d;
        EXPECT_EQ(copy.SetPartOffset(c.image, c.part, 1, 1), c.partExists);
        EXPECT_EQ(copy.SetImageAlias(c.image, L"x"), c.imageExists);
    }
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(d.GetPartRect(1, 1, &x, &y, &w, &h));
    EXPECT_EQ(std::vector<int>({ x, y, w, h }), std::vector<int>({ 0, 0, 20, 10 }));
    ASSERT_TRUE(d.GetImageSize(1, &w, &h));
    EXPECT_EQ(std::vector<int>({ w, h }), std::vector<int>({ 40, 10 }));
    ASSERT_TRUE(d.GetPartOffset(1, 1, &x, &y));
    EXPECT_EQ(std::vector<int>({ x, y }), std::vector<int>({ 20, 0 }));
    EXPECT_STREQ(d.GetImageAlias(1), L"long_bar");
}

TEST(PageDescriptorLimits, TheBufferCopyReportsTheBytesNeededAndWritesOnlyWhenTheyFit)
{
    const cPageDescriptor d = TwoImages();
    const std::wstring text = d.GetText();
    const int needed = static_cast<int>(2 * text.size() + 2); // UTF-16 and a terminating zero
    const struct {
        const char* what;
        bool buffer;
        int given;
        bool written;
    } cases[] = {
        { "one byte short", true, needed - 1, false },
        { "empty", true, 0, false },
        { "no buffer", false, 1 << 20, false },
        { "exact", true, needed, true },
        { "larger", true, needed + 6, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> buffer(static_cast<size_t>(needed + 6), 0xAB);
        int bytes = c.given;
        EXPECT_EQ(d.SaveToBuffer(c.buffer ? buffer.data() : nullptr, &bytes), c.written);
        EXPECT_EQ(bytes, needed);
        const size_t touched = c.written ? static_cast<size_t>(needed) : 0;
        for (size_t i = touched; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], 0xAB) << "byte " << i;
        if (!c.written)
            continue;
        EXPECT_EQ(buffer[touched - 1] | buffer[touched - 2], 0);
        const std::wstring back = platform::Utf16LeToWide(buffer.data(), touched - 2);
        cPageDescriptor parsed;
        ASSERT_TRUE(parsed.Parse(back.c_str(), 0));
        EXPECT_EQ(parsed.GetText(), text);
    }
    uint8_t small[4] = {};
    EXPECT_FALSE(d.SaveToBuffer(small, nullptr));
    std::wstring sunk;
    d.SaveToFunction([&](const wchar_t* t) { sunk = t; });
    EXPECT_EQ(sunk, text);
    d.SaveToFunction(nullptr); // nothing to call
}

// Brought back: the file the tools write is read back by the game the same.
TEST(PageDescriptorLimits, WrittenDescriptorParsesBackToTheSameImages)
{
    cPageDescriptor d = TwoImages();
    ASSERT_TRUE(d.SetPageNames(L"page", L".png"));
    d.SetComment(L"Gr\u00fc\u00dfe & <Platzhalter>");
    test::TempFolder folder;
    ASSERT_TRUE(d.SaveToFile(folder / "descriptor.xml"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(folder / "descriptor.xml", bytes));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0] + 256 * bytes[1], 0xFEFF);
    // The reader's way: drop the first code unit, parse the rest.
    const std::wstring text = platform::Utf16LeToWide(bytes.data() + 2, bytes.size() - 2);
    cPageDescriptor back;
    ASSERT_TRUE(back.Parse(text.c_str(), static_cast<int>(text.size())));
    EXPECT_EQ(back.GetText(), d.GetText());
    EXPECT_EQ(back.GetPageCount(), 2);
    wchar_t name[16];
    EXPECT_STREQ(back.GetPageFileName(1, name, 16), L"page1.png");
    // The comment is copied whole only when it fits with its terminator.
    const std::wstring comment = L"Gr\u00fc\u00dfe & <Platzhalter>";
    const int n = static_cast<int>(comment.size());
    const std::tuple<int, bool, std::wstring> cuts[] = { { n + 1, true, comment }, { n + 8, true, comment },
        { n, false, comment.substr(0, comment.size() - 1) }, { 1, false, L"" } };
    for (const auto& [capacity, whole, expected] : cuts) {
        std::vector<wchar_t> buffer(static_cast<size_t>(n + 8), L'#');
        EXPECT_EQ(back.GetComment(buffer.data(), capacity), whole) << capacity;
        EXPECT_EQ(std::wstring(buffer.data()), expected) << capacity;
    }
    wchar_t none[4];
    EXPECT_FALSE(back.GetComment(none, 0) || back.GetComment(nullptr, 4));
}

TEST(PageDescriptorLimits, PageNamesAreSetWholeOrNotAtAllAndPageFileNamesFitTheirBuffer)
{
    const std::tuple<const wchar_t*, const wchar_t*, bool, const wchar_t*> cases[] = {
        // name, extension, accepted, name of page 0 afterwards
        { L"tex", L"png", true, L"tex0.png" },
        { L"tex", L".png", true, L"tex0.png" },
        { L"a/b:c", nullptr, true, L"abc0.dds" },
        { nullptr, L"tga", true, L"page0.tga" },
        { L"", L"", true, L"page0.dds" },
        { L".hidden", L".png", false, L"page0.dds" },
        { L"//", L".png", false, L"page0.dds" },
        { L"tex", L"**", false, L"page0.dds" },
    };
    for (const auto& [name, extension, accepted, page0] : cases) {
        SCOPED_TRACE(platform::WideToNarrow(page0));
        cPageDescriptor d;
        ASSERT_EQ(d.AddPart(d.AddImage(L"a", 8, 8), 0, 0, 0, 8, 8), 0);
        EXPECT_EQ(d.SetPageNames(name, extension), accepted);
        wchar_t buffer[32];
        EXPECT_STREQ(d.GetPageFileName(0, buffer, 32), page0);
        // Exactly room for the name and its terminator, and one short.
        const int length = static_cast<int>(std::wstring(page0).size());
        EXPECT_STREQ(d.GetPageFileName(0, buffer, length + 1), page0);
        EXPECT_EQ(d.GetPageFileName(0, buffer, length), nullptr);
        EXPECT_EQ(d.GetPageFileName(0, nullptr, 32), nullptr);
    }
}

TEST(PageDescriptorLimits, ImagesAndPartsOutsideTheirBoundsAreNotAdded)
{
    cPageDescriptor d;
    const std::tuple<const wchar_t*, int, int, int> images[] = {
        { L"a", 8, 8, 0 }, { L"b", 1, 1, 1 }, { nullptr, 8, 8, -1 }, { L"c", 0, 8, -1 }, { L"c", 8, 0, -1 } };
    for (const auto& [name, width, height, index] : images)
        EXPECT_EQ(d.AddImage(name, width, height), index) << width << "x" << height;
    // image, page, x, y, width, height, and the part's index or -1
    const int parts[][7] = { { 0, 9998, 0, 0, 8, 8, 0 }, { 0, 9999, 0, 0, 8, 8, -1 }, { 0, 0, 0, -1, 4, 4, -1 },
        { 0, 0, 0, 0, 4, 0, -1 }, { 0, 0, 0, 0, 4, 9, -1 }, { 1, 0, 5, 5, 1, 1, 0 }, { 2, 0, 0, 0, 1, 1, -1 } };
    for (const auto& c : parts)
        EXPECT_EQ(d.AddPart(c[0], c[1], c[2], c[3], c[4], c[5]), c[6]) << c[0] << " " << c[1] << " " << c[5];
    EXPECT_EQ(d.GetPageCount(), 9999);
    EXPECT_EQ(d.GetImageCount(), 2);
}
