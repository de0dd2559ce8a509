// Descriptor files as the page manager reads them: UTF-16LE bytes whose first
// code unit is dropped. A descriptor that parses must also write and parse
// back to the same images.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/utf16.h"
#include "resources/page_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text = platform::Utf16LeToWide(data, size);
    if (!text.empty())
        text.erase(0, 1);

    cPageDescriptor d;
    const bool parsed = d.Parse(text.c_str(), static_cast<int>(text.size()));

    wchar_t name[32];
    for (int i = -1; i <= d.GetPageCount() && i < 64; ++i)
        d.GetPageFileName(i, name, 32);
    for (int i = -1; i <= d.GetImageCount(); ++i) {
        d.GetImageName(i);
        d.GetImageAlias(i);
        for (int p = -1; p <= d.GetPartCount(i); ++p) {
            int x, y, w, h;
            d.GetPartRect(i, p, &x, &y, &w, &h);
            d.GetPartOffset(i, p, &x, &y);
            const int page = d.GetPartPage(i, p);
            if (parsed && p >= 0 && p < d.GetPartCount(i) && (page < 0 || page >= d.GetPageCount()))
                std::abort();
        }
    }
    if (!parsed)
        return 0;

    cPageDescriptor back;
    const std::wstring written = d.GetText();
    if (!back.Parse(written.c_str(), 0) || back.GetImageCount() != d.GetImageCount()
        || back.GetPageCount() != d.GetPageCount())
        std::abort();
    return 0;
}
