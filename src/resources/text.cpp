#include "resources/text.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cwctype>
#include <locale.h>
#include <unistd.h>

#include "platform/utf16.h"

namespace resources {

namespace {

// Case folding must not depend on whatever locale the process runs under.
locale_t FoldingLocale()
{
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
    }();
    return loc;
}

wchar_t Lower(wchar_t c)
{
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    const locale_t loc = FoldingLocale();
    return loc ? static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), loc)) : c;
}

std::wstring WorkingDirectory()
{
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer))
        return {};
    return platform::PathToWide(buffer);
}

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

} // namespace

std::wstring LowerCase(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        c = Lower(c);
    return out;
}

bool IsAbsolute(std::wstring_view path)
{
    return !path.empty() && (path[0] == L'/' || path[0] == L'\\');
}

std::wstring NormalisePath(std::wstring_view path)
{
    std::wstring out(path);
    for (wchar_t& c : out) {
        if (c == L'\\')
            c = L'/';
    }
    size_t keep = 0;
    if (IsAbsolute(out)) {
        // Only the part below the program folder is ours to fold.
        const std::wstring cwd = WorkingDirectory();
        if (cwd.size() > 1 && out.size() > cwd.size() && out.compare(0, cwd.size(), cwd) == 0
            && out[cwd.size()] == L'/')
            keep = cwd.size();
        else
            return out;
    }
    for (size_t i = keep; i < out.size(); ++i)
        out[i] = Lower(out[i]);
    return out;
}

std::string ToNativePath(std::wstring_view path)
{
    return platform::WideToPath(path);
}

int ParseInt(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

double ParseDouble(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    std::string ascii;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-')
            ascii.push_back('-');
        ++i;
    }
    // Only the characters a decimal number can hold reach from_chars.
    for (; i < text.size() && ascii.size() < 512; ++i) {
        const wchar_t c = text[i];
        if ((c >= L'0' && c <= L'9') || c == L'.' || c == L'e' || c == L'E' || c == L'+' || c == L'-')
            ascii.push_back(static_cast<char>(c));
        else
            break;
    }
    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

} // namespace resources
