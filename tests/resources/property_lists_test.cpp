#include <gtest/gtest.h>

#include <memory>

#include "package_bytes.h"
#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/property_file.h"
#include "resources_fixture.h"

using PropertyLists = test::ProgramFolderTest;

// A value cut into lists: text pieces at tab, ',' and ';'; lines at CR and LF;
// numbers at space, tab, ',' and ';', each read for its leading number. Empty
// pieces never count, and a key that is missing or empty gives no pieces.
TEST_F(PropertyLists, ValuesAreCutAtTheirSeparatorsAndEmptyPiecesVanish)
{
    using Strings = std::vector<std::wstring>;
    using Ints = std::vector<int>;
    using Floats = std::vector<float>;
    // Far beyond the 8,192 characters the cutting once had room for.
    std::wstring longPiece(9000, L'w'), manyNumbers;
    Strings manyStrings;
    Ints manyInts;
    for (int i = 0; i < 3000; ++i) {
        manyNumbers += std::to_wstring(i % 10) + L",";
        manyStrings.push_back(std::to_wstring(i % 10));
        manyInts.push_back(i % 10);
    }
    const std::tuple<const char*, std::wstring, Strings, Strings, Ints, Floats> cases[] = {
        // what, value, string list, line list, int list, float list
        { "every separator", L"1,2;3\t4 5", { L"1", L"2", L"3", L"4 5" }, { L"1,2;3\t4 5" }, { 1, 2, 3, 4, 5 },
            { 1, 2, 3, 4, 5 } },
        { "runs and ends of separators", L";;7,,\t8;", { L"7", L"8" }, { L";;7,,\t8;" }, { 7, 8 }, { 7, 8 } },
        { "leading numbers", L" -3 +4\t5.75;x;1e2", { L" -3 +4", L"5.75", L"x", L"1e2" },
            { L" -3 +4\t5.75;x;1e2" }, { -3, 4, 5, 0, 1 }, { -3, 4, 5.75f, 0, 100 } },
        { "lines", L"\r\nAlpha, one\r\n\r\nBeta\nGamma\r", { L"\r\nAlpha", L" one\r\n\r\nBeta\nGamma\r" },
            { L"Alpha, one", L"Beta", L"Gamma" }, { 0, 0 }, { 0, 0 } },
        { "separators only", L" ,;\t", { L" " }, { L" ,;\t" }, {}, {} },
        { "a long piece", longPiece + L";" + longPiece, { longPiece, longPiece }, { longPiece + L";" + longPiece },
            { 0, 0 }, { 0, 0 } },
        { "many numbers", manyNumbers, manyStrings, { manyNumbers }, manyInts,
            Floats(manyInts.begin(), manyInts.end()) },
        { "empty", L"", {}, {}, {}, {} },
    };
    for (const auto& [what, value, strings, lines, ints, floats] : cases) {
        SCOPED_TRACE(what);
        PropertyFile file;
        file.SetString(L"List", value);
        file.SetString(L"other", L"9;9");
        EXPECT_EQ(file.GetStringList(L"LIST"), strings);
        EXPECT_EQ(file.GetLineList(L"list"), lines);
        EXPECT_EQ(file.GetIntList(L"List"), ints);
        EXPECT_EQ(file.GetFloatList(L"list"), floats);
        EXPECT_TRUE(file.GetStringList(L"none").empty() && file.GetLineList(L"none").empty()
            && file.GetIntList(L"none").empty() && file.GetFloatList(L"none").empty());
    }
}

// A text whose values run over several lines up to the next '[': each key
// line loses its line break and brackets, each value the CR LF before the
// next key.
TEST_F(PropertyLists, MultilineTextsReadEveryKeyWithTheLinesBelowIt)
{
    auto utf16 = [](const std::wstring& text) { return platform::WideToUtf16Le(text); };
    using Entries = std::map<std::wstring, std::wstring>;
    const std::tuple<const char*, std::vector<uint8_t>, Entries> cases[] = {
        { "three keys", utf16(L"\xFEFF[Intro]\r\nFirst line\r\nsecond\r\n[OUTRO]\r\nbye\r\n[x]\r\n\r\n\r\n"),
            { { L"intro", L"First line\r\nsecond" }, { L"outro", L"bye" }, { L"x", L"\r\n" } } },
        { "no BOM", utf16(L"[a]\r\n1\r\n[b]\r\n2\r\n"), { { L"a", L"1" }, { L"b", L"2" } } },
        { "a later key replaces", utf16(L"[k]\r\n1\r\n[K]\r\n22\r\n"), { { L"k", L"22" } } },
        { "a key without a value", utf16(L"[a]\r\n"), {} },
        { "empty file", {}, {} },
    };
    for (const auto& [what, bytes, expected] : cases) {
        SCOPED_TRACE(what);
        test::WriteBytes(Here("m.txt"), bytes);
        std::unique_ptr<iFile> file(resources::OpenWholeFile(W(Here("m.txt"))));
        ASSERT_TRUE(file);
        PropertyFile properties;
        properties.SetString(L"stale", L"1");
        EXPECT_EQ(properties.ParseMultiline(file.get()), !expected.empty());
        EXPECT_EQ(properties.Entries(), expected);
        // Asked not to read, or given no file, it reads nothing and keeps nothing.
        properties.SetString(L"stale", L"1");
        EXPECT_FALSE(properties.ParseMultiline(file.get(), true) || properties.ParseMultiline(nullptr));
        EXPECT_TRUE(properties.Entries().empty());
    }
    EXPECT_TRUE(m_logged.empty());
}
