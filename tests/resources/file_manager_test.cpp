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
             { "second/x/missing.txt", "wrong" }, { "data/other/zz.txt", "loose" } }) {
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
