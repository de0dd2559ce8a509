#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "package_bytes.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/package.h"
#include "support/temp_folder.h"

using namespace package_format;

namespace {

std::wstring W(const std::string& path)
{
    return platform::NarrowToWide(path);
}

std::string Content(iFile* file)
{
    if (!file || !file->GetData())
        return {};
    return std::string(reinterpret_cast<const char*>(file->GetData()), file->GetSize());
}

// Writes each content to a file of the folder and packs them under the names.
void Pack(const test::TempFolder& folder, const std::string& package,
          const std::vector<std::tuple<std::wstring, std::string, bool>>& entries)
{
    cPackage writer;
    ASSERT_TRUE(writer.Create(W(package)));
    int n = 0;
    for (const auto& [name, content, stored] : entries) {
        const std::string source = folder / ("source" + std::to_string(n++));
        test::WriteBytes(source, test::Bytes(content));
        ASSERT_TRUE(stored ? writer.AddFileAsStored(W(source), name) : writer.AddFileAs(W(source), name));
    }
    ASSERT_TRUE(writer.Commit());
}

std::string Binary(size_t size)
{
    std::string s(size, '\0');
    uint32_t x = 12345;
    for (char& c : s) {
        x = x * 1103515245 + 12345;
        c = static_cast<char>(x >> 16);
    }
    return s;
}

} // namespace

TEST(Package, WrittenEntriesReadBackByteForByte)
{
    test::TempFolder folder;
    const std::string path = folder / "round.pkg";
    const std::vector<std::tuple<std::wstring, std::string, bool>> entries = {
        {L"Data/Text.txt", "plain text", false},
        {L"data/stored.bin", Binary(3000), true},
        {L"data/random.bin", Binary(70000), false},
        {L"data/repeat.bin", std::string(200000, 'a'), false},
        {L"data/empty.txt", "", false},
        {L"data/empty_stored.txt", "", true},
        {L"sprache/gr\u00fc\u00dfe_\u0444.csv", "\xff\xfe" "a\0;\0", true},
    };
    Pack(folder, path, entries);

    uint8_t header[32];
    cPackage package;
    ASSERT_TRUE(package.Open(W(path)));
    ASSERT_TRUE(package.GetHeader(header));
    EXPECT_TRUE(header[30] & kFlagEnciphered);
    for (const auto& [name, content, stored] : entries) {
        iFile* file = package.OpenEntry(name);
        ASSERT_NE(file, nullptr) << platform::WideToNarrow(name);
        EXPECT_EQ(Content(file), content) << platform::WideToNarrow(name);
        package.ReleaseFile(file);
        const auto* info = package.GetEntryInfo(name);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->name, name);
        EXPECT_EQ(info->unpackedSize, content.size());
    }
    EXPECT_TRUE(package.VerifyAll());
    std::vector<cPackage::EntryInfo> list;
    ASSERT_TRUE(package.ListEntries(list));
    EXPECT_EQ(list.size(), entries.size());
    EXPECT_EQ(package.OpenFileCount(), 0u);
}

TEST(Package, NamesAreMatchedLowerCasedWithEitherSeparator)
{
    test::TempFolder folder;
    const std::string path = folder / "names.pkg";
    Pack(folder, path, {{L"data/a.txt", "A", false}});
    cPackage package;
    ASSERT_TRUE(package.Open(W(path)));
    iFile* file = package.OpenEntry(L"DATA\\A.TXT");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Content(file), "A");
    // The same package again, in another case: kept open, not reread.
    EXPECT_TRUE(package.Open(W(path)));
    EXPECT_EQ(package.OpenFileCount(), 1u);
    package.ReleaseFile(file);
    int notOurs = 0;
    package.ReleaseFile(reinterpret_cast<iFile*>(&notOurs)); // left alone
    EXPECT_EQ(package.OpenFileCount(), 0u);
}

