// The start screen (menu slot 12), the first screen the menu manager switches
// on. It owns the start screen's page and draws the title pictures, the
// loading bar of the main menu's loading sequence, the drifting clouds and the
// frame of the profile screen; other screens borrow its pictures as
// backgrounds.
#pragma once

#include <string>

#include "app/clock.h"
#include "frontend/score_table.h"
#include "scene/menu_prototype.h"

namespace Scene {

class MenuStart : public MenuPrototype {
public:
    MenuStart();
    ~MenuStart() override;

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
    // The blinking cursor of the profile screen's name field.
    bool cursorBlink = false;
    cTimer cursorTimer;

public:
    // Calls into the profile screen, whose own files define them.
    void DrawProfiles();
};

} // namespace Scene
