#include "support/art_pages.h"

#include <vector>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/page_descriptor.h"
#include "support/recording_gfx.h"

namespace test {

namespace {

    std::vector<uint8_t> ReadGameFile(const std::string& path)
    {
        iFile* file = cFileManager::Instance().OpenFile(platform::NarrowToWide(path));
        if (!file || !file->GetData())
            return {};
        std::vector<uint8_t> bytes(file->GetData(), file->GetData() + file->GetSize());
        cFileManager::Instance().Release(file);
        return bytes;
    }

} // namespace

std::set<std::filesystem::path> ArtTables(const std::string& tableFolder)
{
    std::set<std::filesystem::path> tables;
    for (const auto& entry : std::filesystem::directory_iterator(tableFolder))
        if (entry.path().extension() == ".txt")
            tables.insert(entry.path());
    return tables;
}

void ForEachImagePart(const std::string& folder, const ImagePartVisit& visit)
{
    const std::vector<uint8_t> bytes = ReadGameFile(folder + "/descriptor.xml");
    cPageDescriptor descriptor;
    const std::wstring text = bytes.size() >= 2 ? platform::Utf16LeToWide(bytes.data() + 2, bytes.size() - 2) : L"";
    if (text.empty() || !descriptor.Parse(text.c_str(), static_cast<int>(text.size())))
        return;
    std::vector<uint64_t> pages;
    for (int i = 0; i < descriptor.GetPageCount(); ++i) {
        wchar_t file[260] = L"";
        descriptor.GetPageFileName(i, file, 260);
        const std::vector<uint8_t> page = ReadGameFile(folder + "/" + platform::WideToNarrow(file));
        pages.push_back(Digest(page.data(), page.size()));
    }
    for (int j = 0; j < descriptor.GetImageCount(); ++j) {
        const std::string name = platform::WideToNarrow(descriptor.GetImageName(j));
        for (int p = 0; p < descriptor.GetPartCount(j); ++p) {
            int x = 0, y = 0, w = 0, h = 0;
            const int page = descriptor.GetPartPage(j, p);
            if (page >= 0 && page < static_cast<int>(pages.size()) && descriptor.GetPartRect(j, p, &x, &y, &w, &h))
                visit(name, pages[page], x, y, x + w, y + h);
        }
    }
}

} // namespace test
