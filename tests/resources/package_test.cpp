#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <unistd.h>

#include "package_bytes.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/package.h"
#include "support/temp_folder.h"

using namespace package_format;

namespace {

const auto W = platform::NarrowToWide;

// What the entry holds, released to the package afterwards.
std::string Take(cPackage& package, const std::wstring& name)
{
    iFile* file = package.OpenEntry(name);
    const char* data = file ? reinterpret_cast<const char*>(file->GetData()) : nullptr;
    const std::string text = data ? std::string(data, file->GetSize()) : "";
    package.ReleaseFile(file);
    return text;
}

} // namespace

TEST(Package, HostileHeadersDirectoriesAndRecordsAreRefused)
{
    // Keeps the layout Build would give but lets the record be edited.
    auto fix = [](test::RawEntry& e) -> Record& {
        e.fixRecord = true;
        e.record.offset = kHeaderSize, e.record.storedSize = uint32_t(e.stored.size()), e.record.nameLength = 1;
        return e.record;
    };
    auto header = [](test::RawPackage& p, uint32_t directorySize, uint16_t records) {
        p.fixHeader = true;
        p.header = { kMagic, kNewestVersion, 1, 0, 0, directorySize, 2, records, kFlagEnciphered, 0 };
    };
    using Spoil = std::function<void(test::RawPackage&, test::RawEntry&)>;
    // What, how, whether the package opens, whether its entry reads.
    const std::tuple<const char*, Spoil, bool, bool> cases[] = {
        { "sound package", [](auto&, auto&) {}, true, true },
        { "directory size past the file", [&](auto& p, auto&) { header(p, 100000, 1); }, false, false },
        { "directory size near 4 GiB", [&](auto& p, auto&) { header(p, 0xFFFFFFF8, 1); }, false, false },
        { "more records than the directory holds", [&](auto& p, auto&) { header(p, 0, 60000); }, false, false },
        { "name of 1024 units", [](auto&, auto& e) { e.name = std::wstring(1024, L'n'); }, false, false },
        { "name of 1023 units", [](auto&, auto& e) { e.name = std::wstring(1023, L'n'); }, true, true },
        { "name length past the directory", [&](auto&, auto& e) { fix(e).nameLength = 1000; }, false, false },
        { "repeated name in other case and separator",
            [](auto& p, auto&) { p.entries = { test::MakeEntry(L"X/Y", "", 1), test::MakeEntry(L"x\\y", "", 1) }; },
            false, false },
        { "entry offset past the end", [&](auto&, auto& e) { fix(e).offset = 0xFFFFFF00; }, true, false },
        { "entry reaching into the directory", [&](auto&, auto& e) { fix(e).storedSize += 8; }, true, false },
        { "entry inside the header", [&](auto&, auto& e) { fix(e).offset = 4; }, true, false },
        { "stored size 0xFFFFFFFF", [&](auto&, auto& e) { fix(e).storedSize = 0xFFFFFFFF; }, true, false },
        { "unpacked size 0xFFFFFFFF", [&](auto&, auto& e) { fix(e).unpackedSize = 0xFFFFFFFF; }, true, false },
    };
    test::TempFolder folder;
    for (const auto& [what, spoil, opens, readable] : cases) {
        test::RawPackage raw;
        raw.entries.push_back(test::MakeEntry(L"a", std::string(300, 'q'), false));
        spoil(raw, raw.entries[0]);
        test::WriteBytes(folder / "h.pkg", raw.Build());
        cPackage package;
        ASSERT_EQ(package.Open(W(folder / "h.pkg")), opens) << what;
        EXPECT_EQ(opens ? Take(package, raw.entries[0].name) : "", readable ? std::string(300, 'q') : "") << what;
        EXPECT_EQ(opens && package.VerifyAll(), readable) << what;
    }
    // A package whose only entry is empty is all header and directory, and opens.
    test::RawPackage empty;
    empty.entries = { test::MakeEntry(L"e.txt", "", true) };
    test::WriteBytes(folder / "empty.pkg", empty.Build());
    EXPECT_TRUE(cPackage().Open(W(folder / "empty.pkg")));
    // Every flipped header bit, every cut and every version past the newest is refused.
    test::RawPackage raw;
    raw.entries = { test::MakeEntry(L"a.txt", "alpha", false), test::MakeEntry(L"b.txt", "beta", true) };
    const std::vector<uint8_t> good = raw.Build();
    std::vector<std::vector<uint8_t>> spoilt;
    for (int bit = 0; bit < 32 * 8; ++bit)
        (spoilt.emplace_back(good))[static_cast<size_t>(bit / 8)] ^= static_cast<uint8_t>(1 << (bit % 8));
    for (size_t cut : { size_t(0), size_t(31), size_t(32), good.size() - 1 })
        spoilt.emplace_back(good.begin(), good.begin() + static_cast<long>(cut));
    for (const uint32_t version : { kNewestVersion + 1, 0xFFFFFFFFu }) {
        std::memcpy(&spoilt.emplace_back(good)[4], &version, 4);
        spoilt.back()[31] = HeaderChecksum(spoilt.back().data());
    }
    for (size_t i = 0; i < spoilt.size(); ++i) {
        test::WriteBytes(folder / "spoilt.pkg", spoilt[i]);
        cPackage package;
        EXPECT_FALSE(package.Open(W(folder / "spoilt.pkg")) || package.IsOpen()) << i;
    }
}

