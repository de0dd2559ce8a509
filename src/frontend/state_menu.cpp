#include "frontend/state_menu.h"

#include "app/cursor_set.h"
#include "app/pp_app.h"
#include "app/pp_app_fonts.h"
#include "engine/gfx.h"
#include "resources/log.h"
#include "scene/menu_manager.h"
#include "world/game_world.h"

namespace {
const wchar_t* const kResolutionNotice = L"The desktop resolution must be at least 1024x768";
} // namespace

bool cStateMenu::Init(void* application)
{
    app = static_cast<cPPApp*>(application);
    cGameWorld::Instance().LoadTextStyles();
    cCursorSet::Instance().SetCursor(L"Standard", 1);
    cCursorSet::Instance().SetPosition(600, 500);
    return true;
}

bool cStateMenu::Quit()
{
    if (app)
        app->RequestState(cPPApp::kStateExit);
    return false;
}

void cStateMenu::DrawResolutionNotice()
{
    if (!noticeLogged) {
        cLog::Instance().Error(L"error: resolution < min ");
        noticeLogged = 1;
    }
    if (!g_pGfx2D || !g_fontBig)
        return;
    const cGameWorld& world = cGameWorld::Instance();
    SIZE size {};
    g_fontBig->MeasureText(kResolutionNotice, &size);
    g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    g_pGfx2D->DrawText(
        g_fontBig, (world.desktopWidth - size.cx) / 2, (world.desktopHeight - size.cy) / 2, kResolutionNotice, 0);
}

bool cStateMenu::Update(void* /*application*/)
{
    cGameWorld& world = cGameWorld::Instance();
    bool goOn = true;
    if (world.textEntryActive)
        HandleTextInput(app);
    if (app && app->IsKeyDown(VK_ESCAPE)) {
        app->ClearKey(VK_ESCAPE);
        world.textEntryActive = 0;
        goOn = false;
    } else if (world.desktopTooSmall) {
        // A click on the notice ends the game.
        if (g_pInputDevice && g_pInputDevice->WasButtonClicked(0))
            goOn = false;
    } else if (!levelStarted) {
        if (world.level < 1)
            world.level = 1;
        levelStarted = 1;
        // The loading phase of the menu switches the effects screen on; until
        // that phase exists, the level's weather needs it switched on here.
        if (Scene::MenuPrototype* effects = cMenuManager::Instance().GetMenu(cMenuManager::kEffects))
            effects->SetActive(true);
        // As the map's play button does: the level opens paused, with its
        // task dialog, which lets it run when closed.
        world.taskBookOpen = 1;
        world.gameMenuClosed = 1;
        world.SetPause(true);
        if (app)
            app->OnMenuStartGame();
    } else if (world.restartLevel) {
        // The level asked to be played again: it starts at once, running,
        // without its task dialog.
        world.restartLevel = 0;
        world.taskBookOpen = 0;
        world.resultScreenOpen = 0;
        world.shopOpen = 0;
        world.gameMenuClosed = 1;
        world.SetPause(false);
        world.levelEndStep = 0;
        if (app)
            app->OnMenuStartGame();
        world.textEntryActive = 0;
    } else {
        // Back from the level: with no menu to show yet, the game ends.
        goOn = false;
    }

    if (g_pGfxDevice) {
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_TARGET, 0, 0.0f, 0);
        g_pGfxDevice->BeginScene();
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, 0, 0.0f, 0);
        if (g_pGfx2D)
            g_pGfx2D->ResetState(2.0f);
        if (world.desktopTooSmall)
            DrawResolutionNotice();
        cCursorSet::Instance().Draw(16);
        g_pGfxDevice->EndScene();
        g_pGfxDevice->Present();
    }
    return goOn ? true : Quit();
}

void cStateMenu::Exit(void* /*application*/) { }
