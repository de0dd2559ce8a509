#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/file.h"
#include "support/temp_folder.h"

TEST(MemoryFile, ReadsWholeElementsOnlyAndNeverPastTheEnd)
{
    uint8_t data[20] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
    cMemoryFile file(data, sizeof data);
    uint8_t out[32] = {};
    uint32_t got = 99;
    ASSERT_TRUE(file.Seek(10, 0));
    EXPECT_TRUE(file.Read(out, 5, 4, &got)); // 10 bytes left: two elements of 4
    EXPECT_EQ((std::tuple { got, file.Tell(), out[0] }), (std::tuple { 2u, 18u, uint8_t(10) }));
    EXPECT_FALSE(file.Read(out, 1, 4, &got)); // 2 bytes left: no whole element
    EXPECT_FALSE(file.Read(out, 1, 0, &got));
    EXPECT_FALSE(file.Seek(-19, 1));
    EXPECT_EQ(file.Tell(), 18u);
    EXPECT_TRUE(file.Seek(100, 0)); // beyond the end: accepted, nothing to read there
    EXPECT_FALSE(file.Read(out, 1, 1, nullptr));
    EXPECT_EQ(cMemoryFile(nullptr, 5).GetSize(), 0u);
}

TEST(WholeFile, EmptyMissingAndSpecialFiles)
{
    test::TempFolder folder;
    test::WriteBytes(folder / "empty", {});
    std::unique_ptr<iFile> empty(resources::OpenWholeFile(platform::NarrowToWide(folder / "empty")));
    EXPECT_TRUE(empty && empty->GetSize() == 0);
    EXPECT_EQ(resources::OpenWholeFile(platform::NarrowToWide(folder / "missing")), nullptr);
    EXPECT_EQ(resources::OpenWholeFile(platform::NarrowToWide(folder.Path())), nullptr); // a folder is not a file
    // A FIFO would block a plain open until a writer came; it must be refused at once.
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(resources::OpenWholeFile(platform::NarrowToWide(folder / "fifo")), nullptr);
}
