// The count of trips to the file system that the frame-budget test relies on:
// every way the game reaches a file adds to it, and working on a file that is
// already in memory does not.
#include <gtest/gtest.h>

#include <functional>

#include "package_bytes.h"
#include "platform/file_access.h"
#include "platform/folders.h"
#include "resources/csv_table.h"
#include "resources_fixture.h"

using FileAccess = test::ProgramFolderTest;

TEST_F(FileAccess, EveryWayToAFileCountsButAFileInMemoryDoesNot)
{
    test::WriteBytes(Here("table.csv"), test::Bytes("a;b\r\n"));
    cFileManager& files = cFileManager::Instance();
    std::vector<uint8_t> bytes;
    cStdFile file;
    uint8_t unit[2] {};
    const std::pair<const char*, std::function<void()>> cases[] = {
        { "OpenFile", [&] { files.Release(files.OpenFile(L"table.csv")); } },
        { "Open of a missing package", [&] { files.Open(L"none.pkg", L"x.csv"); } },
        { "OpenWholeFile", [&] { delete resources::OpenWholeFile(W(Here("table.csv"))); } },
        { "cCsvTable::Load", [&] { cCsvTable().Load(L"table.csv"); } },
        { "ReadWholeFile", [&] { platform::ReadWholeFile(Here("table.csv"), bytes); } },
        { "WriteFileAtomic", [&] { platform::WriteFileAtomic(Here("atomic.bin"), { 1, 2 }); } },
        { "cStdFile::Open", [&] { EXPECT_TRUE(file.Open(W(Here("log.bin")), true)); } },
        { "cStdFile::WriteWideText", [&] { file.WriteWideText(L"entry"), file.Seek(0, 0); } },
        { "cStdFile::Read", [&] { file.Read(unit, 1, 2, nullptr); } },
    };
    for (const auto& [name, reach] : cases) {
        const uint64_t before = platform::FileAccesses();
        reach();
        EXPECT_GT(platform::FileAccesses(), before) << name;
    }
    std::unique_ptr<iFile> whole(resources::OpenWholeFile(W(Here("table.csv"))));
    const uint64_t before = platform::FileAccesses();
    EXPECT_TRUE(whole->Read(unit, 1, 2, nullptr) && whole->Seek(0, 0));
    EXPECT_EQ(platform::FileAccesses(), before);
}
