// The world's input bytes of the frame and the flags through which the screens
// open and close one another. Part of cGameWorld.
#pragma once

#include <cstdint>

#include "world/world_sizes.h"

struct cWorldScreenFields {
    // Mouse of this frame.
    uint8_t leftDown = 0;
    uint8_t rightDown = 0;
    uint8_t leftClick = 0; // also named buttonClick: a click not yet consumed
    uint8_t rightClick = 0;
    uint8_t clickEvent = 0; // also named leftActive: clicked or held this frame
    uint8_t buttonEvent = 0; // also named menuButtonEvent
    uint8_t clickCursor = 0; // also named leftClicked: shows the "Click" cursor
    uint8_t wheelDown = 0;
    uint8_t wheelUp = 0;
    uint8_t mouseOverMenu = 0; // the mouse is over a visible screen

    // Keys of this frame.
    uint8_t keyEnter = 0; // also named enterPressed
    uint8_t keyTab = 0; // also named tabPressed
    uint8_t keyEscape = 0; // also named escapePressed
    uint8_t keyErase = 0;
    uint8_t keyLeftShift = 0; // also named shiftDown
    uint8_t keyRightShift = 0;
    uint8_t keyLeft = 0;
    uint8_t keyRight = 0;
    uint8_t keyUp = 0;
    uint8_t keyDown = 0;
    uint8_t keyHome = 0;
    uint8_t keyPageUp = 0;
    uint8_t keyPageDown = 0;
    uint8_t keyLeftAlt = 0; // also named altDown
    uint8_t keyLeftCtrl = 0;
    uint8_t textEntryActive = 0; // also named textInputActive
    wchar_t textEntry[world::kTextEntryLength] = {}; // also named textInput
    int textEntryMax = 0; // also named textInputMaxLength
    // When a typed letter that the game's font cannot show was last refused
    // (platform milliseconds); the name field says so for a moment.
    double textEntryRefusedAt = -1.0e9;

    // Overlay and front-end screens.
    uint8_t resultScreenOpen = 0;
    uint8_t shopOpen = 0;
    uint8_t optionsOpen = 0;
    uint8_t taskBookOpen = 0;
    uint8_t statisticsOpen = 0;
    uint8_t buildMenuOpen = 0;
    uint8_t extraOverlayOpen = 0; // the seventh overlay flag; nothing sets it
    uint8_t profilesOpen = 0; // also named profileScreenOpen
    uint8_t highscoresOpen = 0; // also named highscoreViewOpen
    uint8_t highscoreTableReady = 0;
    uint8_t shopInMainMenu = 0;
    uint8_t restartConfirmOpen = 0;
    uint8_t profileNameEntry = 0;
    int startScreenCounter = 0;
    uint8_t gameMenuClosed = 1;

    // The screen manager's flags.
    uint8_t screenSizeChanged = 0; // also named reloadMenus
    // A dialog of the start screen is open: the screen manager counts it as
    // an open panel (panelOpen), as it does the result screen, the shop and
    // the task dialog. Nothing in the game sets it: the start screen keeps
    // its dialogs in flags of its own (restartConfirmOpen, profilesOpen) and
    // is not shown while a level runs, where the panels are counted.
    uint8_t startDialogOpen = 0;
    uint8_t panelOpen = 0;
    int tooltipElement = -1;
    uint8_t mouseOverBuildBar = 0;
    uint8_t menuFlag = 0; // the byte ClearMenuFlag clears

    // Screen state with non-zero defaults.
    int barOffset = 580;
    uint8_t screenRefresh = 1;
    int stationSelection[6] = { -1, -1, -1, -1, -1, -1 };
    int stationHover = -1;
    uint8_t shopStage = 1;
    uint8_t vehiclesFirstFrame = 1;
    int frameRequest = -1;
    uint8_t hudShown = 1;
    uint8_t mapFlag = 1;
    uint8_t resultShown = 1;
};
