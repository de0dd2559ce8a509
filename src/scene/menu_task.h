// The task dialog (menu slot 9).
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuTask : public MenuPrototype {
public:
    MenuTask();
    ~MenuTask() override;

    // One frame of the task dialog while taskBookOpen is set.
    virtual void Draw();

    // The dialog's page state back to its start (every level start).
    virtual void Reset();

    // The first page again, after the comic is loaded.
    virtual void ResetPage();
};

} // namespace Scene
