// The start screen's page, its clouds and the frame of the profile screen.
#include "frontend/start_screen.h"

#include "engine/gfx.h"
#include "scene/screen_manager.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr double kCloudStepSeconds = 0.034;
} // namespace

StartScreen::StartScreen()
    : Screen(0, 0, 0, 0)
{
}

StartScreen::~StartScreen()
{
    OnDeactivate();
}

void StartScreen::OnActivate()
{
    const int width = cSettings::Instance().GetWidth();
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    pages[kStartPage].Load(
        width == 1024 ? L"data/gui/interface/menu/menu_start_1024" : L"data/gui/interface/menu/menu_start");
    if (g_pGfx2D)
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    uint32_t w = 0;
    uint32_t h = 0;
    pages[kStartPage].GetImageSize(L"menue_big1.png", &w, &h);
    screenWidth = static_cast<int>(w);
    screenHeight = static_cast<int>(h);
    cloudTimer.Restart();
    nameCursorTimer.Restart();
    nameCursorShown = false;
    cloudNames[0] = cloudNames[1] = L"wolken.png";
    cloudX[0] = -width;
    cloudX[1] = 0;
}

void StartScreen::OnDeactivate()
{
    pages[kStartPage].Unload();
}

void StartScreen::DrawClouds()
{
    for (int i = 0; i < 2; ++i)
        pages[kStartPage].DrawImage(cloudNames[i].c_str(), cloudX[i], 0, 0, 0, 255, 255, 255, 255);
    if (cloudTimer.Elapsed() <= kCloudStepSeconds)
        return;
    cloudTimer.Restart();
    const int width = cSettings::Instance().GetWidth();
    ++cloudX[0];
    ++cloudX[1];
    // The copy that has left on the right comes back a screen width to the
    // left of the other.
    if (cloudX[0] == 0)
        cloudX[1] = -width;
    if (cloudX[0] >= width) {
        cloudX[0] = -width;
        cloudX[1] = 0;
    }
}

void StartScreen::Draw()
{
    UpdateFade();
    DrawStartMenuImage();
    screenY = cSettings::Instance().GetHeight() - 58;
    cGameWorld& world = cGameWorld::Instance();
    if (world.startScreenCounter == 0) {
        world.startScreenCounter = 1;
        // A message left from before must not show over the start screen.
        if (Screen* panel = cScreenManager::Instance().GetScreen(cScreenManager::kMessagePanel))
            panel->SetFadeAlpha(0);
    }
    DrawProfiles();
}

} // namespace Scene
