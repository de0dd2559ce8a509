// The base of the fourteen screens the screen manager owns. A screen is active
// (its texture pages loaded) or not, and visible while the alpha byte of its
// colour is above 0: switching it on loads its pages at once and makes it
// visible at alpha 1, switching it off frees them at once, and its own drawing
// fades the alpha in steps of 16 up and 32 down every 0.02 s.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/clock.h"
#include "platform/win_types.h"
#include "resources/page_manager.h"

class iGfxFont;

namespace Scene {

class Screen {
public:
    static constexpr int kPageSlots = 43;
    // While the cursor set reports this cursor, no button is hovered.
    static constexpr uint16_t kNoHitCursor = 122;

    Screen(int x, int y, int width, int height);
    virtual ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Loads (on) or frees (off) the screen's pages through OnActivate and
    // OnDeactivate; nothing happens when the screen already is so. Whatever
    // those throw is logged, and the screen takes the requested state anyway.
    void SetActive(bool on);
    bool IsActive() const { return active; }
    // The screen width the screen was last switched on at: the size its
    // pages were chosen for.
    int PagesWidth() const { return pagesWidth; }
    bool IsVisible() const { return (colour >> 24) != 0; }
    uint8_t GetAlpha() const { return static_cast<uint8_t>(colour >> 24); }
    // Sets the fade alpha at once (0 hides the screen until it fades in).
    void SetFadeAlpha(uint8_t alpha) { colour = (colour & 0x00FFFFFFu) | (uint32_t { alpha } << 24); }

    // The first call of every screen's per-frame drawing: one fade step once
    // 0.02 s have passed since the last.
    void UpdateFade();

    // The mouse lies in x1..x2, y1..y2, bounds included. The rectangle is
    // noted as a place a click acts on (see ClickTargets).
    bool IsMouseInRect(int x1, int y1, int x2, int y2) const;
    // The rectangles hit-tested since the last ForgetClickTargets: the
    // buttons, pins and other places a click acts on that the screens drew.
    // What is drawn over the screens (the menus' player-file notices) keeps
    // clear of them. The main-menu state forgets them as a frame begins.
    static const std::vector<RECT>& ClickTargets();
    // The rectangles of the texts the screens drew since the last
    // ForgetClickTargets (DrawTextCentered notes each one; a text drawn
    // another way is noted with NoteText): the notices keep clear of them as
    // of the click targets.
    static const std::vector<RECT>& DrawnTexts();
    static void NoteText(const RECT& box);
    static void NoteText(const wchar_t* text, int x, int y, iGfxFont* font);
    // Forgets the click targets and the drawn texts.
    static void ForgetClickTargets();
    // The screen is visible and the mouse over its rectangle; then the world
    // learns that the mouse is over a screen.
    bool IsMouseOver() const;

    // The tooltip is hidden again at the start of each frame; a screen that
    // wants one asks for it every frame, and it shows after 2 s of asking.
    void ResetTooltip();
    void ShowTooltip(const std::wstring& text);
    // A framed box of the tooltip text beside the cursor, wrapped at 250
    // pixels; the screen manager draws the station view's last of all.
    virtual void DrawTooltip();

    // Solid, outlined and shadowed boxes in the draw colour.
    void DrawRectOutline(int x1, int y1, int x2, int y2);
    void PaintRect(int x, int y, int w, int h, int a, int r, int g, int b);
    void DrawShadow(int x1, int y1, int x2, int y2);
    // A pale box of lineCount lines with an outline and a shadow.
    void DrawTextBox(int x, int y, int width, int lineHeight, int lineCount);
    // The text centred in x..x+width on the line y, in the draw colour;
    // alt draws it with the engine's second text operation.
    void DrawTextCentered(bool alt, const wchar_t* text, int x, int y, int width, iGfxFont* font);

    // The immediate-mode button of every screen (screen_buttons.cpp),
    // called once per frame: it draws the button in its present state from
    // page slot 32 and answers whether it was clicked in this frame. The
    // hover rectangle is x..x+w, y..y+h; colours are r, g, b with the fade
    // alpha. The first hovered button that sees the frame's click takes it
    // (and clears it), so one click triggers at most one button.
    bool DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
        int x, int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB);

    // The further buttons of the base. Where one takes a click, the click is
    // the frame's click byte (leftClick) unless said otherwise, cleared when
    // taken; only DrawButton and DoButtonFixed sound it.
    //
    // Fixed colours: a yellow label, pale blue while hovered; taken while the
    // button is held as well as clicked (clickEvent), with the sound.
    bool DrawButton(iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text, int x,
        int y, int w, int h);
    // Taken while held or clicked (clickEvent), without a sound.
    bool DoButtonQuiet(iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text, int x,
        int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB);
    // Label offsets that do not follow the screen size.
    bool DoButtonFixed(iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text, int x,
        int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB);
    // A button that is never hovered nor clicked; always true.
    bool DrawButtonStatic(bool alt, iGfxFont* font, const wchar_t* image, const wchar_t* text, int x, int y, int w,
        int h, int r, int g, int b);
    // As DrawButtonStatic at a quarter of the fade alpha; always true.
    bool DrawButtonFaint(bool alt, iGfxFont* font, const wchar_t* image, const wchar_t* text, int x, int y, int w,
        int h, int r, int g, int b);
    // A greyed image at half the fade alpha under a full label; always false.
    bool DrawButtonDisabled(bool alt, iGfxFont* font, const wchar_t* image, const wchar_t* text, int x, int y, int w,
        int h, int r, int g, int b);
    // Buttons made of their label only, drawn on the line y; framed adds two
    // outlines around the rectangle, the alt one draws from x, not centred.
    bool DoTextButton(iGfxFont* font, const wchar_t* text, int x, int y, int w, int h, int offR, int offG, int offB,
        int overR, int overG, int overB);
    bool DoTextButtonFramed(bool framed, iGfxFont* font, const wchar_t* text, int x, int y, int w, int h, int offR,
        int offG, int offB, int overR, int overG, int overB);
    bool DoTextButtonAlt(iGfxFont* font, const wchar_t* text, int x, int y, int w, int h, int offR, int offG, int offB,
        int overR, int overG, int overB);
    // Buttons made of their images only, white or tinted per state.
    bool DoImageButton(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int w, int h);
    bool DoImageButtonTinted(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int w, int h, int offR,
        int offG, int offB, int overR, int overG, int overB);

protected:
    // The pages the screen needs while it is switched on.
    virtual void OnActivate() { }
    virtual void OnDeactivate() { }

    // The page slot every button draws from.
    static constexpr int kButtonPage = 32;
    // Draws a button image of slot 32 at its natural size, tinted, with the
    // alpha.
    void DrawButtonImage(const wchar_t* image, int x, int y, int r, int g, int b, int alpha);

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
    int pagesWidth = 0;
    // White with the fade alpha in the top byte.
    uint32_t colour = 0x00FFFFFF;
    cTimer fadeTimer;

private:
    // A button of an off and an over state: the image and label colour of
    // the state the mouse puts it in, the label textOffset below its top.
    // Whether the mouse is on it.
    bool DrawTwoStateButton(iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
        int x, int y, int w, int h, int textOffset, int offR, int offG, int offB, int overR, int overG, int overB);
};

} // namespace Scene
