#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/utf16.h"
#include "resources/page_descriptor.h"

namespace {

const std::wstring kInfo = L"<info page-name=\"page\" page-extension=\".png\" page-count=\"2\" image-count=\"2\"/>";
const std::wstring kPart1
    = L"<part page=\"1\" x=\"4\" y=\"8\" width=\"20\" height=\"20\" offset-x=\"20\" offset-y=\"0\"/>";
// A small valid descriptor; each case below changes one piece of it.
const std::wstring kGood = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><page-descriptor>" + kInfo
    + L"<comment>made by hand</comment><image name=\"button_off.png\" alias=\"button_off\" width=\"40\" height=\"20\" "
      L"parts=\"2\"><part page=\"0\" x=\"0\" y=\"0\" width=\"20\" height=\"20\" offset-x=\"0\" offset-y=\"0\"/>"
    + kPart1 + L"</image><image name=\"lamp\" alias=\"\" width=\"8\" height=\"8\" parts=\"1\"><part page=\"0\" "
      L"x=\"20\" y=\"0\" width=\"8\" height=\"8\" offset-x=\"0\" offset-y=\"0\"/></image></page-descriptor>";

std::wstring Replace(const std::wstring& from, const std::wstring& to)
{
    std::wstring text = kGood;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::wstring::npos) << platform::WideToNarrow(from);
    return at == std::wstring::npos ? text : text.replace(at, from.size(), to);
}

} // namespace

TEST(PageDescriptor, ParseRefusesEveryBrokenRule)
{
    const std::wstring lampSize = L"width=\"8\" height=\"8\" parts";
    const std::pair<std::wstring, bool> cases[] = {
        { kGood, true }, { Replace(kPart1, kPart1 + kPart1), false }, // three parts where two are declared
        { Replace(L"offset-x=\"20\" offset-y=\"0\"", L"offset-x=\"20\""), false },
        { Replace(L"alias=\"button_off\" ", L""), false }, { Replace(L"name=\"lamp\"", L"name=\"\""), true },
        { Replace(lampSize, L"width=\"0\" height=\"8\" parts"), false },
        { Replace(lampSize, L"width=\"abc\" height=\"8\" parts"), false },
        { Replace(lampSize, L"width=\" 8px\" height=\"8\" parts"), true }, // leading digits
        { Replace(L"x=\"20\" y=\"0\" width=\"8\"", L"x=\"20\" y=\"0\" width=\"0\""), true },
        { Replace(L"image-count=\"2\"", L"image-count=\"3\""), false },
        { Replace(L"image-count=\"2\"", L"image-count=\"1\""), false }, { Replace(kInfo, L""), false },
        { Replace(L"page-count=\"2\" ", L""), false }, { Replace(L"page-name=\"page\"", L"page-name=\"\""), false },
        { Replace(L"page-extension=\".png\"", L"page-extension=\"\""), false },
        { Replace(L"<page-descriptor>", L"<pages>"), false }, { kGood.substr(0, kGood.size() - 5), false },
        { Replace(L"part page=\"1\"", L"part page=\"2\""), false },
        { Replace(L"part page=\"1\"", L"part page=\"-1\""), false },
        { Replace(L"page-count=\"2\"", L"page-count=\"2000000000\""), false }, // beyond any file name
        { Replace(L"<comment>", L"<extra a=\"1\"/><comment colour=\"red\">"), true },
    };
    for (const auto& [text, passes] : cases)
        EXPECT_EQ(cPageDescriptor().Parse(text.c_str(), 0), passes) << platform::WideToNarrow(text);
    EXPECT_FALSE(cPageDescriptor().Parse(nullptr, 0));
    // A length above 0 takes exactly that many characters, whatever follows.
    const std::wstring trailing = kGood + L"<trailing garbage";
    EXPECT_TRUE(cPageDescriptor().Parse(trailing.c_str(), static_cast<int>(kGood.size())));
}

TEST(PageDescriptor, PageFileNamesTakeDigitsFromThePageCount)
{
    const std::tuple<int, int, const wchar_t*> cases[] = { { 1, 0, L"page0.dds" }, { 10, 9, L"page9.dds" },
        { 11, 0, L"page00.dds" }, { 100, 7, L"page07.dds" }, { 101, 7, L"page007.dds" }, { 10, 10, nullptr },
        { 10, -1, nullptr }, { 0, 0, nullptr } };
    for (const auto& [pages, index, expected] : cases) {
        cPageDescriptor d;
        const std::wstring text = L"<page-descriptor><info page-name=\"page\" page-extension=\".dds\" page-count=\""
            + std::to_wstring(pages) + L"\" image-count=\"0\"/></page-descriptor>";
        ASSERT_TRUE(d.Parse(text.c_str(), 0));
        wchar_t buffer[16];
        EXPECT_STREQ(d.GetPageFileName(index, buffer, 16), expected) << pages << " pages, page " << index;
    }
}

TEST(PageDescriptor, TheEditingSideRefusesPartsOutsideItsImagesAndPages)
{
    cPageDescriptor d;
    ASSERT_EQ(d.AddImage(L"lamp", 8, 8), 0);
    EXPECT_EQ(d.AddImage(L"lamp", 4, 4), 0); // a name is added once
    EXPECT_EQ(d.AddImage(L"", 4, 4), -1);
    // image, page, x, y, width, height, and the part's index or -1
    const int cases[][7] = { { 0, 0, 0, 0, 8, 8, 0 }, { 0, 0, 0, 0, 8, 8, 0 }, { 0, 3, 8, 0, 4, 4, 1 },
        { 1, 0, 0, 0, 4, 4, -1 }, { -1, 0, 0, 0, 4, 4, -1 }, { 0, -1, 0, 0, 4, 4, -1 }, { 0, 0, -1, 0, 4, 4, -1 },
        { 0, 0, 0, 0, 0, 4, -1 }, { 0, 0, 0, 0, 9, 4, -1 }, { 0, 10000, 0, 0, 4, 4, -1 } };
    for (const auto& c : cases)
        EXPECT_EQ(d.AddPart(c[0], c[1], c[2], c[3], c[4], c[5]), c[6]) << c[0] << " " << c[1] << " " << c[4];
    EXPECT_EQ(d.GetPageCount(), 4); // the highest page used, plus one
}
