// Helpers of the world's tests: the log captured, the settings' language set,
// UTF-16 files written and the working directory changed for a test.
#pragma once

#include <cwchar>
#include <filesystem>
#include <fstream>
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

} // namespace test
