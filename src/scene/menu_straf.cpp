#include "scene/menu_straf.h"

#include <algorithm>

#include "app/pp_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kPanelPage = 32;
    constexpr int kTextWidth = 400;
    constexpr int kLineStep = 20;

} // namespace

MenuStraf::MenuStraf()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuStraf::~MenuStraf()
{
    OnDeactivate();
}

void MenuStraf::OnActivate()
{
    // The plate is one image for every screen size. The loader reads the draw
    // colour: the page loads in transparent black, the panel draws in white.
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    pages[kPanelPage].Load(L"data/gui/interface/menu/menu_straf");
    if (g_pGfx2D)
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    for (int i = 0; i < 3; ++i)
        timers[i].Restart();
    messageCounter = 0;
    textOffset = 0;
    screenX = 0;
    screenY = 0;
}

void MenuStraf::OnDeactivate()
{
    pages[kPanelPage].Unload();
}

void MenuStraf::Reset()
{
    messageCounter = 0;
}

void MenuStraf::Draw()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.taskBookOpen || world.levelOver || world.statusMessages.empty())
        return;
    const cStatusMessage& first = world.statusMessages.front();
    if (first.duration > 0 && first.timer.Elapsed() > first.duration) {
        // PopMessage compares against the text, so it needs its own copy.
        const std::wstring text = first.text;
        world.PopMessage(text);
        world.SetPause(false);
        return;
    }
    UpdateFade();
    IsMouseOver();
    DrawPanel();
}

void MenuStraf::DrawPanel()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.statusMessages.empty())
        return;
    screenY = cSettings::Instance().GetHeight() - 158;
    world.FormatText(false, world.statusMessages.front().text, kTextWidth, g_fontNormal2);
    textOffset = world.formatLineCount == 1 ? 30 : world.formatLineCount == 2 ? 20 : 0;
    pages[kPanelPage].DrawImage(L"tutorial_small.png", ScaleX(230), ScaleY(100), 0, 0, 255, 255, 255, 255);
    if (g_pGfx2D)
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    // The engine draws one line per call: the wrapped lines go one under the
    // other, a line step apart, which the offset above centres in the panel.
    const int lines = std::min(world.formatLineCount, world::kFormatLines);
    for (int i = 0; i < lines; ++i) {
        DrawTextCentered(false, world.formatLines[i], ScaleX(240), ScaleY(110 + textOffset + kLineStep * i), kTextWidth,
            g_fontNormal2);
    }
}

} // namespace Scene
