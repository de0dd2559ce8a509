// Display and language settings, and the loader and writer of config.cfg and
// us.txt in the per-user folder. The world holds the volumes, the current
// profile and the six profiles; cSettings holds the rest.
#pragma once

#include <cstdint>
#include <string>

class cGameWorld;
class PropertyFile;

class cSettings {
public:
    static cSettings& Instance();

    // Start-up: finds the user folder, copies the install files where the
    // user's are missing, starts the log, reads config.cfg and us.txt (the
    // player's own where the folder may only be read). Failures set the
    // world's quitRequested and, naming the file and the reason, its
    // startFailure.
    void LoadSettingsAndProfiles();
    void LoadSettingsAndProfiles(cGameWorld& world);

    // The user folder LoadSettingsAndProfiles uses (named after the language
    // of the installed data/config.cfg below the working folder), so that
    // main can lock it before anything is written there. Empty when the
    // installed settings cannot be read or no folder can be named.
    static std::string UserFolderOfInstall();

    // The options screen: the size and the scale factors, 1.0 for a width of
    // 1280 and 1.25 / 1.33 for any other.
    void SetResolution(int width, int height);

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }

    // Tests only: every field back to its construction default.
    void ResetToDefaults();

    wchar_t languageCode[4] = {};
    wchar_t folderLanguageCode[4] = {}; // names the user folder
    std::wstring strings[10]; // the first two hold the language code
    uint8_t mute = 0;
    uint8_t developerMode = 0; // the developer keys work
    uint8_t editorMode = 0; // the shop and the station view run as the station editor
    int screenMode = 0; // non-zero = full screen
    int width = 0;
    int height = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;

    // Whether the user folder exists and files may be written there.
    bool canSave = false;

private:
    cSettings() = default;
    // The keys of config.cfg and us.txt, checked, into the settings and the
    // world.
    void ReadConfig(PropertyFile& config, cGameWorld& world);
    static void ReadProfiles(PropertyFile& users, cGameWorld& world);
};
