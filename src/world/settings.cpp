#include "world/settings.h"

#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/property_file.h"
#include "world/game_world.h"
#include "world/settings_values.h"

namespace {

const wchar_t* const kConfigName = L"config.cfg";
const wchar_t* const kUsersName = L"us.txt";

std::wstring CurrentFolder()
{
    std::error_code ec;
    const auto path = std::filesystem::current_path(ec);
    return ec ? std::wstring() : platform::NarrowToWide(path.string());
}

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    return folder + L"/" + name;
}

// The install copy goes into the user folder only where the user has no file
// of that name: a player's file is never replaced by the defaults.
void CopyInstallFileWhereMissing(const std::wstring& installFolder, const std::wstring& userFolder, const wchar_t* name)
{
    const std::string target = platform::WideToNarrow(Join(userFolder, name));
    std::error_code ec;
    if (std::filesystem::symlink_status(target, ec).type() != std::filesystem::file_type::not_found)
        return;
    std::vector<uint8_t> bytes;
    const std::wstring source = Join(installFolder, name);
    if (!platform::ReadWholeFile(platform::WideToNarrow(source), bytes)) {
        cLog::Instance().Error(L"cSettings::LoadSettingsAndProfiles -> unable to read \"%ls\".", source.c_str());
        return;
    }
    if (!platform::WriteFileAtomic(target, bytes))
        cLog::Instance().Error(
            L"cSettings::LoadSettingsAndProfiles -> unable to copy \"%ls\" into the user folder.", source.c_str());
}

void CopyCode(wchar_t (&target)[4], const std::wstring& code)
{
    for (size_t i = 0; i < 3; ++i)
        target[i] = i < code.size() ? code[i] : L'\0';
    target[3] = L'\0';
}

// The language code of a settings file, or "eng" when it is not three
// lower-case letters. The complaint waits in `complaints` until the log runs.
std::wstring CheckedLanguage(const std::wstring& code, std::vector<std::wstring>& complaints)
{
    if (world::IsValidLanguageCode(code))
        return code;
    complaints.push_back(L"cSettings::LoadSettingsAndProfiles -> language code \"" + code
        + L"\" is not three lower-case letters; using \"eng\".");
    return L"eng";
}

} // namespace

cSettings& cSettings::Instance()
{
    static cSettings settings;
    return settings;
}

void cSettings::ResetToDefaults()
{
    const auto fresh = std::unique_ptr<cSettings>(new cSettings());
    *this = *fresh;
}

void cSettings::SetResolution(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    if (width == 1280) {
        scaleX = 1.0f;
        scaleY = 1.0f;
    } else {
        scaleX = 1.25f;
        scaleY = 1.33f;
    }
}

void cSettings::LoadSettingsAndProfiles()
{
    LoadSettingsAndProfiles(cGameWorld::Instance());
}

void cSettings::LoadSettingsAndProfiles(cGameWorld& world)
{
    cLog& log = cLog::Instance();
    std::vector<std::wstring> complaints;

    world.programFolder = CurrentFolder();
    const std::wstring installFolder = Join(world.programFolder, L"data");
    PropertyFile install;
    if (!install.Serialize(Join(installFolder, kConfigName), false)) {
        world.quitRequested = 1;
        return;
    }

    // The user folder is named after the language of the installed settings.
    const std::wstring folderLanguage = CheckedLanguage(install.GetString(L"language"), complaints);
    CopyCode(folderLanguageCode, folderLanguage);
    const std::string folder = platform::UserFolderPath(platform::WideToNarrow(folderLanguage));
    canSave = !folder.empty() && platform::MakeFolders(folder) && ::access(folder.c_str(), W_OK) == 0;
    if (canSave) {
        world.userFolder = platform::NarrowToWide(folder);
        cLog::SetFolder(world.userFolder);
        log.Init();
    } else {
        // Without a folder of our own nothing is written anywhere, the log
        // included: the program folder is not ours to write to.
        world.userFolder.clear();
        complaints.push_back(L"cSettings::LoadSettingsAndProfiles -> unable to create the user folder \""
            + platform::NarrowToWide(folder) + L"\"; settings and progress will not be saved.");
    }
    for (const std::wstring& complaint : complaints)
        log.Warning(L"%ls", complaint.c_str());
    complaints.clear();

    PropertyFile config;
    if (canSave) {
        CopyInstallFileWhereMissing(installFolder, world.userFolder, kConfigName);
        CopyInstallFileWhereMissing(installFolder, world.userFolder, kUsersName);
        if (!config.Serialize(Join(world.userFolder, kConfigName), false)) {
            log.Warning(L"cSettings::LoadSettingsAndProfiles -> unable to read \"%ls\"; using the installed settings.",
                Join(world.userFolder, kConfigName).c_str());
            config = install;
        }
    } else {
        config = install;
    }
    ReadConfig(config, world);

    PropertyFile users;
    const std::wstring usersPath = Join(canSave ? world.userFolder : installFolder, kUsersName);
    if (!users.Serialize(usersPath, false)) {
        log.Error(L"error: us.pkg not found");
        world.quitRequested = 1;
        return;
    }
    ReadProfiles(users, world);
    world.dateText = world::DateText();
}
