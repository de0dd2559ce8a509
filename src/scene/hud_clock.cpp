// The head-up display's clock: the clock face, the time played and the medal
// badge with the time still allowed for gold, then silver, then the limit;
// once the limit has passed, a red badge says the time is up.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/time_rating.h"

namespace Scene {

namespace {

    constexpr int kHudPage = 32;
    constexpr double kClockFrameSeconds = 0.16;
    constexpr int kClockFrames = 30;
    constexpr int kGoldHelpText = 129;
    constexpr int kSilverHelpText = 130;
    constexpr int kTimeUpText = 34;

    // "mm:ss" of a time in seconds; the seconds never below 0.
    std::wstring FormatTime(int seconds)
    {
        const int minutes = seconds / 60;
        int rest = seconds - 60 * minutes;
        if (rest < 0)
            rest = 0;
        wchar_t text[32];
        std::swprintf(text, 32, L"%02d:%02d", minutes, rest);
        return text;
    }

    // The signal of a threshold sounds in the second the played time
    // reaches it, once per run of the program.
    void Signal(uint8_t& played, int elapsed, int threshold)
    {
        if (elapsed != threshold || played)
            return;
        Story::Instance().PlaySound("change_status_timer");
        played = 1;
    }

} // namespace

void Hud::DrawClock()
{
    cGameWorld& world = cGameWorld::Instance();
    CPageManager& page = pages[kHudPage];

    if (clockTimer.Elapsed() > kClockFrameSeconds) {
        clockTimer.Restart();
        if (!world.IsPaused() && ++clockFrame >= kClockFrames)
            clockFrame = 0;
    }
    wchar_t face[32];
    std::swprintf(face, 32, L"uhr00%02d.png", clockFrame);
    page.DrawImage(face, ScaleX(3), 1, 0, 0, 255, 255, 255, 255);

    const int elapsed = world.levelElapsed;
    DrawNumber(0, FormatTime(elapsed).c_str(), ScaleX(73), ScaleY(20), 255);

    if (cGameWorld::IsFirstLevelOfTriple(world.level))
        return;

    const int limit = world.levelTimeLimit;
    const int gold = world::GoldSeconds(limit);
    const int silver = world::SilverSeconds(limit);
    // A level without a limit has no thresholds to signal: all three would
    // be 0 and sound at the level's first second.
    if (limit > 0) {
        Signal(world.timeLimitSoundPlayed[0], elapsed, gold);
        Signal(world.timeLimitSoundPlayed[1], elapsed, silver);
        Signal(world.timeLimitSoundPlayed[2], elapsed, limit);
    }

    const int badgeX = ScaleX(235);
    const int badgeY = ScaleY(16);
    const bool inBadge = IsMouseInRect(badgeX, badgeY, ScaleX(363), ScaleY(65));
    const int timeX = ScaleX(246);
    const int timeY = ScaleY(26);
    bool badge = false;
    if (elapsed < gold || elapsed < silver) {
        badge = true;
        const bool isGold = elapsed < gold;
        const wchar_t* image
            = isGold ? (inBadge ? L"slot_gold_over" : L"slot_gold") : (inBadge ? L"slot_silver_over" : L"slot_silver");
        page.DrawImage(image, badgeX, badgeY, 0, 0, 255, 255, 255, 255);
        DrawNumberSmall(0, FormatTime(isGold ? gold : silver).c_str(), timeX, timeY, 255);
        if (inBadge)
            DrawShopHelp(0, g_guiVocabulary[isGold ? kGoldHelpText : kSilverHelpText], ScaleX(343), ScaleY(65));
    } else if (elapsed < limit) {
        DrawNumberSmall(0, FormatTime(limit).c_str(), timeX, timeY, 255);
    } else if (limit > 0 && !world.levelOver) {
        // Past the limit the level can still be finished, but not passed;
        // once it is over, its end panel says so.
        page.DrawImage(L"slot_time_up", badgeX, badgeY, 0, 0, 255, 255, 255, 255);
        uint32_t w = 0;
        uint32_t h = 0;
        page.GetImageSize(L"slot_time_up", &w, &h);
        const wchar_t* text = g_guiVocabulary[kTimeUpText];
        SIZE size {};
        if (g_fontNormal2)
            g_fontNormal2->MeasureText(text, &size);
        const int y = badgeY + (static_cast<int>(h) - size.cy) / 2;
        SetColour(0xFF000000u);
        DrawTextCentered(false, text, badgeX + 1, y + 1, static_cast<int>(w), g_fontNormal2);
        SetColour(0xFFFFFFFFu);
        DrawTextCentered(false, text, badgeX, y, static_cast<int>(w), g_fontNormal2);
    }

    // Only a badge pauses; once none shows, a pause it made is let go.
    const bool hovered = badge && inBadge;
    if (!world.IsPaused() && !world.medalHoverPause && hovered) {
        world.SetPause(true);
        world.medalHoverPause = 1;
    } else if (world.medalHoverPause && !hovered) {
        world.SetPause(false);
        world.medalHoverPause = 0;
    }
}

} // namespace Scene
