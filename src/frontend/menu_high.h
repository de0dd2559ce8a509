// The result and highscore screen (menu slot 1).
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuHigh : public MenuPrototype {
public:
    MenuHigh();
    ~MenuHigh() override;

    // One frame of the result and highscore screen while resultScreenOpen is set.
    virtual void Draw();
};

} // namespace Scene
