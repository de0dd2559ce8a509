#include "world/settings.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/file.h"
#include "resources/log.h"
#include "resources/property_file.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"
#include "world/settings_values.h"

namespace {

// GUI text: the user folder cannot be made or written.
constexpr int kNothingSavedText = 10;

const wchar_t* const kConfigName = L"config.cfg";
const wchar_t* const kUsersName = L"us.txt";

std::wstring CurrentFolder()
{
    std::error_code ec;
    const auto path = std::filesystem::current_path(ec);
    return ec ? std::wstring() : platform::PathToWide(path.string());
}

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    return folder + L"/" + name;
}

// The install copy goes into the user folder only where the user has no file
// of that name: a player's file is never replaced by the defaults. An install
// copy that is not exactly what the game writes is not copied: the player's
// folder would keep it after the install is mended.
void CopyInstallFileWhereMissing(
    const std::wstring& installFolder, const std::wstring& userFolder, const wchar_t* name, world::PlayerFile kind)
{
    const std::string target = platform::WideToPath(Join(userFolder, name));
    std::error_code ec;
    if (std::filesystem::symlink_status(target, ec).type() != std::filesystem::file_type::not_found)
        return;
    std::vector<uint8_t> bytes;
    const std::wstring source = Join(installFolder, name);
    const world::FileState state = world::ReadPlayerFile(kind, source, bytes);
    if (state == world::FileState::Missing) {
        cLog::Instance().Error(L"cSettings::LoadSettingsAndProfiles -> unable to read \"%ls\".", source.c_str());
        return;
    }
    if (state == world::FileState::Damaged) {
        cLog::Instance().Warning(
            L"cSettings::LoadSettingsAndProfiles -> \"%ls\" is not as the game writes it; it is not copied.",
            source.c_str());
        return;
    }
    if (!platform::WriteFileAtomic(target, bytes))
        cLog::Instance().Error(
            L"cSettings::LoadSettingsAndProfiles -> unable to copy \"%ls\" into the user folder.", source.c_str());
}

// Why a settings file gave no entries, in words for the player and the log.
std::wstring WhyUnreadable(const std::wstring& path)
{
    const std::string native = platform::WideToPath(path);
    std::error_code ec;
    const auto type = std::filesystem::status(native, ec).type();
    if (type == std::filesystem::file_type::not_found)
        return L"it is missing";
    if (type != std::filesystem::file_type::regular)
        return L"it is not a file";
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return platform::NarrowToWide(std::strerror(errno));
    ::close(fd);
    if (std::filesystem::file_size(native, ec) > resources::kPlayerFileLimit)
        return L"it is larger than 1 MB";
    return L"it holds no entries (empty, damaged, or not UTF-16LE text)";
}

// A start that cannot go on: the file and the reason go to the log and are
// kept for main to print.
void EndTheStart(cGameWorld& world, const std::wstring& path, const wchar_t* what)
{
    world.startFailure = L"unable to read \"" + path + L"\" (" + what + L"): " + WhyUnreadable(path) + L".";
    cLog::Instance().Error(L"cSettings::LoadSettingsAndProfiles -> %ls", world.startFailure.c_str());
    world.quitRequested = 1;
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
        EndTheStart(world, Join(installFolder, kConfigName), L"the installed settings");
        return;
    }

    // The user folder is named after the language of the installed settings.
    const std::wstring folderLanguage = CheckedLanguage(install.GetString(L"language"), complaints);
    CopyCode(folderLanguageCode, folderLanguage);
    const std::string folder = platform::UserFolderPath(platform::WideToNarrow(folderLanguage));
    const bool folderExists = !folder.empty() && platform::MakeFolders(folder);
    canSave = folderExists && ::access(folder.c_str(), W_OK) == 0;
    const int writeError = errno;
    if (folderExists) {
        // A folder we may only read still holds the player's files.
        world.userFolder = platform::PathToWide(folder);
        cLog::SetFolder(world.userFolder);
    } else {
        world.userFolder.clear();
    }
    if (canSave) {
        log.Init();
    } else if (folderExists) {
        complaints.push_back(L"cSettings::LoadSettingsAndProfiles -> the user folder \"" + world.userFolder
            + L"\" cannot be written (" + platform::NarrowToWide(std::strerror(writeError))
            + L"); settings, profiles, saved games and highscores will not be saved.");
        world::SetPlayerFileNotice(world, kNothingSavedText);
    } else {
        // Without a folder of our own nothing is written anywhere, the log
        // included: the program folder is not ours to write to.
        complaints.push_back(L"cSettings::LoadSettingsAndProfiles -> unable to create the user folder \""
            + platform::PathToWide(folder) + L"\"; settings and progress will not be saved.");
        world::SetPlayerFileNotice(world, kNothingSavedText);
    }
    for (const std::wstring& complaint : complaints)
        log.Warning(L"%ls", complaint.c_str());
    complaints.clear();

    if (canSave) {
        // A change of several player files that a crash cut short is made
        // whole (or undone) before any of them is read.
        world::SettlePlayerFiles(world);
        CopyInstallFileWhereMissing(installFolder, world.userFolder, kConfigName, world::PlayerFile::Settings);
        CopyInstallFileWhereMissing(installFolder, world.userFolder, kUsersName, world::PlayerFile::Profiles);
    }
    // The player's own files where there are any, the install copies where not.
    const auto playerOrInstall = [&](const wchar_t* name) {
        const std::wstring own = Join(world.userFolder, name);
        return folderExists && world::PathExists(own) ? own : Join(installFolder, name);
    };
    // A damaged settings file gives what it still holds over the installed
    // settings; it is moved aside when the settings are next saved.
    PropertyFile config = install;
    const std::wstring configPath = playerOrInstall(kConfigName);
    if (configPath != Join(installFolder, kConfigName)) {
        PropertyFile own;
        world::ReadPlayerProperties(
            world, L"cSettings::LoadSettingsAndProfiles", world::PlayerFile::Settings, configPath, own);
        for (const auto& [key, value] : own.Entries())
            config.SetString(key, value);
    }
    ReadConfig(config, world);

    // The profiles the same way: a damaged list of players (whatever is in its
    // place: an empty or foreign file, a folder, a link to nowhere) gives
    // what it still holds over the installed profiles, and is told.
    PropertyFile users;
    const std::wstring usersPath = playerOrInstall(kUsersName);
    const std::wstring installUsers = Join(installFolder, kUsersName);
    PropertyFile own;
    const bool whole = usersPath != installUsers
        && world::ReadPlayerProperties(
               world, L"cSettings::LoadSettingsAndProfiles", world::PlayerFile::Profiles, usersPath, own)
            == world::FileState::Whole;
    if (!whole && !users.Serialize(installUsers, false)) {
        log.Error(L"error: us.pkg not found");
        EndTheStart(world, installUsers, L"the profiles");
        return;
    }
    for (const auto& [key, value] : own.Entries())
        users.SetString(key, value);
    ReadProfiles(users, world);
    world.dateText = world::DateText();
}

std::string cSettings::UserFolderOfInstall()
{
    PropertyFile install;
    if (!install.Serialize(Join(Join(CurrentFolder(), L"data"), kConfigName), false))
        return {};
    std::vector<std::wstring> complaints; // told when the settings are loaded
    const std::wstring language = CheckedLanguage(install.GetString(L"language"), complaints);
    return platform::UserFolderPath(platform::WideToNarrow(language));
}
