#include "scene/message_panel.h"

#include <algorithm>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kPanelPage = 32;
    constexpr int kTextWidth = 400;
    constexpr int kLineStep = 20;
    // The plate's size when its page does not know it.
    constexpr int kPlateWidth = 420;
    constexpr int kPlateHeight = 80;

} // namespace

MessagePanel::MessagePanel()
    : Screen(0, 0, 0, 0)
{
}

MessagePanel::~MessagePanel()
{
    OnDeactivate();
}

void MessagePanel::OnActivate()
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

void MessagePanel::OnDeactivate()
{
    pages[kPanelPage].Unload();
}

void MessagePanel::Reset()
{
    messageCounter = 0;
}

void MessagePanel::Draw()
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

void MessagePanel::DrawPanel()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.statusMessages.empty())
        return;
    screenY = cSettings::Instance().GetHeight() - 158;
    world.FormatText(false, world.statusMessages.front().text, kTextWidth, g_fontNormal2);
    const int plateX = ScaleX(230);
    const int plateY = ScaleY(100);
    pages[kPanelPage].DrawImage(L"tutorial_small.png", plateX, plateY, 0, 0, 255, 255, 255, 255);
    if (!g_pGfx2D || !g_fontNormal2)
        return;
    g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));

    // The plate is drawn at its own size on every screen, so the lines are
    // centred on it in its pixels: a line step apart (never closer than the
    // font's line height), the block as a whole in the middle of the plate.
    uint32_t plateWidth = 0;
    uint32_t plateHeight = 0;
    pages[kPanelPage].GetImageSize(L"tutorial_small.png", &plateWidth, &plateHeight);
    if (plateWidth == 0 || plateHeight == 0) {
        plateWidth = kPlateWidth;
        plateHeight = kPlateHeight;
    }
    SIZE line {};
    g_fontNormal2->MeasureText(L"Ag", &line);
    const int step = std::max(ScaleY(kLineStep), static_cast<int>(line.cy));
    const int lines = std::clamp(world.formatLineCount, 0, world::kFormatLines);
    const int block = lines > 0 ? step * (lines - 1) + static_cast<int>(line.cy) : 0;
    textOffset = (static_cast<int>(plateHeight) - block) / 2;
    const int left = plateX + (static_cast<int>(plateWidth) - kTextWidth) / 2;
    // The engine draws one line per call: the wrapped lines go one under the
    // other.
    for (int i = 0; i < lines; ++i)
        DrawTextCentered(false, world.formatLines[i], left, plateY + textOffset + step * i, kTextWidth, g_fontNormal2);
}

} // namespace Scene
