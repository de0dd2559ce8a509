// The speech bubble over a hovered lot: its name, its price and what a click
// would do, opening to the left near the screen's right edge and kept
// whole on the screen.
#include <algorithm>
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/shop.h"
#include "platform/win_types.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kExtendText = 27;
    constexpr int kPriceText = 92;
    constexpr int kTooExpensiveText = 115;
    constexpr int kBuyText = 124;
    constexpr int kSellText = 143;

    // The bubble's text; "#" breaks the line.
    std::wstring BubbleText(int mode, const std::wstring& name, int price)
    {
        wchar_t priceText[128];
        std::swprintf(priceText, 128, L"%ls %d", g_guiVocabulary[kPriceText], price);
        std::wstring text = name;
        switch (mode) {
        case 1:
            text += std::wstring(L"#") + priceText + L"#" + g_guiVocabulary[kBuyText];
            break;
        case 2:
            text += std::wstring(L"#") + priceText + L"#" + g_guiVocabulary[kTooExpensiveText];
            break;
        case 3: {
            wchar_t refund[32];
            std::swprintf(refund, 32, L" %d", price / 2);
            text += std::wstring(L"#") + g_guiVocabulary[kSellText] + refund;
            break;
        }
        case 4:
            text += std::wstring(L"#") + g_guiVocabulary[kExtendText] + L"#" + priceText;
            break;
        case 5:
            text += std::wstring(L"#") + g_guiVocabulary[kExtendText] + L"#" + priceText + L"#"
                + g_guiVocabulary[kTooExpensiveText];
            break;
        default:
            break;
        }
        return text;
    }
} // namespace

void Shop::DrawLotBubble(int mode, const std::wstring& name, int x, int y, int price)
{
    const std::wstring text = BubbleText(mode, name, price);
    if (text.empty() || !g_pGfx2D)
        return;
    cGameWorld& world = cGameWorld::Instance();
    const int bx = static_cast<int>(15.0f / cSettings::Instance().scaleX + static_cast<float>(x));
    const int by = static_cast<int>(10.0f / cSettings::Instance().scaleX + static_cast<float>(y) - 50.0f);

    SIZE measured { 0, 0 };
    if (g_fontNormal)
        g_fontNormal->MeasureText(text.c_str(), &measured);
    const int widest = ScaleX(210.0f);
    const int wrap = widest < measured.cx ? widest : ScaleX(static_cast<float>(measured.cx + 5));
    world.FormatText(false, text, wrap, g_fontNormal);
    const int n = world.formatLineCount < world::kFormatLines ? world.formatLineCount : world::kFormatLines;
    int top = static_cast<int>(static_cast<float>(by) - (18.0f * n - 40.0f) / cSettings::Instance().scaleY);

    // The bubble opens to the right of the point unless it would run past the
    // screen's right edge there (the head image is the bubble's whole width,
    // 300 design pixels); then it opens to the left. Whichever way it opens,
    // it is kept whole on the screen.
    uint32_t headWidth = 0;
    uint32_t headHeight = 0;
    pages[kShopPage].GetImageSize(L"blase_left_01", &headWidth, &headHeight);
    const int width = static_cast<int>(headWidth > 0 ? headWidth : static_cast<uint32_t>(ScaleX(300.0f)));
    const int screenWidth = cSettings::Instance().GetWidth();
    const int screenHeight = cSettings::Instance().GetHeight();
    const bool toLeft = screenWidth < bx + width;
    int left = toLeft ? static_cast<int>(static_cast<float>(bx) - 300.0f / cSettings::Instance().scaleX) : bx;
    left = std::clamp(left, 0, std::max(0, screenWidth - width));
    const std::wstring side = toLeft ? L"blase_right_" : L"blase_left_";
    uint32_t tailWidth = 0;
    uint32_t tailHeight = 0;
    pages[kShopPage].GetImageSize((side + L"03").c_str(), &tailWidth, &tailHeight);
    const int bottom = top + ScaleY(18.0f * n + 20.0f) + static_cast<int>(tailHeight);
    if (bottom > screenHeight)
        top -= bottom - screenHeight;
    top = std::max(top, 0);
    pages[kShopPage].DrawImage((side + L"01").c_str(), left, top, 0, 0, 255, 255, 255, 255);
    // The middle, a line's piece per line, is drawn as one piece stretched
    // from the head to the tail: line steps of 18 design pixels are not whole
    // screen pixels below 1280 x 1024, and pieces drawn one by one would leave
    // a see-through row between two of them.
    const std::wstring middle = side + L"02";
    uint32_t middleWidth = 0;
    uint32_t middleHeight = 0;
    pages[kShopPage].GetImageSize(middle.c_str(), &middleWidth, &middleHeight);
    const int bodyTop = top + ScaleY(20.0f);
    const int tailTop = top + ScaleY(18.0f * n + 20.0f);
    if (n > 0)
        pages[kShopPage].DrawImageScaled(
            middle.c_str(), left, bodyTop, static_cast<int>(middleWidth), tailTop - bodyTop, 255, 255, 255, 255);
    pages[kShopPage].DrawImage((side + L"03").c_str(), left, tailTop, 0, 0, 255, 255, 255, 255);
    g_pGfx2D->SetColor(MakeARGB(255, 48, 48, 160));
    for (int i = 0; i < n; ++i)
        g_pGfx2D->DrawText(g_fontNormal, left + ScaleX(30.0f), top + ScaleY(18.0f * i + 20.0f), world.formatLines[i]);
}

} // namespace Scene
