// The text panels over the world map: the bank, the description of the level
// (or its lock notice, which pulses), the level information, the profile line,
// and three panels no screen draws at present.
#include <algorithm>
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/world_map.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kBestTimeText = 14;
    constexpr int kBestRow = 1;
    constexpr int kLevelText = 24;
    constexpr int kRatingText = 31;
    constexpr int kYourTimeText = 78;
    constexpr int kPlayerText = 96;
    constexpr int kRegionClosedText = 118;
    constexpr int kNotPassedText = 119;
    constexpr int kNeverPassedText = 120;
    constexpr int kGoldText = 121;
    constexpr int kSilverText = 122;
    constexpr int kPassedText = 123;
    constexpr int kLevelNumberText = 127;
    constexpr int kEarnedHereText = 144;
    constexpr double kPulseStep = 0.017;

    constexpr uint32_t kBlack = 0xFF000000;
    constexpr uint32_t kWhite = 0xFFFFFFFF;
    constexpr uint32_t kYellow = 0xFFFFFF00;

    void DrawLeft(const wchar_t* text, int x, int y, iGfxFont* font)
    {
        if (g_pGfx2D && font)
            g_pGfx2D->DrawText(font, x, y, text, 0);
        Screen::NoteText(text, x, y, font);
    }
    // Black one pixel right of and below the text, then the text.
    void DrawLeftShadowed(const wchar_t* text, int x, int y, iGfxFont* font, uint32_t colour)
    {
        SetColour(kBlack);
        DrawLeft(text, x + 1, y + 1, font);
        SetColour(colour);
        DrawLeft(text, x, y, font);
    }
    // The pulse of a lock notice (150 .. 255) as a colour: yellow at its low,
    // white at its high, opaque throughout. Faded out instead, the notice
    // would turn grey on the dark map and be hard to read half the time.
    uint32_t PulseColour(int pulse)
    {
        const int blue = std::clamp((pulse - 150) * 255 / 105, 0, 255);
        return 0xFFFFFF00u | static_cast<uint32_t>(blue);
    }
    // Minutes and seconds of a time in seconds; no negative seconds.
    void FormatTime(wchar_t* out, std::size_t size, const wchar_t* label, int time)
    {
        const int minutes = time / 60;
        const int seconds = std::max(0, time - 60 * minutes);
        std::swprintf(out, size, L"%ls %02d:%02d", label, minutes, seconds);
    }
} // namespace

void WorldMap::DrawBank()
{
    DrawMapImage(L"bank.png", 60, 117, 255, 255, 255, 255);
    wchar_t text[32];
    std::swprintf(text, 32, L"%d", cGameWorld::Instance().money);
    const int x = ScaleX(270);
    const int y = ScaleY(147);
    SetColour(kBlack);
    DrawTextRightAligned(false, text, x + 1, y + 1, g_fontBig);
    SetColour(kYellow);
    DrawTextRightAligned(false, text, x, y, g_fontBig);
}

void WorldMap::DrawDescription()
{
    cGameWorld& world = cGameWorld::Instance();
    const int panelX = ScaleX(380);
    const int panelWidth = ScaleX(525);
    world.FormatText(false, world.taskText, panelWidth, g_fontNormal2);

    const int shown = hoveredPin != -1 ? hoveredPin : world.level;
    wchar_t title[1100] = L"";
    int top = 60;
    if (shown == kCity)
        top = 20;
    else
        std::swprintf(title, 1100, L"%ls %d", g_guiVocabulary[kLevelText], shown);

    if (noticeTimer.Elapsed() > kPulseStep) {
        noticeTimer.Restart();
        if (noticeFading == 0) {
            noticeAlpha += 5;
            if (noticeAlpha > 255) {
                noticeAlpha = 255;
                noticeFading = 1;
            }
        }
        if (noticeFading == 1) {
            noticeAlpha -= 5;
            if (noticeAlpha < 150) {
                noticeAlpha = 150;
                noticeFading = 0;
            }
        }
    }
    // Only a lock notice pulses.
    if (world.taskTextIsNotice == 0)
        noticeAlpha = 255;

    DrawShadowed(title, panelX, ScaleY(top + 15), panelWidth, g_fontBig, kWhite, 1, kBlack);
    for (int i = 0; i < world.formatLineCount && i < world::kFormatLines; ++i)
        DrawShadowed(world.formatLines[i], panelX, ScaleY(top + 60 + 25 * i), panelWidth, g_fontNormal2,
            PulseColour(noticeAlpha), 1, kBlack);

    if (hintText.empty())
        return;
    world.FormatText(false, hintText, 525, g_fontNormal2);
    for (int i = 0; i < world.formatLineCount && i < world::kFormatLines; ++i)
        DrawShadowed(world.formatLines[i], panelX, ScaleY(175 + 25 * i), panelWidth, g_fontNormal2, kYellow, 1, kBlack);
}

