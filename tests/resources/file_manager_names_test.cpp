// How the file manager matches the names it is given: search paths removed
// by any spelling of their folder, aliases without a target, and packages
// named with a trailing slash.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "package_bytes.h"
#include "resources/file_manager.h"
#include "resources_fixture.h"

namespace {

using FileManagerNames = test::ProgramFolderTest;

std::string Take(iFile* file)
{
    const std::string text = file ? std::string(reinterpret_cast<const char*>(file->GetData()), file->GetSize()) : "";
    cFileManager::Instance().Release(file);
    return text;
}

TEST_F(FileManagerNames, ASearchPathIsRemovedOnceByAnySpellingOfItsFolder)
{
    auto& fm = cFileManager::Instance();
    std::filesystem::create_directories(Here("extra/data"));
    test::WriteBytes(Here("extra/data/t.txt"), test::Bytes("extra"));
    const struct {
        const char* what;
        std::wstring removed;
        bool found;
    } cases[] = {
        { "as added", W(Here("extra")), true },
        { "with a trailing slash", W(Here("extra")) + L"/", true },
        { "with a trailing backslash", W(Here("extra")) + L"\\", true },
        { "a folder never added", W(Here("other")), false },
        { "a folder inside it", W(Here("extra/data")), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(fm.AddSearchPath(W(Here("extra"))));
        EXPECT_EQ(fm.RemoveSearchPath(c.removed), c.found);
        // A file only the search path holds is found while the path is kept.
        EXPECT_EQ(Take(fm.OpenFile(L"data/t.txt")), c.found ? "" : "extra");
        EXPECT_EQ(fm.RemoveSearchPath(W(Here("extra"))), !c.found);
    }
}

TEST_F(FileManagerNames, AnAliasWithoutATargetChangesNothing)
{
    auto& fm = cFileManager::Instance();
    std::filesystem::create_directories(Here("data"));
    test::WriteBytes(Here("data/a.txt"), test::Bytes("own"));
    test::WriteBytes(Here("data/b.txt"), test::Bytes("other"));
    EXPECT_TRUE(fm.AddAlias(L"data/a.txt", L""));
    EXPECT_EQ(Take(fm.OpenFile(L"data/a.txt")), "own");
    EXPECT_FALSE(fm.RemoveAlias(L"data/a.txt"));
    // An empty target leaves an alias made before as it was.
    EXPECT_TRUE(fm.AddAlias(L"data/a.txt", W(Here("data/b.txt"))));
    EXPECT_TRUE(fm.AddAlias(L"data/a.txt", L""));
    EXPECT_EQ(Take(fm.OpenFile(L"data/a.txt")), "other");
    EXPECT_TRUE(fm.RemoveAlias(L"data/a.txt"));
}

TEST_F(FileManagerNames, APackageNamedWithTrailingSlashesIsTheSamePackage)
{
    auto& fm = cFileManager::Instance();
    test::RawPackage package;
    package.entries = { test::MakeEntry(L"x.txt", "packed", false) };
    std::filesystem::create_directories(Here("data"));
    test::WriteBytes(Here("data/box.pkg"), package.Build());
    for (const wchar_t* name : { L"data/box.pkg", L"data/box.pkg/", L"data/box.pkg//", L"data\\box.pkg\\" }) {
        SCOPED_TRACE(platform::WideToNarrow(name));
        EXPECT_EQ(Take(fm.Open(name, L"x.txt")), "packed");
    }
}

} // namespace
