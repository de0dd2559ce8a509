#include "scene/menu_submenu.h"

#include "scripting/story.h"

namespace Scene {

MenuSubmenu::MenuSubmenu()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuSubmenu::~MenuSubmenu() = default;

void MenuSubmenu::DrawBonusSlots() { }

void MenuSubmenu::Tick() { }

void MenuSubmenu::Draw() { }

void MenuSubmenu::ResetResultSound()
{
    Story::Instance().StartSound(2);
}

} // namespace Scene
