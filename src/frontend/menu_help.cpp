#include "frontend/menu_help.h"

namespace Scene {

MenuHelp::MenuHelp()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuHelp::~MenuHelp() = default;

void MenuHelp::Draw() { }

} // namespace Scene
