#include <gtest/gtest.h>

#include <memory>

#include "package_bytes.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/property_file.h"
#include "resources_fixture.h"

using PropertyFileTest = test::ProgramFolderTest;

// UTF-16LE text with a BOM.
static std::vector<uint8_t> Utf16(const std::wstring& text)
{
    return platform::WideToUtf16Le(L"\xFEFF" + text);
}

TEST_F(PropertyFileTest, ReadsKeysAndValuesAndHashTerminatedOnesSpanLines)
{
    std::vector<uint8_t> cutUnit = Utf16(L"[a]\r\n1\r\n[b]\r\n22"), reversed = platform::WideToUtf16Le(L"\xFFFE[a]\n1");
    cutUnit.pop_back();
    const std::tuple<const char*, std::vector<uint8_t>, std::map<std::wstring, std::wstring>> cases[] = {
        { "settings", Utf16(L"[Name]\r\nMax\r\n\r\n[LEVEL]\r\n3\r\n"), { { L"name", L"Max" }, { L"level", L"3" } } },
        { "no BOM, LF only", platform::WideToUtf16Le(L"[a]\n1\n[b]\n2"), { { L"a", L"1" }, { L"b", L"2" } } },
        { "reversed BOM skipped", reversed, { { L"a", L"1" } } },
        { "later key wins", Utf16(L"[k]\r\n1\r\n[K]\r\n2\r\n"), { { L"k", L"2" } } },
        { "cut in a unit", cutUnit, { { L"a", L"1" }, { L"b", L"2" } } },
        { "NUL ends the text", Utf16(std::wstring(L"[a]\r\n1\r\n\0[b]\r\n2", 15)), { { L"a", L"1" } } },
        { "empty file", {}, {} },
        { "a last key with an empty value", Utf16(L"[a]\r\n1\r\n[name 6]\r\n\r\n"),
            { { L"a", L"1" }, { L"name 6", L"" } } },
    };
    for (const auto& [what, bytes, expected] : cases) {
        test::WriteBytes(Here("p.txt"), bytes);
        PropertyFile file;
        EXPECT_EQ(file.Serialize(W(Here("p.txt")), false), !expected.empty()) << what;
        EXPECT_EQ(file.Entries(), expected) << what;
    }
    test::WriteBytes(Here("credits.txt"), Utf16(L"[CREDITS]\r\nAlpha\r\nBeta#\r\n[x]\r\ny#"));
    PropertyFile credits;
    std::unique_ptr<iFile> file(resources::OpenWholeFile(W(Here("credits.txt"))));
    ASSERT_TRUE(credits.ParseHashTerminated(file.get()));
    EXPECT_EQ(credits.GetString(L"credits") + credits.GetString(L"x"), L"\nAlpha\r\nBeta\ny");
    EXPECT_TRUE(m_logged.empty()); // every file was given back to the file manager
}

// Player files are read up to 1 MB; a larger one is refused unread with a log
// line, and the read buffer is given back after every parse.
TEST_F(PropertyFileTest, FilesBeyondOneMegabyteAreRefusedAndNothingStaysResident)
{
    PropertyFile file; // a refused file also empties what was read before
    for (const uintmax_t size : { resources::kPlayerFileLimit, resources::kPlayerFileLimit + 1 }) {
        test::WriteBytes(Here("big.cfg"), Utf16(L"[a]\r\n1\r\n"));
        std::filesystem::resize_file(Here("big.cfg"), size);
        EXPECT_EQ(file.Serialize(W(Here("big.cfg")), false), size <= resources::kPlayerFileLimit) << size;
        EXPECT_EQ(file.HasKey(L"a"), size <= resources::kPlayerFileLimit) << size;
        EXPECT_EQ(dyn_array::Shared().Capacity(), 0u) << size;
    }
    ASSERT_EQ(m_logged.size(), 1u);
    EXPECT_NE(m_logged[0].find(L"big.cfg\" is larger than 1 MB"), std::wstring::npos) << m_logged[0];
}

// The read buffer grows in steps of four units to hold the unit asked for.
TEST(DynArray, GrowsInStepsOfFourToHoldTheUnitAskedFor)
{
    dyn_array buffer;
    *buffer.At(2) = 7;
    EXPECT_EQ(buffer.Capacity(), 4u);
    *buffer.At(3) = 8;
    EXPECT_EQ(buffer.Capacity(), 4u);
    *buffer.At(4) = 9;
    EXPECT_EQ(buffer.Capacity(), 8u);
    EXPECT_EQ(*buffer.At(2) + *buffer.At(3) + *buffer.At(4), 24);
}

