// The shop's activation, its per-frame entry (intro backdrop or building
// level), the head-up elements and the leaving sequence.
#include "frontend/shop.h"

#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "platform/win_types.h"
#include "resources/log.h"
#include "scene/design_units.h"
#include "scene/effects_layer.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "scene/state_level.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_clock.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kLeaveText = 8;
    constexpr int kNoTaskText = 146;
    constexpr int kSaveUpText = 147;
    constexpr int kTaskBuiltText = 148;
    constexpr int kCompleteText = 149;
    constexpr int kBuildNowText = 152;

    bool InGrid(int row, int col)
    {
        return row >= 0 && row < world::kGridSize && col >= 0 && col < world::kGridSize;
    }

    // The weather and effect overlay of the effects screen, over the station.
    void DrawEffectOverlay()
    {
        auto* effects = cScreenManager::Instance().Get<EffectsLayer>(cScreenManager::kEffects);
        if (!effects)
            return;
        effects->DrawCloudShadows();
        effects->DrawEffectLayer2();
        effects->DrawFog();
        effects->DrawEffectLayer();
    }
} // namespace

Shop::Shop()
    : Screen(0, 0, 0, 0)
{
}

Shop::~Shop()
{
    OnDeactivate();
}

void Shop::OnActivate()
{
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    pages[kShopPage].Load(cSettings::Instance().GetWidth() == 1280 ? L"data/gui/interface/menu/menu_buy"
                                                                   : L"data/gui/interface/menu/menu_buy_1024");
    if (g_pGfx2D)
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    revealTimer.Restart();
    blinkTimer.Restart();
    trafficTimer.Restart();
    blinkAlpha = 0;
    blinkFalling = false;
}

void Shop::OnDeactivate()
{
    pages[kShopPage].Unload();
}

void Shop::DrawTinted(const std::wstring& name, int x, int y, int alpha)
{
    const int* tint = cGameWorld::Instance().levelTint;
    pages[kShopPage].DrawImage(name.c_str(), x, y, 0, 0, tint[0], tint[1], tint[2], alpha);
}

void Shop::Update()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool intro = Story::Instance().INTRO();
    if (!intro && !world.shopInMainMenu)
        return;
    screenX = 317;
    screenY = 273;
    UpdateFade();
    IsMouseOver();
    if (intro) {
        DrawLevelBuild();
        return;
    }
    // A script stopped (in "on_init" already, or in "on_timer") is never
    // called again, and the shop does not run on without it, nor on what a
    // script that failed in "on_init" made of the station.
    if (!refused && !Scripting::ScriptStopped())
        UpdateBuildPhase();
    if (refused || Scripting::ScriptStopped()) {
        LeaveRefused();
        return;
    }

    const cSettings& settings = cSettings::Instance();
    bool leave = world.keyEscape != 0;
    if (!leave) {
        leave = DoButton(false, g_fontNormal2, L"button_short_off.png", L"button_short_over.png",
            g_guiVocabulary[kLeaveText], settings.GetWidth() - ScaleX(215.0f), settings.GetHeight() - ScaleY(60.0f),
            ScaleX(205.0f), ScaleY(49.0f), 255, 255, 255, 255, 255, 0);
    }
    if (leave)
        Leave();
}

void Shop::Leave()
{
    cGameWorld& world = cGameWorld::Instance();
    world.keyEscape = 0;
    world.shopOpen = 0;
    world.shopInMainMenu = 0;
    // A failed save is logged by the writers; the shop closes in any case.
    world.SaveGame();
    world.SaveLots();
    world.WriteEditorScripts();
    Story::Instance().ReleaseLevelScript();
    world.level = world.furthestLevel;
}

void Shop::LeaveRefused()
{
    cGameWorld& world = cGameWorld::Instance();
    cLog::Instance().Error(L"Scene::MenuBuy::Update -> the station's script %ls; the shop closes.",
        refused ? L"is missing or failed in on_init" : L"was stopped");
    world.keyEscape = 0;
    world.shopOpen = 0;
    world.shopInMainMenu = 0;
    // Nothing is written: every trade is in the player's files from the
    // moment it was made (one that could not be saved was undone), and a
    // script that failed or was stopped in "on_init" may have made only some
    // of the lots, which the lot file would then lose.
    refused = false;
    Story::Instance().ReleaseLevelScript();
    cStateLevel::NoteRefusedLevel(world.level);
    world.level = world.furthestLevel;
}

