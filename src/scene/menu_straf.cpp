#include "scene/menu_straf.h"

namespace Scene {

MenuStraf::MenuStraf()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuStraf::~MenuStraf() = default;

void MenuStraf::Draw() { }

void MenuStraf::Reset() { }

} // namespace Scene
