#include "frontend/menu_overlux.h"

namespace Scene {

MenuOverlux::MenuOverlux()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuOverlux::~MenuOverlux() = default;

} // namespace Scene
