// Ghost cars: faint cars on the places where the help hints suggest a car
// may go, and where a concrete mixer or a crane would work.
#include <algorithm>

#include "scene/car_layer.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr int kHintAlpha = 150;
    constexpr int kSpecialAlpha = 120;
    constexpr int kBroken = 2;

    const wchar_t* GhostOfClass(int autoClass)
    {
        switch (autoClass) {
        case 1:
            return L"car_jeep_1_fantom.png";
        case 2:
            return L"car_bus_1_fantom.png";
        case 3:
            return L"car_sedan_1_fantom.png";
        case 4:
            return L"car_track_1_fantom.png";
        default:
            return nullptr;
        }
    }
} // namespace

void CarLayer::DrawPhantomCar()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.helpAuto)
        return;
    const cSettings& settings = cSettings::Instance();
    const int count = std::min(world.hintCount, world::kHints);
    for (int k = 0; k < count; ++k) {
        const wchar_t* image = GhostOfClass(world.hintClass[k]);
        const int place = world.hintIndex[k];
        if (!image || !world::IsIndex(place, world.places.size()))
            continue;
        const cPlace& p = world.places[place];
        const int x = static_cast<int>(p.x + p.autoOffsetX / settings.scaleX);
        const int y = static_cast<int>(p.y + (p.autoOffsetY + 15) / settings.scaleY);
        DrawTinted(kCarPage, image, x, y, kHintAlpha);
    }
}

void CarLayer::DrawPhantomCarSpecial()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.helpAuto || world.inspection != 0)
        return;
    for (const cPlace& p : world.places) {
        if (p.type < 3)
            DrawTinted(
                kCarPage, L"car_beton_1_fantom.png", p.x + p.autoOffsetX - 15, p.y + p.autoOffsetY + 15, kSpecialAlpha);
        else if (p.type >= 6 && p.type <= 11 && p.state == kBroken)
            DrawTinted(kCarPage, L"car_crane_1_fantom.png", p.x + p.autoOffsetX, p.y + p.autoOffsetY, kSpecialAlpha);
    }
}

} // namespace Scene
