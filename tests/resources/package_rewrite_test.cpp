// Rewrites of an open package, and what closing a package lets go of.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "package_bytes.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/package.h"
#include "support/temp_folder.h"

namespace {

const auto W = platform::NarrowToWide;

std::string Take(cPackage& package, const std::wstring& name)
{
    iFile* file = package.OpenEntry(name);
    const char* data = file ? reinterpret_cast<const char*>(file->GetData()) : nullptr;
    const std::string text = data ? std::string(data, file->GetSize()) : "<none>";
    package.ReleaseFile(file);
    return text;
}

std::vector<uint8_t> Read(const std::string& path)
{
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(path, bytes);
    return bytes;
}

bool TemporaryLeft(const test::TempFolder& folder)
{
    for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
        if (e.path().extension() == ".tmp")
            return true;
    return false;
}

// A package with a stored and a compressed entry, and optionally one whose
// bytes lie past the end of the file.
std::vector<uint8_t> TwoEntries(bool withDamagedEntry)
{
    test::RawPackage raw;
    raw.entries = { test::MakeEntry(L"a.txt", std::string(5000, 'a'), true), test::MakeEntry(L"b.txt", "beta", false) };
    if (withDamagedEntry) {
        test::RawEntry& bad = raw.entries.emplace_back(test::MakeEntry(L"bad.bin", "x", true));
        bad.fixRecord = true;
        bad.record.offset = 0xFFFFFF00;
        bad.record.storedSize = 1;
        bad.record.nameLength = 7;
    }
    return raw.Build();
}

} // namespace

TEST(PackageRewrite, EveryFailedRewriteKeepsTheOldFileWholeAndEverySuccessKeepsTheEntriesReadable)
{
    enum Op { kBegin, kRewrite, kRemove, kRename, kAdd };
    const char* const opNames[] = { "BeginRewrite", "BeginRewrite+Commit", "RemoveEntry", "RenameEntry", "AddFileAs+Commit" };
    using Run = std::function<bool(cPackage&, const std::wstring& source)>;
    const Run ops[] = {
        [](cPackage& p, auto&) { return p.BeginRewrite(); }, // committed when the package closes
        [](cPackage& p, auto&) { return p.BeginRewrite() && p.Commit(); },
        [](cPackage& p, auto&) { return p.RemoveEntry(L"a.txt"); },
        [](cPackage& p, auto&) { return p.RenameEntry(L"a.txt", L"z.txt"); },
        [](cPackage& p, const std::wstring& source) { return p.AddFileAs(source, L"new.txt") && p.Commit(); },
    };
    const struct {
        const char* what;
        bool opened;
        bool damaged; // an entry lies outside the package
        bool holdEntry; // an entry is handed out during the change
        long limit; // largest file the disk takes: >0 bytes, <0 the package's size less that, 0 none
        bool succeeds[5]; // per Op
    } cases[] = {
        { "nothing in the way", true, false, false, 0, { true, true, true, true, true } },
        { "package not open", false, false, false, 0, { false, false, false, false, false } },
        { "an entry outside the package", true, true, false, 0, { false, false, false, false, false } },
        { "an entry still handed out", true, false, true, 0, { false, false, false, false, false } },
        { "disk full before the header", true, false, false, 10, { false, false, false, false, false } },
        { "disk full in the entries", true, false, false, 2000, { false, false, true, false, false } },
        // The copy fits but its directory does not; removing an entry makes room.
        { "disk full in the directory", true, false, false, -1, { true, false, true, false, false } },
    };
    for (const auto& c : cases) {
        for (int op = kBegin; op <= kAdd; ++op) {
            SCOPED_TRACE(std::string(c.what) + ", " + opNames[op]);
            test::TempFolder folder;
            const std::string path = folder / "p.pkg";
            const std::vector<uint8_t> original = TwoEntries(c.damaged);
            test::WriteBytes(path, original);
            test::WriteBytes(folder / "source", test::Bytes("fresh"));
            bool ok = false;
            {
                std::optional<test::FileSizeLimit> full;
                if (c.limit)
                    full.emplace(c.limit > 0 ? rlim_t(c.limit) : rlim_t(long(original.size()) + c.limit));
                cPackage package;
                ASSERT_EQ(!c.opened || package.Open(W(path)), true);
                iFile* held = c.holdEntry ? package.OpenEntry(L"b.txt") : nullptr;
                ok = ops[op](package, W(folder / "source"));
                package.ReleaseFile(held);
                // A removal or rename that failed leaves the package serving its old entries.
                if (!ok && c.opened && (op == kRemove || op == kRename)) {
                    EXPECT_EQ(Take(package, L"b.txt"), "beta");
                }
            }
            EXPECT_EQ(ok, c.succeeds[op]);
            EXPECT_FALSE(TemporaryLeft(folder));
            if (!ok) {
                EXPECT_EQ(Read(path), original);
                continue;
            }
            std::map<std::wstring, std::string> expected = { { L"a.txt", std::string(5000, 'a') }, { L"b.txt", "beta" } };
            if (op == kRemove)
                expected.erase(L"a.txt");
            if (op == kRename)
                expected = { { L"z.txt", std::string(5000, 'a') }, { L"b.txt", "beta" } };
            if (op == kAdd)
                expected[L"new.txt"] = "fresh";
            cPackage back;
            ASSERT_TRUE(back.Open(W(path)));
            std::vector<cPackage::EntryInfo> list;
            ASSERT_TRUE(back.ListEntries(list));
            EXPECT_EQ(list.size(), expected.size());
            for (const auto& [name, content] : expected)
                EXPECT_EQ(Take(back, name), content) << platform::WideToNarrow(name);
            EXPECT_TRUE(back.VerifyAll());
        }
    }
}

