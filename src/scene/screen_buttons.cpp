// The immediate-mode buttons of the screen base. A button is drawn and
// hit-tested by one call per frame; whichever hovered button first sees the
// frame's click byte clears it, so a click never triggers two buttons.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/screen.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    void SetDrawColour(int a, int r, int g, int b)
    {
        if (g_pGfx2D)
            g_pGfx2D->SetColor(MakeARGB(static_cast<uint32_t>(a), static_cast<uint32_t>(r), static_cast<uint32_t>(g),
                static_cast<uint32_t>(b)));
    }

    // Takes the frame's click for this button, with the click's sound or
    // without: the byte is cleared so that no later button sees it.
    bool TakeClick(bool withSound)
    {
        cGameWorld& world = cGameWorld::Instance();
        if (!world.leftClick)
            return false;
        if (withSound)
            Story::Instance().PlaySound("menu_clk");
        world.leftClick = 0;
        return true;
    }

    bool IsChinese()
    {
        return std::wcscmp(cSettings::Instance().languageCode, L"chi") == 0;
    }
} // namespace

void Screen::DrawButtonImage(const wchar_t* image, int x, int y, int r, int g, int b, int alpha)
{
    if (image)
        pages[kButtonPage].DrawImage(image, x, y, 0, 0, r, g, b, alpha);
}

bool Screen::DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
    int x, int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB)
{
    int offset = ScaleY(5.0);
    if (font && font == g_fontNormal2)
        offset = ScaleY(13.0);
    else if (font && font == g_fontSmall)
        offset = ScaleY(10.0);
    if (g_pGfx2D)
        g_pGfx2D->SetTextColorRGBA(0, 0, 0, 255);
    const int alpha = GetAlpha();
    if (!IsMouseInRect(x, y, x + w, y + h)) {
        DrawButtonImage(offImage, x, y, 255, 255, 255, alpha);
        SetDrawColour(alpha, offR, offG, offB);
        DrawTextCentered(alt, text, x, y + offset, w, font);
    } else {
        DrawButtonImage(overImage, x, y, 255, 255, 255, alpha);
        SetDrawColour(alpha, overR, overG, overB);
        if (g_pGfx2D)
            g_pGfx2D->SetRenderState(2, 1);
        // Pressed look: the label one pixel lower and to the right.
        DrawTextCentered(alt, text, x + 1, y + offset + 1, w, font);
        if (g_pGfx2D)
            g_pGfx2D->SetRenderState(2, 1);
        if (TakeClick(true))
            return true;
    }
    cGameWorld::Instance().ApplyTextColour();
    return false;
}

bool Screen::DrawButton(
    iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text, int x, int y, int w, int h)
{
    int offset = 6;
    if (font && font == g_fontNormal2)
        offset = 0;
    else if (font && font == g_fontSmall)
        offset = 5;
    if (IsChinese())
        offset = 3;
    const bool hovered = IsMouseInRect(x, y, x + w, y + h);
    // Fixed colours at fixed alphas, whatever the fade.
    if (!hovered) {
        DrawButtonImage(offImage, x, y, 255, 255, 255, GetAlpha());
        SetDrawColour(155, 255, 255, 0);
    } else {
        DrawButtonImage(overImage, x, y, 255, 255, 255, GetAlpha());
        SetDrawColour(255, 155, 155, 255);
    }
    DrawTextCentered(false, text, x, y + offset, w, font);
    cGameWorld& world = cGameWorld::Instance();
    if (hovered && world.clickEvent) {
        Story::Instance().PlaySound("menu_clk");
        world.ResetFlags(); // the click bytes
        world.buttonEvent = 0;
        return true;
    }
    return false;
}

bool Screen::DoButtonQuiet(iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
    int x, int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB)
{
    const int offset = font && font == g_fontNormal2 ? 0 : 6;
    const bool hovered = DrawTwoStateButton(
        font, offImage, overImage, text, x, y, w, h, offset, offR, offG, offB, overR, overG, overB);
    cGameWorld& world = cGameWorld::Instance();
    if (hovered && world.clickEvent) {
        world.ResetFlags();
        return true;
    }
    return false;
}

bool Screen::DoButtonFixed(iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
    int x, int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB)
{
    const int offset = font && font == g_fontNormal ? 8 : 5;
    const bool hovered = DrawTwoStateButton(
        font, offImage, overImage, text, x, y, w, h, offset, offR, offG, offB, overR, overG, overB);
    return hovered && TakeClick(true);
}

