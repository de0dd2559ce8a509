// The level background (menu slot 8): the level's ground image with the level tint and the hover images of the rocks.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuFloor : public MenuPrototype {
public:
    MenuFloor();
    ~MenuFloor() override;

    // The ground of the level.
    virtual void Draw();

    // The rock under the mouse, highlighted.
    virtual void DrawRockHover();
};

} // namespace Scene
