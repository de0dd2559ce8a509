#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/page_descriptor.h"
#include "support/temp_folder.h"

namespace {

// A small valid descriptor; each case below changes one piece of it.
struct Pieces {
    std::wstring info = L"<info page-name=\"page\" page-extension=\".png\" page-count=\"2\" image-count=\"2\"/>";
    std::wstring comment = L"<comment>made by hand</comment>";
    std::wstring firstImage
        = L"<image name=\"button_off.png\" alias=\"button_off\" width=\"40\" height=\"20\" parts=\"2\">"
          L"<part page=\"0\" x=\"0\" y=\"0\" width=\"20\" height=\"20\" offset-x=\"0\" offset-y=\"0\"/>"
          L"<part page=\"1\" x=\"4\" y=\"8\" width=\"20\" height=\"20\" offset-x=\"20\" offset-y=\"0\"/>"
          L"</image>";
    std::wstring secondImage
        = L"<image name=\"lamp\" alias=\"\" width=\"8\" height=\"8\" parts=\"1\">"
          L"<part page=\"0\" x=\"20\" y=\"0\" width=\"8\" height=\"8\" offset-x=\"0\" offset-y=\"0\"/>"
          L"</image>";

    std::wstring Text() const
    {
        return L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><page-descriptor>" + info + comment + firstImage
            + secondImage + L"</page-descriptor>";
    }
};

std::wstring Replace(std::wstring text, const std::wstring& from, const std::wstring& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::wstring::npos) << platform::WideToNarrow(from);
    if (at != std::wstring::npos)
        text.replace(at, from.size(), to);
    return text;
}

cPageDescriptor WithPages(int count)
{
    cPageDescriptor d;
    const std::wstring text = L"<page-descriptor><info page-name=\"page\" page-extension=\".dds\" page-count=\""
        + std::to_wstring(count) + L"\" image-count=\"0\"/></page-descriptor>";
    EXPECT_TRUE(d.Parse(text.c_str(), 0));
    return d;
}

} // namespace

TEST(PageDescriptor, PageFileNamesTakeDigitsFromThePageCount)
{
    struct Case {
        int pages;
        int index;
        const wchar_t* expected;
    };
    const Case cases[] = {
        { 1, 0, L"page0.dds" },
        { 10, 0, L"page0.dds" },
        { 10, 9, L"page9.dds" },
        { 11, 0, L"page00.dds" },
        { 11, 10, L"page10.dds" },
        { 100, 7, L"page07.dds" },
        { 101, 7, L"page007.dds" },
        { 1001, 7, L"page0007.dds" },
        { 10, 10, nullptr },
        { 10, -1, nullptr },
        { 0, 0, nullptr },
    };
    for (const Case& c : cases) {
        const cPageDescriptor d = WithPages(c.pages);
        wchar_t buffer[64] = L"untouched";
        const wchar_t* name = d.GetPageFileName(c.index, buffer, 64);
        if (c.expected) {
            ASSERT_EQ(name, buffer) << c.pages << " pages, page " << c.index;
            EXPECT_STREQ(name, c.expected);
        } else {
            EXPECT_EQ(name, nullptr) << c.pages << " pages, page " << c.index;
        }
    }

    // "page07.dds" and its terminator need 11 units exactly.
    const cPageDescriptor d = WithPages(11);
    wchar_t buffer[11];
    EXPECT_EQ(d.GetPageFileName(7, buffer, 10), nullptr);
    EXPECT_EQ(d.GetPageFileName(7, nullptr, 11), nullptr);
    EXPECT_STREQ(d.GetPageFileName(7, buffer, 11), L"page07.dds");
}

