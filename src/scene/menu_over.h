// The station view (menu slot 4) with the build bar: the station's elements and
// places, the place under the mouse and the tooltip the menu manager draws last.
// The world reaches the screen through Instance(), which is null while no
// screens exist; every call is then skipped.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuOver : public MenuPrototype {
public:
    MenuOver();
    ~MenuOver() override;

    // The screen the menu manager holds in slot 4; null when there is none.
    static MenuOver* Instance();

    // Store the image size on the places of the type at the screen point.
    void GetElementImageSize(int type, int x, int y);
    void GetTreeImageSize(int type, int x, int y);

    // The level frame, in the order the menu manager calls them.
    // The station element under the mouse, -1 none; with checkDrop, only a
    // place that would take the car held by the mouse.
    virtual int GetPlaceUnderMouse(bool checkDrop);
    // The station, every frame whether visible or not.
    virtual void Draw();
    // The decorations above the cars.
    virtual void DrawDecorations();
};

} // namespace Scene
