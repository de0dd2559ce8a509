// The one text codec of the game. Text in memory is wchar_t (UTF-32 here);
// every file, package entry and log on disk is UTF-16LE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Decodes UTF-16LE bytes. A trailing odd byte is dropped; an unpaired
// surrogate becomes U+FFFD. A leading BOM is kept (callers decide).
std::wstring Utf16LeToWide(const uint8_t* bytes, size_t size);

// Encodes to UTF-16LE bytes, characters above U+FFFF as surrogate pairs.
std::vector<uint8_t> WideToUtf16Le(std::wstring_view text);
void AppendUtf16Le(std::vector<uint8_t>& out, std::wstring_view text);

// 8-bit text (script strings, file names, sound paths) is UTF-8; bytes that
// are not valid UTF-8 are taken as Latin-1, so any byte string widens.
std::wstring NarrowToWide(std::string_view text);
std::string WideToNarrow(std::wstring_view text);

// File names are bytes. A path from the system widens as UTF-8 where it is
// UTF-8; each byte that is not becomes U+DC80 + its value (a lone surrogate,
// which no UTF-8 text decodes to), and WideToPath gives that byte back, so any
// path survives the round trip unchanged. Other characters narrow as
// WideToNarrow does.
std::wstring PathToWide(std::string_view path);
std::string WideToPath(std::wstring_view path);

} // namespace platform
