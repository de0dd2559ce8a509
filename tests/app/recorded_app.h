// The game over the real engine with a recorder in front that passes every
// call on, for tests that look at frames as a player sees them: what a frame
// drew (its draw calls and the images they show) and its pixels, saved to
// test-output/ and judged by the layout check.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/test_events.h"
#include "platform/utf16.h"
#include "support/layout_check.h"
#include "support/menu_route.h"
#include "support/recording_gfx.h"

class RecordedApp : public cGameApp {
public:
    // The art tables' images (tools/art/images), read once for the run.
    static const test::ImageCatalog& Catalog()
    {
        static const test::ImageCatalog catalog = [] {
            test::ImageCatalog c;
            c.Load(VANDREL_SOURCE_DIR "/tools/art/images");
            return c;
        }();
        return catalog;
    }

protected:
    void StartEngine() override
    {
        recorder.reset();
        cGameApp::StartEngine();
        recorder = std::make_unique<test::RecordingGfx>(g_pGfxDevice, g_pGfx2D);
    }
    void StopEngine() override
    {
        recorder.reset();
        cGameApp::StopEngine();
    }
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }

    // Before cGameApp::Frame each frame: skips the logos in the first frame,
    // then plays `level` from the map once the start screen has been up for
    // 20 frames. True while the level state is on top of the stack.
    bool PlayFromStart(int level)
    {
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        if (++startFrames == 1)
            platform::InjectKey(window, "Escape", true);
        if (top != L"cStateGame" && !levelChosen && test::StartScreenOpen() && ++menuFrames == 20) {
            levelChosen = true;
            test::PlayLevelFromMap(level);
        }
        return top == L"cStateGame";
    }

    // The draws of the frame last drawn; none before the engine runs.
    const std::vector<test::GfxDraw>& Draws() const
    {
        static const std::vector<test::GfxDraw> none;
        return recorder ? recorder->draws : none;
    }
    // The image a texture draw shows; null for any other draw or an image
    // none of the tables has.
    const test::ImageCatalog::Image* ImageOf(const test::GfxDraw& d) const
    {
        return recorder && d.kind == test::GfxDraw::Kind::Texture ? Catalog().Find(*recorder, d) : nullptr;
    }
    // Saves the frame last presented as test-output/<file>.png.
    bool SaveFrame(const std::string& file) const
    {
        const std::wstring path = platform::NarrowToWide("test-output/" + file + ".png");
        return g_pGfxDevice && !FAILED(g_pGfxDevice->SaveScreenshot(nullptr, nullptr, path.c_str(), 90, 0));
    }
    // The frame last presented, named `screen`, as the layout check reads it;
    // false when it cannot be read.
    bool ReadFrame(const std::string& screen, test::Frame& frame) const
    {
        frame = test::Frame { screen, recorder.get(), &Catalog(), {}, 0, 0 };
        return recorder && engine::ReadFrame(&frame.pixels, &frame.width, &frame.height);
    }
    // Presses or lets go of the mouse on a text of the frame last drawn.
    void PressText(const std::wstring& text, bool down)
    {
        for (const test::GfxDraw& d : Draws()) {
            if (d.text != text || !d.font)
                continue;
            SIZE extent {};
            d.font->MeasureText(text.c_str(), &extent);
            const int x = d.x + extent.cx / 2, y = d.y + extent.cy / 2;
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, down, x, y);
            return;
        }
    }
    // Adds the layout check's breaches of the frame last presented to `into`.
    void CheckFrame(const std::string& screen, std::vector<std::string>& into) const
    {
        test::Frame frame;
        if (!ReadFrame(screen, frame))
            return;
        for (std::string& breach : test::CheckLayout(frame))
            into.push_back(std::move(breach));
    }

    std::unique_ptr<test::RecordingGfx> recorder;

private:
    int startFrames = 0, menuFrames = 0;
    bool levelChosen = false;
};
