// A texture-page descriptor whose root or image elements are not the ones
// the game writes is refused whole.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/utf16.h"
#include "resources/page_descriptor.h"

namespace {

std::wstring Descriptor(const std::wstring& root, const std::wstring& imageAttributes)
{
    return L"<?xml version=\"1.0\"?><" + root
        + L"><info page-name=\"page\" page-extension=\".png\" page-count=\"1\" image-count=\"1\"/>"
          L"<image name=\"lamp.png\" alias=\"lamp\" "
        + imageAttributes
        + L"><part page=\"0\" x=\"0\" y=\"0\" width=\"8\" height=\"8\" offset-x=\"0\" offset-y=\"0\"/></image></"
        + root + L">";
}

TEST(PageDescriptorElements, OnlyThePageDescriptorRootWithWholeImagesIsRead)
{
    const std::wstring whole = L"width=\"8\" height=\"8\" parts=\"1\"";
    const struct {
        const char* what;
        std::wstring text;
        bool read;
    } cases[] = {
        { "as written", Descriptor(L"page-descriptor", whole), true },
        { "another root", Descriptor(L"pages", whole), false },
        { "the root in capitals", Descriptor(L"PAGE-DESCRIPTOR", whole), false },
        { "an image without a width", Descriptor(L"page-descriptor", L"height=\"8\" parts=\"1\""), false },
        { "an image without a height", Descriptor(L"page-descriptor", L"width=\"8\" parts=\"1\""), false },
        { "an image without its part count", Descriptor(L"page-descriptor", L"width=\"8\" height=\"8\""), false },
        { "an image of no parts", Descriptor(L"page-descriptor", L"width=\"8\" height=\"8\" parts=\"0\""), false },
        { "an image of no height", Descriptor(L"page-descriptor", L"width=\"8\" height=\"0\" parts=\"1\""), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cPageDescriptor descriptor;
        EXPECT_EQ(descriptor.Parse(c.text.c_str(), 0), c.read);
        int width = 0, height = 0;
        EXPECT_EQ(descriptor.GetImageSize(0, &width, &height), c.read);
        if (c.read) {
            EXPECT_EQ(std::pair(width, height), std::pair(8, 8));
        }
    }
}

} // namespace