void WorldMap::DrawLevelInfo(int level, int status)
{
    cGameWorld& world = cGameWorld::Instance();
    // A level number outside the tables (a hand-edited settings file) has no info.
    if (level < 0 || level >= world::kLevelTableSize)
        return;
    const int x = ScaleX(995);
    int y = ScaleY(120);
    const int step = ScaleY(25);
    wchar_t text[2200];
    if (cGameWorld::IsFirstLevelOfTriple(level)) {
        const int width = ScaleY(240);
        std::swprintf(text, 2200, L"%ls", g_guiVocabulary[kEarnedHereText]);
        DrawShadowed(text, x, y, width, g_fontNormal2, kYellow, 1, kBlack);
        std::swprintf(text, 2200, L"%d", world.levelMoney[level]);
        DrawShadowed(text, x, ScaleY(145), width, g_fontNormal2, kYellow, 1, kBlack);
        return;
    }

    if (status == -1) {
        // Never passed: a level with recorded tries was played and failed.
        // The wrapped lines are drawn one under the other, without their
        // line ends.
        const int id = world.levelCounter[level] > 0 ? kNotPassedText : kNeverPassedText;
        world.FormatText(false, g_guiVocabulary[id], 190, g_fontNormal);
        for (int i = 0; i < world.formatLineCount && i < world::kFormatLines; ++i) {
            DrawLeftShadowed(world.formatLines[i], x, y, g_fontNormal, kYellow);
            y += step;
        }
    } else {
        static constexpr int kWords[3] = { kPassedText, kSilverText, kGoldText };
        if (status >= 0 && status <= 2)
            std::swprintf(text, 2200, L"%ls: %ls", g_guiVocabulary[kRatingText], g_guiVocabulary[kWords[status]]);
        else
            text[0] = L'\0';
        DrawLeftShadowed(text, x, y, g_fontNormal, kYellow);
        y += step;
    }

    if (world.levelTime[level] != 0) {
        FormatTime(text, 2200, g_guiVocabulary[kYourTimeText], world.levelTime[level]);
        DrawLeftShadowed(text, x, y, g_fontNormal, kYellow);
        y += step;
    }
    // The best run is the table's first position, which the world keeps at
    // index 1 as the result files number it.
    if (level < world::kHighscoreLevels && world.highscoreTime[level][kBestRow] != 0) {
        FormatTime(text, 2200, g_guiVocabulary[kBestTimeText], world.highscoreTime[level][kBestRow]);
        DrawLeftShadowed(text, x, y, g_fontNormal, kYellow);
        y += step;
        DrawLeftShadowed(world.highscoreNames[level][kBestRow].c_str(), x, y, g_fontNormal, kYellow);
    }
}

void WorldMap::DrawProfileLine()
{
    const cGameWorld& world = cGameWorld::Instance();
    // A profile number from a hand-edited settings file names no one.
    const bool known = world.currentProfile >= 0 && world.currentProfile < world::kProfileNames;
    const std::wstring line = std::wstring(g_guiVocabulary[kPlayerText]) + L" "
        + (known ? world.profileNames[world.currentProfile] : std::wstring());
    const wchar_t* text = line.c_str();
    const int width = cSettings::Instance().GetWidth();
    const int y = ScaleY(820);
    SetColour(kWhite);
    DrawTextCentered(false, text, 1, y + 1, width, g_fontBig);
    SetColour(MakeARGB(255, 155, 155, 0));
    DrawTextCentered(false, text, 0, y, width, g_fontBig);
}

// The lines laid out last, one under the other from the design position
// (x, top), each centred in the width, shadowed black, text white.
void WorldMap::DrawWrappedLines(int x, int top, int width)
{
    const cGameWorld& world = cGameWorld::Instance();
    for (int i = 0; i < world.formatLineCount && i < world::kFormatLines; ++i)
        DrawShadowed(world.formatLines[i], ScaleX(x), ScaleY(top + 25 * i), width, g_fontNormal2, kWhite, 1, kBlack);
}

void WorldMap::DrawLockedNotice()
{
    cGameWorld& world = cGameWorld::Instance();
    world.FormatText(false, g_guiVocabulary[kRegionClosedText], 500, g_fontNormal2);
    DrawWrappedLines(400, 120, ScaleY(500));
}

void WorldMap::DrawLevelNumber(int level, int /*ignored*/)
{
    cGameWorld& world = cGameWorld::Instance();
    wchar_t text[1100];
    std::swprintf(text, 1100, L"%ls", g_guiVocabulary[kLevelNumberText]);
    DrawShadowed(text, ScaleX(980), ScaleY(105), ScaleX(256), g_fontNormal2, kWhite, 1, kBlack);
    const int number = level >= 0 && level < kTableSize ? levelNumbers[level] : 100;
    std::swprintf(text, 1100, L"N %d", number - 100);
    world.FormatText(false, text, ScaleX(256), g_fontNormal2);
    DrawWrappedLines(980, 130, ScaleX(256));
}

void WorldMap::DrawSpeechBubble(int /*ignored*/, const std::wstring& text, int x, int y)
{
    if (text.empty() || !g_fontNormal)
        return;
    cGameWorld& world = cGameWorld::Instance();
    SIZE size {};
    g_fontNormal->MeasureText(text.c_str(), &size);
    const int width = std::min(static_cast<int>(size.cx) + 5, 210);
    world.FormatText(false, text, ScaleX(width), g_fontNormal);
    const int lines = std::min(world.formatLineCount, world::kFormatLines);
    const int top = y - 18 * lines - 40;
    DrawMapImage(L"blase_left_01", x + 15, top, 255, 255, 255, 255);
    for (int i = 0; i < lines; ++i)
        DrawMapImage(L"blase_left_02", x + 15, top + 20 + 18 * i, 255, 255, 255, 255);
    DrawMapImage(L"blase_left_03", x + 15, top + 20 + 18 * lines, 255, 255, 255, 255);
    SetColour(MakeARGB(255, 48, 48, 160));
    for (int i = 0; i < lines; ++i)
        DrawLeft(world.formatLines[i], ScaleX(x + 45), ScaleY(top + 20 + 18 * i), g_fontNormal);
}

} // namespace Scene
