// An entry's name is stored in UTF-16 and may take up to 1023 code units (a
// character outside the basic plane takes two): the writer refuses a longer
// name, when adding as when renaming, so every package it writes opens again
// with each entry under its name.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/package.h"
#include "support/temp_folder.h"

namespace {

const auto W = platform::NarrowToWide;

// A name of `units` UTF-16 code units ending in ".txt", with `wide`
// characters outside the basic plane among them.
std::wstring NameOf(size_t units, size_t wide = 0)
{
    std::wstring name(units - 4 - 2 * wide, L'n');
    name.append(wide, L'\U0001F697'); // a car, two units
    return name + L".txt";
}

// The package's entries by name as stored, with their contents; empty when
// the package does not open.
std::map<std::wstring, std::string> ReadBack(const std::string& path)
{
    std::map<std::wstring, std::string> found;
    cPackage package;
    std::vector<cPackage::EntryInfo> entries;
    if (!package.Open(W(path)) || !package.ListEntries(entries) || !package.VerifyAll())
        return found;
    for (const cPackage::EntryInfo& entry : entries) {
        iFile* file = package.OpenEntry(entry.name);
        const auto* data = file ? reinterpret_cast<const char*>(file->GetData()) : nullptr;
        found.emplace(entry.name, data ? std::string(data, file->GetSize()) : "?");
        package.ReleaseFile(file);
    }
    return found;
}

TEST(PackageNames, NamesOfUpTo1023Utf16UnitsAreWrittenAndLongerOnesRefusedWhenAddingOrRenaming)
{
    const struct {
        const char* what;
        std::wstring name;
        bool taken;
    } cases[] = {
        { "1022 units", NameOf(1022), true },
        { "1023 units", NameOf(1023), true },
        { "1024 units", NameOf(1024), false },
        { "1023 units, three of them characters of two", NameOf(1023, 3), true },
        { "1024 units, in 1023 characters", NameOf(1024, 1), false },
        { "5000 units", NameOf(5000), false },
        { "a short name", L"Kasse/Preise.txt", true },
    };
    test::TempFolder folder;
    test::WriteBytes(folder / "named", test::Bytes("named entry"));
    test::WriteBytes(folder / "kept", test::Bytes("kept entry"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        using Entries = std::map<std::wstring, std::string>;
        const Entries with = { { L"kept.txt", "kept entry" }, { c.name, "named entry" } };
        const Entries without = { { L"kept.txt", "kept entry" } };

        // Added to a new package, and to one already written.
        const std::string created = folder / "created.pkg";
        {
            cPackage writer;
            ASSERT_TRUE(writer.Create(W(created)));
            ASSERT_TRUE(writer.AddFileAs(W(folder / "kept"), L"kept.txt"));
            EXPECT_EQ(writer.AddFileAs(W(folder / "named"), c.name), c.taken);
            ASSERT_TRUE(writer.Commit());
        }
        EXPECT_EQ(ReadBack(created), c.taken ? with : without);
        const std::string extended = folder / "extended.pkg";
        {
            cPackage writer;
            ASSERT_TRUE(writer.Create(W(extended)));
            ASSERT_TRUE(writer.AddFileAs(W(folder / "kept"), L"kept.txt"));
            ASSERT_TRUE(writer.Commit());
            cPackage package;
            ASSERT_TRUE(package.Open(W(extended)));
            EXPECT_EQ(package.AddFileAsStored(W(folder / "named"), c.name), c.taken);
        }
        EXPECT_EQ(ReadBack(extended), c.taken ? with : without);

        // An entry renamed to it; a refused name leaves the entry as it was.
        const std::string renamed = folder / "renamed.pkg";
        {
            cPackage writer;
            ASSERT_TRUE(writer.Create(W(renamed)));
            ASSERT_TRUE(writer.AddFileAs(W(folder / "kept"), L"kept.txt"));
            ASSERT_TRUE(writer.AddFileAs(W(folder / "named"), L"old.txt"));
            ASSERT_TRUE(writer.Commit());
            cPackage package;
            ASSERT_TRUE(package.Open(W(renamed)));
            EXPECT_EQ(package.RenameEntry(L"old.txt", c.name), c.taken);
        }
        const Entries unrenamed = { { L"kept.txt", "kept entry" }, { L"old.txt", "named entry" } };
        EXPECT_EQ(ReadBack(renamed), c.taken ? with : unrenamed);
    }
}

} // namespace
