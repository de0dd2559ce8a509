// The head-up display's task slots down the right edge, and the help bubbles
// that the slots, the medal badges and the bonus slots show.
#include <algorithm>
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    constexpr int kHudPage = 32;
    // The points target: shown with the points, never as a slot.
    constexpr int kPointsLine = 14;
    constexpr int kFirstSlotText = 103;
    constexpr double kBlinkSeconds = 0.17;
    // Phase flips of a blink before it ends.
    constexpr int kBlinkFlips = 10;
    constexpr int kGongSound = 0;
    // Wider text is wrapped.
    constexpr int kBubbleTextWidth = 210;

    const wchar_t* SlotIcon(int line)
    {
        switch (line) {
        case 0:
        case 5:
            return L"element2a.png";
        case 1:
            return L"element3a.png";
        case 2:
            return L"element4a.png";
        case 3:
            return L"element5a.png";
        case 4:
            return L"element_new_station.png";
        case 6:
            return L"element_kaktus_blume.png";
        case 7:
            return L"element_wbaum.png";
        case 8:
            return L"element_manager.png";
        case 9:
            return L"element_sport.png";
        default:
            return nullptr;
        }
    }

    const wchar_t* SlotText(int line)
    {
        const int entry = kFirstSlotText + line;
        return entry < kGuiTextCount ? g_guiVocabulary[entry] : L"";
    }

} // namespace

void Hud::DrawTaskSlots()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.resultScreenOpen || (world.taskBookOpen && world.taskIntroPending == 1))
        return;
    CPageManager& page = pages[kHudPage];
    const int x0 = cSettings::Instance().GetWidth() - ScaleX(240);
    const int lines = std::clamp(world.taskLineCount, 0, world::kMessageLines);

    int k = -1;
    for (int i = 0; i < lines; ++i) {
        if (i == kPointsLine || !world.taskLineActive[i])
            continue;
        const int value = world.taskLineValues[i];
        const int target = world.taskLineTargets[i];
        if (target > 0 && value >= target)
            continue;
        ++k;
        const int top = 10 + ScaleY(80 * k);
        const bool inSlot = IsMouseInRect(x0, top, x0 + ScaleX(223), top + ScaleY(78));

        if (value != world.taskLineLastValues[i]) {
            blinkOn = true;
            blinkSlot = i;
            world.taskLineLastValues[i] = value;
            Story::Instance().StartSound(kGongSound);
        }

        if (inSlot) {
            page.DrawImage(L"slot_3_over.png", x0, top, 0, 0, 255, 255, 255, 255);
            DrawShopHelp(0, SlotText(i), x0 - ScaleX(280), top + ScaleY(60));
            hoveredSlot = k;
        } else {
            if (blinkOn && blinkSlot == i && blinkTimer.Elapsed() > kBlinkSeconds) {
                blinkTimer.Restart();
                if (++blinkCount > kBlinkFlips) {
                    blinkCount = 0;
                    blinkOn = false;
                    blinkPhase = 0;
                    blinkSlot = -1;
                }
                blinkPhase ^= 1;
            }
            if (!blinkOn)
                blinkPhase = 0;
            if (blinkOn && blinkSlot == i && blinkPhase == 1)
                page.DrawImage(L"slot_3.png", x0, top, 0, 0, 155, 155, 155, 155);
            else
                page.DrawImage(L"slot_3.png", x0, top, 0, 0, 255, 255, 255, 255);
            hoveredSlot = 0;
        }

        // No owner bookkeeping: a slot lets go of the pause it made however
        // the game was paused since.
        if (!world.IsPaused() && !world.slotHoverPause && inSlot) {
            world.SetPause(true);
            world.slotHoverPause = 1;
            hoveredSlot = k;
        } else if (world.slotHoverPause && !inSlot && hoveredSlot == k) {
            world.SetPause(false);
            world.slotHoverPause = 0;
        }

        if (const wchar_t* icon = SlotIcon(i))
            page.DrawImage(icon, x0 + ScaleX(10), top, 0, 0, 255, 255, 255, 255);
        wchar_t counter[48];
        std::swprintf(counter, 48, L"%d / %d", value, target);
        DrawNumberSmall(1, counter, x0 + ScaleX(220), top + ScaleY(30), 255);
    }
    // The slot that paused the game may be gone (its line finished while the
    // cursor rested on it): with no slot left to leave, the game runs again.
    if (k < 0 && world.slotHoverPause) {
        world.SetPause(false);
        world.slotHoverPause = 0;
    }
}

void Hud::DrawShopHelp(int pointerLeft, const std::wstring& text, int x, int y)
{
    DrawHelpBubble(pointerLeft, text, x + ScaleX(15), y, MakeARGB(255, 255, 255, 255));
}

void Hud::DrawShopHelpTinted(int pointerLeft, const std::wstring& text, int x, int y)
{
    const cGameWorld& world = cGameWorld::Instance();
    auto channel = [&](int c) { return static_cast<uint32_t>(std::clamp(world.levelTint[c], 0, 255)); };
    DrawHelpBubble(pointerLeft, text, x + 15, y, MakeARGB(255, channel(0), channel(1), channel(2)));
}

void Hud::DrawHelpBubble(int pointerLeft, const std::wstring& text, int bx, int y, uint32_t tint)
{
    if (text.empty())
        return;
    cGameWorld& world = cGameWorld::Instance();
    SIZE size {};
    if (g_fontNormal)
        g_fontNormal->MeasureText(text.c_str(), &size);
    if (size.cx > kBubbleTextWidth) {
        world.FormatText(false, text, ScaleX(kBubbleTextWidth), g_fontNormal);
    } else {
        const std::size_t length = std::min(text.size(), static_cast<std::size_t>(world::kFormatLineLength - 1));
        std::copy_n(text.begin(), length, world.formatLines[0]);
        world.formatLines[0][length] = L'\0';
        world.formatLineCount = 1;
    }

    const int n = std::clamp(world.formatLineCount, 0, world::kFormatLines);
    const int r = static_cast<int>((tint >> 16) & 0xFF);
    const int g = static_cast<int>((tint >> 8) & 0xFF);
    const int b = static_cast<int>(tint & 0xFF);
    CPageManager& page = pages[kHudPage];
    if (pointerLeft)
        page.DrawImage(L"shop_help2_left_03", bx + 2, y, 0, 0, r, g, b, 255);
    else
        page.DrawImage(L"shop_help2_03", bx, y - 2, 0, 0, r, g, b, 255);
    const wchar_t* middle = pointerLeft ? L"shop_help2_left_02" : L"shop_help2_02";
    for (int i = 0; i < n; ++i)
        page.DrawImage(middle, bx, y + ScaleY(20 + 18 * i), 0, 0, r, g, b, 255);
    page.DrawImage(
        pointerLeft ? L"shop_help2_left_01" : L"shop_help2_01", bx, y + ScaleY(20 + 18 * n), 0, 0, r, g, b, 255);

    if (!g_pGfx2D)
        return;
    g_pGfx2D->SetColor(MakeARGB(255, 48, 48, 160));
    for (int i = 0; i < n; ++i)
        g_pGfx2D->DrawText(g_fontNormal, bx + ScaleX(30), y + ScaleY(20 + 18 * i), world.formatLines[i], 0);
}

} // namespace Scene