TEST(PackageRewrite, ClosingLetsGoOfHandedOutEntriesSoTheNextPackageCanBeChanged)
{
    test::TempFolder folder;
    const std::string first = folder / "first.pkg", second = folder / "second.pkg";
    test::WriteBytes(first, TwoEntries(false));
    test::RawPackage other;
    other.entries = { test::MakeEntry(L"c.txt", "gamma", true), test::MakeEntry(L"d.txt", "delta", false) };
    test::WriteBytes(second, other.Build());
    // Ways to leave a package with entries still handed out.
    const std::pair<const char*, std::function<void(cPackage&)>> leaves[] = {
        { "Close", [](cPackage& p) { p.Close(); } },
        { "Open of another package", [&](cPackage& p) { ASSERT_TRUE(p.Open(W(second))); } },
    };
    for (const auto& [what, leave] : leaves) {
        SCOPED_TRACE(what);
        cPackage package;
        ASSERT_TRUE(package.Open(W(first)));
        ASSERT_NE(package.OpenEntry(L"a.txt"), nullptr);
        ASSERT_NE(package.OpenEntry(L"b.txt"), nullptr);
        leave(package);
        EXPECT_EQ(package.OpenFileCount(), 0u);
        EXPECT_FALSE(package.HasEntry(L"a.txt")); // the old package's entries are not served
        EXPECT_EQ(Take(package, L"a.txt"), "<none>");
        ASSERT_TRUE(package.Open(W(second)));
        EXPECT_TRUE(package.RemoveEntry(L"c.txt")); // nothing of the old package holds the rewrite back
        EXPECT_EQ(Take(package, L"d.txt"), "delta");
        EXPECT_EQ(Take(package, L"c.txt"), "<none>");
        test::WriteBytes(second, other.Build());
    }
    // Closing commits a change still pending, and the package opens again with it.
    cPackage package;
    test::WriteBytes(folder / "source", test::Bytes("fresh"));
    ASSERT_TRUE(package.Open(W(first)));
    ASSERT_TRUE(package.AddFileAsStored(W(folder / "source"), L"e.txt"));
    package.Close();
    EXPECT_FALSE(package.IsOpen());
    ASSERT_TRUE(package.Open(W(first)));
    EXPECT_EQ(Take(package, L"e.txt"), "fresh");
    EXPECT_EQ(Take(package, L"a.txt"), std::string(5000, 'a'));
}
