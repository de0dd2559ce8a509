// The build menu (menu slot 10): made and deleted with the others, never drawn.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuBuild : public MenuPrototype {
public:
    MenuBuild();
    ~MenuBuild() override;
};

} // namespace Scene
