// The build menu (menu slot 10): the menu manager makes and deletes it with
// the other screens and switches it on with the level's screens, but the game
// neither shows it nor builds through it; stations are built in the shop.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuBuild : public MenuPrototype {
public:
    MenuBuild();
    ~MenuBuild() override;
};

} // namespace Scene
