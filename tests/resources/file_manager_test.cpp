#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "package_bytes.h"
#include "resources/file_manager.h"
#include "resources/package.h"
#include "resources_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string Content(iFile* file)
{
    if (!file || !file->GetData())
        return {};
    return std::string(reinterpret_cast<const char*>(file->GetData()), file->GetSize());
}

void Put(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    test::WriteBytes(path, test::Bytes(text));
}

void MakePackage(const std::string& path, const std::vector<std::pair<std::wstring, std::string>>& entries)
{
    fs::create_directories(fs::path(path).parent_path());
    test::RawPackage raw;
    for (const auto& [name, text] : entries)
        raw.entries.push_back(test::MakeEntry(name, text, false));
    test::WriteBytes(path, raw.Build());
}

} // namespace

using FileManager = test::ProgramFolderTest;

TEST_F(FileManager, LooseFolderStandsInForAMissingPackage)
{
    auto& fm = cFileManager::Instance();
    Put(Here("data/language/gui_vocabular.csv"), "here");
    Put(Here("first/data/language/gui_vocabular.csv"), "first");

    // Relative to the program folder first, names lower-cased.
    iFile* file = fm.Open(L"data/language.pkg", L"Gui_Vocabular.csv");
    EXPECT_EQ(Content(file), "here");
    fm.Release(file);

    // Then under the search paths; only a trailing ".pkg" is stripped.
    fs::remove(Here("data/language/gui_vocabular.csv"));
    ASSERT_TRUE(fm.AddSearchPath(W(Here("first"))));
    file = fm.Open(L"DATA\\Language.PKG", L"GUI_VOCABULAR.CSV");
    EXPECT_EQ(Content(file), "first");
    fm.Release(file);
    Put(Here("data/language.dat/x.txt"), "dat");
    file = fm.Open(L"data/language.dat", L"x.txt");
    EXPECT_EQ(Content(file), "dat");
    fm.Release(file);
    EXPECT_EQ(fm.Open(L"data/language.pkg", L"missing.csv"), nullptr);
    EXPECT_TRUE(m_logged.empty());
}

TEST_F(FileManager, SearchPathsAreTriedInOrderAfterThePathItself)
{
    auto& fm = cFileManager::Instance();
    Put(Here("a/data/t.txt"), "a");
    Put(Here("b/data/t.txt"), "b");
    Put(Here("b/data/only_b.txt"), "only b");
    ASSERT_TRUE(fm.AddSearchPath(W(Here("a"))));
    ASSERT_TRUE(fm.AddSearchPath(W(Here("b")) + L"/"));
    EXPECT_FALSE(fm.AddSearchPath(W(Here("b"))));
    EXPECT_TRUE(fm.AddSearchPath(L"Data\\Sound"));
    EXPECT_FALSE(fm.AddSearchPath(L"data/sound/"));

    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"data/t.txt", "a"}, {L"DATA/T.TXT", "a"}, {L"data\\only_b.txt", "only b"}, {L"data/none.txt", ""}};
    for (const auto& [path, expected] : cases) {
        iFile* file = fm.OpenFile(path);
        EXPECT_EQ(Content(file), expected) << platform::WideToNarrow(path);
        fm.Release(file);
    }
    Put(Here("data/t.txt"), "self");
    iFile* file = fm.OpenFile(L"data/t.txt");
    EXPECT_EQ(Content(file), "self");
    fm.Release(file);
    EXPECT_EQ(fm.ResolvePath(L"Data/Only_B.txt"), W(Here("b/data/only_b.txt")));
    EXPECT_EQ(fm.ResolvePath(L"data/none.txt"), L"");

    EXPECT_TRUE(fm.RemoveSearchPath(W(Here("a"))));
    fs::remove(Here("data/t.txt"));
    file = fm.OpenFile(L"data/t.txt");
    EXPECT_EQ(Content(file), "b");
    fm.Release(file);
}

