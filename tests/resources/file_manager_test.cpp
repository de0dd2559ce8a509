#include <gtest/gtest.h>

#include "package_bytes.h"
#include "resources/file_manager.h"
#include "resources_fixture.h"

namespace fs = std::filesystem;

namespace {

// What the file holds, released to the file manager afterwards.
std::string Take(iFile* file)
{
    const std::string text = file ? std::string(reinterpret_cast<const char*>(file->GetData()), file->GetSize()) : "";
    cFileManager::Instance().Release(file);
    return text;
}

} // namespace

using FileManager = test::ProgramFolderTest;

TEST_F(FileManager, PackagesLooseFoldersAndSearchPathsAreTriedInTurnAndAPackageClosesAtTheLastRelease)
{
    auto& fm = cFileManager::Instance();
    for (const auto& [path, text] : { std::pair { "data/language/gui.csv", "here" },
             { "first/data/language/gui.csv", "first" }, { "first/data/t.txt", "first" }, { "second/data/t.txt", "2" },
             { "second/data/only.txt", "only second" }, { "data/language.dat/x.txt", "dat" },
             { "second/x/missing.txt", "wrong" }, { "data/other/zz.txt", "loose" }, { "ab/s.txt", "short" },
             { "data/box.pkg/y.txt", "inside" }, { "data/box/y.txt", "beside" } }) {
        fs::create_directories(fs::path(Here(path)).parent_path());
        test::WriteBytes(Here(path), test::Bytes(text));
    }
    test::RawPackage raw;
    raw.entries = { test::MakeEntry(L"a.txt", "A", false), test::MakeEntry(L"b.txt", "B", true) };
    test::WriteBytes(Here("data/other.pkg"), raw.Build());
    ASSERT_TRUE(fm.AddSearchPath(W(Here("first"))) && fm.AddSearchPath(W(Here("second")) + L"/"));
    EXPECT_FALSE(fm.AddSearchPath(W(Here("second"))));
    const std::tuple<const wchar_t*, const wchar_t*, const char*> cases[] = {
        { L"data/language.pkg", L"Gui.CSV", "here" }, // the loose folder in the program folder first, names lower-cased
        { L"data/language.dat", L"x.txt", "dat" }, // only a trailing ".pkg" is stripped
        { L"data/language.pkg", L"missing.csv", "" },
        { nullptr, L"DATA/T.TXT", "first" }, // then the search paths in order
        { nullptr, L"data\\only.txt", "only second" }, { nullptr, L"/x/missing.txt", "" }, // absolute: no search paths
        { L"DATA\\Other.PKG", L"B.TXT", "B" },
        { L"ab", L"s.txt", "short" }, // a name shorter than an extension keeps all of it
        { L"data/box.pkg", L"y.txt", "beside" }, // a folder is no package: the loose folder beside it
    };
    for (const auto& [package, name, expected] : cases)
        EXPECT_EQ(Take(package ? fm.Open(package, name) : fm.OpenFile(name)), expected) << platform::WideToNarrow(name);
    fs::remove(Here("data/language/gui.csv"));
    EXPECT_EQ(Take(fm.Open(L"DATA\\Language.PKG", L"GUI.CSV")), "first");
    EXPECT_TRUE(m_logged.empty());

    iFile *a = fm.Open(L"data/other.pkg", L"A.TXT"), *b = fm.Open(L"data/other.pkg", L"b.txt");
    EXPECT_EQ(fm.OpenPackageCount(), 1u);
    // Missing from an open package: no loose file, no message.
    EXPECT_EQ(fm.Open(L"data/other.pkg", L"zz.txt"), nullptr);
    EXPECT_TRUE(m_logged.empty());
    fm.Release(a);
    EXPECT_EQ(Take(b), "B"); // still readable: the package stays open
    EXPECT_EQ(fm.OpenPackageCount(), 0u);
    EXPECT_EQ(fm.Open(L"data/other.pkg", L"zz.txt"), nullptr); // not open: probed, and the missing name reported
    ASSERT_EQ(m_logged.size(), 1u);
    EXPECT_EQ(m_logged[0], L"error: cFileManager::Open -> Unable to find \"zz.txt\" in package \"data/other.pkg\".");
    // Releasing what it did not hand out is logged and frees nothing (ASan would see a second free).
    uint8_t bytes[4] = {};
    cMemoryFile stranger(bytes, 4);
    fm.Release(&stranger);
    ASSERT_EQ(m_logged.size(), 2u);
    EXPECT_EQ(m_logged[1].rfind(L"warning: cFileManager::Release -> trying to release unmanaged resource", 0), 0u);
}

