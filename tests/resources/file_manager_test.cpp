#include <gtest/gtest.h>

#include <filesystem>

#include "package_bytes.h"
#include "resources/file_manager.h"
#include "resources_fixture.h"

namespace fs = std::filesystem;

namespace {

// What the file holds, released to the file manager afterwards.
std::string Take(iFile* file)
{
    if (!file || !file->GetData())
        return {};
    std::string text(reinterpret_cast<const char*>(file->GetData()), file->GetSize());
    cFileManager::Instance().Release(file);
    return text;
}

void Put(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    test::WriteBytes(path, test::Bytes(text));
}

} // namespace

using FileManager = test::ProgramFolderTest;

TEST_F(FileManager, LooseFoldersAndSearchPathsStandInForMissingPackagesAndFiles)
{
    auto& fm = cFileManager::Instance();
    for (const auto& [path, text] : { std::pair { "data/language/gui.csv", "here" }, { "first/data/language/gui.csv", "first" },
             { "first/data/t.txt", "first" }, { "second/data/t.txt", "second" }, { "second/data/only.txt", "only second" },
             { "data/language.dat/x.txt", "dat" }, { "second/x/missing.txt", "wrong" } })
        Put(Here(path), text);
    ASSERT_TRUE(fm.AddSearchPath(W(Here("first"))));
    ASSERT_TRUE(fm.AddSearchPath(W(Here("second")) + L"/"));
    EXPECT_FALSE(fm.AddSearchPath(W(Here("second"))));
    const std::tuple<const wchar_t*, const wchar_t*, const char*> cases[] = {
        // Relative to the program folder first, names lower-cased.
        { L"data/language.pkg", L"Gui.CSV", "here" },
        { L"data/language.dat", L"x.txt", "dat" }, // only a trailing ".pkg" is stripped
        { L"data/language.pkg", L"missing.csv", "" },
        { nullptr, L"DATA/T.TXT", "first" }, // then the search paths in order
        { nullptr, L"data\\only.txt", "only second" },
        { nullptr, L"data/none.txt", "" },
    };
    for (const auto& [package, name, expected] : cases) {
        SCOPED_TRACE(platform::WideToNarrow(name));
        EXPECT_EQ(Take(package ? fm.Open(package, name) : fm.OpenFile(name)), expected);
    }
    fs::remove(Here("data/language/gui.csv"));
    EXPECT_EQ(Take(fm.Open(L"DATA\\Language.PKG", L"GUI.CSV")), "first");
    EXPECT_EQ(fm.ResolvePath(L"Data/Only.txt"), W(Here("second/data/only.txt")));
    // Absolute paths keep their case and skip the search paths.
    EXPECT_EQ(fm.OpenFile(L"/x/missing.txt"), nullptr);
    test::TempFolder elsewhere;
    Put(elsewhere / "Mixed/Case.TXT", "abs");
    EXPECT_EQ(Take(fm.OpenFile(W(elsewhere / "Mixed/Case.TXT"))), "abs");
    EXPECT_TRUE(m_logged.empty());
}

TEST_F(FileManager, OnePackageSharedByTwoEntriesClosesAtTheLastRelease)
{
    auto& fm = cFileManager::Instance();
    fs::create_directories(Here("data/language"));
    test::RawPackage raw;
    raw.entries = { test::MakeEntry(L"a.txt", "A", false), test::MakeEntry(L"b.txt", "B", true) };
    test::WriteBytes(Here("data/language.pkg"), raw.Build());
    iFile* a = fm.Open(L"data/language.pkg", L"A.TXT");
    iFile* b = fm.Open(L"DATA\\Language.PKG", L"b.txt");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(fm.OpenPackageCount(), 1u);
    // A name missing from an open package: null, no message, no loose file.
    Put(Here("data/language/zz.txt"), "loose");
    EXPECT_EQ(fm.Open(L"data/language.pkg", L"zz.txt"), nullptr);
    EXPECT_TRUE(m_logged.empty());
    fm.Release(a);
    EXPECT_EQ(Take(b), "B"); // still readable: the package stays open
    EXPECT_EQ(fm.OpenPackageCount(), 0u);
    // Not open: the package is probed and the missing name reported.
    EXPECT_EQ(fm.Open(L"data/language.pkg", L"zz.txt"), nullptr);
    ASSERT_EQ(m_logged.size(), 1u);
    EXPECT_EQ(m_logged[0], L"error: cFileManager::Open -> Unable to find \"zz.txt\" in package \"data/language.pkg\".");

    // Releasing what it did not hand out is logged and frees nothing (ASan
    // would see a second free); null does nothing.
    fm.Release(nullptr);
    uint8_t bytes[4] = {};
    cMemoryFile stranger(bytes, 4);
    fm.Release(&stranger);
    ASSERT_EQ(m_logged.size(), 2u);
    EXPECT_EQ(m_logged[1].rfind(L"warning: cFileManager::Release -> trying to release unmanaged resource", 0), 0u);
}
