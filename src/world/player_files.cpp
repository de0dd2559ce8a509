// config.cfg, us.txt and the highscore files: the keys read and written, and
// the checks on what is read.
#include <algorithm>
#include <cwchar>

#include "resources/log.h"
#include "resources/property_file.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"
#include "world/settings.h"
#include "world/settings_values.h"

namespace {

std::wstring Key(const wchar_t* format, int number)
{
    wchar_t key[64];
    std::swprintf(key, 64, format, number);
    return key;
}

} // namespace

void cSettings::ReadConfig(PropertyFile& config, cGameWorld& world)
{
    cLog& log = cLog::Instance();

    std::wstring language = config.GetString(L"language");
    if (!world::IsValidLanguageCode(language)) {
        log.Warning(L"cSettings::LoadSettingsAndProfiles -> language code \"%ls\" is not three lower-case letters; "
                    L"using \"eng\".",
            language.c_str());
        language = L"eng";
    }
    for (wchar_t(*code)[4] : { &languageCode, &folderLanguageCode }) {
        std::copy(language.begin(), language.end(), *code);
        (*code)[3] = L'\0';
    }
    strings[0] = strings[1] = language;

    width = config.GetInt(L"x resolution", 0);
    height = config.GetInt(L"y resolution", 0);
    if (!world::HasDefinedScale(width, height)) {
        log.Warning(L"cSettings::LoadSettingsAndProfiles -> screen size %d x %d has no layout; using 1280 x 1024.",
            width, height);
        width = 1280;
        height = 1024;
    }
    scaleX = scaleY = 1.0f;
    if (width == 1024) {
        scaleX = 1.25f;
        scaleY = 1.33f;
    }

    const int startLevel = config.GetInt(L"startlevel", 0);
    world.level = world::ClampLevel(startLevel);
    if (world.level != startLevel)
        log.Warning(
            L"cSettings::LoadSettingsAndProfiles -> start level %d is no level; using %d.", startLevel, world.level);
    world.windowCenter = world::ClampPlayerValue(config.GetInt(L"window center", 0));
    world.developerCounter = 0;
    world.musicVolume = world::ClampVolume(config.GetFloat(L"music volume", 0.0f));
    world.soundVolume = world::ClampVolume(config.GetFloat(L"sound volume", 0.0f));
    world.speechVolume = world::ClampVolume(config.GetFloat(L"speech volume", 0.0f));
    world.musicPlayVolume = world.musicWorkLevel2 = world.musicWorkLevel3 = world.musicVolume;
    world.effectsVolume = world.soundVolume;

    const int workplace = config.GetInt(L"workplace", 0);
    world.currentProfile = world::ClampWorkplace(workplace);
    if (world.currentProfile != workplace)
        log.Warning(L"cSettings::LoadSettingsAndProfiles -> workplace %d is no profile; using %d.", workplace,
            world.currentProfile);
    screenMode = world::ClampPlayerValue(config.GetInt(L"screen mode", 0));
    mute = config.GetInt(L"mute", 0) != 0;
    developerMode = editorMode = 0;
    world.fullScreen = screenMode != 0;
}

void cSettings::ReadProfiles(PropertyFile& users, cGameWorld& world)
{
    cLog& log = cLog::Instance();
    for (int i = 1; i <= world::kProfiles; ++i) {
        // A name longer than one typed (a hand-edited file) would run out of
        // its field across the screen.
        world.profileNames[i] = users.GetString(Key(L"name %d", i)).substr(0, world::kProfileNameLength);
        const int lastLevel = users.GetInt(Key(L"last level %d", i), 0);
        world.profileLastLevel[i] = world::ClampLevel(lastLevel);
        if (world.profileLastLevel[i] != lastLevel)
            log.Warning(L"cSettings::LoadSettingsAndProfiles -> last level %d of profile %d is no level; using %d.",
                lastLevel, i, world.profileLastLevel[i]);
        world.profileDrive[i] = world::ClampPlayerValue(users.GetInt(Key(L"drive %d", i), 0));
        const auto awards = world::ReadValueList(users.GetString(Key(L"awards %d", i)), world::kAwards);
        std::transform(awards.begin(), awards.end(), world.profileAwards[i], world::ClampPlayerValue);
        const auto bonus = world::ReadValueList(users.GetString(Key(L"bonus level %d", i)), world::kBonusLevels);
        std::transform(bonus.begin(), bonus.end(), world.profileBonusLevels[i], world::ClampPlayerValue);
        if (i == world.currentProfile)
            world.furthestLevel = world.profileLastLevel[i];
    }
}

