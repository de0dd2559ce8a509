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
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::map<std::wstring, std::wstring> expected;
    };
    std::vector<uint8_t> reversed = Utf16(L"[a]\r\n1\r\n", false);
    reversed.insert(reversed.begin(), {0xFE, 0xFF});
    const Case cases[] = {
        {"settings", Utf16(L"[Name]\r\nMax\r\n[LEVEL]\r\n3\r\n"), {{L"name", L"Max"}, {L"level", L"3"}}},
        {"blank lines", Utf16(L"[a]\r\n\r\n\n1\r\n"), {{L"a", L"1"}}},
        {"no BOM, LF only", Utf16(L"[a]\n1\n[b]\n2", false), {{L"a", L"1"}, {L"b", L"2"}}},
        {"reversed BOM skipped", reversed, {{L"a", L"1"}}},
        {"one-character key", Utf16(L"x\r\nv\r\n"), {{L"", L"v"}}},
        {"later key wins", Utf16(L"[k]\r\n1\r\n[K]\r\n2\r\n"), {{L"k", L"2"}}},
        {"cut in the middle of a key", Utf16(L"[a]\r\n1\r\n[lon"), {{L"a", L"1"}}},
        {"cut in the middle of a unit", [] { auto b = Utf16(L"[a]\r\n1\r\n[b]\r\n22"); b.pop_back(); return b; }(),
         {{L"a", L"1"}, {L"b", L"2"}}},
        {"NUL ends the text", Utf16(std::wstring(L"[a]\r\n1\r\n\0[b]\r\n2", 15)), {{L"a", L"1"}}},
        {"non-ASCII", Utf16(L"[Gr\u00fc\u00dfe]\r\n\u0444\u00e4 \U0001F697\r\n"), {{L"gr\u00fc\u00dfe", L"\u0444\u00e4 \U0001F697"}}},
        {"only a BOM", Utf16(L""), {}},
        {"empty file", {}, {}},
        {"a lone key", Utf16(L"[only]"), {}},
    };
    for (const Case& c : cases) {
        test::WriteBytes(Here("p.txt"), c.bytes);
        PropertyFile file;
        EXPECT_EQ(file.Serialize(W(Here("p.txt")), false), !c.expected.empty()) << c.what;
        EXPECT_EQ(file.Entries(), c.expected) << c.what;
    }
    PropertyFile missing;
    EXPECT_FALSE(missing.Serialize(L"missing.txt", false));
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

TEST_F(PropertyFileTest, GettersAndSetters)
{
    PropertyFile file;
    file.SetString(L"K", L"a");
    file.SetString(L"k", L"b", true);
    EXPECT_EQ(file.GetString(L"K"), L"a b");
    file.SetFloat(L"f", 1.5f);
    EXPECT_EQ(file.GetString(L"f"), L"   1.50000");
    EXPECT_FLOAT_EQ(file.GetFloat(L"F", 0.0f), 1.5f);
    file.SetInt(L"n", -42);
    EXPECT_EQ(file.GetInt(L"N", 0), -42);
    EXPECT_EQ(file.GetInt(L"missing", 7), 7);
    EXPECT_FLOAT_EQ(file.GetFloat(L"missing", 2.5f), 2.5f);
    EXPECT_EQ(file.GetString(L"missing"), L"");
    file.SetString(L"list", L"1, 2;;3\t x");
    EXPECT_EQ(file.GetIntList(L"list"), (std::vector<int> {1, 2, 3, 0}));
    EXPECT_EQ(file.GetStringList(L"list"), (std::vector<std::wstring> {L"1", L" 2", L"3", L" x"}));
    file.SetString(L"lines", L"a\r\n\r\nb");
    EXPECT_EQ(file.GetLineList(L"lines"), (std::vector<std::wstring> {L"a", L"b"}));
    file.SetString(L"long", std::wstring(20000, L'9') + L",1.25");
    const auto floats = file.GetFloatList(L"long");
    ASSERT_EQ(floats.size(), 2u);
    EXPECT_FLOAT_EQ(floats[1], 1.25f);
    EXPECT_TRUE(file.GetIntList(L"missing").empty());
}

TEST_F(PropertyFileTest, WritesAndReadsBack)
{
    PropertyFile out;
    out.SetString(L"Name", L"J\u00fcrgen \u0416 \U0001F697 <&>");
    out.SetInt(L"level", 12);
    out.SetFloat(L"volume", 0.25f);
    ASSERT_TRUE(out.Serialize(W(Here("us.txt")), true));

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(Here("us.txt"), bytes));
    EXPECT_EQ(bytes, Utf16(L"[level]\r\n12\r\n[name]\r\nJ\u00fcrgen \u0416 \U0001F697 <&>\r\n[volume]\r\n   0.25000\r\n"));

    PropertyFile in;
    ASSERT_TRUE(in.Serialize(W(Here("us.txt")), false));
    EXPECT_EQ(in.Entries(), out.Entries());

    // A short file after a long one gives only its own entries.
    PropertyFile small;
    small.SetString(L"x", L"y");
    ASSERT_TRUE(small.Serialize(W(Here("small.txt")), true));
    ASSERT_TRUE(in.Serialize(W(Here("small.txt")), false));
    EXPECT_EQ(in.Entries(), small.Entries());

    PropertyFile empty;
    EXPECT_FALSE(empty.Serialize(W(Here("us.txt")), true)); // nothing is written
    ASSERT_TRUE(platform::ReadWholeFile(Here("us.txt"), bytes));
    EXPECT_FALSE(bytes.empty());
}

TEST_F(PropertyFileTest, FailedWriteKeepsTheOldFile)
{
    PropertyFile out;
    out.SetString(L"a", L"old");
    EXPECT_FALSE(out.Serialize(W(Here("cfg/config.cfg")), true)); // no folder
    ASSERT_EQ(mkdir(Here("cfg").c_str(), 0700), 0);
    ASSERT_TRUE(out.Serialize(W(Here("cfg/config.cfg")), true));
    out.SetString(L"a", std::wstring(5000, L'n'));
    {
        test::FileSizeLimit full(1000);
        EXPECT_FALSE(out.Serialize(W(Here("cfg/config.cfg")), true));
    }
    PropertyFile in;
    ASSERT_TRUE(in.Serialize(W(Here("cfg/config.cfg")), false));
    EXPECT_EQ(in.GetString(L"a"), L"old");
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
    EXPECT_TRUE(m_logged.empty());
}

TEST(DynArray, GrowsInStepsOfFourAndThrowsWhenMemoryRunsOut)
{
    dyn_array& buffer = dyn_array::Shared();
    buffer.Resize(5);
    EXPECT_EQ(buffer.Capacity(), 8u);
    *buffer.At(20) = 7;
    EXPECT_GE(buffer.Capacity(), 21u);
    EXPECT_EQ(buffer.Capacity() % 4, 0u);
    try {
        buffer.Resize(SIZE_MAX / 2);
        FAIL() << "no exception";
    } catch (const char* text) {
        EXPECT_STREQ(text, "dyn_array: Insufficient memory");
    }
    EXPECT_EQ(*buffer.At(20), 7); // the buffer survives the failed growth
}
