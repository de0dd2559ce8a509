#include "scene/level_background.h"

#include <algorithm>

#include "engine/gfx.h"
#include "platform/utf16.h"
#include "scene/design_units.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    constexpr int kFullWidth = 1280;
    constexpr int kParkingBodies = 4; // body ids 0..3

    int ClampComponent(int value)
    {
        return std::clamp(value, 0, 255);
    }

    // The five regions, six levels each.
    const wchar_t* const kRegions[] = {
        L"data/gui/interface/menu/menu_level_europa",
        L"data/gui/interface/menu/menu_level_escimo",
        L"data/gui/interface/menu/menu_level_usa",
        L"data/gui/interface/menu/menu_level_rock",
        L"data/gui/interface/menu/menu_level_desert",
    };

    bool IsRegionLevel(int level)
    {
        return level >= 1 && level <= 30;
    }

} // namespace

LevelBackground::LevelBackground()
    : Screen(0, 0, 0, 0)
{
}

LevelBackground::~LevelBackground()
{
    for (const int slot : { kRegionPage, kRegionPage1024, kRegionPage1024 + 1 })
        pages[slot].Unload();
}

std::wstring LevelBackground::RegionFolder(int level, int width)
{
    if (!IsRegionLevel(level))
        return {};
    std::wstring folder = kRegions[(level - 1) / 6];
    if (width != kFullWidth)
        folder += L"_1024";
    return folder;
}

const wchar_t* LevelBackground::BackgroundImage(int level)
{
    static const wchar_t* const kEuropa[]
        = { L"level_101.png", L"level_1.png", L"level_3.png", L"level_102.png", L"level_5.png", L"level_6.png" };
    if (!IsRegionLevel(level))
        return nullptr;
    if (level <= 6)
        return kEuropa[level - 1];
    if (level <= 12)
        return L"snow.png";
    if (level <= 18)
        return L"usa.png";
    if (level <= 22)
        return L"rock_01.png";
    if (level <= 24)
        return L"rock_02.png";
    return L"wueste.png";
}

const wchar_t* LevelBackground::OverlayImage(int level)
{
    if (level == 20 || level == 21)
        return L"rock_01_over.png";
    if (level == 23 || level == 24)
        return L"rock_02_over.png";
    return nullptr;
}

bool LevelBackground::ShowsBody(const cBody& body, int parkingLot)
{
    if (body.id >= 0 && body.id < kParkingBodies)
        return body.id == parkingLot;
    return true;
}

void LevelBackground::StepTint(cWorldEffectsFields& light)
{
    int* tint = light.levelTint;
    if (light.darkening == 1) {
        for (int c = 0; c < 3; ++c)
            tint[c] = ClampComponent(tint[c] - light.tintStep);
        // Red at 0 cannot get darker, whatever the target says.
        if (tint[0] <= light.darkTintTarget || tint[0] == 0)
            light.darkening = 0;
        return;
    }
    if (light.brightening == 1) {
        for (int c = 0; c < 3; ++c)
            tint[c] = ClampComponent(tint[c] + light.tintStep);
        if (tint[0] >= 255) {
            tint[0] = tint[1] = tint[2] = 255;
            light.brightening = 0;
        }
    }
}

void LevelBackground::OnActivate()
{
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    const int level = cGameWorld::Instance().level;
    if (IsRegionLevel(level)) {
        pages[kRegionPage].Load(RegionFolder(level, kFullWidth).c_str());
        pages[kRegionPage1024].Load(RegionFolder(level, 0).c_str());
    }
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0xFFFFFFFF);
    editorListPosition = 0;
    tintTimer.Restart();
}

void LevelBackground::OnDeactivate()
{
    for (const int slot : { kRegionPage, kRegionPage1024, kRegionPage1024 + 1 })
        pages[slot].Unload();
}

CPageManager& LevelBackground::CurrentPage()
{
    return pages[cSettings::Instance().GetWidth() == kFullWidth ? kRegionPage : kRegionPage1024];
}

void LevelBackground::Draw()
{
    UpdateFade();
    cGameWorld& world = cGameWorld::Instance();
    // Both fades share the one timer: at most one step per period.
    if ((world.darkening == 1 || world.brightening == 1) && tintTimer.Elapsed() > kTintStepSeconds) {
        tintTimer.Restart();
        StepTint(world);
    }

    const wchar_t* background = BackgroundImage(world.level);
    if (!background)
        return;
    // A script may set any tint; the engine is given colours in range.
    const int r = ClampComponent(world.levelTint[0]);
    const int g = ClampComponent(world.levelTint[1]);
    const int b = ClampComponent(world.levelTint[2]);
    CPageManager& page = CurrentPage();
    page.DrawImage(background, 0, 0, 0, 0, r, g, b, 255);
    for (const cBody& body : world.bodies) {
        if (!ShowsBody(body, world.parkingLot))
            continue;
        const std::wstring name = platform::NarrowToWide(body.texture) + L".png";
        // Bodies stand at design points, like the cells they lie beside.
        page.DrawImage(name.c_str(), ScaleX(body.x), ScaleY(body.y), 0, 0, r, g, b, 255);
    }
}

void LevelBackground::DrawRockHover()
{
    const cGameWorld& world = cGameWorld::Instance();
    const wchar_t* overlay = OverlayImage(world.level);
    if (!overlay)
        return;
    CurrentPage().DrawImage(overlay, screenX, screenY, 0, 0, ClampComponent(world.levelTint[0]),
        ClampComponent(world.levelTint[1]), ClampComponent(world.levelTint[2]), 255);
}

} // namespace Scene
