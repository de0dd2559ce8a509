// The characters an XML stream's file may hold: tab, line feed, carriage
// return, U+0020..U+D7FF, U+E000..U+FFFD and U+10000..U+10FFFF. Everything
// else (other control characters, surrogates, U+FFFE, U+FFFF, values past
// U+10FFFF) is written as U+FFFD so that the file stays XML.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/xml_stream.h"
#include "support/temp_folder.h"

TEST(XmlCharacters, CharactersXmlCannotHoldAreReplacedInTheFile)
{
    const struct {
        uint32_t code;
        bool kept;
    } cases[] = {
        { 0x0, false }, { 0x1, false }, { 0x8, false }, { 0x9, true }, { 0xA, true }, { 0xB, false },
        { 0xC, false }, { 0xD, true }, { 0xE, false }, { 0x1F, false }, { 0x20, true }, { 0x7F, true },
        { 0xE9, true }, { 0xD7FF, true }, { 0xD800, false }, { 0xDBFF, false }, { 0xDC00, false },
        { 0xDFFF, false }, { 0xE000, true }, { 0xFFFD, true }, { 0xFFFE, false }, { 0xFFFF, false },
        { 0x10000, true }, { 0x1F697, true }, { 0x10FFFE, true }, { 0x10FFFF, true }, { 0x110000, false },
        { 0x7FFFFFFF, false },
    };
    test::TempFolder folder;
    XmlStreamSetFolder(platform::NarrowToWide(folder.Path()));
    const int stream = XmlStreamOpen(L"chars.xml", L"");
    ASSERT_GE(stream, 0);
    std::wstring expected = L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n";
    for (const auto& c : cases) {
        const wchar_t code = static_cast<wchar_t>(c.code);
        const wchar_t written = c.kept ? code : L'\xFFFD';
        // As text between others and as a single character.
        EXPECT_TRUE(XmlStreamOpenElement(stream, L"t") && XmlStreamWriteText(stream, std::wstring(L"a") + code + L"b")
            && XmlStreamCloseElement(stream));
        EXPECT_TRUE(XmlStreamOpenElement(stream, L"c") && XmlStreamWriteChar(stream, code)
            && XmlStreamCloseElement(stream));
        expected += std::wstring(L"<t>a") + written + L"b</t>\n<c>" + written + L"</c>\n";
    }
    EXPECT_TRUE(XmlStreamClose(stream));
    XmlStreamSetFolder(L"");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(folder / "chars.xml", bytes));
    const std::vector<uint8_t> want = platform::WideToUtf16Le(expected);
    ASSERT_EQ(bytes.size(), want.size());
    // Compared code unit by code unit: a lone surrogate would read back as
    // U+FFFD and hide itself.
    for (size_t i = 0; i + 1 < want.size(); i += 2) {
        const int file = bytes[i] | bytes[i + 1] << 8, wanted = want[i] | want[i + 1] << 8;
        if (file != wanted) {
            ADD_FAILURE() << std::hex << "unit " << file << " where " << wanted << " belongs, at byte " << std::dec
                          << i << " in\n" << platform::WideToNarrow(expected);
            break;
        }
    }
}
