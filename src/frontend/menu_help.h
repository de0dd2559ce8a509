// The help screen (menu slot 5).
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuHelp : public MenuPrototype {
public:
    MenuHelp();
    ~MenuHelp() override;

    // One frame of the help screen.
    virtual void Draw();
};

} // namespace Scene
