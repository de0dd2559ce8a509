#include "frontend/menu_high.h"

namespace Scene {

MenuHigh::MenuHigh()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuHigh::~MenuHigh() = default;

void MenuHigh::Draw() { }

} // namespace Scene