bool Screen::DrawTwoStateButton(iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
    int x, int y, int w, int h, int textOffset, int offR, int offG, int offB, int overR, int overG, int overB)
{
    const bool hovered = IsMouseInRect(x, y, x + w, y + h);
    const int alpha = GetAlpha();
    DrawButtonImage(hovered ? overImage : offImage, x, y, 255, 255, 255, alpha);
    if (hovered)
        SetDrawColour(alpha, overR, overG, overB);
    else
        SetDrawColour(alpha, offR, offG, offB);
    DrawTextCentered(false, text, x, y + textOffset, w, font);
    return hovered;
}

bool Screen::DrawButtonStatic(bool alt, iGfxFont* font, const wchar_t* image, const wchar_t* text, int x, int y, int w,
    int /*h*/, int r, int g, int b)
{
    const int offset = font && font == g_fontNormal ? 8 : 5;
    const int alpha = GetAlpha();
    DrawButtonImage(image, x, y, 255, 255, 255, alpha);
    SetDrawColour(alpha, r, g, b);
    DrawTextCentered(alt, text, x, y + offset, w, font);
    return true;
}

bool Screen::DrawButtonFaint(bool alt, iGfxFont* font, const wchar_t* image, const wchar_t* text, int x, int y, int w,
    int /*h*/, int r, int g, int b)
{
    const int offset = font && font == g_fontNormal ? 8 : 5;
    const int alpha = GetAlpha() / 4;
    DrawButtonImage(image, x, y, 255, 255, 255, alpha);
    SetDrawColour(alpha, r, g, b);
    DrawTextCentered(alt, text, x, y + offset, w, font);
    return true;
}

bool Screen::DrawButtonDisabled(bool alt, iGfxFont* font, const wchar_t* image, const wchar_t* text, int x, int y,
    int w, int /*h*/, int r, int g, int b)
{
    int offset = ScaleY(5.0);
    if (font && font == g_fontNormal)
        offset = ScaleY(8.0);
    else if (font && font == g_fontNormal2)
        offset = ScaleY(11.0);
    else if (font && font == g_fontSmall)
        offset = ScaleY(10.0);
    const int alpha = GetAlpha();
    DrawButtonImage(image, x, y, 155, 155, 155, alpha / 2);
    SetDrawColour(alpha, r, g, b);
    DrawTextCentered(alt, text, x, y + offset, w, font);
    return false;
}

bool Screen::DoTextButton(iGfxFont* font, const wchar_t* text, int x, int y, int w, int h, int offR, int offG, int offB,
    int overR, int overG, int overB)
{
    return DoTextButtonFramed(false, font, text, x, y, w, h, offR, offG, offB, overR, overG, overB);
}

bool Screen::DoTextButtonFramed(bool framed, iGfxFont* font, const wchar_t* text, int x, int y, int w, int h, int offR,
    int offG, int offB, int overR, int overG, int overB)
{
    const bool hovered = IsMouseInRect(x, y, x + w, y + h);
    const int alpha = GetAlpha();
    if (hovered)
        SetDrawColour(alpha, overR, overG, overB);
    else
        SetDrawColour(alpha, offR, offG, offB);
    DrawTextCentered(false, text, x, y, w, font);
    if (framed) {
        DrawRectOutline(x - 7, y - 1, x + w + 11, y + h + 1);
        DrawRectOutline(x - 8, y - 2, x + w + 12, y + h + 2);
    }
    return hovered && TakeClick(false);
}

bool Screen::DoTextButtonAlt(iGfxFont* font, const wchar_t* text, int x, int y, int w, int h, int offR, int offG,
    int offB, int overR, int overG, int overB)
{
    const bool hovered = IsMouseInRect(x, y, x + w, y + h);
    const int alpha = GetAlpha();
    if (hovered)
        SetDrawColour(alpha, overR, overG, overB);
    else
        SetDrawColour(alpha, offR, offG, offB);
    if (g_pGfx2D && font && text)
        g_pGfx2D->DrawTextAlt(font, x, y, text, 0);
    return hovered && TakeClick(false);
}

bool Screen::DoImageButton(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int w, int h)
{
    return DoImageButtonTinted(offImage, overImage, x, y, w, h, 255, 255, 255, 255, 255, 255);
}

bool Screen::DoImageButtonTinted(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int w, int h,
    int offR, int offG, int offB, int overR, int overG, int overB)
{
    const bool hovered = IsMouseInRect(x, y, x + w, y + h);
    if (hovered)
        DrawButtonImage(overImage, x, y, overR, overG, overB, GetAlpha());
    else
        DrawButtonImage(offImage, x, y, offR, offG, offB, GetAlpha());
    return hovered && TakeClick(false);
}

} // namespace Scene
