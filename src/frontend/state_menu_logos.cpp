// The start of a run: the logos of data/logos/list.csv fade in, hold and fade
// out one after another over the whole screen; then, over the title picture
// and with the title music, the screens are switched on one per frame (each
// loading its pages) while the loading bar grows, and the start screen opens.
#include <chrono>
#include <string>
#include <thread>

#include "app/cursor_set.h"
#include "engine/gfx.h"
#include "frontend/start_screen.h"
#include "frontend/state_menu.h"
#include "resources/file_manager.h"
#include "scene/screen_manager.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

// How long the bar rests at each of its three closing steps.
constexpr auto kLoadingPause = std::chrono::milliseconds(100);

std::function<void()>& LoadingPause()
{
    static std::function<void()> pause;
    return pause;
}

void PauseLoading()
{
    if (LoadingPause())
        LoadingPause()();
    else
        std::this_thread::sleep_for(kLoadingPause);
}

// The screens the loading sequence switches on, in order, with the bar's
// percentage after each.
struct LoadStep {
    int slot;
    int percent;
};
constexpr LoadStep kLoadSteps[] = {
    { cScreenManager::kOptions, 5 },
    { cScreenManager::kStart, 5 },
    { cScreenManager::kWorldMap, 10 },
    { cScreenManager::kEffects, 15 },
    { cScreenManager::kHud, 20 },
    { cScreenManager::kHelp, 25 },
    { cScreenManager::kBuild, 30 },
    { cScreenManager::kTask, 35 },
    { cScreenManager::kMessagePanel, 40 },
    { cScreenManager::kCarLayer, 45 },
    { cScreenManager::kStationView, 50 },
};

void DrawBar(int percent)
{
    if (auto* start = cScreenManager::Instance().Get<Scene::StartScreen>(cScreenManager::kStart))
        start->DrawLoadingBar(0, percent);
}

} // namespace

void cStateMenu::SetLoadingPauseForTests(std::function<void()> pause)
{
    LoadingPause() = std::move(pause);
}

void cStateMenu::LoadLogoTextures()
{
    const cGameWorld& world = cGameWorld::Instance();
    cFileManager& files = cFileManager::Instance();
    bool missing = false;
    for (int i = 0; i < world.logoCount && i < world::kLogos; ++i) {
        const std::wstring path = L"data/logos/" + world.logoNames[i];
        iFile* file = files.OpenFile(path.c_str());
        if (!file) {
            missing = true;
            continue;
        }
        if (g_pGfx2D && file->GetData() && file->GetSize() > 0) {
            g_pGfx2D->SetColor(0);
            logoTextures[i] = g_pGfx2D->CreateTextureFromMemory(file->GetData(), file->GetSize(), 0, 1, 0);
            g_pGfx2D->SetColor(0xFFFFFFFFu);
        }
        files.Release(file);
    }
    // Only while the logos are still to come: the set is not loaded again
    // every time the menu comes back from a level.
    if (missing && world.logosPresent && !logoPagesLoaded)
        logoPagesLoaded = logoPages.Load(kLogoFolder);
    if (world.logoCount > 0 && g_pGfx2D)
        g_pGfx2D->SetTexture(logoTextures[0]);
}

void cStateMenu::ReleaseLogoTextures()
{
    for (iGfxTexture*& texture : logoTextures) {
        delete texture;
        texture = nullptr;
    }
    logoPages.Unload();
    logoPagesLoaded = false;
}

void cStateMenu::UpdateLogos()
{
    cGameWorld& world = cGameWorld::Instance();
    const int i = world.logoIndex;
    if (i < 0 || i >= world.logoCount || i >= world::kLogos) {
        // A list that changed under the sequence ends it.
        world.logosPresent = 0;
        world.loadingPhase = 1;
        return;
    }
    const double elapsed = logoTimer.Elapsed();
    if (world.logoPhase == 0) {
        if (elapsed > world.logoFadeInStep[i]) {
            logoTimer.Restart();
            if (++world.logoFadeValue >= 255) {
                world.logoFadeValue = 255;
                world.logoPhase = 1;
                logoTimer.Restart();
            }
        }
    } else if (world.logoPhase == 1) {
        if (elapsed > world.logoHoldTime[i]) {
            logoTimer.Restart();
            world.logoPhase = 2;
        }
    } else if (elapsed > world.logoFadeOutStep[i]) {
        logoTimer.Restart();
        world.logoFadeValue -= 2;
        if (world.logoFadeValue <= 0)
            world.logoFadeValue = 0;
    }
    DrawLogo();
    if (world.logoPhase == 2 && world.logoFadeValue == 0) {
        if (++world.logoIndex == world.logoCount) {
            world.logosPresent = 0;
            world.loadingPhase = 1;
        } else {
            world.logoPhase = 0;
        }
    }
}

void cStateMenu::DrawLogo()
{
    const cGameWorld& world = cGameWorld::Instance();
    const int i = world.logoIndex;
    const int alpha = world.logoFadeValue;
    if (!g_pGfx2D)
        return;
    if (logoTextures[i]) {
        g_pGfx2D->SetDrawMode(9);
        g_pGfx2D->SetColor(MakeARGB(alpha, 255, 255, 255));
        g_pGfx2D->SetTexture(logoTextures[i]);
        g_pGfx2D->DrawTexture(nullptr, &logoRect);
    } else if (logoPagesLoaded) {
        logoPages.DrawImageScaled(world.logoNames[i].c_str(), logoRect.left, logoRect.top,
            logoRect.right - logoRect.left, logoRect.bottom - logoRect.top, 255, 255, 255, alpha);
    }
}

void cStateMenu::PlayStartMusic()
{
    cGameWorld& world = cGameWorld::Instance();
    if (cSettings::Instance().mute || !world.soundEngine)
        return;
    // A stream still held is given back first: its handle is the only way
    // to free it.
    if (world.musicStream) {
        world.musicStream->Stop();
        world.musicStream->Release();
    }
    world.musicStream = world.soundEngine->Play2D("data/sound/music/start.ogg");
    world.startMusicStarted = 1;
}

void cStateMenu::LoadWithProgress()
{
    cGameWorld& world = cGameWorld::Instance();
    cScreenManager& menus = cScreenManager::Instance();
    for (const LoadStep& step : kLoadSteps) {
        Scene::Screen* screen = menus.GetScreen(step.slot);
        // A screen already switched on counts as loaded even while it is
        // faded out, or the walk would stop at it for good.
        if (!screen || screen->IsVisible() || screen->IsActive())
            continue;
        screen->SetActive(true);
        DrawBar(step.percent);
        return;
    }
    if (!world.loadingPause1Done) {
        PauseLoading();
        DrawBar(80);
        world.loadingPause1Done = 1;
    }
    if (!world.loadingPause2Done) {
        PauseLoading();
        DrawBar(85);
        world.loadingPause2Done = 1;
        return;
    }
    DrawBar(95);
    if (!world.loadingPause3Done) {
        PauseLoading();
        DrawBar(90);
        world.loadingPause3Done = 1;
        return;
    }
    world.profilesOpen = 1;
    world.loadingPhase = 0;
    cCursorSet::Instance().Draw(16);
}
