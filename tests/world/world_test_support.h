// Helpers of the world's tests: the log captured, the settings' language set,
// UTF-16 files written, the working directory changed for a test, and a fake
// graphics device that records screenshots.
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

// A graphics device that records the screenshots asked of it.
class ScreenshotDevice : public iGfxDevice {
public:
    HRESULT Create(HWND, int, int, int, int) override { return S_OK; }
    HRESULT BeginScene() override { return S_OK; }
    HRESULT EndScene() override { return S_OK; }
    HRESULT Present() override { return S_OK; }
    HRESULT ApplyFullScreen() override { return S_OK; }
    HRESULT SetDisplayMode(int, int, int, int, int, int) override { return S_OK; }
    HRESULT Clear(int, const RECT*, uint32_t, uint32_t, float, int) override { return S_OK; }
    HRESULT SaveScreenshot(const RECT* source, const RECT*, const wchar_t* path, int, int) override
    {
        paths.push_back(path);
        if (source)
            areas.push_back(*source);
        if (result >= 0 && writeFiles) {
            std::filesystem::path file(platform::WideToNarrow(path));
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file) << "picture";
        }
        return result;
    }
    int GetZombieBytes() override { return 0; }
    HRESULT TestDevice() override { return S_OK; }

    HRESULT result = S_OK;
    bool writeFiles = true;
    std::vector<std::wstring> paths;
    std::vector<RECT> areas;
};

} // namespace test
