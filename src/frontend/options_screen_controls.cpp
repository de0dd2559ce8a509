// The options screen's own drawing: its buttons and toggles from the options
// page, the hint line and the volume bars that follow a held mouse.
#include <algorithm>
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/options_screen.h"
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

    int MouseX()
    {
        return g_pInputDevice ? g_pInputDevice->GetMouseX() : 0;
    }
} // namespace

// One page set serves every screen size: each image is drawn at its design
// size in this screen's pixels, so the panel, the bars and the hint's
// backdrop keep their places among the scaled positions.
void OptionsScreen::DrawImage(const wchar_t* name, int x, int y, int alpha)
{
    uint32_t w = 0;
    uint32_t h = 0;
    pages[kOptionsPage].GetImageSize(name, &w, &h);
    DrawButtonImage(name, x, y, ScaledWidth(static_cast<int>(w)), ScaledHeight(static_cast<int>(h)), alpha);
}

int OptionsScreen::ScaledWidth(int design)
{
    return static_cast<int>(static_cast<float>(design) / cSettings::Instance().scaleX);
}

int OptionsScreen::ScaledHeight(int design)
{
    return static_cast<int>(static_cast<float>(design) / cSettings::Instance().scaleY);
}

// A button's image is drawn to the size of its scaled hit rectangle: on a
// smaller screen the buttons shrink with the distances between them and never
// overlap.
void OptionsScreen::DrawButtonImage(const wchar_t* name, int x, int y, int w, int h, int alpha)
{
    pages[kOptionsPage].DrawImageScaled(name, x, y, w, h, 255, 255, 255, alpha);
}

bool OptionsScreen::IsMouseOnImage(int x, int y, int w, int h) const
{
    return IsMouseInRect(x, y, x + w - 1, y + h - 1);
}

bool OptionsScreen::DoToggleButton(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int w, int h)
{
    const bool hovered = IsMouseOnImage(x, y, w, h);
    DrawButtonImage(hovered ? overImage : offImage, x, y, w, h, GetAlpha());
    cGameWorld& world = cGameWorld::Instance();
    if (!hovered || !world.leftClick)
        return false;
    world.leftClick = 0;
    return true;
}

bool OptionsScreen::DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage,
    const wchar_t* text, int x, int y, int w, int h, int r, int g, int b, int overR, int overG, int overB)
{
    const float scaleY = cSettings::Instance().scaleY;
    int offset = static_cast<int>(5.0f / scaleY);
    if (font && font == g_fontNormal2)
        offset = static_cast<int>(13.0f / scaleY);
    else if (font && font == g_fontSmall)
        offset = static_cast<int>(10.0f / scaleY);
    const int alpha = GetAlpha();
    if (!IsMouseInRect(x, y, x + w, y + h)) {
        DrawButtonImage(offImage, x, y, w, h, alpha);
        SetDrawColour(alpha, r, g, b);
        DrawTextCentered(alt, text, x, y + offset, w, font);
        return false;
    }
    DrawButtonImage(overImage, x, y, w, h, alpha);
    SetDrawColour(alpha, overR, overG, overB);
    DrawTextCentered(alt, text, x + 1, y + offset + 1, w, font);
    cGameWorld& world = cGameWorld::Instance();
    if (!world.leftClick)
        return false;
    Story::Instance().PlaySound("menu_clk");
    world.leftClick = 0;
    return true;
}

void OptionsScreen::DrawHint(int x, int y, const wchar_t* text)
{
    const int width = static_cast<int>(542.0f / cSettings::Instance().scaleX);
    SetDrawColour(255, 0, 0, 0);
    DrawTextCentered(false, text, x + 1, y + 1, width, g_fontNormal2);
    SetDrawColour(255, 255, 255, 255);
    DrawTextCentered(false, text, x, y, width, g_fontNormal2);
}

void OptionsScreen::DrawVolumeBar(int index, const wchar_t* caption, bool inLevel)
{
    const cSettings& settings = cSettings::Instance();
    const float bxf = (inLevel ? levelX[index] : menuX[index]) / settings.scaleX + static_cast<float>(panelX);
    const float byf = (inLevel ? levelY[index] : menuY[index]) / settings.scaleY + static_cast<float>(panelY);
    const int bx = static_cast<int>(bxf);
    const int by = static_cast<int>(byf);
    DrawImage(L"balken_off.png", bx, by, 255);
    // The light fills the bar as far as the value goes: a full volume fills
    // all of it, at every screen size.
    const int lit = static_cast<int>(static_cast<float>(ScaledWidth(barWidth)) * barValue[index]);
    if (lit > 0)
        DrawButtonImage(L"balken_over.png", bx, by, lit, ScaledHeight(barHeight), GetAlpha());

    wchar_t label[160];
    std::swprintf(label, 160, L"%ls: %d", caption ? caption : L"", static_cast<int>(barValue[index] * 100.0f + 0.5f));
    const int width = static_cast<int>(456.0f / settings.scaleX);
    const float textY = byf + 5.0f / settings.scaleY;
    SetDrawColour(255, 0, 0, 0);
    DrawTextCentered(false, label, static_cast<int>(bxf + 1.0f), static_cast<int>(textY + 1.0f), width, g_fontNormal2);
    SetDrawColour(255, 255, 255, 255);
    DrawTextCentered(false, label, static_cast<int>(bxf), static_cast<int>(textY), width, g_fontNormal2);
}

bool OptionsScreen::DragBar(int index, bool inLevel)
{
    const cSettings& settings = cSettings::Instance();
    const float bxf = (inLevel ? levelX[index] : menuX[index]) / settings.scaleX + static_cast<float>(panelX);
    const int bx = ControlX(index, inLevel);
    const int by = ControlY(index, inLevel);
    const int width = ScaledWidth(barWidth);
    if (width <= 0 || !cGameWorld::Instance().leftDown
        || !IsMouseInRect(bx, by, bx + width, by + ScaledHeight(barHeight)))
        return false;
    // Past the right end the bar is full; it never goes below empty.
    const float value = (static_cast<float>(MouseX()) - bxf + 1.0f) / static_cast<float>(width);
    barValue[index] = std::clamp(value, 0.0f, 1.0f);
    return true;
}

} // namespace Scene
