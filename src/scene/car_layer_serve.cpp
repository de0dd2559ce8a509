// Which place takes which car: asked by the station view for the drop target
// of the car held by the mouse.
#include "scene/car_layer.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr int kWorkClass = 6; // cars that work on a place rather than being served
    constexpr int kFirstUpgradeValue = 56;
    constexpr int kLastUpgradeValue = 60;
    constexpr int kConcreteMixer = 41; // builds on an empty lot
    constexpr int kCrane = 21; // repairs
    constexpr int kBroken = 2;
} // namespace

bool CarLayer::CanServeAt(int place, int autoType) const
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(place, world.places.size()))
        return false;
    Story& story = Story::Instance();
    if (story.GetAutoClass(autoType) == kWorkClass)
        return true;
    const int value = world.GetAutoTypeValue(autoType);
    if (value >= kFirstUpgradeValue && value <= kLastUpgradeValue)
        return true;
    const cPlace& p = world.places[place];
    if (p.type < 2)
        return autoType == kConcreteMixer || world.inspection != 0;
    if (p.type > 2 && p.state > 0 && autoType == kCrane)
        return true;
    if (p.type < 6 || p.type > 10 || p.state == kBroken)
        return false;
    // Colour groups 7..10 are served by the variants 1..4, every other group
    // by variant 0.
    const int group = story.GetAutoColor(autoType);
    const int wanted = group >= 7 && group <= 10 ? group - 6 : 0;
    return p.colour == wanted;
}

} // namespace Scene