void Shop::UpdateBuildPhase()
{
    cGameWorld& world = cGameWorld::Instance();
    cGameClock::Instance().Update();
    Story& story = Story::Instance();
    if (story.FlagPresent("new_minute")) {
        story.RemoveFlag("new_minute");
        story.CallScriptFunction("on_timer");
    }
    pages[kShopPage].DrawImage(L"level_build", 0, 0, 0, 0, 255, 255, 255, 255);
    pages[kShopPage].DrawImage(L"level_build_seile", 0, 0, 0, 0, 255, 255, 255, 255);
    DrawTraffic();
    DrawStation();
    DrawDecorPlaces();
    DrawEffectOverlay();
    DrawPendingBubble();
    world.hoveredElement = -1;

    pages[kShopPage].DrawImage(L"top3", 0, 0, 0, 0, 255, 255, 255, 185);
    // The money box lies wholly on the screen, the sum in its middle.
    const int boxX = ScaleX(20.0f);
    pages[kShopPage].DrawImage(L"money", boxX, 0, 0, 0, 255, 255, 255, 255);
    if (auto* hud = cScreenManager::Instance().Get<Hud>(cScreenManager::kHud)) {
        wchar_t money[32];
        std::swprintf(money, 32, L"%d", world.money);
        uint32_t boxWidth = 0;
        uint32_t boxHeight = 0;
        pages[kShopPage].GetImageSize(L"money", &boxWidth, &boxHeight);
        const int x = boxX + (static_cast<int>(boxWidth) - hud->GetNumberWidth(money)) / 2;
        hud->DrawNumber(0, money, x, ScaleY(32.0f), 255);
    }
    DrawTaskLine();
}

void Shop::DrawTaskLine()
{
    cGameWorld& world = cGameWorld::Instance();
    const wchar_t* text = L"";
    if (IsStationComplete()) {
        text = g_guiVocabulary[kCompleteText];
    } else {
        world.SelectLevelTask(world.furthestLevel);
        const int row = world.taskLotRow;
        const int col = world.taskLotColumn;
        if (world.taskKind == -1)
            text = g_guiVocabulary[kNoTaskText];
        // A task row naming a cell outside the grid reads as not built.
        else if (InGrid(row, col) && world.lotStatus[row][col] != 0)
            text = g_guiVocabulary[kTaskBuiltText];
        else if (GetLotPrice(row, col) > world.money)
            text = g_guiVocabulary[kSaveUpText];
        // Affordable: the line says so rather than falling silent.
        else
            text = g_guiVocabulary[kBuildNowText];
    }
    if (!*text || !g_pGfx2D)
        return;
    // Wrapped to end well inside the banner at every size (its image is 1151
    // design pixels wide and the line starts at 400).
    world.FormatText(false, text, ScaleX(620.0f), g_fontBig);
    const int lines = world.formatLineCount;
    const int base = lines == 1 ? 35 : 25;
    for (int i = 0; i < lines && i < world::kFormatLines; ++i) {
        const int y = ScaleY(static_cast<float>(base + 24 * i));
        g_pGfx2D->SetColor(MakeARGB(255, 0, 0, 0));
        g_pGfx2D->DrawText(g_fontBig, ScaleX(400.0f) + 2, y + 2, world.formatLines[i]);
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 0));
        g_pGfx2D->DrawText(g_fontBig, ScaleX(400.0f), y, world.formatLines[i]);
    }
}

void Shop::DrawLevelBuild()
{
    pages[kShopPage].DrawImage(L"level_build", 0, 0, 0, 0, 255, 255, 255, 255);
    pages[kShopPage].DrawImage(L"level_build_seile", 0, 0, 0, 0, 255, 255, 255, 255);
    DrawTraffic();
    DrawIntroReveal();
    DrawDecorPlaces();
    DrawEffectOverlay();
}

} // namespace Scene
