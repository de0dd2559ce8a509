// The head-up display (screen slot 13) with the clock and the end-of-level panels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/clock.h"
#include "scene/screen.h"

namespace Scene {

class Hud : public Screen {
public:
    Hud();
    ~Hud() override;

    // The bonus and joker slots.
    virtual void DrawBonusSlots();

    // The display's per-frame step between the effect layer and the dragged car.
    virtual void Tick();

    // The head-up display along the bottom of the screen.
    virtual void Draw();

    // Numbers in digit images (hud_numbers.cpp): a text of digits
    // and ":/+-x", left-aligned from x or right-aligned to 15 (12 for the
    // small set) pixels left of x, with the alpha. Other characters leave a
    // gap. Draws from page slot 32 with the sizes MeasureNumberImages took.
    virtual void DrawNumber(int alignRight, const wchar_t* text, int x, int y, int alpha);
    virtual void DrawNumberSmall(int alignRight, const wchar_t* text, int x, int y, int alpha);
    int GetNumberWidth(const wchar_t* text) const;
    int GetNumberWidthSmall(const wchar_t* text) const;
    // The points display: the star animation and the level's points, against
    // the points target when there is one.
    void DrawStars();
    // Plays the star animation again from its first frame.
    void RestartStars() { starFrame = 0; }
    // Reads the sizes of both digit sets from page slot 32; OnActivate calls
    // it once the pages are loaded.
    void MeasureNumberImages();
    // A "+N" floater has arrived: the result sound plays.
    virtual void ResetResultSound();

    // The clock in the top-left corner: the clock face, the time played and,
    // in levels with medals, the badge of the time left for gold, then for
    // silver, then the time limit. Resting the cursor on the badge pauses the
    // game and shows its help bubble.
    void DrawClock();

    // The task lines the script has switched on and not yet finished, as
    // slots down the right edge: frame, icon, value / target. A slot blinks
    // and a gong sounds when its value changes; resting the cursor on a slot
    // pauses the game and shows the line's help bubble.
    void DrawTaskSlots();
    // A help bubble of the text with its top-left corner near (x, y), wrapped
    // at 210 pixels; pointerLeft chooses the form whose pointer is on the
    // left. An empty text draws nothing.
    void DrawShopHelp(int pointerLeft, const std::wstring& text, int x, int y);
    // The same bubble in the level's light, 15 pixels right of x on every
    // screen size, for pictures that stand in that light themselves.
    void DrawShopHelpTinted(int pointerLeft, const std::wstring& text, int x, int y);

protected:
    // Loads the display's pages for the screen width into page slot 32 and
    // measures the digit images; OnDeactivate frees them.
    void OnActivate() override;
    void OnDeactivate() override;

    // The characters with an image: 0-9 : / + - x.
    static constexpr int kNumberGlyphs = 15;
    // Sizes of the digit images, large set then small set.
    uint32_t numberWidth[2][kNumberGlyphs] = {};
    uint32_t numberHeight[2][kNumberGlyphs] = {};
    // 0..29; resting on the last frame until restarted.
    int starFrame = 29;
    cTimer starTimer;

private:
    void DrawNumberSet(int set, int alignRight, const wchar_t* text, int x, int y, int alpha);
    int NumberSetWidth(int set, const wchar_t* text) const;

    void DrawHelpBubble(int pointerLeft, const std::wstring& text, int bx, int y, uint32_t tint);

    // The clock face, 0..29, paced by its timer while the game runs.
    int clockFrame = 0;
    cTimer clockTimer;
    // The task line whose slot blinks (-1 none), its phase (1 = dimmed) and
    // the phase flips so far.
    bool blinkOn = false;
    int blinkSlot = -1;
    int blinkPhase = 0;
    int blinkCount = 0;
    cTimer blinkTimer;
    // The position of the slot last hovered, or 0.
    int hoveredSlot = 0;

