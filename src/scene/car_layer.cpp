#include "scene/car_layer.h"

#include <cmath>

#include "engine/gfx.h"
#include "platform/utf16.h"
#include "scene/screen_manager.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    // Outlines of a car drawn at (0, 0), by variant: the diagonals 3 and 7
    // share one, 1 and 9 the other.
    constexpr int kOutline37[4][2] = { { 70, 20 }, { 120, 85 }, { 75, 105 }, { 25, 40 } };
    constexpr int kOutline19[4][2] = { { 18, 60 }, { 106, 28 }, { 130, 69 }, { 38, 106 } };

    const wchar_t* PageFolder(bool hover)
    {
        const bool design = cSettings::Instance().width == 1280;
        if (hover)
            return design ? L"data/gui/interface/menu/menu_transport_over"
                          : L"data/gui/interface/menu/menu_transport_over_1024";
        return design ? L"data/gui/interface/menu/menu_transport" : L"data/gui/interface/menu/menu_transport_1024";
    }
} // namespace

CarLayer::CarLayer()
    : Screen(0, 0, 0, 0)
{
}

CarLayer::~CarLayer()
{
    OnDeactivate();
}

CarLayer* CarLayer::Instance()
{
    return cScreenManager::Instance().Get<CarLayer>(cScreenManager::kCarLayer);
}

void CarLayer::OnActivate()
{
    for (const int slot : { kCarPage, kHoverPage }) {
        // The loader reads the draw colour; the pages load in transparent
        // black and the layer draws in white afterwards.
        if (g_pGfx2D)
            g_pGfx2D->SetColor(0);
        pages[slot].Load(PageFolder(slot == kHoverPage));
        if (g_pGfx2D)
            g_pGfx2D->SetColor(0xFFFFFFFFu);
    }
    cGameWorld& world = cGameWorld::Instance();
    const size_t roads = std::min<size_t>(world.autobahnRoads.size(), kMaxRoads);
    for (size_t i = 0; i < roads; ++i)
        roadTimers[i].Restart();
    world.settleTimer.Start();
    world.bounceTimer.Start();
    selectorTimer.Restart();
    selectorFrame = 0;
}

void CarLayer::OnDeactivate()
{
    pages[kCarPage].Unload();
    pages[kHoverPage].Unload();
}

void CarLayer::ResetTimers()
{
    for (cTimer& timer : roadTimers)
        timer.Restart();
    cGameWorld& world = cGameWorld::Instance();
    world.settleTimer.Restart();
    world.bounceTimer.Restart();
    selectorTimer.Restart();
}

void CarLayer::PlaceAtPathStart(int index)
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(index, world.autobahnCars.size()))
        return;
    cAutobahnAuto& car = world.autobahnCars[index];
    if (car.pathX.empty() || car.pathY.empty())
        return;
    car.x = static_cast<float>(car.pathX[0]);
    car.y = static_cast<float>(car.pathY[0]);
}

bool CarLayer::PointInPolygon(int count, const int* xs, const int* ys, int x, int y)
{
    return cGameWorld::PointInPolygon(count, xs, ys, x, y);
}

bool CarLayer::HitTestCar(int x, int y, int variant)
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.restartConfirmOpen)
        return false;
    const int(*outline)[2] = nullptr;
    if (variant == 3 || variant == 7)
        outline = kOutline37;
    else if (variant == 1 || variant == 9)
        outline = kOutline19;
    else
        return false;
    const cSettings& settings = cSettings::Instance();
    int xs[4];
    int ys[4];
    for (int i = 0; i < 4; ++i) {
        xs[i] = static_cast<int>(static_cast<float>(x) + static_cast<float>(outline[i][0]) / settings.scaleX);
        ys[i] = static_cast<int>(static_cast<float>(y) + static_cast<float>(outline[i][1]) / settings.scaleY);
    }
    int mouseX = 0;
    int mouseY = 0;
    if (g_pInputDevice) {
        mouseX = g_pInputDevice->GetMouseX();
        mouseY = g_pInputDevice->GetMouseY();
    }
    if (!PointInPolygon(4, xs, ys, mouseX, mouseY))
        return false;
    world.hitOffsetX = mouseX - x;
    world.hitOffsetY = mouseY - y;
    return true;
}

float CarLayer::Heading(float x1, float y1, float x2, float y2)
{
    constexpr float kDegreesPerRadian = 180.0f / 3.1415927f;
    const float dx = x1 - x2;
    const float dy = y2 - y1; // y counted upwards
    if (dx == 0.0f)
        return dy >= 0.0f ? (dy == 0.0f ? 0.0f : 90.0f) : 270.0f;
    float degrees = std::atan(dy / dx) * kDegreesPerRadian;
    if (dx < 0.0f)
        degrees += 180.0f;
    else if (dy < 0.0f)
        degrees += 360.0f;
    if (degrees >= 360.0f)
        degrees -= 360.0f;
    return degrees;
}

bool CarLayer::HasOtherStackCar(int slot) const
{
    const cGameWorld& world = cGameWorld::Instance();
    for (size_t i = 0; i < world.stackSlots.size(); ++i) {
        const cStackSlot& other = world.stackSlots[i];
        if (static_cast<int>(i) != slot && other.autoType >= 0 && !other.busy)
            return true;
    }
    return false;
}

std::wstring CarLayer::CarImageName(int autoType, int variant, const wchar_t* suffix)
{
    return platform::NarrowToWide(cGameWorld::Instance().GetAutoTypeName(autoType, variant)) + suffix;
}

void CarLayer::DrawTinted(int page, const std::wstring& name, int x, int y, int alpha)
{
    const int* tint = cGameWorld::Instance().levelTint;
    pages[page].DrawImage(name.c_str(), x, y, 0, 0, tint[0], tint[1], tint[2], alpha);
}

} // namespace Scene