TEST(Package, VersionLimitAndDirectoryEntries)
{
    test::TempFolder folder;
    for (const auto& [version, opens] : std::vector<std::pair<uint32_t, bool>>{
             {0x01000009, true}, {0x0100000A, false}, {0, true}, {0xFFFFFFFF, false}}) {
        test::RawPackage raw;
        raw.entries.push_back(test::MakeEntry(L"a", "x", true));
        test::RawEntry dir;
        dir.name = L"folder";
        dir.record.attributes = kAttrDirectory;
        dir.record.offset = kNoOffset;
        dir.fixRecord = true;
        dir.record.nameLength = 6;
        raw.entries.push_back(dir);
        raw.header.version = version;
        raw.fixHeader = false;
        auto bytes = raw.Build();
        // Build fills the version; put ours in and fix the checksum again.
        for (int i = 0; i < 4; ++i)
            bytes[4 + i] = static_cast<uint8_t>(version >> (8 * i));
        bytes[31] = HeaderChecksum(bytes.data());
        test::WriteBytes(folder / "v.pkg", bytes);
        cPackage package;
        EXPECT_EQ(package.Open(W(folder / "v.pkg")), opens) << std::hex << version;
        if (opens) {
            EXPECT_TRUE(package.HasEntry(L"Folder"));
            EXPECT_EQ(package.OpenEntry(L"folder"), nullptr);
            EXPECT_TRUE(package.VerifyEntry(L"folder"));
        }
    }
}

TEST(Package, EveryFlippedHeaderBitIsRefused)
{
    test::TempFolder folder;
    const std::string path = folder / "flip.pkg";
    Pack(folder, path, {{L"a.txt", "alpha", false}, {L"b.txt", "beta", true}});
    std::vector<uint8_t> good;
    ASSERT_TRUE(platform::ReadWholeFile(path, good));
    for (int bit = 0; bit < 32 * 8; ++bit) {
        std::vector<uint8_t> bytes = good;
        bytes[static_cast<size_t>(bit / 8)] ^= static_cast<uint8_t>(1 << (bit % 8));
        test::WriteBytes(path, bytes);
        cPackage package;
        EXPECT_FALSE(package.Open(W(path))) << "bit " << bit;
        EXPECT_FALSE(package.IsOpen());
    }
}

