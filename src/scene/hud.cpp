#include "scene/hud.h"

#include "engine/gfx.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kHudPage = 32;
    constexpr int kBuildingLevel = 31;
} // namespace

Hud::Hud()
    : Screen(0, 0, 0, 0)
{
    clockTimer.Start();
    starTimer.Start();
    blinkTimer.Start();
}

Hud::~Hud()
{
    OnDeactivate();
}

void Hud::OnActivate()
{
    const cSettings& settings = cSettings::Instance();
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    CPageManager& page = pages[kHudPage];
    page.Load(settings.GetWidth() == 1280 ? L"data/gui/interface/menu/menu_submenu"
                                          : L"data/gui/interface/menu/menu_submenu_1024");
    if (g_pGfx2D)
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    uint32_t width = 0;
    uint32_t height = 0;
    page.GetImageSize(L"menu_game.png", &width, &height);
    screenWidth = static_cast<int>(width);
    screenHeight = static_cast<int>(height);
    page.GetImageSize(L"button_short_off.png", &buttonWidth, &buttonHeight);
    page.GetImageSize(L"button_long_off.png", &longButtonWidth, &longButtonHeight);
    MeasureNumberImages();
    screenX = 0;
    screenY = settings.GetHeight() - 158;
    menuButtonTimer.Restart();
    menuButtonFrame = 0;
    clockFrame = 0;
    ResetLevelEnd();
}

void Hud::OnDeactivate()
{
    pages[kHudPage].Unload();
}

void Hud::Tick() { }

void Hud::Draw()
{
    cGameWorld& world = cGameWorld::Instance();
    screenY = cSettings::Instance().GetHeight() - 158;
    UpdateFade();
    // The station-building level runs paused throughout.
    if (world.level == kBuildingLevel)
        world.SetPause(true);
    DrawBar();
    DrawDebugLists();
}

void Hud::ResetResultSound()
{
    Story::Instance().StartSound(2);
}

} // namespace Scene
