#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/game_random.h"
#include "platform/utf16.h"

using namespace platform;

TEST(Utf16, RoundTripsAndBrokenInputStaysInBounds)
{
    const std::wstring text = L"Tankstelle \u00e4 \u0444 \U0001F697";
    const auto bytes = WideToUtf16Le(text);
    EXPECT_EQ(bytes.size(), (text.size() + 1) * 2); // the car needs a surrogate pair
    EXPECT_EQ(Utf16LeToWide(bytes.data(), bytes.size()), text);
    const uint8_t odd[] = { 'A', 0, 0x00, 0xD8, 'B' };
    EXPECT_EQ(Utf16LeToWide(odd, sizeof odd), L"A\uFFFD");
    EXPECT_EQ(NarrowToWide("gr\xfcn"), L"gr\u00fcn"); // not UTF-8: Latin-1
    for (const std::string path : { "/home/caf\xe9/\xff\xfe\xc3(", "/home/gr\xc3\xbcn/\xed\xb2\x80" })
        EXPECT_EQ(WideToPath(PathToWide(path)), path); // a path keeps its bytes, UTF-8 or not
    GameSrand(1);
    EXPECT_EQ(GameRand(), 41); // the game's generator follows the known sequence
    EXPECT_EQ(GameRand(), 18467);
}

// Each form's boundaries: the last and first code point of each length, the
// surrogate range, the end of Unicode, and every way a sequence can be broken.
TEST(Utf16, EveryBoundaryOfUtf8AndUtf16ConvertsBothWays)
{
    const std::tuple<const char*, std::wstring, std::vector<uint8_t>> exact[] = { // UTF-8, text, UTF-16LE
        { "\x7F", L"\x7F", { 0x7F, 0 } }, { "\xC2\x80", L"\x80", { 0x80, 0 } },
        { "\xDF\xBF", L"\x7FF", { 0xFF, 0x07 } }, { "\xE0\xA0\x80", L"\x800", { 0, 0x08 } },
        { "\xED\x9F\xBF", L"\xD7FF", { 0xFF, 0xD7 } }, { "\xEE\x80\x80", L"\xE000", { 0, 0xE0 } },
        { "\xEF\xBF\xBF", L"\xFFFF", { 0xFF, 0xFF } },
        { "\xF0\x90\x80\x80", std::wstring(1, wchar_t(0x10000)), { 0x00, 0xD8, 0x00, 0xDC } },
        { "\xF4\x8F\xBF\xBF", std::wstring(1, wchar_t(0x10FFFF)), { 0xFF, 0xDB, 0xFF, 0xDF } },
    };
    for (const auto& [utf8, text, utf16] : exact) {
        SCOPED_TRACE(static_cast<unsigned>(text[0]));
        EXPECT_EQ(NarrowToWide(utf8), text);
        EXPECT_EQ(WideToNarrow(text), utf8);
        EXPECT_EQ(WideToUtf16Le(text), utf16);
        EXPECT_EQ(Utf16LeToWide(utf16.data(), utf16.size()), text);
        EXPECT_EQ(WideToPath(PathToWide(utf8)), utf8);
    }
    // Not UTF-8: each byte of the broken sequence is a Latin-1 letter (and a
    // path keeps the byte).
    for (const std::string broken : { "\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xF0\x80\x80\x80",
             "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xC3",
             "\xE2\x82", "\xF0\x9F\x9A", "\xC3(", "\xE2(\xAC", "\xF0\x9F(\x97", "\x80", "\xBF" }) {
        std::wstring latin1, escaped;
        for (const char c : broken) {
            const auto byte = static_cast<uint8_t>(c);
            latin1 += static_cast<wchar_t>(byte);
            escaped += static_cast<wchar_t>(byte < 0x80 ? byte : 0xDC00 + byte);
        }
        EXPECT_EQ(NarrowToWide(broken), latin1) << broken.size();
        EXPECT_EQ(PathToWide(broken), escaped) << broken.size();
        EXPECT_EQ(WideToPath(escaped), broken);
    }
    // What UTF-16 cannot hold, and UTF-16 that is not whole, becomes U+FFFD.
    const std::tuple<std::wstring, std::vector<uint8_t>> toUtf16[] = {
        { std::wstring(1, wchar_t(0x110000)), { 0xFD, 0xFF } }, { std::wstring(1, wchar_t(0xD800)), { 0xFD, 0xFF } },
        { std::wstring(1, wchar_t(0xDFFF)), { 0xFD, 0xFF } } };
    for (const auto& [text, bytes] : toUtf16) {
        EXPECT_EQ(WideToUtf16Le(text), bytes);
        EXPECT_EQ(WideToNarrow(text), "\xEF\xBF\xBD");
    }
    const std::tuple<std::vector<uint8_t>, std::wstring> fromUtf16[] = {
        { { 0x00, 0xDC, 'a', 0 }, L"\xFFFD" L"a" }, // a low surrogate alone
        { { 0xFF, 0xDB, 'a', 0 }, L"\xFFFD" L"a" }, // a high one before a letter
        { { 0x00, 0xD8, 0x00, 0xD8, 0x00, 0xDC }, L"\xFFFD" + std::wstring(1, wchar_t(0x10000)) },
        { { 0x00, 0xD8 }, L"\xFFFD" }, // cut after the high one
        { { 0x00, 0xD8, 0x00 }, L"\xFFFD" }, // and the odd byte dropped
        { { 0xFF, 0xFE, 'x', 0 }, L"\xFEFF" L"x" }, // the BOM is left to the caller
    };
    for (const auto& [bytes, text] : fromUtf16)
        EXPECT_EQ(Utf16LeToWide(bytes.data(), bytes.size()), text) << bytes.size();
    EXPECT_EQ(Utf16LeToWide(nullptr, 4), L"");
}
