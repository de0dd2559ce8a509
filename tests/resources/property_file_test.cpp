#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "package_bytes.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/property_file.h"
#include "resources_fixture.h"

namespace {

// UTF-16LE text with an optional BOM.
std::vector<uint8_t> Utf16(const std::wstring& text, bool bom = true)
{
    return platform::WideToUtf16Le(bom ? L"\xFEFF" + text : text);
}

} // namespace

using PropertyFileTest = test::ProgramFolderTest;

TEST_F(PropertyFileTest, ReadsKeysAndValues)
{
    std::vector<uint8_t> reversed = Utf16(L"[a]\r\n1\r\n", false);
    reversed.insert(reversed.begin(), { 0xFE, 0xFF });
    std::vector<uint8_t> cutUnit = Utf16(L"[a]\r\n1\r\n[b]\r\n22");
    cutUnit.pop_back();
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        std::map<std::wstring, std::wstring> expected;
    } cases[] = {
        { "settings", Utf16(L"[Name]\r\nMax\r\n\r\n[LEVEL]\r\n3\r\n"), { { L"name", L"Max" }, { L"level", L"3" } } },
        { "no BOM, LF only", Utf16(L"[a]\n1\n[b]\n2", false), { { L"a", L"1" }, { L"b", L"2" } } },
        { "reversed BOM skipped", reversed, { { L"a", L"1" } } },
        { "one-character key", Utf16(L"x\r\nv\r\n"), { { L"", L"v" } } },
        { "later key wins", Utf16(L"[k]\r\n1\r\n[K]\r\n2\r\n"), { { L"k", L"2" } } },
        { "cut in a key", Utf16(L"[a]\r\n1\r\n[lon"), { { L"a", L"1" } } },
        { "cut in a unit", cutUnit, { { L"a", L"1" }, { L"b", L"2" } } },
        { "NUL ends the text", Utf16(std::wstring(L"[a]\r\n1\r\n\0[b]\r\n2", 15)), { { L"a", L"1" } } },
        { "empty file", {}, {} },
        { "a lone key", Utf16(L"[only]"), {} },
    };
    for (const auto& c : cases) {
        test::WriteBytes(Here("p.txt"), c.bytes);
        PropertyFile file;
        EXPECT_EQ(file.Serialize(W(Here("p.txt")), false), !c.expected.empty()) << c.what;
        EXPECT_EQ(file.Entries(), c.expected) << c.what;
    }
    EXPECT_FALSE(PropertyFile().Serialize(L"missing.txt", false));
    EXPECT_TRUE(m_logged.empty()); // every file was given back to the file manager
}

// Player files are read up to 1 MB; a larger one is refused unread with a log
// line, and the read buffer is given back after every parse.
TEST_F(PropertyFileTest, FilesBeyondOneMegabyteAreRefusedAndNothingStaysResident)
{
    for (const uintmax_t size : { resources::kPlayerFileLimit, resources::kPlayerFileLimit + 1 }) {
        test::WriteBytes(Here("big.cfg"), Utf16(L"[a]\r\n1\r\n"));
        std::filesystem::resize_file(Here("big.cfg"), size);
        PropertyFile file;
        EXPECT_EQ(file.Serialize(W(Here("big.cfg")), false), size <= resources::kPlayerFileLimit) << size;
        EXPECT_EQ(dyn_array::Shared().Capacity(), 0u) << size;
    }
    ASSERT_EQ(m_logged.size(), 1u);
    EXPECT_NE(m_logged[0].find(L"big.cfg\" is larger than 1 MB"), std::wstring::npos) << m_logged[0];
}

TEST_F(PropertyFileTest, ValuesReadBackAsWrittenAndAFailedWriteKeepsTheOldFile)
{
    PropertyFile out;
    out.SetString(L"Name", L"J\u00fcrgen \U0001F697 <&>");
    out.SetString(L"name", L"X", true);
    out.SetInt(L"level", -12);
    out.SetFloat(L"volume", 0.25f);
    out.SetString(L"list", L"1, 2;;3\t x");
    EXPECT_FALSE(out.Serialize(W(Here("cfg/us.txt")), true)); // no folder
    ASSERT_EQ(mkdir(Here("cfg").c_str(), 0700), 0);
    ASSERT_TRUE(out.Serialize(W(Here("cfg/us.txt")), true));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(Here("cfg/us.txt"), bytes));
    EXPECT_EQ(bytes, Utf16(L"[level]\r\n-12\r\n[list]\r\n1, 2;;3\t x\r\n[name]\r\nJ\u00fcrgen \U0001F697 <&> X\r\n"
                           L"[volume]\r\n   0.25000\r\n"));
    PropertyFile in;
    ASSERT_TRUE(in.Serialize(W(Here("cfg/us.txt")), false));
    EXPECT_EQ(in.Entries(), out.Entries());
    EXPECT_EQ(in.GetInt(L"LEVEL", 0), -12);
    EXPECT_EQ(in.GetInt(L"missing", 7), 7);
    EXPECT_FLOAT_EQ(in.GetFloat(L"volume", 0.0f), 0.25f);
    EXPECT_EQ(in.GetIntList(L"list"), (std::vector<int> { 1, 2, 3, 0 }));

    out.SetString(L"name", std::wstring(5000, L'n'));
    {
        test::FileSizeLimit full(1000);
        EXPECT_FALSE(out.Serialize(W(Here("cfg/us.txt")), true));
    }
    EXPECT_FALSE(PropertyFile().Serialize(W(Here("cfg/us.txt")), true)); // nothing to write
    ASSERT_TRUE(in.Serialize(W(Here("cfg/us.txt")), false));
    EXPECT_EQ(in.GetString(L"level"), L"-12");
    ASSERT_EQ(m_logged.size(), 2u);
    EXPECT_EQ(m_logged.back().rfind(L"error: PropertyFile::Serialize -> unable to write", 0), 0u);
}

TEST_F(PropertyFileTest, HashTerminatedValuesSpanLines)
{
    test::WriteBytes(Here("credits.txt"), Utf16(L"[CREDITS]\r\nAlpha\r\nBeta#\r\n[x]\r\ny#"));
    auto& fm = cFileManager::Instance();
    iFile* file = fm.OpenFile(L"credits.txt");
    PropertyFile credits;
    ASSERT_TRUE(credits.ParseHashTerminated(file));
    fm.Release(file);
    EXPECT_EQ(credits.GetString(L"credits"), L"\nAlpha\r\nBeta");
    EXPECT_EQ(credits.GetString(L"x"), L"\ny");
}
