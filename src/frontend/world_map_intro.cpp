// The first visit of a new profile: the station shop with an explanation over
// it, then a demonstration map on which the pins appear one by one; a click on
// the button ends each step, and from step 3 on the real map is shown.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/shop.h"
#include "frontend/world_map.h"
#include "platform/game_random.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kContinueText = 8;
    constexpr int kShopText = 141;
    constexpr int kMapText = 142;
    constexpr double kFadeStep = 0.017;
    constexpr double kChangeStep = 0.057;
    constexpr int kTopWidth = 1151;

    Shop* ShopScreen()
    {
        return cScreenManager::Instance().Get<Shop>(cScreenManager::kShop);
    }
} // namespace

void WorldMap::ResetDemonstration()
{
    for (int level = 1; level <= kLastCampaignLevel; ++level)
        demoAlpha[level] = demoKind[level] = 0;
    demoFadingLevel = 1;
}

// The shop switched on and laid out, the level's station and road emptied
// for level 31's script.
void WorldMap::OpenShopStation()
{
    cGameWorld& world = cGameWorld::Instance();
    if (Shop* shop = ShopScreen()) {
        shop->SetActive(true);
        shop->LayoutStation();
    }
    world.placeTemplates.clear();
    world.places.clear();
    world.effects.clear();
    world.overTemplates.clear();
    world.fundaments.clear();
    world.fundamentTemplates.clear();
    world.autobahnCars.clear();
    world.autobahnRoads.clear();
    world.autobahnClasses.clear();
    world.autoTypes.clear();
}

void WorldMap::StartBuildLevel()
{
    cGameWorld& world = cGameWorld::Instance();
    OpenShopStation();
    Story& story = Story::Instance();
    // The intro restarts with every new profile chosen; a script still loaded
    // would keep its repository slot for good.
    story.ReleaseLevelScript();
    story.InitLevel31();
    world.SetPause(false);
    story.AfterInit();
}

void WorldMap::EnterBuildLevel()
{
    cGameWorld& world = cGameWorld::Instance();
    Story::Instance().PlaySound("menu_clk");
    world.level = kCity;
    world.shopOpen = 1;
    StartBuildLevel();
    if (Shop* shop = ShopScreen())
        shop->FlagRandomFundaments();
    introAlpha = 0;
    ResetDemonstration();
}

void WorldMap::LeaveIntroShop()
{
    cGameWorld& world = cGameWorld::Instance();
    world.keyEscape = 0;
    world.shopOpen = 0;
    world.shopInMainMenu = 0;
    Story::Instance().ReleaseLevelScript();
    world.level = 1;
    demoNextKind = 1;
    ResetDemonstration();
}

void WorldMap::DrawIntroText(
    int textNumber, int width, int x, int y, bool fiveLineLift, uint32_t shadow, uint32_t colour, int shadowDrop)
{
    cGameWorld& world = cGameWorld::Instance();
    world.FormatText(true, g_guiVocabulary[textNumber], ScaleX(width), g_fontBig2);
    const int lift = fiveLineLift && world.formatLineCount == 5 ? -20 : 0;
    for (int i = 0; i < world.formatLineCount && i < world::kFormatLines; ++i)
        DrawShadowed(world.formatLines[i], ScaleX(x), ScaleY(y + lift + 33 * i), ScaleX(width), g_fontBig2, colour,
            shadowDrop, shadow);
}

void WorldMap::DrawIntro()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (introTimer.Elapsed() > kFadeStep) {
        introTimer.Restart();
        introAlpha = introAlpha + 15 > 255 ? 255 : introAlpha + 15;
    }
    const uint32_t alpha = static_cast<uint32_t>(introAlpha);
    if (world.intro == 1) {
        if (Shop* shop = ShopScreen())
            shop->Update();
        const int x = (cSettings::Instance().GetWidth() - ScaleX(kTopWidth)) / 2;
        pages[kMapPage].DrawImage(L"top3.png", x, 0, 0, 0, 255, 255, 255, introAlpha);
        DrawIntroText(kShopText, 980, 150, 60, false, MakeARGB(alpha, 0, 0, 0), MakeARGB(alpha, 255, 255, 255), 2);
    } else if (world.intro == 2) {
        DrawBonusMap();
        DrawIntroText(kMapText, 910, 180, 80, true, MakeARGB(255, 37, 37, 185), MakeARGB(255, 237, 244, 228), 2);
    }
    DrawIntroButton();
}

