// The end-of-level panel: over the start screen's pictures, a won level shows
// its medal cup (when it earned one) and then its statistics with the button
// to the result screen; a failed one shows why and the button out of the level.
#include <string>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/start_screen.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    constexpr int kHudPage = 32;
    constexpr int kContinueText = 8;
    constexpr int kTimeOutText = 25;
    constexpr int kGameOverText = 128;
    // Where "Not passed" stands on the plate, under the title.
    constexpr int kReasonY = 360;
    constexpr int kGoldCupText = 90;
    // The resting label of the panels' buttons: dark red on their light
    // face, as on every other button of that face.
    constexpr struct {
        int r, g, b;
    } kLabel { 149, 60, 60 };
    constexpr int kSilverCupText = 91;
    // The sparkle effect and its speed.
    constexpr int kSparkleEffect = 8;
    constexpr float kSparkleSpeed = 0.1f;
    constexpr double kSparkleSeconds = 0.034;
    constexpr double kFadeSeconds = 0.017;
    constexpr double kCupHoldSeconds = 3.0;

    // Where the sparkles start, one per step, on the 1280-wide design screen.
    constexpr struct {
        int x;
        int y;
    } kSparkles[] = { { 504, 355 }, { 606, 504 }, { 670, 382 }, { 565, 474 }, { 633, 425 }, { 547, 539 }, { 603, 301 },
        { 563, 583 }, { 554, 367 }, { 660, 361 }, { 547, 456 }, { 530, 346 }, { 560, 520 } };
    constexpr int kSparkleCount = static_cast<int>(sizeof(kSparkles) / sizeof(kSparkles[0]));

    void SetColour(int r, int g, int b)
    {
        if (g_pGfx2D)
            g_pGfx2D->SetColor(
                MakeARGB(255, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b)));
    }

} // namespace

void Hud::SetTaskBookFlag(bool open)
{
    cGameWorld::Instance().taskBookOpen = open ? 1 : 0;
}

void Hud::DrawTextRight(bool alt, const wchar_t* text, int x, int y, iGfxFont* font)
{
    DrawTextRightEnd(alt, text, x, y, font);
}

void Hud::DrawResults(int won)
{
    cGameWorld& world = cGameWorld::Instance();
    world.resultsShown = 1;
    if (auto* start = cScreenManager::Instance().Get<StartScreen>(cScreenManager::kStart)) {
        start->DrawStartMenuImage();
        start->DrawStationImage();
    }
    if (world.resultScreenOpen)
        return;

    const int buttonX = ScaleX(290) + ScaleX(250);
    const int buttonY = ScaleY(450) + ScaleY(510);
    if (won) {
        if (!world.medalText.empty() && world.cupPhase != 3) {
            DrawCups();
            return;
        }
        DrawStatistics();
        if (DoButton(true, g_fontNormal2, L"button_short_off.png", L"button_short_over.png",
                g_guiVocabulary[kContinueText], buttonX, buttonY, ScaleX(205), ScaleY(49), kLabel.r, kLabel.g, kLabel.b,
                255, 255, 0)) {
            // The result screen takes over; this panel then draws only its
            // background.
            world.highscoreTableReady = 0;
            world.resultScreenOpen = 1;
            world.resultRecorded = 0;
        }
        return;
    }

    // Not passed, on the statistics' plate, and why: the station ran full or
    // the time ran out before the task was done. A level ended otherwise
    // (Story::GameOver) gives no reason.
    const wchar_t* reason = nullptr;
    if (world.gameOverPanelShown)
        reason = g_guiVocabulary[kGameOverText];
    else if (world.timeOutFailure)
        reason = g_guiVocabulary[kTimeOutText];
    DrawPanelPlate();
    DrawPanelTitle();
    DrawNotPassed(reason, ScaleY(kReasonY));
    if (DoButton(true, g_fontNormal2, L"button_short_off.png", L"button_short_over.png", g_guiVocabulary[kContinueText],
            ScaleX(540), buttonY, ScaleX(205), ScaleY(49), kLabel.r, kLabel.g, kLabel.b, 255, 255, 255)) {
        // Out of the level without the result screen.
        world.clickEvent = 0;
        world.autoOnMouse = -1;
        world.leaveLevel = 1;
        world.levelActive = 0;
        world.resultScreenOpen = 0;
        SetTaskBookFlag(false);
        world.SetPause(true);
        world.levelOver = 0;
    }
}

void Hud::DrawCups()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool gold = world.medalText == L"GOLD";
    world.FormatText(true, g_guiVocabulary[gold ? kGoldCupText : kSilverCupText], ScaleX(650), g_fontNormal2);
    const wchar_t* line = world.formatLines[0];
    // The line stands on the dark hint plate, centred under it, so it reads
    // over whatever ground the level ends on.
    pages[kHudPage].DrawImage(L"use_joker.png", ScaleX(265), ScaleY(857), 0, 0, 255, 255, 255, 255);
    SetColour(0, 0, 0);
    DrawTextCentered(false, line, ScaleX(290) + 1, ScaleY(880) + 1, ScaleX(650), g_fontNormal2);
    SetColour(255, 255, 255);
    DrawTextCentered(false, line, ScaleX(290), ScaleY(880), ScaleX(650), g_fontNormal2);

    if (world.cupPhase == 0) {
        if (!world.cupStarted) {
            world.cupAlpha = 0;
            world.cupStarted = 1;
            cupTimer.Restart();
            sparkleStep = 0;
            cupHold = false;
        }
        if (cupTimer.Elapsed() > kSparkleSeconds) {
            cupTimer.Restart();
            ++sparkleStep;
            if (sparkleStep > kSparkleCount) {
                world.cupPhase = 1;
                Story::Instance().PlaySound("applause_cup");
            } else {
                const auto& at = kSparkles[sparkleStep - 1];
                world.CreateMyEffects(-1, kSparkleEffect, 0, kSparkleSpeed, ScaleX(at.x - 70), ScaleY(at.y - 70), 0, 0);
            }
        }
    }
    if (world.cupPhase == 1 && cupTimer.Elapsed() > kFadeSeconds) {
        cupTimer.Restart();
        world.cupAlpha += 5;
        if (world.cupAlpha >= 255)
            world.cupPhase = 2;
    }
    if (world.cupPhase == 2) {
        if (!cupHold) {
            if (cupTimer.Elapsed() > kCupHoldSeconds) {
                cupHold = true;
                cupTimer.Restart();
            }
        } else if (cupTimer.Elapsed() > kFadeSeconds) {
            cupTimer.Restart();
            world.cupAlpha -= 15;
            if (world.cupAlpha <= 0) {
                world.medalText.clear();
                world.cupPhase = 3;
                world.cupStarted = 0;
                world.cupAlpha = 0;
            }
        }
    }

    pages[kHudPage].DrawImage(gold ? L"goldcup_01a.png" : L"silvercup_01a.png", ScaleX(520), ScaleY(260), 0, 0, 255,
        255, 255, world.cupAlpha);
}

} // namespace Scene
