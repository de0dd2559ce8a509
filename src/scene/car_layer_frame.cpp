// The frame of the car layer: road cars (and taking one with the
// mouse), the selector signs, stack and place or grid cars, the road steps
// and the cars driving into the stack, in the order they draw over each
// other.
#include <algorithm>

#include "engine/gfx.h"
#include "scene/car_layer.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr int kRoadIds = 4;
    constexpr int kWorkClass = 6; // taken from the road whatever else holds
    // Road cars are drawn with their top-left corner this far above and left
    // of their position.
    constexpr double kRoadCarOrigin = 70.0;
    constexpr double kSettleStepSeconds = 0.03;
    constexpr int kSettleSteps = 17;
    // Vertical offsets of a car settling on its place, summed up to its step.
    constexpr int kSettleBounce[16] = { 0, -1, -2, -3, 0, 1, 2, 3, 0, 0, -1, -2, 0, 0, 1, 2 };
    constexpr int kArrivalAlphaStep = 15;

    int SettleOffset(int step)
    {
        int offset = 0;
        for (int i = 0; i < std::min(step, 16); ++i)
            offset += kSettleBounce[i];
        return offset;
    }

    bool IsUpgradeValue(int value)
    {
        return (value >= 56 && value <= 60) || value == 76 || value == 86;
    }
} // namespace

void CarLayer::Draw()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.levelActive || world.taskBookOpen)
        return;
    if (world.roadsReset) {
        world.roadsReset = 0;
        for (cTimer& timer : roadTimers)
            timer.Restart();
        for (size_t i = 0; i < world.autobahnCars.size(); ++i)
            PlaceAtPathStart(static_cast<int>(i));
    }
    UpdateFade();

    int taken = -1;
    if (!cSettings::Instance().developerMode) {
        taken = DrawRoadCars();
        DrawSelectors();
    }
    // The taken car stops being a road car; a plain car gets a successor on
    // its road, a special one does not.
    if (taken >= 0 && !world.IsPaused() && world::IsIndex(taken, world.autobahnCars.size())) {
        const int road = world.autobahnCars[taken].road;
        world.autobahnCars.erase(world.autobahnCars.begin() + taken);
        if (world.GetAutoTypeValue(world.autoOnMouse) == 0) {
            world.AddTransportToAutobahn(road, 1);
            PlaceAtPathStart(static_cast<int>(world.autobahnCars.size()) - 1);
        }
    }

    DrawStackAutos();
    if (world.drawStation == 1) {
        DrawPlaceAutos();
        DrawTransfersToPlaces();
        DrawTransfers();
        CheckPlaceCombos();
    } else if (world.gamePlayMode == 1) {
        DrawSwapFundamentAutos();
        DrawTransfersToFundaments();
        CheckFundamentCombos();
    } else {
        DrawGridAutos();
        DrawTransfersToFundaments();
        CheckFundamentCombos();
    }
    StepRoads();
    DrawStackArrivals();
    UpdateStackArrivals();
}

bool CarLayer::IsRoadCarTakeable(int autoType) const
{
    cGameWorld& world = cGameWorld::Instance();
    Story& story = Story::Instance();
    bool takeable = false;
    if (world.takeFromAutobahn == 1) {
        takeable = IsUpgradeValue(world.GetAutoTypeValue(autoType));
        if (world.inspection == 0) {
            const int group = story.GetAutoColor(autoType);
            if (group >= 6 && group <= 10 && story.ExistWorkPlace(group))
                takeable = true;
        } else {
            takeable = true;
        }
        if (world.autobahnAutosChosen)
            takeable = world.IsChosenAutobahnAuto(autoType);
    }
    if (world.onlyAutobahn == 1)
        takeable = true;
    if (world.IsPaused())
        takeable = false;
    if (story.GetAutoClass(autoType) == kWorkClass)
        takeable = true;
    return takeable;
}

int CarLayer::DrawRoadCars()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    int taken = -1;
    for (int road = 1; road <= kRoadIds; ++road) {
        for (size_t i = 0; i < world.autobahnCars.size(); ++i) {
            const cAutobahnAuto& car = world.autobahnCars[i];
            if (car.road != road || world.noFreeCell)
                continue;
            const int x = static_cast<int>(static_cast<int>(car.x - kRoadCarOrigin) / settings.scaleX);
            const int y = static_cast<int>(static_cast<int>(car.y - kRoadCarOrigin) / settings.scaleY);
            const bool takeable = IsRoadCarTakeable(car.autoType);
            if (takeable && world.autoOnMouse == -1 && HitTestCar(x, y, car.variant)) {
                DrawTinted(kHoverPage, CarImageName(car.autoType, car.variant, L"_over.png"), x, y, 255);
                if (world.leftDown) {
                    TakeRoadCar(static_cast<int>(i));
                    taken = static_cast<int>(i);
                }
                continue;
            }
            DrawTinted(kCarPage, CarImageName(car.autoType, car.variant, L".png"), x, y, 255);
        }
    }
    return taken;
}

