// Around the station of the building level: the cars of the city streets,
// the trees and decoration standing on the ground with the tree the player is
// planting, and the intro's reveal of the finished station lot by lot.
#include <cmath>
#include <cstdlib>

#include "engine/gfx.h"
#include "frontend/shop.h"
#include "platform/game_random.h"
#include "platform/utf16.h"
#include "scene/design_units.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    // How near a car must be to the end of its segment to count as there.
    constexpr float kSegmentEnd = 5.0f;
    // Cars keep this far apart in x and y.
    constexpr float kCarGap = 60.0f;
    constexpr int kRevealTries = 200;

    bool HeadsRight(int direction)
    {
        return direction == 9 || direction == 3;
    }

    // The car has reached its segment's end, or passed it: a step longer than
    // the end's window would otherwise carry it on along the line for ever.
    bool AtSegmentEnd(const cAutobahnAuto& car)
    {
        const float x0 = static_cast<float>(car.pathX[0]);
        const float y0 = static_cast<float>(car.pathY[0]);
        const float x1 = static_cast<float>(car.pathX[1]);
        const float y1 = static_cast<float>(car.pathY[1]);
        if (std::fabs(car.x - x1) < kSegmentEnd && std::fabs(car.y - y1) < kSegmentEnd)
            return true;
        const bool pastX = x1 != x0 && (x1 - x0) * (car.x - x1) > 0.0f;
        const bool pastY = y1 != y0 && (y1 - y0) * (car.y - y1) > 0.0f;
        return pastX || pastY;
    }

    // One step of s pixels along the segment's line, first in x, then in y,
    // each time put back on the line. A segment straight across or straight
    // up and down has no slope to follow: the car moves along its axis.
    void StepAlongSegment(cAutobahnAuto& car, float s)
    {
        const float x0 = static_cast<float>(car.pathX[0]);
        const float y0 = static_cast<float>(car.pathY[0]);
        const float x1 = static_cast<float>(car.pathX[1]);
        const float y1 = static_cast<float>(car.pathY[1]);
        if (x1 == x0) {
            car.x = x0;
            car.y += y1 > y0 ? s : -s;
            return;
        }
        if (y1 == y0) {
            car.y = y0;
            car.x += x1 >= x0 ? s : -s;
            return;
        }
        const float slope = (y1 - y0) / (x1 - x0);
        car.x += x1 >= x0 ? s : -s;
        car.y = (car.x - x0) * slope + y0;
        car.y += y1 > y0 ? s : -s;
        car.x = (car.y - y0) / slope + x0;
    }

    int CountVisible(const std::vector<cFundament>& lots)
    {
        int visible = 0;
        for (const cFundament& f : lots)
            visible += f.alpha == 255 ? 1 : 0;
        return visible;
    }
} // namespace

std::wstring WidenName(const std::string& name)
{
    return platform::NarrowToWide(name);
}

void Shop::DrawTraffic()
{
    cGameWorld& world = cGameWorld::Instance();
    if (trafficTimer.Elapsed() > 0.034) {
        trafficTimer.Restart();
        MoveTraffic();
    }
    for (const cAutobahnAuto& car : world.autobahnCars) {
        const std::wstring image = WidenName(world.GetAutoTypeName(car.autoType, car.kind)) + L".png";
        DrawTinted(image, ScaleX(static_cast<float>(static_cast<int>(car.x))),
            ScaleY(static_cast<float>(static_cast<int>(car.y))), 255);
    }
}

void Shop::MoveTraffic()
{
    cGameWorld& world = cGameWorld::Instance();
    const float step = static_cast<float>(world.autobahnStep);
    for (cAutobahnAuto& car : world.autobahnCars) {
        // A car made without its two path points has nowhere to drive.
        if (car.pathX.size() < 2 || car.pathY.size() < 2)
            continue;
        if (AtSegmentEnd(car)) {
            if (!AdvanceCarSegment(car, car.road, car.segment))
                continue;
            car.x = static_cast<float>(car.pathX[0]);
            car.y = static_cast<float>(car.pathY[0]);
        }
        if (IsCarBlocked(car))
            continue;
        StepAlongSegment(car, step);
    }
}

bool Shop::AdvanceCarSegment(cAutobahnAuto& car, int street, int segment)
{
    const cGameWorld& world = cGameWorld::Instance();
    const cAutobahnRoad* road = nullptr;
    for (const cAutobahnRoad& r : world.autobahnRoads) {
        if (r.id == street) {
            road = &r;
            break;
        }
    }
    if (!road)
        return false;
    const int last = road->segCount < cAutobahnRoad::kSegments ? road->segCount : cAutobahnRoad::kSegments - 1;
    int next = 0;
    if (segment >= 0 && segment < last) {
        next = segment + 1;
        const int sx = road->segStartX[next];
        const int sy = road->segStartY[next];
        // Where a street joins another, its cars give way to the other's.
        if (street == 3 && next == 1 && IsRoadBusyNear(1, sx, sy))
            return false;
        if (street == 4 && next == 1 && IsRoadBusyNear(3, sx, sy))
            return false;
        if (IsCarBlocked(car))
            return false;
    }
    car.pathX = { road->segStartX[next], road->segEndX[next] };
    car.pathY = { road->segStartY[next], road->segEndY[next] };
    car.kind = road->segValue[next];
    car.variant = car.kind;
    car.segment = next;
    return true;
}

