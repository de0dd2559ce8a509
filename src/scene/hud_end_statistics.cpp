// The statistics of a won level and its payout (world/level_payout.h). The
// panel only shows the money the player will have: the result screen pays
// it when the player continues. A level finished after its limit is not
// passed: the panel says so and why beside the times, over its rows of
// nothing paid.
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "world/game_world.h"
#include "world/level_payout.h"
#include "world/settings.h"
#include "world/time_rating.h"

namespace Scene {

namespace {

    constexpr int kHudPage = 32;
    constexpr double kPointerSeconds = 0.017;
    constexpr int kPointerFrames = 20;
    constexpr int kTitleText = 24;
    constexpr int kNotPassedText = 35;
    constexpr int kLateText = 36;
    // The plate and where it stands, in design pixels: it holds the rows of
    // both layouts and the title above them.
    constexpr wchar_t kPlateImage[] = L"menu_statistics.png";
    constexpr int kPlateX = 300;
    constexpr int kPlateY = 250;
    constexpr int kPlateWidth = 660;
    constexpr int kLineWidth = 560;
    // The room kept free inside the plate's frame, and how far the late
    // panel's verdict stands above the first time row to match its height.
    constexpr int kPlateMargin = 24;
    constexpr int kVerdictRaise = 6;

    constexpr uint32_t kWhite = 0xFFFFFFFFu;
    constexpr uint32_t kYellow = 0xFFFFFF00u;
    // The zone labels under the bar, in the colours of their zones, light
    // enough for the dark plate.
    constexpr uint32_t kGoldLabel = 0xFFF0C850u;
    constexpr uint32_t kSilverLabel = 0xFFDCE0E6u;

    double Sx()
    {
        return cSettings::Instance().scaleX;
    }
    double Sy()
    {
        return cSettings::Instance().scaleY;
    }

    const wchar_t* Text(int entry)
    {
        return entry >= 0 && entry < kGuiTextCount ? g_guiVocabulary[entry] : L"";
    }

    std::wstring Number(int value)
    {
        wchar_t text[16];
        std::swprintf(text, 16, L"%d", value);
        return text;
    }

    std::wstring Time(int seconds)
    {
        const int minutes = seconds / 60;
        int rest = seconds - 60 * minutes;
        if (rest < 0)
            rest = 0;
        wchar_t text[24];
        std::swprintf(text, 24, L"%02d:%02d", minutes, rest);
        return text;
    }

    void Shadowed(const wchar_t* text, int x, int y, uint32_t colour, bool right)
    {
        if (!g_pGfx2D)
            return;
        for (const uint32_t c : { 0xFF000000u, colour }) {
            const int d = c == colour ? 0 : 1;
            g_pGfx2D->SetColor(c);
            if (right)
                Hud::DrawTextRight(false, text, x + d, y + d, g_fontNormal2);
            else
                g_pGfx2D->DrawText(g_fontNormal2, x + d, y + d, text);
        }
    }

    // A label at the label column and its value right-aligned at x.
    void Row(int label, const std::wstring& value, int lx, int x, int y, uint32_t colour)
    {
        Shadowed(Text(label), lx, y, colour, false);
        Shadowed(value.c_str(), x, y, colour, true);
    }

    int RecordedMoney(const cGameWorld& world)
    {
        return world.level >= 0 && world.level < world::kLevelTableSize ? world.levelMoney[world.level] : 0;
    }

    // Centred in the width from x, with the shadow.
    void CentredLine(Hud& panel, const wchar_t* text, int x, int width, int y, uint32_t colour, iGfxFont* font)
    {
        if (!g_pGfx2D)
            return;
        g_pGfx2D->SetColor(0xFF000000u);
        panel.DrawTextCentered(false, text, x + 1, y + 1, width, font);
        g_pGfx2D->SetColor(colour);
        panel.DrawTextCentered(false, text, x, y, width, font);
    }

