// The drawing helpers of the screen base: boxes, outlines, shadows and the
// tooltip box.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/screen.h"
#include "world/game_world.h"

namespace Scene {

namespace {
    // Tooltip text wider than this wraps.
    constexpr int kTooltipWidth = 250;
    constexpr double kTooltipDelaySeconds = 2.0;
} // namespace

void Screen::ShowTooltip(const std::wstring& text)
{
    tooltipIdle = false;
    if (tooltipTimer.Elapsed() > kTooltipDelaySeconds) {
        tooltipText = text;
        tooltipShown = true;
    }
}

void Screen::DrawRectOutline(int x1, int y1, int x2, int y2)
{
    if (!g_pGfx2D)
        return;
    const float sides[4][2][2] = {
        { { float(x1), float(y1) }, { float(x2), float(y1) } },
        { { float(x1), float(y2) }, { float(x2), float(y2) } },
        { { float(x1), float(y1) }, { float(x1), float(y2) } },
        { { float(x2), float(y1) }, { float(x2), float(y2) } },
    };
    for (const auto& side : sides)
        g_pGfx2D->DrawLines(side, 2, 0);
}

void Screen::PaintRect(int x, int y, int w, int h, int a, int r, int g, int b)
{
    if (!g_pGfx2D)
        return;
    const uint32_t c = MakeARGB(
        static_cast<uint32_t>(a), static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
    const float left = static_cast<float>(x);
    const float top = static_cast<float>(y);
    const float right = static_cast<float>(x + w);
    const float bottom = static_cast<float>(y + h);
    const GfxVertex vertices[6] = {
        { left, top, c },
        { right, top, c },
        { right, bottom, c },
        { left, top, c },
        { right, bottom, c },
        { left, bottom, c },
    };
    g_pGfx2D->DrawTriangles(vertices, 2, 0, 0);
}

void Screen::DrawShadow(int x1, int y1, int x2, int y2)
{
    if (!g_pGfx2D)
        return;
    for (int i = 0; i < 4; ++i) {
        const float bottom[2][2] = { { float(x1 + 4), float(y2 + 1 + i) }, { float(x2 + 1 + i), float(y2 + 1 + i) } };
        const float right[2][2] = { { float(x2 + 1 + i), float(y1 + 4) }, { float(x2 + 1 + i), float(y2 + 1 + i) } };
        g_pGfx2D->DrawLines(bottom, 2, 0);
        g_pGfx2D->DrawLines(right, 2, 0);
    }
}

void Screen::DrawTextBox(int x, int y, int width, int lineHeight, int lineCount)
{
    if (!g_pGfx2D)
        return;
    const int boxHeight = (lineHeight + 2) * lineCount;
    PaintRect(x, y, width, boxHeight, 255, 255, 255, 180);
    g_pGfx2D->SetColor(MakeARGB(255, 0, 0, 0));
    DrawRectOutline(x, y, x + width, y + boxHeight);
    g_pGfx2D->SetColor(MakeARGB(155, 100, 100, 100));
    DrawShadow(x, y, x + width, y + boxHeight);
}

void Screen::DrawTextCentered(bool alt, const wchar_t* text, int x, int y, int width, iGfxFont* font)
{
    if (!g_pGfx2D || !font || !text)
        return;
    SIZE measured {};
    font->MeasureText(text, &measured);
    const int left = width / 2 + x - measured.cx / 2;
    if (*text)
        NoteText({ left, y, left + static_cast<int>(measured.cx), y + static_cast<int>(measured.cy) });
    if (alt)
        g_pGfx2D->DrawTextAlt(font, left, y, text, 0);
    else
        g_pGfx2D->DrawText(font, left, y, text, 0);
}

void Screen::DrawTooltip()
{
    if (!tooltipShown || tooltipText.empty() || !g_pGfx2D || !g_fontStyled)
        return;
    cGameWorld& world = cGameWorld::Instance();
    SIZE measured {};
    g_fontStyled->MeasureText(tooltipText.c_str(), &measured);
    int textWidth = measured.cx;
    if (textWidth <= kTooltipWidth) {
        std::swprintf(world.formatLines[0], world::kFormatLineLength, L"%ls", tooltipText.c_str());
        world.formatLineCount = 1;
    } else {
        textWidth = kTooltipWidth;
        world.FormatText(false, tooltipText, kTooltipWidth, g_fontStyled);
    }
    const int lineHeight = measured.cy;
    const int outerWidth = textWidth + 5;
    const int blockHeight = world.formatLineCount * lineHeight;
    const int mouseX = g_pInputDevice ? g_pInputDevice->GetMouseX() : 0;
    const int mouseY = g_pInputDevice ? g_pInputDevice->GetMouseY() : 0;
    // Left of the cursor unless the box would leave the screen there.
    const int left = mouseX - outerWidth - 2 > 0 ? mouseX - outerWidth - 2 : mouseX;
    const int top = mouseY - blockHeight - 10;
    DrawTextBox(left, top, outerWidth + 13, lineHeight, world.formatLineCount);
    g_pGfx2D->SetColor(MakeARGB(255, 55, 55, 55));
    for (int i = 0; i < world.formatLineCount && i < world::kFormatLines; ++i)
        g_pGfx2D->DrawText(g_fontStyled, left + 10, top + (lineHeight + 1) * i, world.formatLines[i], 0);
}

} // namespace Scene
