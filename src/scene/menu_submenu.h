// The head-up display (menu slot 13) with the clock and the end-of-level panels.
#pragma once

#include <cstdint>

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

    // Numbers in digit images (menu_submenu_numbers.cpp): a text of digits
    // and ":/+-x", left-aligned from x or right-aligned to 15 (12 for the
    // small set) pixels left of x, with the alpha. Other characters leave a
    // gap. Draws from page slot 32 with the sizes MeasureNumberImages took.
    virtual void DrawNumber(int alignRight, const wchar_t* text, int x, int y, int alpha);
    void DrawNumberSmall(int alignRight, const wchar_t* text, int x, int y, int alpha);
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

protected:
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
};

} // namespace Scene
