// The head-up display (menu slot 13) with the clock and the end-of-level panels.
#pragma once

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
    // A "+N" floater has arrived: the result sound plays.
    virtual void ResetResultSound();
};

} // namespace Scene