TEST_F(FileManager, AbsolutePathsKeepTheirCaseAndSkipTheSearchPaths)
{
    auto& fm = cFileManager::Instance();
    test::TempFolder elsewhere;
    Put(elsewhere / "Mixed/Case.TXT", "abs");
    iFile* file = fm.OpenFile(W(elsewhere / "Mixed/Case.TXT"));
    EXPECT_EQ(Content(file), "abs");
    fm.Release(file);

    Put(Here("s/x/missing.txt"), "wrong");
    ASSERT_TRUE(fm.AddSearchPath(W(Here("s"))));
    EXPECT_EQ(fm.OpenFile(L"/x/missing.txt"), nullptr);
    EXPECT_EQ(fm.ResolvePath(L"/x/missing.txt"), L"");
    EXPECT_TRUE(cFileManager::IsAbsolutePath(L"/x"));
    EXPECT_FALSE(cFileManager::IsAbsolutePath(L"x/y"));
}

TEST_F(FileManager, OnePackageSharedByTwoEntriesClosesAtTheLastRelease)
{
    auto& fm = cFileManager::Instance();
    MakePackage(Here("data/language.pkg"), {{L"a.txt", "A"}, {L"b.txt", "B"}});
    MakePackage(Here("data/other.pkg"), {{L"c.txt", "C"}});

    iFile* a = fm.Open(L"data/language.pkg", L"A.TXT");
    iFile* b = fm.Open(L"DATA\\Language.PKG", L"b.txt");
    iFile* c = fm.Open(L"data/other.pkg", L"c.txt");
    EXPECT_EQ(Content(a), "A");
    EXPECT_EQ(Content(b), "B");
    EXPECT_EQ(Content(c), "C");
    EXPECT_EQ(fm.OpenPackageCount(), 2u);
    EXPECT_EQ(fm.PackageReferences(L"data/language.pkg"), 2u);

    // A name missing from an open package: null, no message, no loose file.
    Put(Here("data/language/zz.txt"), "loose");
    EXPECT_EQ(fm.Open(L"data/language.pkg", L"zz.txt"), nullptr);
    EXPECT_TRUE(m_logged.empty());

    fm.Release(c);
    EXPECT_EQ(fm.PackageReferences(L"data/language.pkg"), 2u);
    fm.Release(a);
    EXPECT_EQ(fm.PackageReferences(L"data/language.pkg"), 1u);
    EXPECT_EQ(Content(b), "B"); // still readable: the package stays open
    fm.Release(b);
    EXPECT_EQ(fm.OpenPackageCount(), 0u);

    // Not open: the package is probed and the missing name reported.
    EXPECT_EQ(fm.Open(L"data/language.pkg", L"zz.txt"), nullptr);
    ASSERT_EQ(m_logged.size(), 1u);
    EXPECT_EQ(m_logged[0],
              L"error: cFileManager::Open -> Unable to find \"zz.txt\" in package \"data/language.pkg\".");
    EXPECT_EQ(fm.OpenPackageCount(), 0u);
}

TEST_F(FileManager, ReleasingWhatItDidNotHandOut)
{
    auto& fm = cFileManager::Instance();
    fm.Release(nullptr);
    EXPECT_TRUE(m_logged.empty());

    uint8_t bytes[4] = {};
    auto stranger = std::make_unique<cMemoryFile>(bytes, 4);
    fm.Release(stranger.get()); // logged and left alone: ASan would see a second free
    ASSERT_EQ(m_logged.size(), 1u);
    EXPECT_EQ(m_logged[0].rfind(L"warning: cFileManager::Release -> trying to release unmanaged resource @0x", 0), 0u);

    Put(Here("t.txt"), "t");
    iFile* file = fm.OpenFile(L"t.txt");
    ASSERT_NE(file, nullptr);
    fm.Release(file);
    EXPECT_EQ(m_logged.size(), 1u);
}

TEST_F(FileManager, AliasesReplaceNames)
{
    auto& fm = cFileManager::Instance();
    Put(Here("data/real.txt"), "real");
    EXPECT_TRUE(fm.AddAlias(L"Logo.TXT", L"Data\\Real.txt"));
    iFile* file = fm.OpenFile(L"LOGO.txt");
    EXPECT_EQ(Content(file), "real");
    fm.Release(file);
    std::wstring target;
    EXPECT_TRUE(fm.FindAlias(L"logo.txt", target));
    EXPECT_EQ(target, L"data/real.txt");
    EXPECT_TRUE(fm.RemoveAlias(L"logo.txt"));
    EXPECT_EQ(fm.OpenFile(L"logo.txt"), nullptr);
}
