#include "platform/utf16.h"

namespace platform {

std::wstring Utf16LeToWide(const uint8_t* bytes, size_t size)
{
    std::wstring out;
    if (!bytes)
        return out;
    const size_t units = size / 2;
    out.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        const uint32_t u = bytes[2 * i] | bytes[2 * i + 1] << 8;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const uint32_t v = bytes[2 * i + 2] | bytes[2 * i + 3] << 8;
            if (v >= 0xDC00 && v <= 0xDFFF) {
                out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00)));
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            out.push_back(static_cast<wchar_t>(0xFFFD));
        else
            out.push_back(static_cast<wchar_t>(u));
    }
    return out;
}

void AppendUtf16Le(std::vector<uint8_t>& out, std::wstring_view text)
{
    auto put = [&out](uint32_t u) {
        out.push_back(static_cast<uint8_t>(u & 0xFF));
        out.push_back(static_cast<uint8_t>(u >> 8));
    };
    for (wchar_t wc : text) {
        uint32_t c = static_cast<uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c >= 0x10000) {
            c -= 0x10000;
            put(0xD800 + (c >> 10));
            put(0xDC00 + (c & 0x3FF));
        } else {
            put(c);
        }
    }
}

std::vector<uint8_t> WideToUtf16Le(std::wstring_view text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() * 2);
    AppendUtf16Le(out, text);
    return out;
}

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not one.
size_t Utf8Sequence(std::string_view s, size_t i, uint32_t& cp)
{
    const auto b = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t c = b(i);
    size_t len;
    if (c < 0x80) { cp = c; return 1; }
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; }
    else return 0;
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (b(i + k) & 0x3F);
    }
    static const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// The first code point of the escapes PathToWide gives bytes that are not
// UTF-8: byte b becomes kByteEscape + b (b is 0x80 or above).
constexpr uint32_t kByteEscape = 0xDC00;

// Invalid bytes widen to `invalidBase` + the byte.
std::wstring Widen(std::string_view text, uint32_t invalidBase)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        uint32_t cp = 0;
        const size_t len = Utf8Sequence(text, i, cp);
        if (len == 0) {
            out.push_back(static_cast<wchar_t>(invalidBase + static_cast<uint8_t>(text[i])));
            ++i;
        } else {
            out.push_back(static_cast<wchar_t>(cp));
            i += len;
        }
    }
    return out;
}

// With `bytesEscaped`, U+DC80 to U+DCFF narrow to the byte they stand for.
std::string Narrow(std::wstring_view text, bool bytesEscaped)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        uint32_t c = static_cast<uint32_t>(wc);
        if (bytesEscaped && c >= kByteEscape + 0x80 && c <= kByteEscape + 0xFF) {
            out.push_back(static_cast<char>(c - kByteEscape));
            continue;
        }
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | c >> 6));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | c >> 12));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | c >> 18));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace

std::wstring NarrowToWide(std::string_view text)
{
    return Widen(text, 0); // Latin-1
}

std::string WideToNarrow(std::wstring_view text)
{
    return Narrow(text, false);
}

std::wstring PathToWide(std::string_view path)
{
    return Widen(path, kByteEscape);
}

std::string WideToPath(std::wstring_view path)
{
    return Narrow(path, true);
}

} // namespace platform
