// The profile screen: six profiles to choose from, a new game on one of them
// (confirmation, then its name and driving side), play, options and quit.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/start_screen.h"
#include "frontend/start_screen_profiles_layout.h"
#include "platform/time_source.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/settings_values.h"

namespace Scene {

using namespace ProfileLayout;

namespace {

    constexpr int kOptionsText = 6;
    constexpr int kFreeSlotText = 8;
    constexpr int kNewGameText = 15;
    constexpr int kYesText = 16;
    constexpr int kNoText = 17;
    constexpr int kQuitText = 20;
    constexpr int kPlayText = 23;
    constexpr int kLevelText = 24;
    constexpr int kTitleText = 56;
    constexpr int kOkText = 64;
    constexpr int kConfirmText = 65;
    constexpr int kNewGameHint = 66;
    constexpr int kChooseHint = 67;
    constexpr int kCurrentHint = 68;
    constexpr int kLeftSideText = 94;
    constexpr int kRightSideText = 95;
    constexpr int kWindowHint = 97;
    constexpr int kTypeNameHint = 155;
    constexpr int kLetterRefusedText = 47;
    // Milliseconds a refused letter is told in the hint line.
    constexpr double kRefusalMilliseconds = 3000.0;

    const wchar_t* const kButtonOff = L"button_short_off.png";
    const wchar_t* const kButtonOver = L"button_short_over.png";
    constexpr uint32_t kFadedWhite = 0xA0FFFFFF;