TEST(Package, WrittenEntriesReadBackAndRewritesReplaceThePackageByRenameAndAFailedOneKeepsTheOld)
{
    test::TempFolder folder;
    const std::string path = folder / "edit.pkg";
    const std::vector<std::tuple<std::wstring, std::string, bool>> entries = {
        { L"a.txt", std::string(4000, 'a'), true }, { L"b.txt", "beta", true }, { L"c.txt", "gamma", false },
        { L"Data/Repeat.bin", std::string(200000, 'r'), false }, { L"empty.txt", "", false },
        { L"empty_stored.txt", "", true },
        { L"sprache/gr\u00fc\u00dfe_\u0444.csv", "\xff\xfe" "a\0;\0", true } };
    cPackage writer;
    ASSERT_TRUE(writer.Create(W(path)));
    for (const auto& [name, content, stored] : entries) {
        test::WriteBytes(folder / "source", test::Bytes(content));
        const std::wstring source = W(folder / "source");
        ASSERT_TRUE(stored ? writer.AddFileAsStored(source, name) : writer.AddFileAs(source, name));
    }
    ASSERT_TRUE(writer.Commit());
    // A second name for the old file: a rewrite in place would change it too.
    ASSERT_EQ(link(path.c_str(), (folder / "old.pkg").c_str()), 0);
    std::vector<uint8_t> before, after;
    ASSERT_TRUE(platform::ReadWholeFile(path, before));
    cPackage package;
    ASSERT_TRUE(package.Open(W(path)));
    for (const auto& [name, content, stored] : entries) // written entries read back byte for byte
        EXPECT_EQ(Take(package, name), content) << platform::WideToNarrow(name);
    // Either case and separator.
    EXPECT_TRUE(package.VerifyAll() && Take(package, L"DATA\\REPEAT.BIN").size() == 200000u);
    {
        test::FileSizeLimit full(1000); // the disk fills up during the rewrite
        EXPECT_FALSE(package.RemoveEntry(L"b.txt"));
    }
    EXPECT_TRUE(package.HasEntry(L"b.txt")); // the maps were read again from the old file
    iFile* held = package.OpenEntry(L"a.txt");
    EXPECT_FALSE(package.RemoveEntry(L"b.txt")); // not while an entry is handed out
    package.ReleaseFile(held);
    int notOurs = 0;
    package.ReleaseFile(reinterpret_cast<iFile*>(&notOurs)); // left alone
    EXPECT_TRUE(package.RemoveEntry(L"B.TXT"));
    EXPECT_TRUE(package.RenameEntry(L"c.txt", L"Neu/C.txt"));
    EXPECT_FALSE(package.RenameEntry(L"a.txt", L"neu/c.TXT"));
    EXPECT_TRUE(package.AddFileAs(W(folder / "source"), L"d.txt"));
    EXPECT_FALSE(package.AddFileAs(W(folder / "source"), L"D.TXT"));
    EXPECT_EQ(Take(package, L"d.txt"), "\xff\xfe" "a\0;\0"); // commits the pending rewrite first
    EXPECT_FALSE(package.HasEntry(L"b.txt"));
    EXPECT_EQ(Take(package, L"neu/c.txt"), "gamma");
    EXPECT_TRUE(package.VerifyAll());
    package.Close();
    ASSERT_TRUE(platform::ReadWholeFile(folder / "old.pkg", after));
    EXPECT_EQ(after, before);
    for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_NE(e.path().extension(), ".tmp"); // no temporary file is left behind

    // A flipped bit inside an entry's data fails its verification.
    ASSERT_TRUE(platform::ReadWholeFile(path, after));
    after[40] ^= 0x01;
    test::WriteBytes(path, after);
    ASSERT_TRUE(package.Open(W(path)));
    EXPECT_FALSE(package.VerifyAll());
}