// Where a name leads: an alias first (in any case), else the path as given,
// else each search path in order; ResolvePath names the file OpenFile opens.
// Two packages open at once keep their own counts.
TEST_F(FileManager, AnAliasComesFirstResolvingFindsWhatOpeningOpensAndPackagesCountApart)
{
    auto& fm = cFileManager::Instance();
    for (const auto& [path, text] : { std::pair { "data/a.txt", "here" }, { "s1/data/b.txt", "s1" },
             { "s2/data/b.txt", "s2" }, { "s2/data/c.txt", "s2 only" }, { "elsewhere/target.txt", "aliased" } }) {
        fs::create_directories(fs::path(Here(path)).parent_path());
        test::WriteBytes(Here(path), test::Bytes(text));
    }
    // A folder outside the program folder (the player's) keeps the case of its names.
    test::TempFolder user;
    fs::create_directories(user / "Upper");
    test::WriteBytes(user / "Upper/Case.TXT", test::Bytes("kept case"));
    const std::wstring upper = W(user / "Upper/Case.TXT"), lower = W(user / "upper/case.txt");
    ASSERT_TRUE(fm.AddSearchPath(W(Here("s1"))) && fm.AddSearchPath(W(Here("S2"))));
    ASSERT_FALSE(fm.AddSearchPath(W(Here("s2"))));
    ASSERT_TRUE(fm.AddAlias(L"Data/A.txt", W(Here("elsewhere/target.txt"))));
    const std::tuple<std::wstring, const char*, std::wstring> cases[] = { // asked, opened, resolved
        { L"DATA/a.TXT", "aliased", W(Here("elsewhere/target.txt")) }, { L"data/b.txt", "s1", W(Here("s1/data/b.txt")) },
        { L"data\\C.txt", "s2 only", W(Here("s2/data/c.txt")) }, { L"data/d.txt", "", L"" },
        { upper, "kept case", upper }, { lower, "", L"" },
    };
    for (const auto& [asked, opened, resolved] : cases) {
        EXPECT_EQ(Take(fm.OpenFile(asked)), opened) << platform::WideToNarrow(asked);
        EXPECT_EQ(fm.ResolvePath(asked), resolved) << platform::WideToNarrow(asked);
    }
    EXPECT_TRUE(fm.RemoveAlias(L"DATA/A.TXT"));
    EXPECT_FALSE(fm.RemoveAlias(L"data/a.txt"));
    EXPECT_EQ(Take(fm.OpenFile(L"data/a.txt")), "here");
    EXPECT_TRUE(fm.RemoveSearchPath(W(Here("s1"))));
    EXPECT_EQ(Take(fm.OpenFile(L"data/b.txt")), "s2");

    test::RawPackage first, second;
    first.entries = { test::MakeEntry(L"x.txt", "1x", false), test::MakeEntry(L"y.txt", "1y", true) };
    second.entries = { test::MakeEntry(L"x.txt", "2x", true) };
    test::WriteBytes(Here("data/one.pkg"), first.Build());
    test::WriteBytes(Here("data/two.pkg"), second.Build());
    iFile* x1 = fm.Open(L"data/one.pkg", L"x.txt");
    iFile* y1 = fm.Open(L"data/one.pkg", L"y.txt");
    iFile* x2 = fm.Open(L"data/two.pkg", L"x.txt");
    EXPECT_EQ(std::tuple(fm.PackageReferences(L"data/one.pkg"), fm.PackageReferences(L"data/two.pkg")),
        std::tuple(2u, 1u));
    EXPECT_EQ(Take(x1), "1x");
    EXPECT_EQ(std::tuple(fm.PackageReferences(L"data/one.pkg"), fm.PackageReferences(L"data/two.pkg")),
        std::tuple(1u, 1u));
    EXPECT_EQ(Take(x2), "2x");
    EXPECT_EQ(std::tuple(fm.OpenPackageCount(), fm.PackageReferences(L"data/two.pkg")), std::tuple(size_t(1), 0u));
    EXPECT_EQ(Take(y1), "1y");
    EXPECT_EQ(fm.OpenPackageCount(), 0u);
    EXPECT_TRUE(m_logged.empty());
}

// One package named two ways is opened once and counts every entry taken from
// it; an entry the directory lists but whose bytes do not check out opens as
// nothing and leaves the package's count as it was.
TEST_F(FileManager, APackageNamedTwoWaysOpensOnceAndAnEntryThatDoesNotOpenCountsNothing)
{
    auto& fm = cFileManager::Instance();
    test::RawPackage raw;
    raw.entries = { test::MakeEntry(L"good.txt", "good", false), test::MakeEntry(L"bad.txt", "bytes", true),
        test::MakeEntry(L"worse.txt", "w", false) };
    raw.entries[1].record.attributes |= package_format::kAttrDirectory; // a folder, not a file
    raw.entries[2].record.unpackedSize = 1u << 30; // would inflate beyond any sound ratio
    fs::create_directories(Here("data"));
    test::WriteBytes(Here("data/pack.pkg"), raw.Build());
    for (const wchar_t* bad : { L"bad.txt", L"WORSE.TXT" }) {
        SCOPED_TRACE(platform::WideToNarrow(bad));
        EXPECT_EQ(fm.Open(L"data/pack.pkg", bad), nullptr); // not open yet: nothing stays open
        EXPECT_EQ(fm.OpenPackageCount(), 0u);
        iFile* first = fm.Open(L"DATA\\Pack.pkg", L"good.txt");
        iFile* second = fm.Open(L"data/pack.pkg", L"Good.TXT");
        ASSERT_TRUE(first && second);
        EXPECT_EQ(fm.OpenPackageCount(), 1u);
        EXPECT_EQ(fm.Open(L"data/pack.pkg", bad), nullptr); // open: its count stays
        EXPECT_EQ(Take(first), "good");
        EXPECT_EQ(fm.OpenPackageCount(), 1u);
        EXPECT_EQ(Take(second), "good");
        EXPECT_EQ(fm.OpenPackageCount(), 0u);
    }
    // Only the entry claiming an impossible size is reported, each time it is asked for.
    EXPECT_EQ(m_logged.size(), 2u);
}
