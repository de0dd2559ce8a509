// Numbers written with digit images instead of a font (the clock, the points,
// the medal times, the task counters), and the points display with its star.
#include <cstdio>
#include <cwchar>

#include "scene/hud.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kDigitPage = 32;
    // The pen moves this far for a character without an image, and a
    // right-aligned number ends this far left of its x.
    constexpr int kGap[2] = { 15, 12 };
    constexpr double kStarStepSeconds = 0.017;
    constexpr int kLastStarFrame = 29;
    constexpr int kPointsTargetLine = 14;

    // The image of a character in the set, or null.
    const wchar_t* GlyphImage(int set, int glyph)
    {
        static const wchar_t* const kImages[2][15] = {
            { L"0.png", L"1.png", L"2.png", L"3.png", L"4.png", L"5.png", L"6.png", L"7.png", L"8.png", L"9.png",
                L"doppelpunkt.png", L"dash.png", L"plus.png", L"minus.png", L"scores_x.png" },
            { L"0_2.png", L"1_2.png", L"2_2.png", L"3_2.png", L"4_2.png", L"5_2.png", L"6_2.png", L"7_2.png",
                L"8_2.png", L"9_2.png", L"doppelpunkt_2.png", L"dash_2.png", L"plus_2.png", nullptr,
                L"scores_x_2.png" },
        };
        return glyph < 0 ? nullptr : kImages[set][glyph];
    }

    int GlyphOf(wchar_t c)
    {
        if (c >= L'0' && c <= L'9')
            return c - L'0';
        switch (c) {
        case L':':
            return 10;
        case L'/':
            return 11;
        case L'+':
            return 12;
        case L'-':
            return 13;
        case L'x':
            return 14;
        default:
            return -1;
        }
    }
} // namespace

void Hud::MeasureNumberImages()
{
    for (int set = 0; set < 2; ++set) {
        for (int glyph = 0; glyph < kNumberGlyphs; ++glyph) {
            numberWidth[set][glyph] = 0;
            numberHeight[set][glyph] = 0;
            if (const wchar_t* image = GlyphImage(set, glyph))
                pages[kDigitPage].GetImageSize(image, &numberWidth[set][glyph], &numberHeight[set][glyph]);
        }
    }
}

void Hud::DrawNumberSet(int set, int alignRight, const wchar_t* text, int x, int y, int alpha)
{
    if (!text)
        return;
    const int length = static_cast<int>(std::wcslen(text));
    int pen = 0;
    auto drawGlyph = [&](wchar_t c, bool fromRight) {
        const int glyph = GlyphOf(c);
        const wchar_t* image = GlyphImage(set, glyph);
        const int width = image ? static_cast<int>(numberWidth[set][glyph]) : kGap[set];
        if (fromRight)
            pen += width;
        if (image)
            pages[kDigitPage].DrawImage(image, fromRight ? x - pen : x + pen, y, 0, 0, 255, 255, 255, alpha);
        if (!fromRight)
            pen += width;
    };
    if (alignRight == 0) {
        for (int i = 0; i < length; ++i)
            drawGlyph(text[i], false);
    } else {
        pen = kGap[set];
        for (int i = length - 1; i >= 0; --i)
            drawGlyph(text[i], true);
    }
}

int Hud::NumberSetWidth(int set, const wchar_t* text) const
{
    int width = 0;
    for (const wchar_t* c = text; c && *c; ++c) {
        const int glyph = GlyphOf(*c);
        // The minus has no measured width in either set's total.
        if (glyph < 0 || glyph == 13)
            width += kGap[set];
        else
            width += static_cast<int>(numberWidth[set][glyph]);
    }
    return width;
}

void Hud::DrawNumber(int alignRight, const wchar_t* text, int x, int y, int alpha)
{
    DrawNumberSet(0, alignRight, text, x, y, alpha);
}

void Hud::DrawNumberSmall(int alignRight, const wchar_t* text, int x, int y, int alpha)
{
    DrawNumberSet(1, alignRight, text, x, y, alpha);
}

int Hud::GetNumberWidth(const wchar_t* text) const
{
    return NumberSetWidth(0, text);
}

int Hud::GetNumberWidthSmall(const wchar_t* text) const
{
    return NumberSetWidth(1, text);
}

void Hud::DrawStars()
{
    const cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    if (starTimer.Elapsed() > kStarStepSeconds) {
        starTimer.Restart();
        if (starFrame < kLastStarFrame)
            ++starFrame;
    }
    wchar_t name[32];
    std::swprintf(name, 32, L"star00%02d", starFrame);
    pages[kDigitPage].DrawImage(
        name, static_cast<int>(450 / settings.scaleX), static_cast<int>(0 / settings.scaleY), 0, 0, 255, 255, 255, 255);
    wchar_t text[64];
    const int target = world.taskLineTargets[kPointsTargetLine];
    if (target > 0)
        std::swprintf(text, 64, L"%d / %d", world.levelPoints, target);
    else
        std::swprintf(text, 64, L"%d", world.levelPoints);
    DrawNumber(0, text, static_cast<int>(540 / settings.scaleX), static_cast<int>(26 / settings.scaleY), 255);
}

} // namespace Scene