TEST(Package, HostileDirectoriesAndRecords)
{
    struct Case {
        const char* what;
        std::function<void(test::RawPackage&)> spoil;
        bool opens;           // the package as a whole
        bool entryReadable;   // its first entry, when it opens
    };
    auto entry = [](test::RawPackage& p) -> test::RawEntry& { return p.entries[0]; };
    auto fix = [](test::RawPackage& p) {
        // Keep the layout Build would give but let the record be edited.
        test::RawEntry& e = p.entries[0];
        e.fixRecord = true;
        e.record.offset = kHeaderSize;
        e.record.storedSize = static_cast<uint32_t>(e.stored.size());
        e.record.nameLength = static_cast<uint16_t>(e.name.size());
    };
    const Case cases[] = {
        {"sound package", [](test::RawPackage&) {}, true, true},
        {"directory size past the file", [](test::RawPackage& p) {
             p.fixHeader = true; p.header = {kMagic, kNewestVersion, 1, 0, 0, 100000, 2, 1, kFlagEnciphered, 0};
         }, false, false},
        {"directory size near 4 GiB", [](test::RawPackage& p) {
             p.fixHeader = true; p.header = {kMagic, kNewestVersion, 1, 0, 0, 0xFFFFFFF8, 2, 1, kFlagEnciphered, 0};
         }, false, false},
        {"more records than the directory holds", [](test::RawPackage& p) {
             p.entries.push_back(test::MakeEntry(L"b", "b", true));
             p.encipher = false;
             p.fixHeader = true;
             p.header = {kMagic, kNewestVersion, 1, 0, 0, 0, 2, 60000, 0, 0};
         }, false, false},
        {"name of 1024 units", [&](test::RawPackage& p) {
             p.entries[0].name = std::wstring(1024, L'n');
         }, false, false},
        {"name of 1023 units", [&](test::RawPackage& p) {
             p.entries[0].name = std::wstring(1023, L'n');
         }, true, true},
        {"name length past the directory", [&](test::RawPackage& p) {
             fix(p); entry(p).record.nameLength = 1000;
         }, false, false},
        {"repeated name in other case", [](test::RawPackage& p) {
             p.entries.push_back(test::MakeEntry(L"Data/A.txt", "1", true));
             p.entries.push_back(test::MakeEntry(L"data\\a.TXT", "2", true));
         }, false, false},
        {"entry offset past the end", [&](test::RawPackage& p) {
             fix(p); entry(p).record.offset = 0xFFFFFF00;
         }, true, false},
        {"entry reaching into the directory", [&](test::RawPackage& p) {
             fix(p); entry(p).record.storedSize += 8;
         }, true, false},
        {"entry inside the header", [&](test::RawPackage& p) {
             fix(p); entry(p).record.offset = 4;
         }, true, false},
        {"stored size 0xFFFFFFFF", [&](test::RawPackage& p) {
             fix(p); entry(p).record.storedSize = 0xFFFFFFFF;
         }, true, false},
        {"unpacked size 0xFFFFFFFF", [&](test::RawPackage& p) {
             fix(p); entry(p).record.unpackedSize = 0xFFFFFFFF;
         }, true, false},
    };
    test::TempFolder folder;
    for (const Case& c : cases) {
        test::RawPackage raw;
        raw.entries.push_back(test::MakeEntry(L"a", std::string(300, 'q'), false));
        c.spoil(raw);
        test::WriteBytes(folder / "h.pkg", raw.Build());
        cPackage package;
        ASSERT_EQ(package.Open(W(folder / "h.pkg")), c.opens) << c.what;
        if (!c.opens)
            continue;
        const std::wstring name = raw.entries[0].name;
        iFile* file = package.OpenEntry(name);
        EXPECT_EQ(file != nullptr, c.entryReadable) << c.what;
        if (file) {
            EXPECT_EQ(Content(file), std::string(300, 'q')) << c.what;
            package.ReleaseFile(file);
        }
        EXPECT_EQ(package.VerifyAll(), c.entryReadable) << c.what;
    }
}

TEST(Package, ShortAndOddFiles)
{
    test::TempFolder folder;
    test::RawPackage raw;
    raw.entries.push_back(test::MakeEntry(L"a", "abc", true));
    const auto good = raw.Build();
    for (size_t cut : {size_t(0), size_t(1), size_t(31), size_t(32), good.size() - 1}) {
        test::WriteBytes(folder / "cut.pkg", std::vector<uint8_t>(good.begin(), good.begin() + cut));
        cPackage package;
        EXPECT_FALSE(package.Open(W(folder / "cut.pkg"))) << cut;
    }
    // A 17-byte directory without records is read through a 24-byte buffer.
    for (bool enciphered : {false, true}) {
        std::vector<uint8_t> bytes(32 + 17, 0x5A);
        Header h {kMagic, kNewestVersion, 1, 0, 32, 17, 2, 0, static_cast<uint8_t>(enciphered ? 0x80 : 0), 0};
        SerializeHeader(h, bytes.data());
        bytes[31] = HeaderChecksum(bytes.data());
        test::WriteBytes(folder / "odd.pkg", bytes);
        cPackage package;
        EXPECT_TRUE(package.Open(W(folder / "odd.pkg")));
        bytes[28] = 1; // one record cannot fit in 17 bytes
        bytes[31] = HeaderChecksum(bytes.data());
        test::WriteBytes(folder / "odd.pkg", bytes);
        cPackage again;
        EXPECT_FALSE(again.Open(W(folder / "odd.pkg")));
    }
}

