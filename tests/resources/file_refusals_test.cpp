// The file classes refuse what they cannot do and say so: a write the disk
// cannot hold, a closed file, an origin or size out of range. A refusal never
// moves the position or passes for success.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/file.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

std::wstring W(const std::string& path)
{
    return platform::NarrowToWide(path);
}

std::vector<uint8_t> Bytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(path, bytes);
    return bytes;
}

TEST(FileRefusals, StdFileRefusesWhatItCannotDoAndKeepsItsPlace)
{
    test::TempFolder folder;
    const std::string path = folder / "entries.bin";
    cStdFile file;
    uint8_t buffer[64] = {};
    // Closed: nothing works.
    EXPECT_FALSE(file.Open(W(path), false)); // must exist without create
    EXPECT_FALSE(file.Read(buffer, 1, 1, nullptr) || file.Write(buffer, 1, 1, nullptr) || file.Seek(0, 0) || file.Flush());
    ASSERT_TRUE(file.Open(W(path), true));
    ASSERT_TRUE(file.Write("abcdefgh", 8, 1, nullptr) && file.Flush());
    const struct {
        const char* what;
        std::function<bool()> call;
    } refused[] = {
        { "origin past the end one", [&] { return file.Seek(0, 3); } },
        { "before the start", [&] { return file.Seek(-1, 0); } },
        { "before the start from here", [&] { return file.Seek(-9, 1); } },
        { "read into nothing", [&] { return file.Read(nullptr, 2, 1, nullptr); } },
        { "write from nothing", [&] { return file.Write(nullptr, 2, 1, nullptr); } },
        { "read of 4 GiB", [&] { return file.Read(buffer, 0x10000, 0x10000, nullptr); } },
        { "write past 4 GiB", [&] { return file.Write(buffer, 0x10000, 0x10000, nullptr); } },
    };
    for (const auto& c : refused) {
        ASSERT_TRUE(file.Seek(3, 0));
        EXPECT_FALSE(c.call()) << c.what;
        EXPECT_EQ(file.Tell(), 3u) << c.what;
    }
    EXPECT_EQ(Bytes(path), (std::vector<uint8_t> { 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h' }));
    // What a read moves: whole elements, the position by the bytes read.
    uint32_t got = 99;
    ASSERT_TRUE(file.Seek(-3, 2));
    EXPECT_TRUE(file.Read(buffer, 4, 2, &got));
    EXPECT_EQ(got, 1u); // three bytes were left: one whole element of two
    EXPECT_EQ(file.Tell(), 8u);
}

TEST(FileRefusals, AFullDiskFailsTheWriteAndTheTextWrite)
{
    test::TempFolder folder;
    const std::string path = folder / "log.bin";
    cStdFile file;
    ASSERT_TRUE(file.Open(W(path), true));
    {
        const test::FileSizeLimit full(16);
        uint32_t written = 99;
        EXPECT_TRUE(file.Write("0123456789", 10, 1, &written));
        EXPECT_EQ(written, 10u);
        EXPECT_FALSE(file.Write("0123456789", 10, 1, &written)); // only six fit
        EXPECT_FALSE(file.WriteWideText(L"more"));
        EXPECT_FALSE(file.WriteWideChar(L'x'));
    }
    EXPECT_EQ(Bytes(path).size(), 16u);
    // Text goes out as UTF-16LE units; nothing to write is no failure.
    ASSERT_TRUE(file.Seek(0, 0));
    EXPECT_TRUE(file.WriteWideText(L""));
    EXPECT_TRUE(file.WriteWideChar(L'\u00e9') && file.WriteWideChar(L'\U0001F697'));
    const std::vector<uint8_t> bytes = Bytes(path);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 6),
        (std::vector<uint8_t> { 0xE9, 0x00, 0x3D, 0xD8, 0x97, 0xDE }));
}

TEST(FileRefusals, MemoryAndMappedFilesAreReadOnly)
{
    test::TempFolder folder;
    ASSERT_TRUE(platform::WriteFileAtomic(folder / "data.bin", { 1, 2, 3, 4 }));
    ASSERT_TRUE(platform::WriteFileAtomic(folder / "empty.bin", {}));
    cMappedFile mapped;
    EXPECT_FALSE(mapped.Open(W(folder / "data.bin"), true));
    EXPECT_FALSE(mapped.Open(W(folder / "empty.bin"), false));
    ASSERT_TRUE(mapped.Open(W(folder / "data.bin"), false));
    uint8_t out[4] = {};
    EXPECT_FALSE(mapped.Write(out, 1, 1, nullptr));
    EXPECT_FALSE(mapped.Seek(0, 3));
    ASSERT_TRUE(mapped.Seek(-2, 2));
    EXPECT_TRUE(mapped.Read(out, 2, 1, nullptr));
    EXPECT_EQ((std::vector<uint8_t>(out, out + 2)), (std::vector<uint8_t> { 3, 4 }));
    // Opening again over a failed request leaves nothing mapped.
    EXPECT_FALSE(mapped.Open(W(folder / "missing.bin"), false));
    EXPECT_EQ(mapped.GetSize(), 0u);
}

TEST(FileRefusals, AFileThatReadsShorterThanItsSizeIsRefused)
{
    // A kernel attribute file states a size of a page and holds a line: it
    // cannot be mapped, and the whole read comes up short.
    const std::string path = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no " << path;
    EXPECT_EQ(resources::OpenWholeFile(W(path)), nullptr);
}

} // namespace
