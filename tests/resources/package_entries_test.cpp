// What a package tells about its entries, and edits by name: how many a
// removal took, renames in another case, folder entries kept over rewrites.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <sys/stat.h>

#include "package_bytes.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/package.h"
#include "support/temp_folder.h"

namespace {

const auto W = platform::NarrowToWide;

ino_t Inode(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

std::vector<uint8_t> Read(const std::string& path)
{
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(path, bytes);
    return bytes;
}

// Names as stored, read from the file afresh.
std::set<std::wstring> NamesIn(const std::string& path)
{
    cPackage package;
    std::vector<cPackage::EntryInfo> list;
    std::set<std::wstring> names;
    if (package.Open(W(path)) && package.ListEntries(list) && package.VerifyAll())
        for (const auto& e : list)
            names.insert(e.name);
    return names;
}

// a.txt stored, b.txt compressed, and the folder "Sub".
void Write(const test::TempFolder& folder, const std::string& path)
{
    test::WriteBytes(folder / "a", test::Bytes(std::string(300, 'a')));
    test::WriteBytes(folder / "b", test::Bytes(std::string(300, 'b')));
    std::filesystem::create_directories(folder / "sub");
    cPackage writer;
    ASSERT_TRUE(writer.Create(W(path)));
    ASSERT_TRUE(writer.AddFileAsStored(W(folder / "a"), L"a.txt"));
    ASSERT_TRUE(writer.AddFileAs(W(folder / "b"), L"b.txt"));
    ASSERT_TRUE(writer.AddFileAs(W(folder / "sub"), L"Sub"));
    EXPECT_FALSE(writer.AddFileAs(W(folder / "missing"), L"missing.txt"));
    ASSERT_TRUE(writer.Commit());
}

} // namespace

TEST(PackageEntries, RemovalsCountWhatWentAndRenamesKeepEveryOtherEntry)
{
    const struct {
        const char* what;
        std::vector<std::wstring> remove;
        int removed;
        std::set<std::wstring> left;
    } removals[] = {
        { "one of two names present", { L"a.txt", L"nope.txt" }, 1, { L"b.txt", L"Sub" } },
        { "none present", { L"nope.txt" }, 0, { L"a.txt", L"b.txt", L"Sub" } },
        { "nothing named", {}, 0, { L"a.txt", L"b.txt", L"Sub" } },
        { "the same entry twice", { L"A.TXT", L"a.txt" }, 1, { L"b.txt", L"Sub" } },
        { "all, folder too", { L"a.txt", L"B.txt", L"sub" }, 3, {} },
    };
    test::TempFolder folder;
    const std::string path = folder / "e.pkg";
    for (const auto& c : removals) {
        SCOPED_TRACE(c.what);
        Write(folder, path);
        const ino_t before = Inode(path);
        {
            cPackage package;
            ASSERT_TRUE(package.Open(W(path)));
            EXPECT_EQ(package.RemoveEntries(c.remove), c.removed);
        }
        if (c.removed == 0) {
            EXPECT_EQ(Inode(path), before); // nothing to remove: the file is not replaced
        }
        EXPECT_EQ(NamesIn(path), c.left);
    }
    const struct {
        const wchar_t *from, *to;
        bool renamed;
        std::set<std::wstring> names;
    } renames[] = {
        { L"a.txt", L"A.TXT", true, { L"A.TXT", L"b.txt", L"Sub" } }, // the same entry in another case
        { L"a.txt", L"c\\d.txt", true, { L"c\\d.txt", L"b.txt", L"Sub" } },
        { L"a.txt", L"B.TXT", false, { L"a.txt", L"b.txt", L"Sub" } }, // taken
        { L"nope.txt", L"c.txt", false, { L"a.txt", L"b.txt", L"Sub" } },
        { L"Sub", L"Folder", true, { L"a.txt", L"b.txt", L"Folder" } },
    };
    for (const auto& c : renames) {
        SCOPED_TRACE(platform::WideToNarrow(c.to));
        Write(folder, path);
        {
            cPackage package;
            ASSERT_TRUE(package.Open(W(path)));
            EXPECT_EQ(package.RenameEntry(c.from, c.to), c.renamed);
        }
        EXPECT_EQ(NamesIn(path), c.names);
    }
}

TEST(PackageEntries, EntryFactsHeaderAndVerificationAnswerForEveryKindOfEntry)
{
    test::TempFolder folder;
    const std::string path = folder / "e.pkg";
    Write(folder, path);
    cPackage package;
    uint8_t header[32];
    EXPECT_FALSE(package.GetHeader(header)); // nothing open
    std::vector<cPackage::EntryInfo> list;
    EXPECT_FALSE(package.ListEntries(list));
    EXPECT_FALSE(package.VerifyAll());
    ASSERT_TRUE(package.Open(W(path)));
    EXPECT_FALSE(package.GetHeader(nullptr));
    ASSERT_TRUE(package.GetHeader(header));
    const std::vector<uint8_t> file = Read(path);
    EXPECT_EQ(std::vector<uint8_t>(header, header + 32), std::vector<uint8_t>(file.begin(), file.begin() + 32));
    const struct {
        const wchar_t* name;
        bool listed, opens, verifies;
        uint32_t size;
    } cases[] = {
        { L"A.txt", true, true, true, 300 }, { L"b.TXT", true, true, true, 300 },
        { L"sub", true, false, true, 0 }, // a folder holds no bytes but is sound
        { L"nope", false, false, false, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::WideToNarrow(c.name));
        const cPackage::EntryInfo* info = package.GetEntryInfo(c.name);
        ASSERT_EQ(info != nullptr, c.listed);
        if (info) {
            EXPECT_EQ(info->unpackedSize, c.size);
        }
        iFile* entry = package.OpenEntry(c.name);
        EXPECT_EQ(entry != nullptr, c.opens);
        package.ReleaseFile(entry);
        EXPECT_EQ(package.VerifyEntry(c.name), c.verifies);
    }
    // Stored or compressed, an entry shows the same attributes; a folder shows its own.
    // (The record handed out is overwritten by the next call.)
    const uint16_t stored = package.GetEntryInfo(L"a.txt")->attributes;
    const uint16_t folderEntry = package.GetEntryInfo(L"sub")->attributes;
    EXPECT_EQ(package.GetEntryInfo(L"b.txt")->attributes, stored);
    EXPECT_NE(package.GetEntryInfo(L"b.txt")->attributes, folderEntry);
    EXPECT_STREQ(package.GetEntryInfo(L"SUB")->name.c_str(), L"Sub");
    EXPECT_TRUE(package.VerifyAll());
    EXPECT_EQ(package.OpenFileCount(), 0u);
}