void WorldMap::DrawIntroButton()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool map = world.intro == 2;
    if (!DoButton(false, g_fontNormal2, map ? L"button_short_off" : L"button_short_blue_off",
            map ? L"button_short_over" : L"button_short_blue_over", g_guiVocabulary[kContinueText], ScaleX(510),
            ScaleY(950), ScaleX(205), ScaleY(49), 255, 255, 255, 255, 255, 0))
        return;
    world.intro += 1;
    if (world.intro == 1) {
        Story::Instance().PlaySound("menu_clk");
        world.level = kCity;
        world.shopOpen = 1;
        StartBuildLevel();
    } else if (world.intro == 2) {
        LeaveIntroShop();
    }
}

void WorldMap::DrawBonusMap()
{
    const cGameWorld& world = cGameWorld::Instance();
    DrawMapImage(L"map4.png", 0, 0, 255, 255, 255, 255);
    for (const cTaskRow& row : world.taskRows) {
        if (row.level < 0 || row.level >= kTableSize)
            continue;
        demoPinX[row.level] = row.pinX;
        demoPinY[row.level] = row.pinY;
    }

    bool allVisible = true;
    for (int level = 1; level <= kLastCampaignLevel; ++level)
        allVisible = allVisible && demoAlpha[level] != 0;
    bool tick = false;
    if (!allVisible) {
        tick = demoTimer.Elapsed() > kFadeStep;
    } else {
        tick = demoTimer.Elapsed() > kChangeStep;
        wchar_t name[32];
        for (int k = 0; k <= 28; ++k) {
            std::swprintf(name, 32, L"anim00%02d", k);
            DrawMapImage(name, 0, 0, 255, 255, 255, 200);
        }
        if (tick && demoNextKind < kCity) {
            const int draw = platform::GameRand() % 30;
            demoKind[demoNextKind] = draw < 10 ? 0 : draw < 20 ? 1 : 2;
            demoNextKind += 1;
        }
    }
    if (tick)
        demoTimer.Restart();

    static const wchar_t* const kPins[3] = { L"fishka_01.png", L"fishka_04.png", L"fishka_03.png" };
    for (int level = 1; level <= kLastCampaignLevel; ++level) {
        const int x = demoPinX[level];
        const int y = demoPinY[level];
        const int alpha = demoAlpha[level];
        // A pin not yet shown costs no draw.
        if (alpha > 0)
            DrawMapImage(cGameWorld::IsFirstLevelOfTriple(level) ? L"stars20000.png" : L"stars0000.png", x - 58, y - 40,
                255, 255, 255, alpha);
        if (level == demoFadingLevel && tick) {
            demoAlpha[level] += 25;
            if (demoAlpha[level] > 255) {
                demoAlpha[level] = 255;
                demoFadingLevel += 1;
            }
        }
        if (demoAlpha[level] > 0)
            DrawMapImage(kPins[demoKind[level]], x - 45, y - 80, 255, 255, 255, demoAlpha[level]);
    }
    if (demoFadingLevel > kLastCampaignLevel) {
        DrawMapImage(L"stars20000.png", demoPinX[kCity] - 58, demoPinY[kCity] - 40, 255, 255, 255, 255);
        DrawMapImage(L"fishka_bonus.png", demoPinX[kCity] - 45, demoPinY[kCity] - 80, 255, 255, 255, 255);
    }
}

} // namespace Scene
