#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <zlib.h>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/file.h"
#include "support/temp_folder.h"

namespace {

std::wstring W(const std::string& path)
{
    return platform::NarrowToWide(path);
}

} // namespace

TEST(MemoryFile, ReadsWholeElementsOnlyAndNeverPastTheEnd)
{
    uint8_t data[20];
    for (int i = 0; i < 20; ++i)
        data[i] = static_cast<uint8_t>(i);
    cMemoryFile file(data, sizeof data);
    uint8_t out[32] = {};
    uint32_t got = 99;

    ASSERT_TRUE(file.Seek(10, 0));
    EXPECT_TRUE(file.Read(out, 5, 4, &got)); // 10 bytes left: two elements of 4
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(file.Tell(), 18u);
    EXPECT_EQ(out[0], 10);

    ASSERT_TRUE(file.Seek(17, 0));
    got = 99;
    EXPECT_FALSE(file.Read(out, 1, 4, &got)); // 3 bytes left: no whole element
    EXPECT_EQ(got, 99u);
    EXPECT_EQ(file.Tell(), 17u);
    EXPECT_FALSE(file.Read(out, 1, 0, &got));
    EXPECT_FALSE(file.Write(out, 1, 1, &got));
}

TEST(MemoryFile, SeeksFollowTheirOrigins)
{
    uint8_t data[8] = {};
    cMemoryFile file(data, sizeof data);
    EXPECT_TRUE(file.Seek(0, 2));
    EXPECT_EQ(file.Tell(), 8u);
    EXPECT_TRUE(file.Seek(-3, 1));
    EXPECT_EQ(file.Tell(), 5u);
    EXPECT_FALSE(file.Seek(-6, 1));
    EXPECT_EQ(file.Tell(), 5u);
    EXPECT_FALSE(file.Seek(0, 7));

    // Beyond the end: accepted, but nothing can be read there.
    EXPECT_TRUE(file.Seek(100, 0));
    uint8_t out[4];
    EXPECT_FALSE(file.Read(out, 1, 1, nullptr));

    cMemoryFile empty(nullptr, 5);
    EXPECT_EQ(empty.GetSize(), 0u);
    EXPECT_TRUE(empty.Seek(0, 0));
    EXPECT_FALSE(empty.Seek(1, 0));
    EXPECT_FALSE(empty.Read(out, 1, 1, nullptr));
}

TEST(StdFile, WritesMoveTheSizeAndCreateKeepsContent)
{
    test::TempFolder folder;
    const std::string path = folder / "f.bin";
    test::WriteBytes(path, std::vector<uint8_t>(100, 7));

    cStdFile file;
    ASSERT_TRUE(file.Open(W(path), true)); // an existing file is not truncated
    EXPECT_EQ(file.GetSize(), 100u);
    ASSERT_TRUE(file.Seek(0, 0));
    uint32_t written = 0;
    ASSERT_TRUE(file.Write("0123456789", 1, 10, &written));
    EXPECT_EQ(written, 1u);
    EXPECT_EQ(file.GetSize(), 10u); // the size follows the position, the disk keeps 100 bytes
    file.Close();
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 100);

    EXPECT_FALSE(file.Open(W(folder / "missing"), false));
    uint8_t out[4];
    EXPECT_FALSE(file.Read(out, 1, 1, nullptr));
    EXPECT_FALSE(file.Seek(0, 0));

    ASSERT_TRUE(file.Open(W(path), false));
    uint32_t got = 0;
    uint8_t big[200];
    EXPECT_TRUE(file.Read(big, 1, 200, &got)); // a short read at the end is success
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(file.Tell(), 100u);
}

TEST(CompressedFile, InflatesOrBecomesEmpty)
{
    const std::string text(5000, 'x');
    uLongf length = compressBound(text.size());
    std::vector<uint8_t> packed(length);
    compress2(packed.data(), &length, reinterpret_cast<const uint8_t*>(text.data()), text.size(), 9);
    packed.resize(length);

    cCompressedFile good(packed.data(), 0, static_cast<uint32_t>(packed.size()), 5000);
    ASSERT_EQ(good.GetSize(), 5000u);
    EXPECT_EQ(std::memcmp(good.GetData(), text.data(), 5000), 0);

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        uint32_t unpacked;
    };
    std::vector<uint8_t> corrupt = packed;
    corrupt[packed.size() / 2] ^= 0xFF;
    const Case cases[] = {
        {"corrupt data", corrupt, 5000},
        {"unpacked size too small", packed, 100},
        {"unpacked size zero", packed, 0},
        {"truncated stream", std::vector<uint8_t>(packed.begin(), packed.begin() + 4), 5000},
        {"no data", {}, 5000},
    };
    for (const Case& c : cases) {
        cCompressedFile file(c.bytes.data(), 0, static_cast<uint32_t>(c.bytes.size()), c.unpacked);
        uint8_t out[8];
        EXPECT_EQ(file.GetSize(), 0u) << c.what;
        EXPECT_FALSE(file.Read(out, 1, 1, nullptr)) << c.what;
    }
}

TEST(WholeFile, EmptyMissingAndSpecialFiles)
{
    test::TempFolder folder;
    test::WriteBytes(folder / "empty", {});
    std::unique_ptr<iFile> empty(resources::OpenWholeFile(W(folder / "empty")));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetSize(), 0u);
    uint8_t out[4];
    EXPECT_FALSE(empty->Read(out, 1, 1, nullptr));

    test::WriteBytes(folder / "data", test::Bytes("hello"));
    std::unique_ptr<iFile> data(resources::OpenWholeFile(W(folder / "data")));
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->IsInMemory());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data->GetData()), data->GetSize()), "hello");

    EXPECT_EQ(resources::OpenWholeFile(W(folder / "missing")), nullptr);
    EXPECT_EQ(resources::OpenWholeFile(W(folder.Path())), nullptr); // a folder is not a file
    // A FIFO would block a plain open until a writer came; it must be refused at once.
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(resources::OpenWholeFile(W(folder / "fifo")), nullptr);
}
