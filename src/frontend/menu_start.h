// The start screen with the profiles (menu slot 12); the only screen active after start-up.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuStart : public MenuPrototype {
public:
    MenuStart();
    ~MenuStart() override;

    // The full-screen start-menu and station pictures of the start screen's
    // page, drawn whole at 0, 0 in opaque white; other screens borrow them as
    // backgrounds.
    void DrawStartMenuImage();
    void DrawStationImage();

protected:
    // The page slot that holds the start screen's page.
    static constexpr int kStartPage = 0;
};

} // namespace Scene
