#include "scene/menu_effects.h"

namespace Scene {

MenuEffects::MenuEffects()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuEffects::~MenuEffects() = default;

void MenuEffects::DrawCloudShadows() { }

void MenuEffects::DrawValueFloaters() { }

void MenuEffects::DrawEffectLayer2() { }

void MenuEffects::DrawFog() { }

void MenuEffects::UpdateAnimations() { }

void MenuEffects::DrawEffectLayer() { }

void MenuEffects::ResetClouds() { }

} // namespace Scene