TEST(PageDescriptor, ParseRefusesEveryBrokenRule)
{
    const Pieces base;
    const std::wstring good = base.Text();
    const std::wstring part1
        = L"<part page=\"1\" x=\"4\" y=\"8\" width=\"20\" height=\"20\" offset-x=\"20\" offset-y=\"0\"/>";
    struct Case {
        const char* what;
        std::wstring text;
        bool passes;
    };
    const Case cases[] = {
        { "the unchanged descriptor", good, true },
        { "three parts where two are declared", Replace(good, part1, part1 + part1), false },
        { "a part without offset-y", Replace(good, L"offset-x=\"20\" offset-y=\"0\"", L"offset-x=\"20\""), false },
        { "an image without alias", Replace(good, L"alias=\"button_off\" ", L""), false },
        { "an image with an empty name", Replace(good, L"name=\"lamp\"", L"name=\"\""), true },
        { "an image of width 0", Replace(good, L"width=\"8\" height=\"8\" parts", L"width=\"0\" height=\"8\" parts"),
            false },
        { "an image of width \"abc\"",
            Replace(good, L"width=\"8\" height=\"8\" parts", L"width=\"abc\" height=\"8\" parts"), false },
        { "a width read from its leading digits",
            Replace(good, L"width=\"8\" height=\"8\" parts", L"width=\" 8px\" height=\"8\" parts"), true },
        { "a part of width 0", Replace(good, L"x=\"20\" y=\"0\" width=\"8\"", L"x=\"20\" y=\"0\" width=\"0\""), true },
        { "an image with parts=\"0\"",
            Replace(Replace(good, L"parts=\"1\"", L"parts=\"0\""), L"<part page=\"0\" x=\"20\"", L"<other x=\"20\""),
            false },
        { "more images declared than given", Replace(good, L"image-count=\"2\"", L"image-count=\"3\""), false },
        { "fewer images declared than given", Replace(good, L"image-count=\"2\"", L"image-count=\"1\""), false },
        { "no info element", Replace(good, base.info, L""), false },
        { "info without page-count", Replace(good, L"page-count=\"2\" ", L""), false },
        { "an empty page name", Replace(good, L"page-name=\"page\"", L"page-name=\"\""), false },
        { "an empty page extension", Replace(good, L"page-extension=\".png\"", L"page-extension=\"\""), false },
        { "another root element",
            Replace(Replace(good, L"<page-descriptor>", L"<pages>"), L"</page-descriptor>", L"</pages>"), false },
        { "XML that does not close", good.substr(0, good.size() - 5), false },
        { "a part on a page outside the set", Replace(good, L"part page=\"1\"", L"part page=\"2\""), false },
        { "a part on a negative page", Replace(good, L"part page=\"1\"", L"part page=\"-1\""), false },
        { "a page count beyond any file name", Replace(good, L"page-count=\"2\"", L"page-count=\"2000000000\""),
            false },
        { "unknown elements and attributes", Replace(good, L"<comment>", L"<extra a=\"1\"/><comment colour=\"red\">"),
            true },
    };
    for (const Case& c : cases) {
        cPageDescriptor d;
        EXPECT_EQ(d.Parse(c.text.c_str(), 0), c.passes) << c.what;
    }
    cPageDescriptor d;
    EXPECT_FALSE(d.Parse(nullptr, 0));
}

