// The help screen (screen slot 5). It is a placeholder: made, switched on and
// drawn every level frame with the other screens, it shows nothing and reacts
// to nothing.
#pragma once

#include <string>

#include "app/clock.h"
#include "resources/property_file.h"
#include "scene/screen.h"

namespace Scene {

class HelpScreen : public Screen {
public:
    HelpScreen();
    ~HelpScreen() override;

    // One frame of the help screen: nothing.
    virtual void Draw();

protected:
    void OnActivate() override;
    // Frees the screen's page, which nothing loads.
    void OnDeactivate() override;

private:
    static constexpr int kHelpPage = 33;

    PropertyFile texts;
    cTimer timers[4];
    std::wstring text;
};

} // namespace Scene
