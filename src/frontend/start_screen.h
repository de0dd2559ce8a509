// The start screen (screen slot 12), the first screen the screen manager switches
// on. It owns the start screen's page and draws the title pictures, the
// loading bar of the main menu's loading sequence, the drifting clouds and the
// frame of the profile screen; other screens borrow its pictures as
// backgrounds.
#pragma once

#include <string>

#include "app/clock.h"
#include "frontend/score_table.h"
#include "scene/screen.h"
#include "world/world_sizes.h"

namespace Scene {

class StartScreen : public Screen {
public:
    StartScreen();
    ~StartScreen() override;

    // The full-screen pictures of the start screen's page, drawn whole at
    // 0, 0 in opaque white: the title of the loading phase, the start menu,
    // and the station.
    void DrawStartImage();
    void DrawStartMenuImage();
    void DrawStationImage();
    // The loading bar filled to `percent` from the left (the first argument
    // is not used).
    void DrawLoadingBar(int unused, int percent);
    // The two cloud pictures, one screen width apart, drifting right a pixel
    // every 0.034 s without a gap.
    void DrawClouds();
    // One frame of the profile screen: its frame, then the profiles.
    virtual void Draw();

    // Blanks the rows of the current profile in the highscore tables of
    // levels 1..30 (name "...", money 0, time 0; the profile number stays)
    // and sorts them down. The walk stops at the first level without a file.
    void RemoveProfileScores();
    // Sorts the screen's table by the ranking; the level is not used.
    void CompactScores(int level);

    int CloudX(int i) const { return cloudX[i]; }

protected:
    void OnActivate() override;
    void OnDeactivate() override;

    // The page slot that holds the start screen's page.
    static constexpr int kStartPage = 0;
    // The table the profile removal works on.
    ScoreTable scores;
    std::wstring cloudNames[2];
    int cloudX[2] = {};
    cTimer cloudTimer;

    // ---- The profile screen (start_screen_profiles*.cpp) ----
public:
    // The longest profile name, in characters.
    static constexpr int kProfileNameLength = world::kProfileNameLength;

    // The whole profile screen, once per frame while it is shown: the six
    // profiles, new game (confirmation, name and driving side), play, options
    // and quit; while the new-game confirmation is open, only that dialog.
    void DrawProfiles();
    // The screen's button: the images of the start page fully opaque, the
    // label in the fade alpha; no sound. A click is taken from clickEvent
    // while the mouse is over it, and both click flags are then cleared.
    bool DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* label,
        int x, int y, int w, int h, int r, int g, int b, int overR, int overG, int overB);
    // The text centred in the hint bar's width, black under white; counts as
    // this frame's hint.
    void DrawHint(int x, int y, const wchar_t* text);
    // The name being typed (the world's text entry) with a blinking "_";
    // keeps the entry's limit at max.
    void DrawNameField(int x, int y, int max);
    // Removes the current profile's saved game where it is written; false
    // when there is no user folder or a file that is there could not be
    // removed (a save that is not there counts as removed).
    bool DeleteProfileSave();
    bool IsNameCursorShown() const { return nameCursorShown; }

private:
    void DrawConfirmDialog();
    void DrawProfileSlots(bool typing);
    void DrawProgress();
    void DrawDrivingSide(bool typing);
    void DrawProfileNameField();
    // Where profile k's name is written in its slot.
    static int SlotTextX(int k);
    static int SlotTextY(int k);
    // Yes in the confirmation: the name entry starts with the profile's name.
    void StartNameEntry();
    // The profile is reset and keeps the name typed.
    void ConfirmNewGame();
    // Escape while naming: no new game; the profile is as it was before.
    void CancelNameEntry();
    void PlayProfile();
    void QuitFromProfiles();
    void OpenOptions();

    bool hintDrawn = false;
    bool nameCursorShown = false;
    cTimer nameCursorTimer;
    // What a cancelled name entry gives back to the profile.
    int namingLastLevel = 1;
    int namingDrive = 0;
};

} // namespace Scene
