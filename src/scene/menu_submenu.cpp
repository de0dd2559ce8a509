#include "scene/menu_submenu.h"

#include "engine/gfx.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kHudPage = 32;
} // namespace

MenuSubmenu::MenuSubmenu()
    : MenuPrototype(0, 0, 0, 0)
{
    clockTimer.Start();
    starTimer.Start();
    blinkTimer.Start();
}

MenuSubmenu::~MenuSubmenu()
{
    OnDeactivate();
}

void MenuSubmenu::OnActivate()
{
    const cSettings& settings = cSettings::Instance();
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    pages[kHudPage].Load(settings.GetWidth() == 1280 ? L"data/gui/interface/menu/menu_submenu"
                                                     : L"data/gui/interface/menu/menu_submenu_1024");
    if (g_pGfx2D)
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    MeasureNumberImages();
    screenX = 0;
    screenY = settings.GetHeight() - 158;
    clockFrame = 0;
    ResetLevelEnd();
}

void MenuSubmenu::OnDeactivate()
{
    pages[kHudPage].Unload();
}

void MenuSubmenu::DrawBonusSlots() { }

void MenuSubmenu::Tick() { }

void MenuSubmenu::Draw()
{
    cGameWorld& world = cGameWorld::Instance();
    screenY = cSettings::Instance().GetHeight() - 158;
    UpdateFade();
    // The parts of the bar that exist so far, in the bar's order.
    if (world.levelActive) {
        DrawClock();
        DrawStars();
    }
    DrawLevelEnd();
}

void MenuSubmenu::ResetResultSound()
{
    Story::Instance().StartSound(2);
}

} // namespace Scene
