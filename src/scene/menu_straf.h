// The message panel (menu slot 11): the queued status messages, one at a time.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuStraf : public MenuPrototype {
public:
    MenuStraf();
    ~MenuStraf() override;

    // Shows the first queued status message until its time is up.
    virtual void Draw();

    // Clears the panel's message counter (every level start).
    virtual void Reset();
};

} // namespace Scene
