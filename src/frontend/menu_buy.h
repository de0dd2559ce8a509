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

    // ---- Called by the world map (menu_buy_calls_stub.cpp until the shop
    // has them) ----
    // Lays the station's lots out for the screen size.
    void LayoutStation();
    // Marks some station fundaments at random, for the intro's reveal.
    void FlagRandomFundaments();
};

} // namespace Scene
