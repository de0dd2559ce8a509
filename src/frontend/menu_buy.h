// The shop (menu slot 2), which also runs the station-building level 31.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuBuy : public MenuPrototype {
public:
    MenuBuy();
    ~MenuBuy() override;

    // One frame of the shop: its buttons and the build phase.
    virtual void Update();
};

} // namespace Scene
