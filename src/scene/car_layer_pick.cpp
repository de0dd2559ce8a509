// Picking a car from the stack, carrying it under the mouse and dropping it:
// on a free place its service starts, anywhere else it slides back to the
// road. And the ghost-car hints over the places where a car would pair up.
#include "engine/gfx.h"
#include "resources/log.h"
#include "scene/car_layer.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "scene/station_view.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr int kWorkClass = 6; // served with the place's own kind
    constexpr int kBrokenPlace = 2;
    constexpr int kFirstHintKind = 6;
    constexpr int kLastHintKind = 10;

    void MousePosition(int& x, int& y)
    {
        x = g_pInputDevice ? g_pInputDevice->GetMouseX() : 0;
        y = g_pInputDevice ? g_pInputDevice->GetMouseY() : 0;
    }

    bool PlaceHoldsCar(const cGameWorld& world, int place)
    {
        return world::FindFirst(world.placeAutos, [&](const cPlaceAuto& a) {
            return a.place == place && a.autoType != -1;
        }) >= 0;
    }

    // The hovered place takes the held car: built, with a car position and
    // no car on it. -1 when there is no such place.
    int DropTarget(cGameWorld& world)
    {
        const int place = world.hoveredElement;
        if (place == -1) {
            world.heldCarVariant = 1;
            return -1;
        }
        if (!world::IsIndex(place, world.places.size()))
            return -1;
        const cPlace& p = world.places[place];
        if (p.direction <= 0 || p.autoOffsetX == 0 || PlaceHoldsCar(world, place))
            return -1;
        // The held car already shows the side it will stand on there.
        world.heldCarVariant = 10 - p.direction;
        return place;
    }

    void RestartStars()
    {
        if (auto* hud = cScreenManager::Instance().Get<Hud>(cScreenManager::kHud))
            hud->RestartStars();
    }
} // namespace

void CarLayer::HandleStackClick()
{
    cGameWorld& world = cGameWorld::Instance();
    Story& story = Story::Instance();
    if (!world.takeFromStack || world.autoOnMouse >= 0)
        return;
    const bool gridLevel = cGameWorld::IsFirstLevelOfTriple(world.level);
    // While the managers hold the stack, the player may pick only when they
    // are at their limit or the stack is full.
    if (!gridLevel && !story.IsStackFull() && !world.managerBelowLimit && world.stackLimit != world.managerCount)
        return;
    const cSettings& settings = cSettings::Instance();
    if (settings.developerMode)
        return;
    const int count = std::min<int>(world.stackCounter, static_cast<int>(world.stackSlots.size()));
    for (int i = 0; i < count; ++i) {
        cStackSlot& slot = world.stackSlots[static_cast<size_t>(i)];
        if (slot.autoType == -1)
            continue;
        const int x = static_cast<int>(slot.x / settings.scaleX);
        const int y = static_cast<int>(slot.y / settings.scaleY);
        if (world.noFreeCell || !HitTestCar(x, y, slot.direction) || world.IsPaused() || !world.leftDown)
            continue;
        if (gridLevel)
            return;
        world.SetPause(false);
        world.autoOnMouse = slot.autoType;
        world.heldCarItem = story.GetAutoColor(slot.autoType);
        world.grabOffsetX = world.hitOffsetX;
        world.grabOffsetY = world.hitOffsetY;
        world.currentStack = slot.id;
        world.dragTimer.Restart();
        world.heldCarVariant = slot.direction;
        slot.autoType = -1;
        return;
    }
}

void CarLayer::DragAuto()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.autoOnMouse == -1)
        return;
    const int target = DropTarget(world);
    int mouseX = 0;
    int mouseY = 0;
    MousePosition(mouseX, mouseY);
    DrawTinted(kCarPage, CarImageName(world.autoOnMouse, world.heldCarVariant, L".png"), mouseX - world.grabOffsetX,
        mouseY - world.grabOffsetY, 255);

    // A car still sliding keeps the held one under the mouse.
    if (!world.transfers.empty())
        return;
    if (cGameWorld::IsFirstLevelOfTriple(world.level) || world.leftDown)
        return;
    Story& story = Story::Instance();

    if (target >= 0) {
        for (cStackSlot& slot : world.stackSlots)
            slot.settleTimer.Restart();
        world.SetPlaceAuto(target, world.autoOnMouse);
        if (story.GetAutoClass(world.autoOnMouse) == kWorkClass || world.inspection)
            world.heldCarItem = world.places[static_cast<size_t>(target)].type;
        world.PutAutoOnPlace(target, world.heldCarItem, 1);
        if (world.placeAutos.empty()) {
            cLog::Instance().Error(L"AutoInStation size = 0, after add!!!!!!");
            return;
        }
        // The car stands on the place at once and settles there.
        cPlaceAuto& served = world.placeAutos.back();
        served.arriving = 0;
        served.inService = 1;
        if (StationView* stationView = StationView::Instance())
            stationView->UpdatePlaceState(target);
        const cPlace& place = world.places[static_cast<size_t>(target)];
        world.selectedCount = 0;
        world.selectedIndex[0] = target;
        world.selectedRow[0] = place.row;
        world.selectedColumn[0] = place.column;
        world.lastPlacedCarType = world.autoOnMouse;
        world.selectedCount = 1;
        world.autoOnMouse = -1;
        world.carFromRoad = 0;
        world.carFromRoadAux = 0;
        world.hintCount = 0;
        return;
    }

    // Dropped anywhere else: the car slides back to the road, and costs
    // points once they have reached the penalty threshold, unless it came
    // from the road (its taking has already cost them).
    // The slide starts where the held car was drawn; slides run in design
    // units.
    const cSettings& settings = cSettings::Instance();
    const int fromX = static_cast<int>(static_cast<float>(mouseX - world.grabOffsetX) * settings.scaleX);
    const int fromY = static_cast<int>(static_cast<float>(mouseY - world.grabOffsetY) * settings.scaleY);
    world.StartTransfer(world.autoOnMouse, fromX, fromY, story.GetXAutobahn(), story.GetYAutobahn());
    world.autoOnMouse = -1;
    if (world.levelPoints >= world.penaltyThreshold && !world.carFromRoad) {
        world.AddFlyingMarker(world.penaltyThreshold);
        RestartStars();
        story.CallScriptFunction("on_minus_points");
    }
    world.carFromRoad = 0;
    world.carFromRoadAux = 0;
}

void CarLayer::UpdateHelpHints()
{
    // Last frame's hints are drawn before new ones are collected.
    DrawPhantomCar();
    DrawPhantomCarSpecial();
    cGameWorld& world = cGameWorld::Instance();
    world.hintCount = 0;
    if (world.drawStation == 0)
        return;
    for (size_t i = 0; i < world.places.size(); ++i) {
        const cPlace& place = world.places[i];
        if (place.state == kBrokenPlace || place.type < kFirstHintKind || place.type > kLastHintKind || place.row == -1
            || place.column == -1)
            continue;
        const int index = static_cast<int>(i);
        if (world::FindFirst(world.placeAutos, [&](const cPlaceAuto& a) { return a.place == index; }) >= 0)
            continue;
        world.AddHelpHint(index);
    }
}

} // namespace Scene
