// Design units of the 1280 × 1024 screen turned into pixels of this one, and
// the draw colour, for the screens' own drawing code.
#pragma once

#include <cstdint>

#include "engine/gfx.h"
#include "world/settings.h"

namespace Scene {

// A design x or width divided by the settings' horizontal scale, truncated
// toward zero. The division is in single precision, as the scale is kept:
// every screen converts the same way, so 133 design pixels are 100 pixels at
// the scale 1.33 wherever they are drawn or hit.
inline int ScaleX(double design)
{
    return static_cast<int>(static_cast<float>(design) / cSettings::Instance().scaleX);
}
// A design y or height divided by the vertical scale, truncated toward zero.
inline int ScaleY(double design)
{
    return static_cast<int>(static_cast<float>(design) / cSettings::Instance().scaleY);
}
// The tint of later image draws (and of text, which is drawn in it).
inline void SetColour(uint32_t argb)
{
    if (g_pGfx2D)
        g_pGfx2D->SetColor(argb);
}

// Text whose right end stands at x, with the one-pixel shadow when alt.
inline void DrawTextRightEnd(bool alt, const wchar_t* text, int x, int y, iGfxFont* font)
{
    if (!g_pGfx2D || !font || !text)
        return;
    SIZE size {};
    font->MeasureText(text, &size);
    if (alt)
        g_pGfx2D->DrawTextAlt(font, x - size.cx, y, text, 0);
    else
        g_pGfx2D->DrawText(font, x - size.cx, y, text, 0);
}

} // namespace Scene
