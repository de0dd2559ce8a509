#include "scene/menu_submenu.h"

namespace Scene {

MenuSubmenu::MenuSubmenu()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuSubmenu::~MenuSubmenu() = default;

void MenuSubmenu::DrawBonusSlots() { }

void MenuSubmenu::Tick() { }

void MenuSubmenu::Draw() { }

} // namespace Scene
