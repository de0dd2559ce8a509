// The head-up display's bar: the in-level game menu with its menu button, the
// task book button, and the order in which the other parts of the display are
// drawn over one another.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "scene/task_dialog.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    constexpr int kHudPage = 32;
    constexpr int kMenuButtonFrames = 20;
    constexpr double kMenuButtonFrameSeconds = 0.07;
    // Hover boxes of the menu and task book buttons, design pixels.
    constexpr int kCornerButtonSize = 100;

    constexpr int kTitleText = 24;
    constexpr int kContinueText = 8;
    constexpr int kRestartText = 21;
    constexpr int kOptionsText = 6;
    constexpr int kMainMenuText = 22;

    void SetDrawColour(uint32_t argb)
    {
        if (g_pGfx2D)
            g_pGfx2D->SetColor(argb);
    }

    bool OnRightSide(const cGameWorld& world)
    {
        return world.menuCorner == "right";
    }

    // The music is given back, not just forgotten, so it stops playing and its
    // memory is freed.
    void StopMusic(cGameWorld& world)
    {
        if (!world.musicStream)
            return;
        world.musicStream->Stop();
        world.musicStream->Release();
        world.musicStream = nullptr;
    }

    void ResetTaskPage()
    {
        if (auto* task = cScreenManager::Instance().Get<TaskDialog>(cScreenManager::kTask))
            task->ResetPage();
    }

} // namespace

void Hud::DrawBar()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    const int width = settings.GetWidth();
    const int height = settings.GetHeight();

    // From here on the screen's rectangle is the game menu's, so the hover
    // test of the display is the menu's.
    screenX = width / 2 - screenWidth / 2;
    screenY = static_cast<int>((height / 2 - screenHeight / 2) - 40 / settings.scaleY);

    // Under the won or failed panel the level is decided: the game menu stays
    // shut, so none of its buttons can act on it behind the panel.
    if (world.levelOver)
        world.gameMenuClosed = 1;

    // Escape closes the task book first; over an open game menu or an end
    // panel it does nothing.
    if (world.keyEscape) {
        if (world.taskBookOpen) {
            world.brightening = 1;
            world.darkening = 0;
            world.taskBookOpen = 0;
            world.keyEscape = 0;
            world.SetPause(false);
            world.gameMenuClosed = 1;
        } else if (world.gameMenuClosed && !world.levelOver) {
            world.keyEscape = 0;
            OpenGameMenu();
        }
    }

    // Until the press that began before the menu opened is over, the mouse
    // clicks nothing on the display; its release is no click either.
    if (world.gameMenuClosed) {
        pressBeforeMenu = false;
    } else if (pressBeforeMenu) {
        world.ResetFlags();
        pressBeforeMenu = world.leftDown != 0;
    }

    if (menuButtonTimer.Elapsed() > kMenuButtonFrameSeconds) {
        menuButtonTimer.Restart();
        if (++menuButtonFrame >= kMenuButtonFrames)
            menuButtonFrame = 0;
    }

    DoTaskBookButton();
    if (world.gameMenuClosed)
        DoMenuButton();
    if (!world.gameMenuClosed)
        DrawGameMenu();

    if (world.levelActive) {
        DrawClock();
        DrawStars();
    }
    if (!cGameWorld::IsFirstLevelOfTriple(world.level))
        DrawBonusSlots();
    DrawLevelEnd();
}

void Hud::DoMenuButton()
{
    cGameWorld& world = cGameWorld::Instance();
    const int x = OnRightSide(world) ? cSettings::Instance().GetWidth() - ScaleX(110) : ScaleX(10);
    const int y = ScaleY(924);
    const bool hovered = IsMouseInRect(x, y, x + ScaleX(kCornerButtonSize), y + ScaleY(kCornerButtonSize));
    // While no cell is free, or once the level is decided, the button neither
    // animates nor opens the menu.
    const bool live = !world.noFreeCell && !world.levelOver && hovered;
    if (!live)
        menuButtonFrame = kMenuButtonFrames - 1;
    wchar_t image[32];
    std::swprintf(image, 32, L"m00%02d.png", menuButtonFrame);
    pages[kHudPage].DrawImage(image, x, y, 0, 0, 255, 255, 255, GetAlpha());
    if (!live || !world.clickEvent)
        return;
    world.brightening = 1;
    world.darkening = 0;
    OpenGameMenu();
    world.taskBookOpen = 0;
    // Values still flying land and count behind the menu, as they do when
    // Escape opens it.
}

