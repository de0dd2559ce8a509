#include "scene/menu_build.h"

namespace Scene {

MenuBuild::MenuBuild()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuBuild::~MenuBuild() = default;

} // namespace Scene
