// Screenshots on request: the level's and the main menu's, written by the
// graphics device into screenshots/ of the per-user folder (the program folder
// may not be writable). The running number skips names already taken, so an
// earlier run's pictures are never overwritten.
#include <cwchar>
#include <filesystem>
#include <string_view>

#include "engine/gfx.h"
#include "platform/file_access.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

std::wstring ScreenshotPath(const std::wstring& userFolder, bool inLevel, int level, int number)
{
    const wchar_t* code = cSettings::Instance().languageCode;
    const std::wstring language(code, wcsnlen(code, 4));
    wchar_t name[128];
    if (inLevel)
        std::swprintf(name, 128, L"%ls_level%d_%d.jpg", language.c_str(), level, number);
    else
        std::swprintf(name, 128, L"%ls_xxx_%d.jpg", language.c_str(), number);
    return userFolder + L"/screenshots/" + name;
}

bool FileExists(const std::wstring& path)
{
    platform::NoteFileAccess();
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(platform::WideToPath(path)), error);
}

} // namespace

void cGameWorld::TakeScreenshot()
{
    if (!screenshotRequest && !menuScreenshotRequest)
        return;
    menuScreenshotRequest = 0;
    if (userFolder.empty()) {
        // Never into the program folder: it may be shared or not writable.
        cLog::Instance().Warning(L"cGameWorld::TakeScreenshot -> No user folder: no screenshot taken");
        screenshotRequest = 0;
        screenshotDelay = 0;
        return;
    }
    RECT area;
    area.right = cSettings::Instance().GetWidth();
    area.bottom = cSettings::Instance().GetHeight();

    const bool inLevel = screenshotRequest != 0;
    std::wstring path = ScreenshotPath(userFolder, inLevel, level, screenshotNumber);
    while (FileExists(path) && screenshotNumber < 0x7FFFFFFF)
        path = ScreenshotPath(userFolder, inLevel, level, ++screenshotNumber);

    const HRESULT result = g_pGfxDevice ? g_pGfxDevice->SaveScreenshot(&area, &area, path.c_str(), 20, 5) : E_FAIL;
    if (result < 0) {
        cLog::Instance().Warning(L"CAPTURE ERROR hr = %d", static_cast<int>(result));
        screenshotRequest = 0;
        return;
    }
    screenshotDelay = 0;
    if (screenshotNumber < 0x7FFFFFFF)
        ++screenshotNumber;
    screenshotRequest = 0;
}