TEST_F(PropertyFileTest, ValuesReadBackAsWrittenAndAFailedWriteKeepsTheOldFile)
{
    PropertyFile out, in;
    out.SetString(L"Name", L"J\u00fcrgen \U0001F697 <&>");
    out.SetString(L"name", L"X", true);
    out.SetInt(L"level", -12);
    out.SetFloat(L"volume", 0.25f);
    ASSERT_TRUE(out.Serialize(W(Here("us.txt")), true));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(Here("us.txt"), bytes));
    EXPECT_EQ(bytes, Utf16(L"[level]\r\n-12\r\n[name]\r\nJ\u00fcrgen \U0001F697 <&> X\r\n[volume]\r\n   0.25000\r\n"));
    ASSERT_TRUE(in.Serialize(W(Here("us.txt")), false));
    EXPECT_EQ(std::tuple(in.GetInt(L"LEVEL", 0), in.GetInt(L"none", 7), in.GetFloat(L"volume", 0)),
        std::tuple(-12, 7, 0.25f));
    out.SetString(L"name", std::wstring(5000, L'n'));
    {
        test::FileSizeLimit full(1000);
        EXPECT_FALSE(out.Serialize(W(Here("us.txt")), true));
    }
    EXPECT_FALSE(PropertyFile().Serialize(W(Here("us.txt")), true)); // nothing to write
    ASSERT_TRUE(in.Serialize(W(Here("us.txt")), false)); // the old file, whole
    EXPECT_EQ(in.GetString(L"name"), L"J\u00fcrgen \U0001F697 <&> X");
    ASSERT_EQ(m_logged.size(), 1u);
    EXPECT_EQ(m_logged.back().rfind(L"error: PropertyFile::Serialize -> unable to write", 0), 0u);
}

// What each setter writes into the file, read back by a fresh reader; keys in
// any case, a key line of one character, and a short file read after a long one.
TEST_F(PropertyFileTest, SettersWriteTheTextTheFileHoldsAndReadingStartsAfresh)
{
    PropertyFile out;
    out.SetFloat(L"a", 1.5f);
    out.SetFloat(L"b", -0.25f);
    out.SetFloat(L"c", 12345.5f);
    out.SetFloat(L"d", 0.0f);
    out.SetInt(L"E", 0);
    out.SetInt(L"f", 2147483647);
    out.SetInt(L"g", -7, true); // nothing to append to: set
    out.SetInt(L"g", 8, true);
    out.SetString(L"h", L"x");
    out.SetString(L"H", L"y"); // replaces
    ASSERT_TRUE(out.Serialize(W(Here("s.cfg")), true));
    PropertyFile in;
    ASSERT_TRUE(in.Serialize(W(Here("s.cfg")), false));
    const std::map<std::wstring, std::wstring> expected = { { L"a", L"   1.50000" }, { L"b", L"  -0.25000" },
        { L"c", L"12345.50000" }, { L"d", L"   0.00000" }, { L"e", L"0" }, { L"f", L"2147483647" }, { L"g", L"-7 8" },
        { L"h", L"y" } };
    EXPECT_EQ(in.Entries(), expected);
    EXPECT_EQ(std::tuple(in.GetFloat(L"A", 9.0f), in.GetFloat(L"b", 9.0f), in.GetInt(L"G", 9), in.GetInt(L"zz", 9),
                  in.GetFloat(L"zz", 9.5f), in.GetString(L"zz"), in.HasKey(L"zz"), in.HasKey(L"H")),
        std::tuple(1.5f, -0.25f, -7, 9, 9.5f, L"", false, true));

    test::WriteBytes(Here("s.cfg"), Utf16(L"[x]\r\n1\r\n[\r\nnone\r\n"));
    ASSERT_TRUE(in.Serialize(W(Here("s.cfg")), false));
    EXPECT_EQ(in.Entries(), (std::map<std::wstring, std::wstring> { { L"x", L"1" }, { L"", L"none" } }))
        << "only the short file's entries; a key line of one character is the empty key";
    EXPECT_FALSE(in.Serialize(W(Here("missing.cfg")), false));
    EXPECT_TRUE(in.Entries().empty());
    EXPECT_FALSE(in.HasKey(L""));
}
