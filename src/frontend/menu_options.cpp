#include "frontend/menu_options.h"

namespace Scene {

MenuOptions::MenuOptions()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuOptions::~MenuOptions() = default;

void MenuOptions::Draw() { }

} // namespace Scene