void CarLayer::TakeRoadCar(int index)
{
    cGameWorld& world = cGameWorld::Instance();
    Story& story = Story::Instance();
    const cAutobahnAuto& car = world.autobahnCars[index];
    const int autoType = car.autoType;
    world.autoOnMouse = autoType;
    world.heldCarItem = story.GetAutoColor(autoType);
    world.grabOffsetX = world.hitOffsetX;
    world.grabOffsetY = world.hitOffsetY;
    world.dragTimer.Restart();
    world.carFromRoad = 1;
    world.carFromRoadAux = 0;
    world.heldCarVariant = car.variant;
    world.RemoveSpecAuto(autoType);
    if (const int value = world.GetAutoTypeValue(autoType); value != 0)
        world.heldCarItem = value;
    world.SetPause(false);
    // Taking a car from the road costs once the level's points have reached
    // the penalty threshold.
    if (world.levelPoints >= world.penaltyThreshold) {
        story.CallScriptFunction("on_minus_points");
        if (!world.noPenalty) {
            world.AddFlyingMarker(world.penaltyThreshold);
            if (auto* hud = cScreenManager::Instance().Get<Hud>(cScreenManager::kHud))
                hud->RestartStars();
        }
    }
}

void CarLayer::DrawSelectors()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    for (int road = 1; road <= kRoadIds; ++road) {
        for (const cAutobahnAuto& car : world.autobahnCars) {
            if (car.road != road || world.GetAutoTypeValue(car.autoType) <= 50)
                continue;
            const int x = static_cast<int>((car.x - 70.0f) / settings.scaleX);
            const int y = static_cast<int>((car.y - 70.0f) / settings.scaleY);
            DrawSelector(x + static_cast<int>(40 / settings.scaleX), y - static_cast<int>(5 / settings.scaleY));
        }
    }
}

void CarLayer::StepRoads()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.IsPaused() || world.autobahnRoads.empty())
        return;
    if (world.onlyAutobahn == 0) {
        const size_t roads = std::min<size_t>(world.autobahnRoads.size(), kMaxRoads);
        for (size_t i = 0; i < roads; ++i) {
            if (roadTimers[i].Elapsed() > world.autobahnRoads[i].speed) {
                roadTimers[i].Restart();
                UpdateRoadCars(static_cast<int>(i) + 1);
            }
        }
    } else if (roadTimers[0].Elapsed() > world.autobahnRoads[0].speed) {
        roadTimers[0].Restart();
        UpdateRoadCarsTogether();
    }
}

void CarLayer::DrawStackArrivals()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    for (cAutobahnAuto& car : world.stackCars) {
        car.counter = std::min(car.counter + kArrivalAlphaStep, 255);
        // An arriving car is drawn with its slot's direction.
        const int x = static_cast<int>(static_cast<float>(static_cast<int>(car.x)) / settings.scaleX);
        const int y = static_cast<int>(static_cast<float>(static_cast<int>(car.y)) / settings.scaleY);
        DrawTinted(kCarPage, CarImageName(car.autoType, car.kind, L".png"), x, y, 255);
    }
}

void CarLayer::DrawPlaceAutos()
{
    cGameWorld& world = cGameWorld::Instance();
    // One timer paces every settling car: each one takes its step together.
    bool step = false;
    if (!world.IsPaused() && world.settleTimer.Elapsed() > kSettleStepSeconds) {
        step = std::any_of(world.placeAutos.begin(), world.placeAutos.end(),
            [](const cPlaceAuto& car) { return car.autoType != -1 && !car.arriving && car.settling; });
        if (step)
            world.settleTimer.Restart();
    }
    for (cPlaceAuto& car : world.placeAutos) {
        if (car.autoType == -1 || car.arriving)
            continue;
        // The place's position is already in pixels of this screen.
        const int x = car.x;
        int y = car.y;
        if (car.settling && !world.IsPaused()) {
            y += SettleOffset(car.settleStep);
            if (step && ++car.settleStep >= kSettleSteps) {
                car.settling = 0;
                car.settleStep = 0;
                // The service time counts from the end of the settling.
                car.serviceTimer.Restart();
            }
        }
        DrawTinted(kCarPage, CarImageName(car.autoType, car.variant, L".png"), x, y, 255);
    }
}

} // namespace Scene
