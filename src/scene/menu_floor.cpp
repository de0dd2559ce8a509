#include "scene/menu_floor.h"

namespace Scene {

MenuFloor::MenuFloor()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuFloor::~MenuFloor() = default;

void MenuFloor::Draw() { }

void MenuFloor::DrawRockHover() { }

} // namespace Scene
