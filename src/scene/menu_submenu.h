// The head-up display (menu slot 13) with the clock and the end-of-level panels.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/menu_prototype.h"

namespace Scene {

class MenuSubmenu : public MenuPrototype {
public:
    MenuSubmenu();
    ~MenuSubmenu() override;

    // The bonus and joker slots.
    virtual void DrawBonusSlots();

    // The display's per-frame step between the effect layer and the dragged car.
    virtual void Tick();

    // The head-up display along the bottom of the screen.
    virtual void Draw();

    // A number text in the display's digit images, left- or right-aligned at
    // (x, y) with the alpha. Draws nothing until the display is built.
    virtual void DrawNumber(int alignRight, const wchar_t* text, int x, int y, int alpha);
    // The same with the smaller digit images.
    virtual void DrawNumberSmall(int alignRight, const wchar_t* text, int x, int y, int alpha);
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
    // The same in the level tint.
    void DrawShopHelpTinted(int pointerLeft, const std::wstring& text, int x, int y);

private:
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
};

} // namespace Scene
