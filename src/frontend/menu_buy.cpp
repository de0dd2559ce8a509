#include "frontend/menu_buy.h"

namespace Scene {

MenuBuy::MenuBuy()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuBuy::~MenuBuy() = default;

void MenuBuy::Update() { }

} // namespace Scene
