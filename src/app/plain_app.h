// The application until the game's own takes over: a captioned 1280 × 1024
// window, cleared every frame, that ends when it is closed.
#pragma once

#include "app/application.h"

class cPlainApp : public cApplication {
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 1024;

    bool Init() override;
    // The first loop only takes the messages already waiting.
    bool PreFrame() override;
    bool Frame() override;
    bool Shutdown() override;

    int FrameCount() const { return frames; }

private:
    int frames = 0;
};