TEST(PageDescriptor, ReadsImagesPartsAliasesAndComment)
{
    const Pieces base;
    // A length above 0 takes exactly that many characters, whatever follows.
    const std::wstring text = base.Text() + L"<trailing garbage";
    const int length = static_cast<int>(base.Text().size());
    cPageDescriptor d;
    ASSERT_TRUE(d.Parse(text.c_str(), length));
    EXPECT_FALSE(d.Parse(text.c_str(), 0));
    ASSERT_TRUE(d.Parse(text.c_str(), length));

    EXPECT_EQ(d.GetPageCount(), 2);
    ASSERT_EQ(d.GetImageCount(), 2);
    EXPECT_STREQ(d.GetImageName(0), L"button_off.png");
    EXPECT_STREQ(d.GetImageAlias(0), L"button_off");
    EXPECT_STREQ(d.GetImageAlias(1), L"");
    EXPECT_EQ(d.GetImageName(2), nullptr);
    EXPECT_EQ(d.GetImageAlias(-1), nullptr);
    EXPECT_EQ(d.GetPartCount(0), 2);
    EXPECT_EQ(d.GetPartCount(5), 0);
    EXPECT_EQ(d.GetPartPage(0, 1), 1);
    EXPECT_EQ(d.GetPartPage(0, 2), -1);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(d.GetPartRect(0, 1, &x, &y, &w, &h));
    EXPECT_EQ((std::vector<int> { x, y, w, h }), (std::vector<int> { 4, 8, 20, 20 }));
    ASSERT_TRUE(d.GetPartOffset(0, 1, &x, &y));
    EXPECT_EQ((std::vector<int> { x, y }), (std::vector<int> { 20, 0 }));
    EXPECT_FALSE(d.GetPartRect(1, 1, &x, &y, &w, &h));
    ASSERT_TRUE(d.GetImageSize(0, &w, &h));
    EXPECT_EQ((std::vector<int> { w, h }), (std::vector<int> { 40, 20 }));
    EXPECT_FALSE(d.GetImageSize(2, &w, &h));

    wchar_t comment[64];
    EXPECT_TRUE(d.GetComment(comment, 64));
    EXPECT_STREQ(comment, L"made by hand");
    wchar_t small[5];
    EXPECT_FALSE(d.GetComment(small, 5));
    EXPECT_STREQ(small, L"made");

    Pieces bare;
    bare.comment.clear();
    ASSERT_TRUE(d.Parse(bare.Text().c_str(), 0));
    EXPECT_TRUE(d.GetComment(comment, 64));
    EXPECT_STREQ(comment, L"");

    // A failed parse leaves what it read; Reset returns to the defaults.
    ASSERT_FALSE(d.Parse(Replace(base.Text(), L"image-count=\"2\"", L"image-count=\"3\"").c_str(), 0));
    EXPECT_EQ(d.GetImageCount(), 2);
    d.Reset();
    EXPECT_EQ(d.GetImageCount(), 0);
    EXPECT_EQ(d.GetPageCount(), 0);
}

TEST(PageDescriptor, EditingSideKeepsItsRules)
{
    cPageDescriptor d;
    EXPECT_EQ(d.AddImage(L"", 10, 10), -1);
    EXPECT_EQ(d.AddImage(nullptr, 10, 10), -1);
    EXPECT_EQ(d.AddImage(L"car", 0, 10), -1);
    ASSERT_EQ(d.AddImage(L"car", 30, 20), 0);
    ASSERT_EQ(d.AddImage(L"lamp", 8, 8), 1);
    EXPECT_EQ(d.AddImage(L"car", 99, 99), 0); // an existing name gives its index

    struct Part {
        int image, page, x, y, w, h, expected;
    };
    const Part parts[] = {
        { 2, 0, 0, 0, 5, 5, -1 },
        { 0, -1, 0, 0, 5, 5, -1 },
        { 0, 0, -1, 0, 5, 5, -1 },
        { 0, 0, 0, 0, 0, 5, -1 },
        { 0, 0, 0, 0, 31, 5, -1 },
        { 0, 0, 0, 0, 5, 21, -1 },
        { 0, 0, 0, 0, 30, 20, 0 },
        { 0, 2, 10, 0, 5, 5, 1 },
        { 0, 0, 0, 0, 30, 20, 0 },
        { 0, 1, 0, 0, 30, 20, 2 },
    };
    for (const Part& p : parts)
        EXPECT_EQ(d.AddPart(p.image, p.page, p.x, p.y, p.w, p.h), p.expected) << p.image << "/" << p.page << "/" << p.w;
    EXPECT_EQ(d.GetPageCount(), 3); // rose to page 2 + 1
    EXPECT_TRUE(d.SetPartOffset(0, 1, 7, -3));
    EXPECT_FALSE(d.SetPartOffset(0, 3, 0, 0));

    EXPECT_TRUE(d.SetImageAlias(0, L"car.png"));
    EXPECT_STREQ(d.GetImageAlias(0), L"car.png");
    EXPECT_TRUE(d.SetImageAlias(0, nullptr));
    EXPECT_STREQ(d.GetImageAlias(0), L"");
    EXPECT_FALSE(d.SetImageAlias(5, L"x"));

    struct Names {
        const wchar_t* name;
        const wchar_t* extension;
        bool accepted;
        const wchar_t* page0;
    };
    const Names names[] = {
        { L".hidden", L".png", false, L"page0.dds" },
        { L"", L"", true, L"page0.dds" },
        { L"tex", L"png", true, L"tex0.png" },
        { L"a/b:c*", nullptr, true, L"abc0.png" },
        { L"??", L".tga", false, L"abc0.png" },
        { nullptr, L"<>", false, L"abc0.png" },
        { nullptr, L".bmp", true, L"abc0.bmp" },
    };
    for (const Names& n : names) {
        EXPECT_EQ(d.SetPageNames(n.name, n.extension), n.accepted);
        wchar_t buffer[32];
        EXPECT_STREQ(d.GetPageFileName(0, buffer, 32), n.page0);
    }
}

