// The world map (menu slot 7); the menu manager keeps it active during a level.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuOverlux : public MenuPrototype {
public:
    MenuOverlux();
    ~MenuOverlux() override;

    // Calls from the main-menu state, which the world map's own files define.
    virtual void Draw();
};

} // namespace Scene