TEST(Package, CorruptEntriesFailVerification)
{
    test::TempFolder folder;
    const std::string path = folder / "crc.pkg";
    Pack(folder, path, {{L"c.txt", std::string(1000, 'c'), false}, {L"s.txt", "stored text", true}});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
    bytes[40] ^= 0x01; // inside the first entry's data
    test::WriteBytes(path, bytes);
    cPackage package;
    ASSERT_TRUE(package.Open(W(path)));
    EXPECT_FALSE(package.VerifyEntry(L"c.txt"));
    EXPECT_TRUE(package.VerifyEntry(L"s.txt"));
    EXPECT_FALSE(package.VerifyAll());
    iFile* broken = package.OpenEntry(L"c.txt");
    ASSERT_NE(broken, nullptr); // an entry that does not inflate is an empty file
    EXPECT_EQ(broken->GetSize(), 0u);
}

TEST(Package, RewritesReplaceThePackageByRename)
{
    test::TempFolder folder;
    const std::string path = folder / "edit.pkg";
    Pack(folder, path, {{L"a.txt", "alpha", false}, {L"b.txt", "beta", true}, {L"c.txt", "gamma", false}});
    // A second name for the old file: a rewrite in place would change it too.
    ASSERT_EQ(link(path.c_str(), (folder / "old.pkg").c_str()), 0);
    std::vector<uint8_t> before;
    ASSERT_TRUE(platform::ReadWholeFile(path, before));

    cPackage package;
    ASSERT_TRUE(package.Open(W(path)));
    iFile* held = package.OpenEntry(L"a.txt");
    EXPECT_FALSE(package.RemoveEntry(L"b.txt")); // not while an entry is handed out
    package.ReleaseFile(held);
    EXPECT_TRUE(package.RemoveEntry(L"B.TXT"));
    EXPECT_TRUE(package.RenameEntry(L"c.txt", L"Neu/C.txt"));
    EXPECT_FALSE(package.RenameEntry(L"a.txt", L"neu/c.TXT"));
    test::WriteBytes(folder / "d", test::Bytes("delta"));
    EXPECT_TRUE(package.AddFileAs(W(folder / "d"), L"d.txt"));
    EXPECT_FALSE(package.AddFileAs(W(folder / "d"), L"D.TXT"));
    iFile* d = package.OpenEntry(L"d.txt"); // commits the pending rewrite first
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Content(d), "delta");
    package.ReleaseFile(d);
    EXPECT_FALSE(package.HasEntry(L"b.txt"));
    iFile* c = package.OpenEntry(L"neu/c.txt");
    EXPECT_EQ(Content(c), "gamma");
    package.ReleaseFile(c);
    EXPECT_TRUE(package.VerifyAll());
    package.Close();

    std::vector<uint8_t> old;
    ASSERT_TRUE(platform::ReadWholeFile(folder / "old.pkg", old));
    EXPECT_EQ(old, before);
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
        files += e.path().extension() == ".tmp";
    EXPECT_EQ(files, 0u); // no temporary file is left behind
}

TEST(Package, FailedCommitKeepsTheOldPackage)
{
    test::TempFolder folder;
    const std::string path = folder / "keep.pkg";
    Pack(folder, path, {{L"a.txt", Binary(4000), true}, {L"b.txt", "b", true}});
    std::vector<uint8_t> before;
    ASSERT_TRUE(platform::ReadWholeFile(path, before));
    cPackage package;
    ASSERT_TRUE(package.Open(W(path)));
    {
        test::FileSizeLimit full(1000); // the disk fills up during the rewrite
        EXPECT_FALSE(package.RemoveEntry(L"b.txt"));
    }
    std::vector<uint8_t> after;
    ASSERT_TRUE(platform::ReadWholeFile(path, after));
    EXPECT_EQ(after, before);
    EXPECT_TRUE(package.HasEntry(L"b.txt")); // the maps were read again from the old file
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
        files += e.path().extension() == ".tmp";
    EXPECT_EQ(files, 0u);
}
