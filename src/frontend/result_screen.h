// The result and highscore screen (screen slot 1): the table of the current
// level over the start screen's pictures, the name of a new entry typed into
// the world's text entry, and one continue button. After a level the button
// records the result and leaves the level; opened from the world map it only
// closes the screen.
#pragma once

#include "app/clock.h"
#include "frontend/score_table.h"
#include "resources/page_manager.h"
#include "scene/screen.h"

class iGfxFont;

namespace Scene {

class ResultScreen : public Screen {
public:
    ResultScreen();
    ~ResultScreen() override;

    // One frame of the screen; nothing unless resultScreenOpen is set.
    virtual void Draw();
    // Prepares the table once per showing (highscoreTableReady clear) and
    // draws the panel's texts and cells.
    void DrawTable();

    // The table of the current level from its result file; a file that
    // cannot be read is replaced by an empty table.
    void LoadResults();
    // The table over the current level's result file.
    void SaveResults();

    // The continue button's action (result_screen_record.cpp): after a level it
    // records the result in the profile's progress, pays it, writes the saved
    // game, the table and the list of players as one change (the table alone
    // where nothing else changed), then the settings, and leaves the level; a
    // result the files cannot hold is put back out of play and told. From the
    // world map it only closes the screen.
    void Continue();
    // A won level whose result is fixed (rated) but not yet recorded, as when
    // the game ends on the cup, the statistics or the table: continues for
    // the player, with the table prepared and the name typed so far, so the
    // files hold what Continue would have written. True when it recorded;
    // false for a level not won, not yet rated or already recorded.
    bool RecordPendingResult();

    // The screen's button, drawn from its own page.
    bool DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* label,
        int x, int y, int w, int h, int r, int g, int b, int overR, int overG, int overB);
    // A rectangle in one colour: a × 2^24 + r × 2^16 + g × 2^8 + b.
    void DrawBox(int x, int y, int w, int h, int a, int r, int g, int b);
    void DrawTextRight(bool alt, const wchar_t* text, int x, int y, iGfxFont* font);

    const ScoreTable& Table() const { return table; }
    int GetNewEntryRow() const { return newEntryRow; }
    int GetCursorPhase() const { return cursorPhase; }

protected:
    void OnActivate() override;
    void OnDeactivate() override;

private:
    void PrepareTable();
    // The saved game, level lv's table and the list of players as one
    // change, then the settings; false when the change could not be made.
    // A result that changes only the table (the first level of a triple
    // passed within its limit) writes the table alone, then the settings.
    bool WriteResult(int lv, bool tableOnly);
    // The name typed so far into the new entry's row.
    void TakeTypedName();
    void DrawShadowed(const wchar_t* text, int x, int y, int width, iGfxFont* font, uint32_t colour, int drop);
    void DrawRow(int k, int x0, int y0);
    CPageManager& Page();

    CPageManager page1280;
    CPageManager page1024;
    int panelX = 0;
    int panelY = 0;
    ScoreTable table;
    int newEntryRow = -1;
    int cursorPhase = -1;
    cTimer cursorHiddenTimer;
    cTimer cursorShownTimer;
};

} // namespace Scene
