// Service at places: a car that has settled on its place is served for the
// level's service time; then the script hears "ok_work" and "on_bonus" (and
// pays), and in a later frame the car leaves. Also the lamp and phase image
// a place shows when a car is put on it, and the effects shown at a place.
// The station view draws the lamp; this file only chooses it.
#include <cwchar>

#include "scene/car_layer.h"
#include "scene/design_units.h"
#include "scene/effects_layer.h"
#include "scene/station_view.h"
#include "scene/station_view_local.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr int kLampFrames = 24;
    // The point above a place where its effects sit, in design units.
    constexpr int kEffectDX = 30;
    constexpr int kEffectDY = -30;
    constexpr int kSmokeEffect = 20;
    constexpr float kSmokeSpeed = 0.05f;
    // Where the flying points of a finished service start, from the car.
    constexpr int kEventDX = 20;
    constexpr int kEventDY = -40;

    // The place effect each item code shows.
    int EffectForItem(int itemCode)
    {
        if (itemCode == 6)
            return 25;
        if (itemCode == 8)
            return 24;
        if (itemCode == 76 || itemCode > 86)
            return 20;
        return 22;
    }

    bool TakesPart(const cPlaceAuto& car)
    {
        return car.autoType != -1 && car.inService && !car.arriving && !car.settling;
    }
} // namespace

void CarLayer::UpdateServicedCars()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.levelActive || cSettings::Instance().developerMode || world.drawStation == 0)
        return;
    // The service timers run on through a pause; nothing ends during one.
    if (world.IsPaused())
        return;
    for (size_t i = 0; i < world.placeAutos.size(); ++i) {
        cPlaceAuto& car = world.placeAutos[i];
        if (!TakesPart(car))
            continue;
        const int place = car.place;
        if (car.finished) {
            // Served in an earlier frame: the car drives off.
            car.finished = 0;
            DeletePlaceEffect(place, car.itemCode);
            world.AddLeavingAuto(static_cast<int>(i));
            world.placeAutos.erase(world.placeAutos.begin() + static_cast<std::ptrdiff_t>(i));
            if (StationView* stationView = StationView::Instance())
                stationView->UpdatePlaceState(place);
            return;
        }
        if (car.serviceTimer.Elapsed() <= world.processTimeInStation)
            continue;
        car.serviceTimer.Restart();
        car.finished = 1;
        const int itemCode = car.itemCode;
        world.patience = car.patience;
        world.workingAuto = car.autoType;
        world.workingPlace
            = world::IsIndex(place, world.places.size()) ? world.places[static_cast<size_t>(place)].type : -1;
        world.lastLotRow = car.x + kEventDX;
        world.lastLotColumn = car.y + kEventDY;
        world.currentTask = itemCode;
        Story& story = Story::Instance();
        story.CallScriptFunction("ok_work");
        DeletePlaceEffect(place, itemCode);
        world.bonusType = 0;
        story.CallScriptFunction("on_bonus");
        world.AddPointsMarker(place);
        return;
    }
}

void CarLayer::ResetCarLamp(int place)
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.drawStation == 0 || !world::IsIndex(place, world.places.size()))
        return;
    cPlace& p = world.places[static_cast<size_t>(place)];
    p.lampFrameCounter = 0;
    p.frameCount = kLampFrames;
    p.frame = 0;
    p.animationName = L"phase100";
    p.lampName = Local::LampForWear(p.wear);
    wchar_t image[64];
    std::swprintf(image, 64, L"%ls%02d.png", p.animationName.c_str(), p.frame);
    p.animationImage = image;
}

void CarLayer::DeletePlaceEffect(int place, int itemCode)
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.drawStation == 0 || !world::IsIndex(place, world.places.size()))
        return;
    const cPlace& p = world.places[static_cast<size_t>(place)];
    if (EffectsLayer* effects = EffectsLayer::Instance())
        effects->DeleteEffect(EffectForItem(itemCode), place, p.x + ScaleX(kEffectDX), p.y + ScaleY(kEffectDY));
}

void CarLayer::StartPlaceSmoke(int place)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(place, world.places.size()))
        return;
    const cPlace& p = world.places[static_cast<size_t>(place)];
    // Owned by the place, as every place effect, so that DeletePlaceEffect
    // and a repair find it again.
    world.CreateMyEffects(place, kSmokeEffect, 1, kSmokeSpeed, p.x + ScaleX(kEffectDX), p.y + ScaleY(kEffectDY), 0, 0);
}

} // namespace Scene
