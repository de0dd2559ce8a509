// Player files that exist but cannot be read are moved aside, never replaced.
#include <filesystem>
#include <string>

#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/saved_game_rows.h"

namespace world {

namespace fs = std::filesystem;

bool PathExists(const std::wstring& path)
{
    std::error_code ec;
    return !path.empty() && fs::symlink_status(resources::ToNativePath(path), ec).type() != fs::file_type::not_found;
}

namespace {

    // "<path>.unreadable", or with a number added when that is taken.
    std::wstring AsideName(const std::wstring& path)
    {
        std::wstring aside = path + L".unreadable";
        for (int n = 2; PathExists(aside) && n < 1000; ++n)
            aside = path + L".unreadable" + std::to_wstring(n);
        return aside;
    }

} // namespace

bool KeepCopyAside(cGameWorld& world, const wchar_t* who, const std::wstring& path)
{
    if (!PathExists(path))
        return true;
    const std::wstring aside = AsideName(path);
    std::error_code ec;
    if (PathExists(aside) || !fs::copy_file(resources::ToNativePath(path), resources::ToNativePath(aside), ec)) {
        cLog::Instance().Error(L"%ls -> unable to keep a copy of \"%ls\"; it is not written over.", who, path.c_str());
        return false;
    }
    cLog::Instance().Warning(L"%ls -> \"%ls\" was not read whole; it is kept as \"%ls\" before it is written over.",
        who, path.c_str(), aside.c_str());
    world.playerFileNotice = L"\"" + path + L"\" was not read whole; it is kept as \"" + aside + L"\".";
    return true;
}

bool SetAsideUnreadable(cGameWorld& world, const wchar_t* who, const std::wstring& path)
{
    if (!PathExists(path))
        return true;
    const std::wstring aside = AsideName(path);
    std::error_code ec;
    if (!PathExists(aside))
        fs::rename(resources::ToNativePath(path), resources::ToNativePath(aside), ec);
    if (ec || PathExists(path)) {
        cLog::Instance().Error(
            L"%ls -> \"%ls\" cannot be read and cannot be moved aside; it is not written over.", who, path.c_str());
        world.playerFileNotice = L"\"" + path + L"\" cannot be read; it is kept as it is and nothing is saved over it.";
        return false;
    }
    cLog::Instance().Error(L"%ls -> \"%ls\" cannot be read; it is kept as \"%ls\".", who, path.c_str(), aside.c_str());
    world.playerFileNotice = L"\"" + path + L"\" cannot be read; it is kept as \"" + aside + L"\".";
    return true;
}

} // namespace world