    int LineHeight(iGfxFont* font)
    {
        SIZE size {};
        if (font)
            font->MeasureText(L"Ag", &size);
        return size.cy;
    }

} // namespace

void Hud::DrawPanelPlate()
{
    pages[kHudPage].DrawImage(kPlateImage, ScaleX(kPlateX), ScaleY(kPlateY), 0, 0, 255, 255, 255, 255);
}

void Hud::DrawPanelTitle()
{
    const cSettings& settings = cSettings::Instance();
    wchar_t title[160];
    std::swprintf(title, 160, L"%ls %d", Text(kTitleText), cGameWorld::Instance().level);
    const int x = static_cast<int>(settings.GetWidth() / 2 - 315 / Sx() + 40 / Sy());
    const int y = static_cast<int>(settings.GetHeight() / 2 - 197 / Sy() - 40 / Sy());
    const int width = static_cast<int>(550 / Sx());
    if (g_pGfx2D) {
        g_pGfx2D->SetColor(0xFF000000u);
        DrawTextCentered(false, title, x + 2, y + 2, width, g_fontBig);
        g_pGfx2D->SetColor(kYellow);
        DrawTextCentered(false, title, x, y, width, g_fontBig);
    }
}

int Hud::DrawNotPassed(const wchar_t* reason, int y, int x, int width)
{
    if (width <= 0) {
        x = ScaleX(kPlateX);
        width = ScaleX(kPlateWidth);
    }
    CentredLine(*this, Text(kNotPassedText), x, width, y, kYellow, g_fontBig);
    y += LineHeight(g_fontBig) + ScaleY(8);
    if (!reason || !*reason)
        return y;
    cGameWorld& world = cGameWorld::Instance();
    world.FormatText(true, reason, std::min(ScaleX(kLineWidth), width), g_fontNormal2);
    const int lineHeight = LineHeight(g_fontNormal2);
    // The lines are copied: drawing a text may lay out another.
    std::vector<std::wstring> lines(
        world.formatLines, world.formatLines + std::clamp(world.formatLineCount, 0, world::kFormatLines));
    for (const std::wstring& line : lines) {
        CentredLine(*this, line.c_str(), x, width, y, kWhite, g_fontNormal2);
        y += lineHeight;
    }
    return y;
}

void Hud::DrawStatistics()
{
    const cSettings& settings = cSettings::Instance();
    screenX = static_cast<int>(settings.GetWidth() / 2 - 315 / Sx() + 40 / Sy());
    screenY = static_cast<int>(settings.GetHeight() / 2 - 197 / Sy());
    const int x0 = static_cast<int>(290 / Sx());
    const int y0 = static_cast<int>(320 / Sy());
    DrawPanelPlate();
    if (cGameWorld::Instance().levelTimeLimit == 0)
        DrawPointsStatistics(x0, y0);
    else
        DrawTimedStatistics(x0, y0);
}

void Hud::DrawPointsStatistics(int x0, int y0)
{
    cGameWorld& world = cGameWorld::Instance();
    DrawPanelTitle();

    world::FixLevelPayout(world);
    const int total = world.levelReward + world.levelBonus;
    const int recorded = RecordedMoney(world);

    const int lx = static_cast<int>(x0 + 50 / Sx());
    const int vx = static_cast<int>(x0 + 630 / Sx());
    int r = static_cast<int>(80 / Sy());
    if (recorded > 0) {
        Row(132, Number(recorded), lx, vx, y0 + r, kWhite);
        r = static_cast<int>(r + 30 / Sy());
    }
    Row(0, Number(total), lx, vx, y0 + r, kWhite);
    r = static_cast<int>(r + 30 / Sy());
    Row(138, Number(world.money), lx, vx, y0 + r, kWhite);
    r += 30;
    if (recorded > 0) {
        // Played again: only what beats the recorded money is paid, or a
        // fifth of the total when it does not.
        const bool beaten = recorded < total;
        const int gain = beaten ? total - recorded : total * 20 / 100;
        Row(beaten ? 134 : 137, Number(gain), lx, vx, y0 + r, kWhite);
        r += 45;
        Row(139, Number(world.money + gain), lx, vx, y0 + r, kYellow);
    } else {
        Row(139, Number(world.money + total), lx, vx, y0 + r, kYellow);
    }
}

void Hud::DrawTimedStatistics(int x0, int y0)
{
    cGameWorld& world = cGameWorld::Instance();
    CPageManager& page = pages[kHudPage];
    const int limit = world.levelTimeLimit;
    const int elapsed = world.levelElapsed;
    const int lx = static_cast<int>(x0 + 50 / Sx());
    const int vx = static_cast<int>(x0 + 630 / Sx());
    const int tx = static_cast<int>(x0 + 350 / Sx());
    Row(77, Time(limit), lx, tx, static_cast<int>(y0 - 40 / Sy()), kWhite);
    Row(78, Time(elapsed), lx, tx, static_cast<int>(y0 - 15 / Sy()), kWhite);

    // The bar: over time in red, then the gold, silver and pass zones.
    const int bx = static_cast<int>(x0 + 50 / Sx());
    const int by = static_cast<int>(y0 + 60 / Sy());
    const int barWidth = static_cast<int>(500 / Sx());
    const int barHeight = static_cast<int>(23 / Sy());
    page.DrawImage(L"balken_red", bx, by, 0, 0, 255, 255, 255, 255);
    page.DrawImage(
        L"balken_gelb", bx, by, static_cast<int>(barWidth * world::kGoldShare), barHeight, 255, 255, 255, 255);
    page.DrawImage(L"balken_weiss", static_cast<int>(x0 + 50 / Sx() + barWidth * world::kGoldShare), by,
        static_cast<int>(barWidth * 0.2), barHeight, 255, 255, 255, 255);
    page.DrawImage(L"balken_gruen", static_cast<int>(x0 + 50 / Sx() + barWidth * world::kSilverShare), by,
        static_cast<int>(barWidth * 0.2), barHeight, 255, 255, 255, 255);

    // The pointer at the time taken, animated; its tip (the image's middle)
    // never passes the bar's end: past the limit (or with a negative limit,
    // which has no place on the bar) it waits there.
    uint32_t markerWidth = 0;
    uint32_t markerHeight = 0;
    page.GetImageSize(L"marker0000", &markerWidth, &markerHeight);
    const int lastOffset = barWidth - static_cast<int>(markerWidth) / 2;
    int m = limit > 0 ? barWidth * elapsed / limit - 20 : lastOffset;
    if (elapsed > limit || m > lastOffset)
        m = lastOffset;
    if (pointerTimer.Elapsed() > kPointerSeconds) {
        pointerTimer.Restart();
        pointerFrame = (pointerFrame + 1) % kPointerFrames;
    }
    wchar_t marker[24];
    std::swprintf(marker, 24, L"marker00%02d", pointerFrame);
    page.DrawImage(
        marker, static_cast<int>(x0 + 50 / Sx() + m), static_cast<int>(y0 + 20 / Sy()), 0, 0, 255, 255, 255, 255);

    // The gold and silver zones named under their ends, on the plate.
    if (g_pGfx2D) {
        const int labelY = by + barHeight + ScaleY(3);
        g_pGfx2D->SetColor(kGoldLabel);
        DrawTextRight(
            false, Text(121), static_cast<int>(bx + barWidth * world::kGoldShare - 4 / Sx()), labelY, g_fontNormal);
        g_pGfx2D->SetColor(kSilverLabel);
        DrawTextRight(
            false, Text(122), static_cast<int>(bx + barWidth * world::kSilverShare - 4 / Sx()), labelY, g_fontNormal);
    }

    world::FixLevelPayout(world);
    const bool inTime = elapsed <= limit;
    const int timeBonus = world::TimeBonus(world.levelRating);
    const int total = world.levelReward + world.levelBonus;
    const int recorded = RecordedMoney(world);

    if (!inTime && limit > 0) {
        // Finished after the limit: not passed, and why, in the free room
        // right of the times; the rows below show that nothing is paid.
        const int right = ScaleX(kPlateX + kPlateWidth - kPlateMargin);
        DrawNotPassed(Text(kLateText), static_cast<int>(y0 - 40 / Sy()) - ScaleY(kVerdictRaise),
            tx + ScaleX(kPlateMargin), right - tx - ScaleX(kPlateMargin));
    }

    Row(100, Number(world.levelReward - timeBonus), lx, vx, static_cast<int>(y0 + 130 / Sy()), kYellow);
    Row(60, Number(timeBonus), lx, vx, static_cast<int>(y0 + 155 / Sy()), kYellow);
    Row(75, Number(world.levelBonus), lx, vx, static_cast<int>(y0 + 180 / Sy()), kYellow);
    Row(0, Number(total), lx, vx, static_cast<int>(y0 + 205 / Sy()), kYellow);
    if (recorded > 0)
        Row(132, Number(recorded), lx, vx, static_cast<int>(y0 + 230 / Sy()), kYellow);
    Row(138, Number(world.money), lx, vx, y0 + static_cast<int>(280 / Sy()), kYellow);

    // A level played again pays only what beats its recorded money.
    int gain = total;
    if (world.furthestLevel > world.level)
        gain = total - recorded > 0 ? total - recorded : 0;
    Row(139, Number(world.money + gain), lx, vx, y0 + static_cast<int>(305 / Sy()), kWhite);
}

} // namespace Scene
