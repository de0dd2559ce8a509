// A package that cannot be written whole is reported as not written, and
// leaves neither a package nor a temporary file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/package.h"
#include "support/temp_folder.h"

TEST(PackageWriter, AWriteThatFailsAnywhereIsReportedAndLeavesNothingBehind)
{
    enum Step { kCreate, kAdd, kCommit, kNone };
    const struct {
        const char* what;
        bool folderIsAFile; // the package's folder cannot hold files
        unsigned long limit; // largest file the disk takes, 0 for no limit
        Step fails;
    } cases[] = {
        { "a folder that is a file", true, 0, kCreate },
        { "a disk full before the header", false, 10, kCreate },
        { "a disk full in an entry", false, 2000, kAdd },
        { "a disk full in the directory", false, 5000 + 40, kCommit },
        { "room enough", false, 0, kNone },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        test::WriteBytes(folder / "source", test::Bytes(std::string(5000, 's')));
        if (c.folderIsAFile)
            test::WriteBytes(folder / "sub", test::Bytes("a file"));
        const std::string path = folder / (c.folderIsAFile ? "sub/new.pkg" : "new.pkg");
        Step failed = kNone;
        {
            std::optional<test::FileSizeLimit> full;
            if (c.limit)
                full.emplace(c.limit);
            cPackage writer;
            if (!writer.Create(platform::NarrowToWide(path)))
                failed = kCreate;
            else if (!writer.AddFileAsStored(platform::NarrowToWide(folder / "source"), L"big.bin"))
                failed = kAdd;
            else if (!writer.Commit())
                failed = kCommit;
        }
        EXPECT_EQ(failed, c.fails);
        if (c.fails == kAdd) {
            // What was added before stays; the entry that did not fit is not listed.
            cPackage package;
            EXPECT_TRUE(!package.Open(platform::NarrowToWide(path)) || !package.HasEntry(L"big.bin"));
        } else {
            EXPECT_EQ(std::filesystem::exists(path), c.fails == kNone);
        }
        for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
            EXPECT_NE(e.path().extension(), ".tmp") << e.path();
    }
}
