// The count of trips to the file system that the frame-budget test relies on:
// every way the game reaches a file adds to it, and working on a file that is
// already in memory does not.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "package_bytes.h"
#include "platform/file_access.h"
#include "platform/folders.h"
#include "resources/csv_table.h"
#include "resources/file_manager.h"
#include "resources/property_file.h"
#include "resources_fixture.h"

namespace {

using FileAccess = test::ProgramFolderTest;

TEST_F(FileAccess, EveryWayToAFileCounts)
{
    test::WriteBytes(Here("table.csv"), test::Bytes("a;b\r\n"));
    cFileManager& files = cFileManager::Instance();
    const struct {
        const char* name;
        std::function<void()> reach;
    } cases[] = {
        { "OpenFile", [&] { files.Release(files.OpenFile(L"table.csv")); } },
        { "OpenFile of a missing file", [&] { EXPECT_EQ(files.OpenFile(L"missing.csv"), nullptr); } },
        { "Open of a missing package", [&] { EXPECT_EQ(files.Open(L"none.pkg", L"x.csv"), nullptr); } },
        { "OpenWholeFile", [&] { delete resources::OpenWholeFile(W(Here("table.csv"))); } },
        { "cStdFile::Open",
            [&] {
                cStdFile file;
                EXPECT_TRUE(file.Open(W(Here("written.bin")), true));
            } },
        { "cCsvTable::Load",
            [&] {
                cCsvTable table;
                EXPECT_TRUE(table.Load(L"table.csv"));
            } },
        { "ReadWholeFile",
            [&] {
                std::vector<uint8_t> bytes;
                EXPECT_TRUE(platform::ReadWholeFile(Here("table.csv"), bytes));
            } },
        { "WriteFileAtomic",
            [&] {
                EXPECT_TRUE(platform::WriteFileAtomic(Here("atomic.bin"), { 1, 2 }));
            } },
    };
    for (const auto& c : cases) {
        const uint64_t before = platform::FileAccesses();
        c.reach();
        EXPECT_GT(platform::FileAccesses(), before) << c.name;
    }
}

TEST_F(FileAccess, ReadsAndWritesOfAnOpenDescriptorCountButAFileInMemoryDoesNot)
{
    cStdFile file;
    ASSERT_TRUE(file.Open(W(Here("log.bin")), true));
    uint64_t before = platform::FileAccesses();
    EXPECT_TRUE(file.WriteWideText(L"entry"));
    EXPECT_EQ(platform::FileAccesses(), before + 1);
    ASSERT_TRUE(file.Seek(0, 0));
    uint8_t unit[2] {};
    EXPECT_TRUE(file.Read(unit, 1, 2, nullptr));
    EXPECT_EQ(platform::FileAccesses(), before + 2);

    test::WriteBytes(Here("table.csv"), test::Bytes("a;b\r\n"));
    std::unique_ptr<iFile> whole(resources::OpenWholeFile(W(Here("table.csv"))));
    ASSERT_NE(whole, nullptr);
    before = platform::FileAccesses();
    char bytes[3] {};
    EXPECT_TRUE(whole->Read(bytes, 1, 3, nullptr));
    EXPECT_TRUE(whole->Seek(0, 0));
    EXPECT_NE(whole->GetData(), nullptr);
    EXPECT_EQ(platform::FileAccesses(), before);
}

} // namespace
