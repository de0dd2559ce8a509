// The world's player side: profiles and highscores, sound handles and volumes,
// display and folders, the language tables, logos and the text layout.
// Part of cGameWorld.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/clock.h"
#include "world/records_texts.h"
#include "world/world_sizes.h"

class iSoundEngine;
class iSoundInstance;

struct cWorldPlayerFields {
    // Profiles (us.txt) and highscores; profile index 0 is not used.
    int currentProfile = 1; // config.cfg "workplace", 1..6
    int currentDrive = 0;
    std::wstring profileNames[world::kProfileNames];
    int profileLastLevel[world::kProfiles + 1] = {};
    int profileDrive[world::kProfiles + 1] = {};
    int profileAwards[world::kProfiles + 1][world::kAwards] = {};
    int profileBonusLevels[world::kProfiles + 1][world::kBonusLevelSlots] = {};
    std::wstring highscoreNames[world::kHighscoreLevels][world::kHighscoreRows];
    int highscoreTime[world::kHighscoreLevels][world::kHighscoreRows] = {}; // also named highscoreTimes
    int highscoreMoney[world::kHighscoreLevels][world::kHighscoreRows] = {};
    int highscoreWorkplace[world::kHighscoreLevels][world::kHighscoreRows] = {};
    std::wstring dateText; // "yy:mm:dd" of the start
    // Lines for the player about files of theirs that could not be read or
    // written, one per file and outcome, '\n' between them; the menu screens
    // show them at their foot until the player has had time to read them.
    std::wstring playerFileNotice;
    // The GUI texts each line is made of (a second of 0 for none), so that
    // the lines are worded again once the texts are loaded (a start-up notice
    // comes before them) or their language changes.
    std::vector<std::pair<int, int>> playerFileNoticeTexts;
    // Why start-up ended (a settings file that could not be read); empty
    // when it did not.
    std::wstring startFailure;
    // The player files already told as not read whole in this run.
    std::vector<std::wstring> playerFilesTold;

    // Sound: the handles belong to the sound code and are only kept here.
    iSoundEngine* soundEngine = nullptr;
    iSoundInstance* musicStream = nullptr; // also named music
    iSoundInstance* effectSounds[world::kEffectSounds] = {};
    // The eight volume factors, in the order of the volume table.
    float volume0 = 1.0f;
    float volume1 = 1.0f;
    float musicPlayVolume = 1.0f; // also named musicVolumeNow: the music stream's working level
    float musicWorkLevel2 = 1.0f; // the second and third music working levels
    float musicWorkLevel3 = 1.0f;
    float musicVolume = 1.0f; // config.cfg "music volume"
    float speechVolume = 1.0f; // config.cfg "speech volume"
    float soundVolume = 1.0f; // config.cfg "sound volume"
    float effectsVolume = 1.0f; // the volume each new sound effect gets

    // Display and folders.
    int desktopWidth = 0;
    int desktopHeight = 0;
    uint8_t desktopTooSmall = 0;
    uint8_t fullScreen = 0; // also named videoModeFlag
    uint8_t rebindInput = 0; // also named inputWindowChanged
    std::wstring userFolder; // the per-user folder; empty when none could be made
    std::wstring programFolder; // the folder that holds data/
    int windowCenter = 0;
    uint8_t videoModeChanged = 0; // also named applyVideoMode
    uint8_t languageChanged = 1; // also named reloadFontsAndTexts
    int languageIndex = -1;
    int developerCounter = 0; // counted by the developer keys

    // Language tables, tasks and logos.
    std::vector<cPlaceNameRow> placeNameRows;
    std::vector<cComicRow> comicRows;
    std::vector<cTaskRow> taskRows; // also named levelTasks
    std::wstring taskText;
    int taskId = 0; // also named taskTextLevel
    // The current task's lot and the kind of building it asks for (-1 none).
    int taskLotRow = 0;
    int taskLotColumn = 0;
    int taskKind = 0;
    int taskTextIsNotice = 0;
    std::wstring logoNames[world::kLogos];
    double logoFadeInStep[world::kLogos] = {};
    double logoHoldTime[world::kLogos] = {};
    double logoFadeOutStep[world::kLogos] = {};
    int logoCount = 0;
    uint8_t logosPresent = 0; // also named logosActive
    uint8_t loadingPhase = 1; // also named loadingActive
    int logoIndex = 0;
    int logoFadeValue = 0; // also named logoAlpha
    int logoPhase = 0;
    uint8_t loadingPause1Done = 0;
    uint8_t loadingPause2Done = 0;
    uint8_t loadingPause3Done = 0;
    int startMusicStarted = 0;
    std::string startScreenName = "start";
    std::wstring stringSlots[20];
    uint8_t editorOutput = 0;

    // Text layout, styles, status messages and screenshots.
    wchar_t formatLines[world::kFormatLines][world::kFormatLineLength] = {};
    int formatLineCount = 0;
    wchar_t formattedText[world::kFormattedTextLength] = {};
    int styleColours[world::kTextStyles][3] = {};
    std::vector<cStatusMessage> statusMessages;
    uint8_t screenshotRequest = 0;
    uint8_t menuScreenshotRequest = 0;
    int screenshotDelay = 0;
    int screenshotNumber = 0;
    cTimer worldTimer; // restarted at the end of construction, read by the screens
};
