// The options screen (menu slot 0): sound, language, screen size and mode.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuOptions : public MenuPrototype {
public:
    MenuOptions();
    ~MenuOptions() override;

    // One frame of the options screen.
    virtual void Draw();
};

} // namespace Scene