bool Shop::IsCarBlocked(const cAutobahnAuto& car) const
{
    for (const cAutobahnAuto& other : cGameWorld::Instance().autobahnCars) {
        if (&other == &car || other.kind != car.kind)
            continue;
        if (std::fabs(other.x - car.x) >= kCarGap || std::fabs(other.y - car.y) >= kCarGap)
            continue;
        if (HeadsRight(car.kind) ? other.x > car.x : other.x < car.x)
            return true;
    }
    return false;
}

bool Shop::IsRoadBusyNear(int street, int x, int y) const
{
    for (const cAutobahnAuto& car : cGameWorld::Instance().autobahnCars) {
        if (car.road == street && std::fabs(car.x - static_cast<float>(x)) < kCarGap
            && std::fabs(car.y - static_cast<float>(y)) < kCarGap)
            return true;
    }
    return false;
}

void Shop::DrawDecorPlaces()
{
    const cGameWorld& world = cGameWorld::Instance();
    // Trees and decoration stand at design points, scaled like the lots.
    for (const cPlace& place : world.places) {
        if (place.type < 100)
            continue;
        DrawTinted(WidenName(place.texture) + L".png", ScaleX(place.x), ScaleY(place.y), place.alpha);
    }
    if (world.treeSelection != -1)
        DrawHeldTree();
}

void Shop::DrawHeldTree()
{
    cGameWorld& world = cGameWorld::Instance();
    const int mouseX = g_pInputDevice ? g_pInputDevice->GetMouseX() : 0;
    const int mouseY = g_pInputDevice ? g_pInputDevice->GetMouseY() : 0;
    const wchar_t* image = nullptr;
    if (world.treeSelection == 101)
        image = L"tree_01.png";
    else if (world.treeSelection == 102)
        image = L"tree_02.png";
    else if (world.treeSelection == 103)
        image = L"tree_03.png";
    // The tree stands with the middle of its foot on the cursor. A planted
    // tree keeps its design point, so it is drawn from that point here as
    // well: it stays exactly where it was shown.
    const cSettings& settings = cSettings::Instance();
    uint32_t width = 0;
    uint32_t height = 0;
    if (image)
        pages[kShopPage].GetImageSize(image, &width, &height);
    const int designX = static_cast<int>(static_cast<float>(mouseX - static_cast<int>(width) / 2) * settings.scaleX);
    const int designY = static_cast<int>(static_cast<float>(mouseY - static_cast<int>(height)) * settings.scaleY);
    if (image)
        pages[kShopPage].DrawImage(image, ScaleX(designX), ScaleY(designY), 0, 0, 255, 255, 255, GetAlpha());
    if (world.rightDown)
        world.treeSelection = -1;
    // A tree dropped by the right button in this frame is not planted.
    if (world.leftClick && world.treeSelection != -1) {
        world.ClearMouseClicks();
        Story::Instance().CreatePlace(world.treeSelection, designX, designY, 0);
    }
}

void Shop::FlagRandomFundaments()
{
    std::vector<cFundament>& lots = cGameWorld::Instance().fundaments;
    revealSlot = 0;
    for (cFundament& f : lots)
        f.alpha = 0;
    const int n = static_cast<int>(lots.size());
    // With no lots there is nothing to draw from; with fewer than three the
    // one lot shown at once must not wait for a count it can never reach.
    if (n == 0)
        return;
    const int wanted = n / 3 > 0 ? n / 3 : 1;
    int shown = 0;
    while (shown < wanted) {
        cFundament& f = lots[static_cast<size_t>(platform::GameRand() % n)];
        if (f.alpha == 0) {
            f.alpha = 255;
            ++shown;
        }
    }
    PickRandomSlot();
}

void Shop::PickRandomSlot()
{
    const std::vector<cFundament>& lots = cGameWorld::Instance().fundaments;
    const int n = static_cast<int>(lots.size());
    if (n == 0 || CountVisible(lots) + 1 == n)
        return;
    for (int i = 0; i < kRevealTries; ++i) {
        const int pick = platform::GameRand() % n;
        if (lots[static_cast<size_t>(pick)].alpha < 255) {
            revealSlot = pick;
            return;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (lots[static_cast<size_t>(i)].alpha == 0) {
            revealSlot = i;
            return;
        }
    }
}

void Shop::DrawIntroReveal()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool due = revealTimer.Elapsed() > 0.017;
    if (due)
        revealTimer.Restart();
    for (size_t i = 0; i < world.fundaments.size(); ++i) {
        cFundament& f = world.fundaments[i];
        if (due && static_cast<int>(i) == revealSlot && f.alpha < 255) {
            f.alpha += 25;
            if (f.alpha > 255) {
                f.alpha = 255;
                PickRandomSlot();
            }
        }
        if (f.row < 0 || f.row >= world::kGridSize || f.column < 0 || f.column >= world::kGridSize)
            continue;
        const bool pump = f.row == 2 && f.column >= 2 && f.column <= 6;
        const std::wstring image = pump ? f.placeTexture : f.placeTexture + L"m";
        DrawTinted(image, world.cellX[f.row][f.column] + ScaleX(static_cast<float>(f.objectOffsetX)),
            world.cellY[f.row][f.column] + ScaleY(static_cast<float>(f.objectOffsetY)), f.alpha);
    }
}

} // namespace Scene
