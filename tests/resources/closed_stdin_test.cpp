// A game started with its standard input closed (from a launcher or a
// desktop entry) gets descriptor 0 for the first file it opens; that file
// is as good as any other.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <string>
#include <memory>
#include <unistd.h>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/file.h"
#include "support/temp_folder.h"

namespace {

// Closes the standard input for the test's lifetime, so the next open gets 0.
class ClosedStdin {
public:
    ClosedStdin() : m_saved(::dup(0)) { ::close(0); }
    ~ClosedStdin()
    {
        if (m_saved >= 0) {
            ::dup2(m_saved, 0);
            ::close(m_saved);
        }
    }
    ClosedStdin(const ClosedStdin&) = delete;
    ClosedStdin& operator=(const ClosedStdin&) = delete;

private:
    int m_saved;
};

bool StdinOpen()
{
    return ::fcntl(0, F_GETFD) != -1;
}

TEST(ClosedStdin, EveryWayToOpenAFileWorksOnDescriptorZero)
{
    test::TempFolder folder;
    test::WriteBytes(folder / "data", { 'f', 'u', 'e', 'l' });
    const std::wstring path = platform::NarrowToWide(folder / "data");
    const struct {
        const char* name;
        std::function<std::unique_ptr<iFile>()> open;
    } ways[] = {
        { "std file", [&] {
             auto file = std::make_unique<cStdFile>();
             return file->Open(path, false) ? std::unique_ptr<iFile>(std::move(file)) : nullptr;
         } },
        { "std file, created", [&] {
             auto file = std::make_unique<cStdFile>();
             return file->Open(path, true) ? std::unique_ptr<iFile>(std::move(file)) : nullptr;
         } },
        { "mapped file", [&] {
             auto file = std::make_unique<cMappedFile>();
             return file->Open(path, false) ? std::unique_ptr<iFile>(std::move(file)) : nullptr;
         } },
        { "whole file", [&] { return std::unique_ptr<iFile>(resources::OpenWholeFile(path)); } },
    };
    for (const auto& way : ways) {
        ClosedStdin closed;
        ASSERT_FALSE(StdinOpen());
        std::unique_ptr<iFile> file = way.open();
        ASSERT_TRUE(file) << way.name;
        char bytes[4] = {};
        uint32_t got = 0;
        EXPECT_TRUE(file->Read(bytes, 4, 1, &got) && got == 4 && std::string(bytes, 4) == "fuel") << way.name;
        file.reset();
        EXPECT_FALSE(StdinOpen()) << way.name << ": the file was left open";
    }
}

} // namespace