    // Black one pixel right of and below its place, then in its colour;
    // centred in width, or from x when width is 0.
    void DrawShadowed(Screen& screen, const wchar_t* text, int x, int y, int width, uint32_t colour)
    {
        for (int pass = 0; pass < 2; ++pass) {
            const int d = pass == 0 ? 1 : 0;
            SetColour(pass == 0 ? kBlack : colour);
            if (width > 0)
                screen.DrawTextCentered(false, text, x + d, y + d, width, g_fontNormal2);
            else if (g_pGfx2D && g_fontNormal2)
                g_pGfx2D->DrawText(g_fontNormal2, x + d, y + d, text, 0);
        }
    }

} // namespace

void StartScreen::DrawProfiles()
{
    cGameWorld& world = cGameWorld::Instance();
    // A profile number from elsewhere than the settings must not index past
    // the six profiles.
    world.currentProfile = world::ClampWorkplace(world.currentProfile);
    hintDrawn = false;
    if (world.restartConfirmOpen) {
        DrawConfirmDialog();
        return;
    }
    // Escape ends the typing (the main menu's keys); a new game whose name
    // was not confirmed is then given up rather than left without a name.
    if (world.profileNameEntry && world.keyEscape)
        CancelNameEntry();

    const int bx = Bx();
    const int by = By();
    const int bl = ButtonLine();
    const int buttonW = ScaleX(kButtonWidth);
    const int buttonH = ScaleY(kButtonHeight);
    auto doButton = [&](int text, int x, int y) {
        return DoButton(false, g_fontNormal2, kButtonOff, kButtonOver, g_guiVocabulary[text], x, y, buttonW, buttonH,
            149, 60, 60, 255, 255, 255);
    };

    DrawClouds();
    DrawStationImage();
    pages[kStartPage].DrawImage(L"helper_rahmen.png", bx, by - ScaleY(80), 0, 0, 255, 255, 255, 255);
    pages[kStartPage].DrawImage(L"helper_balken.png", bx, by + ScaleY(380), 0, 0, 255, 255, 255, 255);
    DrawShadowed(*this, g_guiVocabulary[kTitleText], bx, by - ScaleY(60), ScaleX(513), kWhite);

    if (!world.profileNameEntry) {
        const bool overNewGame = IsMouseInRect(bx + ScaleX(20), bl, bx + ScaleX(265), bl + ScaleY(42));
        if (!world.textEntryActive) {
            if (doButton(kNewGameText, bx + ScaleX(30), bl))
                world.restartConfirmOpen = 1;
            else if (world.profileLastLevel[world.currentProfile] > -1 && overNewGame)
                DrawHint(bx, by + ScaleY(380), g_guiVocabulary[kNewGameHint]);
        } else if (overNewGame) {
            DrawHint(bx, by + ScaleY(380), g_guiVocabulary[kNewGameHint]);
        }
        if (!world.profileNames[world.currentProfile].empty()) {
            if (doButton(kPlayText, bx + ScaleX(275), bl))
                PlayProfile();
        } else {
            // A free slot has nothing to play on: the play button's place
            // shows a faded face with its label on it, and takes no press.
            const int x = bx + ScaleX(275);
            pages[kStartPage].DrawImage(kButtonOff, x, bl, 0, 0, 255, 255, 255, 96);
            SetColour(kFadedWhite);
            DrawTextCentered(false, g_guiVocabulary[kFreeSlotText], x, bl + ScaleY(13), buttonW, g_fontNormal2);
        }
    }

    DrawProfileSlots(world.textEntryActive != 0);
    DrawProgress();
    DrawDrivingSide(world.textEntryActive != 0);

    if (world.profileNameEntry) {
        if (world.keyEnter || doButton(kOkText, bx + ScaleX(150), bl))
            ConfirmNewGame();
        if (world.textEntryActive)
            DrawProfileNameField();
    } else {
        if (doButton(kQuitText, bx + ScaleX(275), bl + ScaleY(70)))
            QuitFromProfiles();
        if (doButton(kOptionsText, bx + ScaleX(30), bl + ScaleY(70)))
            OpenOptions();
        if (world.textEntryActive)
            DrawProfileNameField();
    }

    if (!world.fullScreen && !hintDrawn)
        DrawHint(bx, by + ScaleY(380), g_guiVocabulary[kWindowHint]);
}

void StartScreen::DrawConfirmDialog()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    uint32_t w = 0;
    uint32_t h = 0;
    pages[kStartPage].GetImageSize(L"menu_profile.png", &w, &h);
    const int width = static_cast<int>(w);
    const int height = static_cast<int>(h);
    const int dx = settings.GetWidth() / 2 - width / 2;
    const int dy = settings.GetHeight() / 2 - height / 2 + ScaleY(80);
    pages[kStartPage].DrawImage(L"menu_profile.png", dx, dy, 0, 0, 255, 255, 255, 255);
    DrawShadowed(*this, g_guiVocabulary[kConfirmText], dx, dy + ScaleY(100), width, kWhite);

    const int y = dy + height - ScaleY(90);
    const int buttonW = ScaleX(kButtonWidth);
    const int buttonH = ScaleY(kButtonHeight);
    // The labels of the screen's other buttons: dark red on the light face,
    // white on the deep one under the mouse.
    const bool yes = DoButton(false, g_fontNormal2, kButtonOff, kButtonOver, g_guiVocabulary[kYesText], dx + ScaleX(40),
        y, buttonW, buttonH, 149, 60, 60, 255, 255, 255);
    const bool no = DoButton(false, g_fontNormal2, kButtonOff, kButtonOver, g_guiVocabulary[kNoText], dx + ScaleX(255),
        y, buttonW, buttonH, 149, 60, 60, 255, 255, 255);
    if (yes)
        StartNameEntry();
    else if (no)
        world.restartConfirmOpen = 0;
}