namespace world {

std::vector<uint8_t> SettingsBytes(const cGameWorld& world)
{
    const cSettings& settings = cSettings::Instance();
    PropertyFile config;
    config.SetString(L"language", settings.languageCode);
    config.SetInt(L"x resolution", settings.width);
    config.SetInt(L"y resolution", settings.height);
    config.SetFloat(L"music volume", world.musicVolume);
    config.SetFloat(L"sound volume", world.soundVolume);
    config.SetFloat(L"speech volume", world.speechVolume);
    config.SetInt(L"workplace", world.currentProfile);
    config.SetInt(L"screen mode", settings.screenMode);
    config.SetInt(L"mute", settings.mute ? 1 : 0);
    config.SetInt(L"window center", world.windowCenter);
    return config.Bytes();
}

std::vector<uint8_t> ProfilesBytes(const cGameWorld& world)
{
    PropertyFile users;
    for (int i = 1; i <= world::kProfiles; ++i) {
        users.SetString(Key(L"name %d", i), world.profileNames[i]);
        users.SetInt(Key(L"last level %d", i), world.profileLastLevel[i]);
        users.SetInt(Key(L"drive %d", i), world.profileDrive[i]);
        users.SetString(Key(L"awards %d", i), world::WriteValueList(world.profileAwards[i], world::kAwards));
        users.SetString(
            Key(L"bonus level %d", i), world::WriteValueList(world.profileBonusLevels[i], world::kBonusLevels));
    }
    return users.Bytes();
}

std::wstring ProfilesPath(const cGameWorld& world)
{
    return UserFilePath(world, L"us.txt");
}

bool SaveSettingsFile(cGameWorld& world)
{
    if (!cSettings::Instance().canSave || world.userFolder.empty()) {
        cLog::Instance().Error(L"cGameWorld::SaveConfig -> there is no user folder; the settings are not saved.");
        return false;
    }
    return SavePlayerFile(
        world, L"cGameWorld::SaveConfig", PlayerFile::Settings, UserFilePath(world, L"config.cfg"), SettingsBytes(world));
}

} // namespace world

bool cGameWorld::SaveConfig()
{
    if (!cSettings::Instance().canSave || userFolder.empty()) {
        cLog::Instance().Error(L"cGameWorld::SaveConfig -> there is no user folder; the settings are not saved.");
        return false;
    }
    const bool configSaved = world::SaveSettingsFile(*this);
    const bool usersSaved = SaveUsers();
    if (!configSaved || !usersSaved)
        cLog::Instance().Error(L"cGameWorld::SaveConfig -> the settings were not all saved.");
    WriteEditorScripts();
    return configSaved && usersSaved;
}

bool cGameWorld::SaveUsers()
{
    if (!cSettings::Instance().canSave || userFolder.empty()) {
        cLog::Instance().Error(L"cGameWorld::SaveUsers -> there is no user folder; the profiles are not saved.");
        return false;
    }
    return world::SavePlayerFile(
        *this, L"cGameWorld::SaveUsers", world::PlayerFile::Profiles, world::ProfilesPath(*this), world::ProfilesBytes(*this));
}

bool cGameWorld::LoadHighscores()
{
    // A level beyond the tables (a hand-edited profile) must not index past them.
    const int lastLevel = std::min(furthestLevel, world::kHighscoreLevels - 1);
    for (int level = 1; level <= lastLevel; ++level) {
        for (int r = 1; r <= world::kHighscoreRowsUsed; ++r) {
            highscoreNames[level][r].clear();
            highscoreTime[level][r] = 0;
            highscoreMoney[level][r] = 0;
            highscoreWorkplace[level][r] = 1;
        }
        if (userFolder.empty())
            continue;
        wchar_t name[32];
        std::swprintf(name, 32, L"result_%02d.cfg", level);
        PropertyFile scores;
        if (!ReadHighscoreFile(userFolder + L"/highscore/" + name, scores))
            continue;
        for (int r = 1; r <= world::kHighscoreRowsUsed; ++r) {
            highscoreNames[level][r] = scores.GetString(Key(L"name%1d", r)).substr(0, world::kHighscoreNameLength);
            highscoreTime[level][r] = world::ClampPlayerValue(scores.GetInt(Key(L"time%1d", r), 0));
            highscoreMoney[level][r] = world::ClampPlayerValue(scores.GetInt(Key(L"money%1d", r), 0));
            highscoreWorkplace[level][r] = scores.GetInt(Key(L"workplace%1d", r), 0);
        }
    }
    return true;
}

bool cGameWorld::ReadHighscoreFile(const std::wstring& path, PropertyFile& scores)
{
    const auto state = world::ReadPlayerProperties(
        *this, L"cGameWorld::ReadHighscoreFile", world::PlayerFile::Highscores, path, scores);
    if (state == world::FileState::Whole)
        return true;
    // What a damaged table still holds of its rows is shown.
    for (const wchar_t* key : { L"name1", L"time1", L"money1", L"workplace1" }) {
        if (scores.HasKey(key))
            return true;
    }
    scores.Clear();
    return false;
}
