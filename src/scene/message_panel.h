// The message panel (screen slot 11): the queued status messages, one at a time.
#pragma once

#include "app/clock.h"
#include "scene/screen.h"

namespace Scene {

class MessagePanel : public Screen {
public:
    MessagePanel();
    ~MessagePanel() override;

    // Shows the first queued status message until its time is up; nothing
    // while the task dialog is open or the level has ended.
    virtual void Draw();

    // Clears the panel's message counter (every level start).
    virtual void Reset();

    // The first queued message in its panel above the bottom of the screen.
    void DrawPanel();

protected:
    void OnActivate() override;
    void OnDeactivate() override;

    cTimer timers[6];
    // Messages shown since the level started.
    int messageCounter = 0;
    // Pixels from the plate's top to the text last laid out.
    int textOffset = 0;
};

} // namespace Scene
