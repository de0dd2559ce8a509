// The world map (menu slot 7); the menu manager keeps it active during a level.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuOverlux : public MenuPrototype {
public:
    MenuOverlux();
    ~MenuOverlux() override;

    // ---- Called by the profile screen (menu_overlux_enter_stub.cpp) ----
public:
    // Starts the station-building level inside the main menu; a new game
    // begins there.
    void EnterBuildLevel();
};

} // namespace Scene
