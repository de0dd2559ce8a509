// The immediate-mode buttons of the screen base. A button is drawn and
// hit-tested by one call per frame; whichever hovered button first sees the
// frame's click byte clears it, so a click never triggers two buttons.
#include "app/pp_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/menu_prototype.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace Scene {

namespace {
    void SetDrawColour(int a, int r, int g, int b)
    {
        if (g_pGfx2D)
            g_pGfx2D->SetColor(MakeARGB(static_cast<uint32_t>(a), static_cast<uint32_t>(r), static_cast<uint32_t>(g),
                static_cast<uint32_t>(b)));
    }

    // Takes the frame's click for this button, with the click's sound: the
    // byte is cleared so that no later button sees it.
    bool TakeClick()
    {
        cGameWorld& world = cGameWorld::Instance();
        if (!world.leftClick)
            return false;
        Story::Instance().PlaySound("menu_clk");
        world.leftClick = 0;
        return true;
    }
} // namespace

void MenuPrototype::DrawButtonImage(const wchar_t* image, int x, int y, int r, int g, int b, int alpha)
{
    if (image)
        pages[kButtonPage].DrawImage(image, x, y, 0, 0, r, g, b, alpha);
}

bool MenuPrototype::DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage,
    const wchar_t* text, int x, int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB)
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
        if (TakeClick())
            return true;
    }
    cGameWorld::Instance().ApplyTextColour();
    return false;
}

} // namespace Scene
