// Small text helpers shared by the file readers and the log: case folding,
// path normalisation and the C runtime's lenient number conversions.
#pragma once

#include <string>
#include <string_view>

namespace resources {

// Lower-cases every character (Unicode-aware where the C.UTF-8 locale exists,
// ASCII otherwise), independent of the process locale.
std::wstring LowerCase(std::wstring_view text);

// Lower-cased with every '\' turned into '/'. Paths are case-folded only
// relative to the program folder (the working directory): an absolute path
// keeps its prefix, and only the part below the working directory is folded.
std::wstring NormalisePath(std::wstring_view path);

// A leading '/' makes a path absolute.
bool IsAbsolute(std::wstring_view path);

// The path as the operating system takes it (UTF-8).
std::string ToNativePath(std::wstring_view path);

// Leading whitespace, an optional sign and digits, as _wtoi reads them; 0 when
// no number starts the text. Values beyond int are clamped.
int ParseInt(std::wstring_view text);

// A decimal float prefix as _wtof reads it (C locale, '.' as the point); 0 when
// no number starts the text.
double ParseDouble(std::wstring_view text);

} // namespace resources
