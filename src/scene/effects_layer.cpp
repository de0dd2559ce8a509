// The overlay's pages, its fog state and the searches of the effect list.
#include "scene/effects_layer.h"

#include <cstdio>

#include "engine/gfx.h"
#include "platform/utf16.h"
#include "scene/screen_manager.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    // The page sets in loading order; the other width adds "_1024".
    const wchar_t* const kPageFolders[EffectsLayer::kPagesPerWidth] = {
        L"data/gui/interface/menu/menu_effects",
        L"data/gui/interface/menu/menu_effects3",
        L"data/gui/interface/menu/menu_effects4",
        L"data/gui/interface/menu/menu_effects5",
        L"data/gui/interface/menu/menu_effects6",
        L"data/gui/interface/menu/menu_effects7",
        L"data/gui/interface/menu/menu_effects8",
        L"data/gui/interface/menu/menu_effects9",
        L"data/gui/interface/menu/menu_effects10",
        L"data/gui/interface/menu/menu_effects11",
        L"data/gui/interface/menu/menu_effects12",
        L"data/gui/interface/menu/menu_clouds",
        L"data/gui/interface/menu/menu_effects_wind1",
        L"data/gui/interface/menu/menu_effects_wind2",
        L"data/gui/interface/menu/menu_effects_windhund",
        L"data/gui/interface/menu/menu_fog",
    };

    static_assert(EffectsLayer::kPagesPerWidth * 2 <= Screen::kPageSlots);

} // namespace

EffectsLayer::EffectsLayer()
    : Screen(0, 0, 0, 0)
{
}

EffectsLayer::~EffectsLayer() = default;

EffectsLayer* EffectsLayer::Instance()
{
    return cScreenManager::Instance().Get<EffectsLayer>(cScreenManager::kEffects);
}

void EffectsLayer::OnActivate()
{
    for (int width = 0; width < 2; ++width) {
        for (int page = 0; page < kPagesPerWidth; ++page) {
            std::wstring folder = kPageFolders[page];
            if (width == 1)
                folder += L"_1024";
            // Pages load in black and draw in white again afterwards.
            if (g_pGfx2D)
                g_pGfx2D->SetColor(0);
            pages[width * kPagesPerWidth + page].Load(folder.c_str());
            if (g_pGfx2D)
                g_pGfx2D->SetColor(0xFFFFFFFFu);
        }
    }
    fogTimer.Restart();
    fogLayer[0] = L"fogflip.png";
    fogLayer[1] = L"fog.png";
    ResetClouds();
}

void EffectsLayer::OnDeactivate()
{
    for (int page = 0; page < kPagesPerWidth * 2; ++page)
        pages[page].Unload();
}

CPageManager& EffectsLayer::PageForWidth(int page)
{
    const bool base = cSettings::Instance().GetWidth() == 1280;
    return pages[(base ? 0 : kPagesPerWidth) + page];
}

void EffectsLayer::ResetClouds()
{
    fogX[0] = -cSettings::Instance().GetWidth();
    fogX[1] = 0;
}

void EffectsLayer::SetFog(int alpha, double interval, int mode)
{
    fogAlpha = alpha;
    fogInterval = interval;
    fogMode = mode;
}

void EffectsLayer::DeleteEffect(int type, int place, int x, int y)
{
    auto& effects = cGameWorld::Instance().effects;
    for (auto it = effects.begin(); it != effects.end(); ++it) {
        if (it->type == type && it->owner == place && it->x == x && it->y == y) {
            effects.erase(it);
            return;
        }
    }
}

bool EffectsLayer::HasEffectAt(int row, int column) const
{
    for (const cEffect& e : cGameWorld::Instance().effects) {
        if (e.row == row && e.column == column)
            return true;
    }
    return false;
}

bool EffectsLayer::HasEffect(int type, int x, int y) const
{
    for (const cEffect& e : cGameWorld::Instance().effects) {
        if (e.type == type && e.x == x && e.y == y)
            return true;
    }
    return false;
}

bool EffectsLayer::HasEffectType(int type) const
{
    for (const cEffect& e : cGameWorld::Instance().effects) {
        if (e.type == type)
            return true;
    }
    return false;
}

std::string EffectsLayer::EffectFrameName(const std::string& base, int frame, int frames, const std::string& ext)
{
    char number[16];
    std::snprintf(number, sizeof number, frames >= 100 ? "%03d" : "%02d", frame);
    return base + number + "." + ext;
}

int EffectsLayer::EffectPage(int type, bool& tinted)
{
    tinted = false;
    if (type >= 3 && type <= 11)
        return kPageEffects3 + (type - 3);
    if (type >= 12 && type <= 14)
        return kPageEffects3 + 9;
    tinted = true;
    if (type == 55)
        return kPageWind1;
    if (type == 56)
        return kPageWind2;
    if (type >= 57 && type <= 60)
        return kPageWindHund;
    return kPageEffects;
}

} // namespace Scene
