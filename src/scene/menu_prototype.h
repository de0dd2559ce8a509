// The base of the fourteen screens the menu manager owns. A screen is active
// (its texture pages loaded) or not, and visible while the alpha byte of its
// colour is above 0: switching it on loads its pages at once and makes it
// visible at alpha 1, switching it off frees them at once, and its own drawing
// fades the alpha in steps of 16 up and 32 down every 0.02 s.
#pragma once

#include <cstdint>
#include <string>

#include "app/clock.h"
#include "resources/page_manager.h"

namespace Scene {

class MenuPrototype {
public:
    static constexpr int kPageSlots = 43;
    // While the cursor set reports this cursor, no button is hovered.
    static constexpr uint16_t kNoHitCursor = 122;

    MenuPrototype(int x, int y, int width, int height);
    virtual ~MenuPrototype();
    MenuPrototype(const MenuPrototype&) = delete;
    MenuPrototype& operator=(const MenuPrototype&) = delete;

    // Loads (on) or frees (off) the screen's pages through OnActivate and
    // OnDeactivate; nothing happens when the screen already is so. Whatever
    // those throw is logged, and the screen takes the requested state anyway.
    void SetActive(bool on);
    bool IsActive() const { return active; }
    bool IsVisible() const { return (colour >> 24) != 0; }
    uint8_t GetAlpha() const { return static_cast<uint8_t>(colour >> 24); }

    // The first call of every screen's per-frame drawing: one fade step once
    // 0.02 s have passed since the last.
    void UpdateFade();

    // The mouse lies in x1..x2, y1..y2, bounds included.
    bool IsMouseInRect(int x1, int y1, int x2, int y2) const;
    // The screen is visible and the mouse over its rectangle; then the world
    // learns that the mouse is over a screen.
    bool IsMouseOver() const;

    // The tooltip is hidden again at the start of each frame; a screen that
    // wants one asks for it every frame, and it shows after 2 s of asking.
    void ResetTooltip();
    void ShowTooltip(const std::wstring& text);
    // A framed box of the tooltip text beside the cursor, wrapped at 250
    // pixels; the menu manager draws the station view's last of all.
    virtual void DrawTooltip();

    // Solid, outlined and shadowed boxes in the draw colour.
    void DrawRectOutline(int x1, int y1, int x2, int y2);
    void PaintRect(int x, int y, int w, int h, int a, int r, int g, int b);
    void DrawShadow(int x1, int y1, int x2, int y2);
    // A pale box of lineCount lines with an outline and a shadow.
    void DrawTextBox(int x, int y, int width, int lineHeight, int lineCount);

protected:
    // The pages the screen needs while it is switched on.
    virtual void OnActivate() { }
    virtual void OnDeactivate() { }

    bool tooltipShown = false;
    std::wstring tooltipText;
    bool tooltipIdle = true;
    cTimer tooltipTimer;
    // Page slots; each screen decides which slot holds which page set, and
    // the buttons draw from slot 32.
    CPageManager pages[kPageSlots];
    int screenX;
    int screenY;
    int screenWidth;
    int screenHeight;
    bool active = false;
    // White with the fade alpha in the top byte.
    uint32_t colour = 0x00FFFFFF;
    cTimer fadeTimer;
};

} // namespace Scene
