// The station view (menu slot 4), as far as the world calls into it. The world
// reaches the screen through Instance(), which is null while no screens exist;
// every call is then skipped.
#pragma once

namespace Scene {

class MenuOver {
public:
    // The screen the menu manager holds in slot 4; null when there is none.
    static MenuOver* Instance();

    // Store the image size on the places of the type at the screen point.
    void GetElementImageSize(int type, int x, int y);
    void GetTreeImageSize(int type, int x, int y);
};

} // namespace Scene
