// Helpers of the world's tests: the log captured, the settings' language set,
// UTF-16 files written, the working directory changed for a test, and a
// font of fixed character widths.
#pragma once

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/gfx.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "support/log_capture.h"
#include "world/settings.h"

namespace test {

inline void SetLanguage(const wchar_t* code)
{
    std::wcsncpy(cSettings::Instance().languageCode, code, 3);
    cSettings::Instance().languageCode[3] = L'\0';
}

// A table file as the game ships it: UTF-16LE with the byte-order mark.
inline void WriteUtf16File(const std::filesystem::path& path, const std::wstring& text)
{
    std::filesystem::create_directories(path.parent_path());
    const std::vector<uint8_t> bytes = platform::WideToUtf16Le(L"\uFEFF" + text);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Runs a test inside another folder (the game reads data/ relative to it).
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& folder)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingDirectory() { std::filesystem::current_path(m_previous); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};

// A font of fixed width per character; single characters may be given other
// widths (0 included).
class FixedWidthFont : public iGfxFont {
public:
    explicit FixedWidthFont(int width = 10)
        : m_width(width)
    {
    }
    void SetWidth(wchar_t c, int width) { m_special[c] = width; }

    void MeasureText(const wchar_t* text, SIZE* out) override
    {
        *out = SIZE();
        if (!text)
            return;
        for (; *text; ++text) {
            const auto it = m_special.find(*text);
            out->cx += it == m_special.end() ? m_width : it->second;
        }
        out->cy = 16;
    }

private:
    int m_width;
    std::map<wchar_t, int> m_special;
};

} // namespace test
