// The cars waiting in the stack slots, which bounce once they have driven in
// and light up when the player may take them; the cars leaving their places,
// which fade out; and three plain drawing helpers.
#include <cwchar>

#include "scene/car_layer.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr double kSettleStepSeconds = 0.016;
    constexpr int kSettleSteps = 17;
    constexpr int kSettleBounce[16] = { 0, -1, -2, -3, 0, 1, 2, 3, 0, 0, -1, -2, 0, 0, 1, 2 };
    // The direction of slot 0 that makes the stack draw from its last slot,
    // so that the cars in front overlap the ones behind.
    constexpr int kBackToFrontDirection = 7;
    constexpr double kLeavingDelaySeconds = 0.016;
    constexpr int kLeavingAlphaStep = 5;

    int SettleOffset(int step)
    {
        int offset = 0;
        for (int i = 0; i < step && i < 16; ++i)
            offset += kSettleBounce[i];
        return offset;
    }
} // namespace

void CarLayer::DrawStackAutos()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    if (world.levelOver || world.stackSlots.empty())
        return;
    const int count = static_cast<int>(world.stackSlots.size());
    const bool backToFront = world.stackSlots[0].direction == kBackToFrontDirection && !settings.developerMode;
    const bool takeable = !world.IsPaused() && !cGameWorld::IsFirstLevelOfTriple(world.level);
    for (int k = 0; k < count; ++k) {
        cStackSlot& slot = world.stackSlots[backToFront ? count - 1 - k : k];
        if (slot.autoType < 0 || slot.busy)
            continue;
        const int x = static_cast<int>(slot.x / settings.scaleX);
        int y = static_cast<int>(slot.y / settings.scaleY);
        // Drawn back to front the bounce halts with the game; front to back
        // it runs on through a pause.
        if (slot.settling && !(backToFront && world.IsPaused())) {
            y += SettleOffset(slot.settleStep);
            if (slot.settleTimer.Elapsed() > kSettleStepSeconds) {
                slot.settleTimer.Restart();
                if (++slot.settleStep >= kSettleSteps) {
                    slot.settling = 0;
                    slot.settleStep = 0;
                }
            }
        }
        const int variant = slot.direction;
        if (world.takeFromStack == 1 && takeable && !world.noFreeCell && HitTestCar(x, y, variant)
            && world.managerBelowLimit)
            DrawTinted(kHoverPage, CarImageName(slot.autoType, variant, L"_over.png"), x, y, 255);
        else
            DrawTinted(kCarPage, CarImageName(slot.autoType, variant, L".png"), x, y, 255);
    }
}

void CarLayer::DrawLeavingAutos()
{
    cGameWorld& world = cGameWorld::Instance();
    for (cLeavingAuto& car : world.leavingAutos) {
        DrawTinted(kCarPage, car.sprite, car.x, car.y, car.alpha);
        // Full alpha for the first moments, then 5 less every frame.
        if (car.timer.Elapsed() > kLeavingDelaySeconds) {
            car.alpha -= kLeavingAlphaStep;
            if (car.alpha < 1)
                car.alive = 0;
        }
    }
    std::erase_if(world.leavingAutos, [](const cLeavingAuto& car) { return !car.alive; });
}

void CarLayer::DrawCarAt(int autoType, int variant, int x, int y)
{
    const cSettings& settings = cSettings::Instance();
    pages[kCarPage].DrawImage(CarImageName(autoType, variant, L".png").c_str(), static_cast<int>(x / settings.scaleX),
        static_cast<int>(y / settings.scaleY), 0, 0, 255, 255, 255, 255);
}

void CarLayer::DrawImageAt(const wchar_t* name, int x, int y)
{
    if (!name)
        return;
    const cSettings& settings = cSettings::Instance();
    DrawTinted(kCarPage, std::wstring(name) + L".png", static_cast<int>(x / settings.scaleX),
        static_cast<int>(y / settings.scaleY), 255);
}

void CarLayer::DrawDigitImage(int x, int y, int digit)
{
    wchar_t name[32];
    std::swprintf(name, 32, L"11_000%d.png", digit);
    pages[kCarPage].DrawImage(name, x, y, 0, 0, 255, 255, 255, GetAlpha());
}

} // namespace Scene
