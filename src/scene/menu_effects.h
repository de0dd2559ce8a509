// The weather and effect overlay (menu slot 6): fog, clouds and their shadows, snow, rain, effect sprites and the
// floating values.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuEffects : public MenuPrototype {
public:
    MenuEffects();
    ~MenuEffects() override;

    // Cloud shadows over the scene.
    virtual void DrawCloudShadows();

    // The floating value texts.
    virtual void DrawValueFloaters();

    // The effect sprites of the second effect list.
    virtual void DrawEffectLayer2();

    // The two scrolling fog layers.
    virtual void DrawFog();

    // Weather and effect animations.
    virtual void UpdateAnimations();

    // The effect sprites of the first effect list.
    virtual void DrawEffectLayer();

    // Clouds back to their start after a change of display mode.
    virtual void ResetClouds();
};

} // namespace Scene
