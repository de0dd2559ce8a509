#include "frontend/menu_start.h"

namespace Scene {

MenuStart::MenuStart()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuStart::~MenuStart() = default;

} // namespace Scene
