// The weather and effect overlay (screen slot 6): fog, clouds and their shadows,
// snow, rain, balloons, the animated effect sprites of the world's effect list
// and the floating value texts. The world and the level scripts make the
// records; this screen animates and draws them each frame and removes the ones
// that have run out.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

namespace Scene {

class EffectsLayer : public Screen {
public:
    // Page sets, the same list for either screen width: the sets of the
    // width 1280 in slots 0..15, the sets of every other width behind them.
    enum Page {
        kPageEffects = 0, // effect types without a page of their own, balloons, snow and rain
        kPageEffects3 = 1, // ..kPageEffects3 + 9: "menu_effects3".."menu_effects12"
        kPageClouds = 11,
        kPageWind1 = 12,
        kPageWind2 = 13,
        kPageWindHund = 14,
        kPageFog = 15,
        kPagesPerWidth = 16,
    };
    static constexpr double kFogFadeSeconds = 0.06;

    EffectsLayer();
    ~EffectsLayer() override;

    // The screen the screen manager holds in slot 6; null when there is none.
    static EffectsLayer* Instance();

    // The level frame, in the order the screen manager calls them.
    // Cloud shadows, while the world's clouds are on.
    virtual void DrawCloudShadows();
    // The "+N" and "-N" texts flying to the points display; a "+N" that
    // arrives credits the level's points.
    virtual void DrawValueFloaters();
    // The clouds, drifting and fading towards their alpha target.
    virtual void DrawEffectLayer2();
    // The two scrolling fog layers, fading in or out.
    virtual void DrawFog();
    // Snow, rain and the effect sprites, each advanced by its own timer.
    virtual void UpdateAnimations();
    // The balloons.
    virtual void DrawEffectLayer();

    // Both fog layers back to their start, after a change of display mode.
    virtual void ResetClouds();
    // The fog's current alpha, its fade interval in seconds and its fade
    // mode (0 in, 1 out).
    void SetFog(int alpha, double interval, int mode);

    // Removes the first effect of that type, owner and position.
    void DeleteEffect(int type, int place, int x, int y);
    // An effect on that cell (row, column) exists.
    bool HasEffectAt(int row, int column) const;
    bool HasEffect(int type, int x, int y) const;
    bool HasEffectType(int type) const;

    // The image name of an effect's current frame: base name, frame number
    // (three digits when the effect has 100 frames or more) and extension.
    static std::string EffectFrameName(const std::string& base, int frame, int frames, const std::string& ext);
    // The page slot an effect type draws from, and whether it takes the
    // level tint (white otherwise).
    static int EffectPage(int type, bool& tinted);

    int GetFogAlpha() const { return fogAlpha; }
    int GetFogMode() const { return fogMode; }
    int GetFogX(int layer) const { return fogX[layer & 1]; }

protected:
    void OnActivate() override;
    void OnDeactivate() override;
    // Every image the overlay draws goes through here; `page` is a slot of
    // `pages`. Tests note the calls.
    virtual void DrawSprite(CPageManager& page, const std::wstring& name, int x, int y, int r, int g, int b, int a);

private:
    // The page of the slot for the configured width.
    CPageManager& PageForWidth(int page);
    // Draws in the level tint with the alpha; every channel is held to 0..255,
    // since a script may set any tint.
    void DrawTinted(CPageManager& page, const std::wstring& name, int x, int y, int alpha);
    void DrawWhite(CPageManager& page, const std::wstring& name, int x, int y, int alpha);
    void DrawSnow();
    void MoveSnow();
    void DrawRain();
    void MoveRain();
    void UpdateEffects();

    std::wstring fogLayer[2];
    int fogX[2] = {};
    int fogAlpha = 0;
    double fogInterval = kFogFadeSeconds;
    int fogMode = 0;
    cTimer fogTimer;
};

} // namespace Scene
