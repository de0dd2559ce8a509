// The level background (screen slot 8): the ground of a level, drawn first in
// every level frame. One full-screen image chosen by the level number from the
// page set of the level's region, the decorations ("bodies") the level script
// placed on it, and the rock overlay that cars pass beneath on two levels; all
// of it in the level tint, which this screen fades towards dark or back to
// full brightness.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

struct cBody;
struct cWorldEffectsFields;

namespace Scene {

class LevelBackground : public Screen {
public:
    // The region's pages for a screen 1280 wide, and for every other width.
    static constexpr int kRegionPage = 32;
    static constexpr int kRegionPage1024 = 33;
    // A fade step is due once this much time has passed since the last one.
    static constexpr double kTintStepSeconds = 0.016;

    LevelBackground();
    ~LevelBackground() override;

    // One frame of the ground: fade, light, background image, bodies.
    virtual void Draw();
    // The rock overlay of the level, if it has one; drawn right after the cars.
    virtual void DrawRockHover();

    // The page folder of the level's region for a configured width (the
    // "_1024" set for any width but 1280); empty outside levels 1..30.
    static std::wstring RegionFolder(int level, int width);
    // The level's background image; null outside levels 1..30.
    static const wchar_t* BackgroundImage(int level);
    // The image the cars pass beneath; null for levels without rocks.
    static const wchar_t* OverlayImage(int level);
    // Bodies 0..3 are the parking-lot variants: only the current one shows.
    static bool ShowsBody(const cBody& body, int parkingLot);
    // One step of the light: darkening first, else brightening. Every tint
    // component stays within 0..255.
    static void StepTint(cWorldEffectsFields& light);

protected:
    void OnActivate() override;
    void OnDeactivate() override;

private:
    CPageManager& CurrentPage();

    cTimer tintTimer;
    int editorListPosition = 0;
};

} // namespace Scene