TEST(PageDescriptor, WrittenDescriptorParsesBackToTheSameImages)
{
    cPageDescriptor d;
    ASSERT_TRUE(d.SetPageNames(L"page", L".png"));
    d.SetComment(L"Gr\u00fc\u00dfe & <Platzhalter>");
    const int car = d.AddImage(L"auto_rot.png", 64, 32);
    d.SetImageAlias(car, L"auto_rot");
    d.AddPart(car, 0, 0, 0, 32, 32);
    d.SetPartOffset(car, d.AddPart(car, 1, 16, 48, 32, 32), 32, 0);
    const int lamp = d.AddImage(L"lampe_green", 8, 8);
    d.AddPart(lamp, 0, 40, 0, 8, 8);

    test::TempFolder folder;
    const std::string path = folder / "descriptor.xml";
    ASSERT_TRUE(d.SaveToFile(path));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    // The reader's way: drop the first code unit, parse the rest.
    const std::wstring text = platform::Utf16LeToWide(bytes.data() + 2, bytes.size() - 2);
    EXPECT_EQ(text.rfind(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>", 0), 0u);
    EXPECT_NE(text.find(L"<info page-name=\"page\" page-extension=\".png\" page-count=\"2\" image-count=\"2\"/>"),
        std::wstring::npos);
    EXPECT_NE(text.find(L"<image name=\"auto_rot.png\" alias=\"auto_rot\" parts=\"2\" width=\"64\" height=\"32\">"),
        std::wstring::npos);

    cPageDescriptor back;
    ASSERT_TRUE(back.Parse(text.c_str(), static_cast<int>(text.size())));
    ASSERT_EQ(back.GetImageCount(), d.GetImageCount());
    EXPECT_EQ(back.GetPageCount(), 2);
    for (int i = 0; i < d.GetImageCount(); ++i) {
        EXPECT_STREQ(back.GetImageName(i), d.GetImageName(i));
        EXPECT_STREQ(back.GetImageAlias(i), d.GetImageAlias(i));
        ASSERT_EQ(back.GetPartCount(i), d.GetPartCount(i));
        for (int p = 0; p < d.GetPartCount(i); ++p) {
            int a[6], b[6];
            d.GetPartRect(i, p, &a[0], &a[1], &a[2], &a[3]);
            d.GetPartOffset(i, p, &a[4], &a[5]);
            back.GetPartRect(i, p, &b[0], &b[1], &b[2], &b[3]);
            back.GetPartOffset(i, p, &b[4], &b[5]);
            EXPECT_EQ(std::vector<int>(a, a + 6), std::vector<int>(b, b + 6));
            EXPECT_EQ(back.GetPartPage(i, p), d.GetPartPage(i, p));
        }
    }
    wchar_t comment[64];
    ASSERT_TRUE(back.GetComment(comment, 64));
    EXPECT_STREQ(comment, L"Gr\u00fc\u00dfe & <Platzhalter>");

    // The buffer form reports the size it needs: the text's units and a zero.
    int size = 4;
    uint8_t tiny[4];
    EXPECT_FALSE(d.SaveToBuffer(tiny, &size));
    EXPECT_EQ(size, static_cast<int>(2 * text.size() + 2));
    std::vector<uint8_t> buffer(size);
    ASSERT_TRUE(d.SaveToBuffer(buffer.data(), &size));
    EXPECT_EQ(
        std::vector<uint8_t>(buffer.begin(), buffer.end() - 2), std::vector<uint8_t>(bytes.begin() + 2, bytes.end()));

    std::wstring handed;
    d.SaveToFunction([&](const wchar_t* t) { handed = t; });
    EXPECT_EQ(handed, text);
}
