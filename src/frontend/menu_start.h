// The start screen with the profiles (menu slot 12); the only screen active after start-up.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuStart : public MenuPrototype {
public:
    MenuStart();
    ~MenuStart() override;
};

} // namespace Scene