void StartScreen::DrawProfileSlots(bool typing)
{
    cGameWorld& world = cGameWorld::Instance();
    const int bx = Bx();
    const int by = By();
    for (int k = 1; k <= world::kProfiles; ++k) {
        const int x = SlotX(k);
        const int y = SlotY(k);
        const bool inside = IsMouseInRect(x, y, x + ScaleX(kSlotWidth), y + ScaleY(kSlotHeight));
        const bool current = k == world.currentProfile;
        const wchar_t* image = current ? L"user_active.png" : L"user_passive.png";
        pages[kStartPage].DrawImage(image, x, y, 0, 0, 255, 255, 255, 255);
        if (!typing && inside) {
            pages[kStartPage].DrawImage(L"user_over.png", x, y, 0, 0, 255, 255, 255, 255);
            DrawHint(bx, by + ScaleY(380), g_guiVocabulary[kChooseHint]);
            if (world.clickEvent)
                world.currentProfile = k;
        } else if (current && inside) {
            pages[kStartPage].DrawImage(L"user_over.png", x, y, 0, 0, 255, 255, 255, 255);
            DrawHint(bx, by + ScaleY(380), g_guiVocabulary[kCurrentHint]);
        }
        if (typing && k == world.currentProfile)
            continue; // the name field shows it
        DrawShadowed(*this, world.profileNames[k].c_str(), SlotTextX(k), SlotTextY(k), 0,
            k == world.currentProfile ? kYellow : kWhite);
    }
}

void StartScreen::DrawProgress()
{
    const cGameWorld& world = cGameWorld::Instance();
    wchar_t text[kGuiTextLength + 32];
    std::swprintf(text, sizeof text / sizeof text[0], L"%ls %d / 30", g_guiVocabulary[kLevelText],
        world.profileLastLevel[world.currentProfile]);
    DrawShadowed(*this, text, Bx(), By(), ScaleX(513), kWhite);
    DrawShadowed(*this, world.profileNames[world.currentProfile].c_str(), Bx(), By() + ScaleY(30), ScaleX(513), kWhite);
}

void StartScreen::DrawDrivingSide(bool typing)
{
    cGameWorld& world = cGameWorld::Instance();
    world.currentDrive = world.profileDrive[world.currentProfile];
    if (!typing)
        return;
    const int bx = Bx();
    const int by = By();
    const bool left = world.currentDrive == 0;
    pages[kStartPage].DrawImage(
        left ? L"wheel_left.png" : L"wheel_right.png", bx + ScaleX(200), by + ScaleY(240), 0, 0, 255, 255, 255, 255);
    const bool inside = IsMouseInRect(bx + ScaleX(180), by + ScaleY(250), bx + ScaleX(293), by + ScaleY(367));
    if (!inside)
        return;
    DrawHint(bx, by + ScaleY(380), g_guiVocabulary[left ? kLeftSideText : kRightSideText]);
    // The side is chosen once, when the profile starts; later it stays.
    if (world.profileLastLevel[world.currentProfile] <= 1 && world.leftClick) {
        world.ClearMouseClicks();
        // Any side other than 0 is the right one, so the switch goes to 0
        // from every such value.
        world.currentDrive = world.currentDrive != 0 ? 0 : 1;
        world.profileDrive[world.currentProfile] = world.currentDrive;
    }
}

void StartScreen::DrawProfileNameField()
{
    // Where the slot shows its name, so the name typed stands where it stays;
    // the hint line tells a new player to type it.
    const int p = cGameWorld::Instance().currentProfile;
    DrawNameField(SlotTextX(p), SlotTextY(p), kProfileNameLength);
    const bool refused = platform::NowMilliseconds() - cGameWorld::Instance().textEntryRefusedAt < kRefusalMilliseconds;
    if (!hintDrawn)
        DrawHint(Bx(), By() + ScaleY(380), g_guiVocabulary[refused ? kLetterRefusedText : kTypeNameHint]);
}

int StartScreen::SlotTextX(int k)
{
    return SlotX(k) + ScaleX(kSlotTextInset);
}

int StartScreen::SlotTextY(int k)
{
    // The line of g_fontNormal2 centred in the slot.
    SIZE size {};
    if (g_fontNormal2)
        g_fontNormal2->MeasureText(L"Ag", &size);
    return SlotY(k) + (ScaleY(kSlotHeight) - size.cy) / 2;
}

} // namespace Scene