void Hud::OpenGameMenu()
{
    cGameWorld& world = cGameWorld::Instance();
    world.gameMenuClosed = 0;
    world.SetPause(true);
    world.PutBackHeldCar();
    pressBeforeMenu = world.leftDown != 0;
    world.ResetFlags();
}

void Hud::DrawGameMenu()
{
    cGameWorld& world = cGameWorld::Instance();
    pages[kHudPage].DrawImage(L"menu_game.png", screenX, screenY, 0, 0, 255, 255, 255, 255);

    const int w = static_cast<int>(buttonWidth);
    const int h = static_cast<int>(buttonHeight);
    const int x = screenX + screenWidth / 2 - w / 2;
    wchar_t title[kGuiTextLength + 32];
    std::swprintf(title, kGuiTextLength + 32, L"%ls %d / 30", g_guiVocabulary[kTitleText], world.level);
    SetDrawColour(MakeARGB(255, 0, 0, 0));
    DrawTextCentered(false, title, x + 1, screenY + ScaleY(50) + 1, w, g_fontBig);
    SetDrawColour(MakeARGB(255, 255, 255, 0));
    DrawTextCentered(false, title, x, screenY + ScaleY(50), w, g_fontBig);

    const auto button = [&](int text, int rowY) {
        return DoButton(false, g_fontNormal2, L"button_short_off.png", L"button_short_over.png", g_guiVocabulary[text],
            x, screenY + ScaleY(rowY), w, h, 149, 60, 60, 255, 255, 255);
    };
    if (button(kContinueText, 110)) {
        world.gameMenuClosed = 1;
        world.SetPause(false);
    }
    if (button(kRestartText, 170)) {
        world.gameMenuClosed = 1;
        world.autoOnMouse = -1;
        world.leaveLevel = 1;
        world.levelActive = 0;
        world.resultScreenOpen = 0;
        SetTaskBookFlag(false);
        world.SetPause(false);
        world.restartLevel = 1;
    }
    if (button(kOptionsText, 230)) {
        world.gameMenuClosed = 1;
        world.autoOnMouse = -1;
        world.optionsOpen = world.optionsOpen ? 0 : 1;
        world.SetPause(true);
    }
    if (button(kMainMenuText, 290)) {
        world.gameMenuClosed = 0;
        world.keyEscape = 0;
        world.autoOnMouse = -1;
        world.leaveLevel = 1;
        world.levelActive = 0;
        world.resultScreenOpen = 0;
        SetTaskBookFlag(false);
        world.SetPause(true);
        world.SaveConfig();
        world.restartLevel = 0;
        world.levelPoints = 0;
        // The map's result view must not take this for a finished level.
        world.levelOver = 0;
        StopMusic(world);
        world.menuChoice = -1;
        world.profilesOpen = 0;
        world.ClearMessages();
        ResetTaskPage();
        world.level = world.furthestLevel;
    }
}

void Hud::DoTaskBookButton()
{
    cGameWorld& world = cGameWorld::Instance();
    const int x = ScaleX(OnRightSide(world) ? 1170 : 10);
    const int y = ScaleY(824);
    CPageManager& page = pages[kHudPage];
    if (!IsMouseInRect(x, y, x + ScaleX(kCornerButtonSize), y + ScaleY(kCornerButtonSize))) {
        page.DrawImage(L"book0000.png", x, y, 0, 0, 255, 255, 255, 255);
        return;
    }
    page.DrawImage(L"bookover0000.png", x, y, 0, 0, 255, 255, 255, 255);
    if (!world.leftClick)
        return;
    world.ClearMouseClicks();
    world.taskBookOpen = world.taskBookOpen ? 0 : 1;
    if (world.taskBookOpen) {
        ResetTaskPage();
        world.darkening = 1;
        world.gameMenuClosed = 1;
        world.SetPause(true);
    } else {
        world.brightening = 1;
        world.SetPause(false);
    }
}

void Hud::DrawBottomImage(int x, int y)
{
    pages[kHudPage].DrawImage(L"menue_unten.png", x, y, 0, 0, 255, 255, 255, 255);
}

} // namespace Scene