    // Bonus items and jokers (hud_bonus.cpp).
public:
    // The item's image on grid levels (firstOfTriple) or on the others;
    // nullptr for a kind without one.
    static const wchar_t* BonusImageName(int kind, bool firstOfTriple);
    // What a clicked rising item does: a car on road 1, a pending lot built,
    // a script call, a manager more or three parking places.
    static void UseBonusItem(int kind);

private:
    void DrawBonusImage(const wchar_t* name, int x, int y, int alpha);
    // Level 1, from the task dialog's close until the first car is picked or
    // swapped or the first item enters the bar: faded jokers show where the
    // jokers the player wins will stand.
    void DrawJokerTutorial();
    // Standing items close up to y 110, 220, ... while nothing is held.
    void RepackBonusBar();
    void DrawFlyingBonusItem(std::size_t index, bool firstOfTriple);
    void DrawStandingBonusItem(std::size_t index, bool firstOfTriple);

    // The display's frame and the in-level game menu (hud_bar.cpp).
public:
    // The bar of every frame: the game menu (opened by Escape or the menu
    // button; continue, restart, options, back to the main menu), the task
    // book button, the clock and points, the bonus slots and the end of the
    // level.
    void DrawBar();
    // The task book button: opens the task dialog and pauses, or closes it
    // and lets the level run.
    void DoTaskBookButton();
    // Nothing to show in a released game.
    void DrawDebugLists() { }
    // The bottom strip image; nothing draws it.
    void DrawBottomImage(int x, int y);
    int GetMenuButtonFrame() const { return menuButtonFrame; }

protected:
    // Sizes of "button_short_off.png" and "button_long_off.png".
    uint32_t buttonWidth = 0;
    uint32_t buttonHeight = 0;
    uint32_t longButtonWidth = 0;
    uint32_t longButtonHeight = 0;
    // The menu button's animation, 0..19; it rests on 19 unless hovered.
    int menuButtonFrame = 0;
    cTimer menuButtonTimer;

private:
    void DrawGameMenu();
    void DoMenuButton();
    // Opens the game menu over the paused level. A car or joker held goes
    // back where it came from, so the pointer shows over the menu and no
    // click on it lands behind it; the press under way, if any, is marked
    // as one that began before the menu.
    void OpenGameMenu();

    // The left button went down before the game menu opened and is still
    // down: its release is no click on the menu.
    bool pressBeforeMenu = false;

    // ---- The end of a level (hud_end*.cpp) ----
public:
    // The last step of the bar: while the level runs and the game is not
    // paused, asks the script whether the level is finished and checks the
    // time-out and the full grid; once the level is over, rates it and shows
    // the won or failed panel, else the task slots; then the joker hint.
    virtual void DrawLevelEnd();
    // Rates the finished level by its time into medalText, once the flying
    // values have landed.
    void EvaluateLevelEnd();
    // One frame of the end-of-level panel; won is 1 or 0.
    virtual void DrawResults(int won);
    // One frame of the cup animation and its text.
    void DrawCups();
    // One frame of the won level's statistics; fixes levelReward, levelBonus
    // and levelRating.
    virtual void DrawStatistics();
    // The text with its right edge at x, in the colour already set.
    static void DrawTextRight(bool alt, const wchar_t* text, int x, int y, iGfxFont* font);
    static void SetTaskBookFlag(bool open);

protected:
    // Restarts the time pointer; OnActivate calls it.
    void ResetLevelEnd();

private:
    bool CheckLevelEnd();
    void DrawGameOverPanel();
    void DrawJokerHint();
    void DrawTimedStatistics(int x0, int y0);
    void DrawPointsStatistics(int x0, int y0);
    // The dark plate every text of the end panels stands on, and the
    // level's number as its title.
    void DrawPanelPlate();
    void DrawPanelTitle();
    // "Not passed" and, under it, why, centred in the width from x (the
    // plate's when width is 0) from y; returns the y below the last line.
    int DrawNotPassed(const wchar_t* reason, int y, int x = 0, int width = 0);

    // The time pointer of the statistics, frame 0..19.
    int pointerFrame = 0;
    cTimer pointerTimer;
    // Runs from the first frame without a free cell.
    cTimer gameOverTimer;
    // Paces the sparkles and the cup's fades.
    cTimer cupTimer;
    int sparkleStep = 0;
    bool cupHold = false;
};

} // namespace Scene
