// The game over the real engine with a recorder in front that passes every
// call on, for tests that look at frames as a player sees them: what a frame
// drew (its draw calls and the images they show) and its pixels, saved to
// test-output/ and judged by the layout check.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/test_events.h"
#include "platform/utf16.h"
#include "scene/design_units.h"
#include "scene/screen_manager.h"
#include "support/layout_check.h"
#include "support/menu_route.h"
#include "support/recording_gfx.h"
#include "support/scripted_run.h"

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
    // The frame last drawn shows this text.
    bool ShowsText(const std::wstring& text) const
    {
        return std::any_of(Draws().begin(), Draws().end(), [&](const test::GfxDraw& d) { return d.text == text; });
    }
    // The frame last drawn shows the image the art tables know by this name;
    // `whole`: at full strength, not fading.
    bool ShowsImage(const std::string& name, bool whole = false) const
    {
        return std::any_of(Draws().begin(), Draws().end(), [&](const test::GfxDraw& d) {
            const test::ImageCatalog::Image* image = ImageOf(d);
            return image && image->name == name && (!whole || d.color >> 24 == 0xFF);
        });
    }
    // The frame last drawn shows a text with this in it.
    bool ShowsTextWith(const std::wstring& part) const
    {
        return std::any_of(Draws().begin(), Draws().end(),
            [&](const test::GfxDraw& d) { return !d.text.empty() && d.text.find(part) != std::wstring::npos; });
    }
    // The screen of that slot is on and has faded in.
    static bool FadedIn(int slot)
    {
        const Scene::Screen* screen = cScreenManager::Instance().GetScreen(slot);
        return screen && screen->IsActive() && screen->GetAlpha() == 0xFF;
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
            Press(d.x + extent.cx / 2, d.y + extent.cy / 2, down);
            return;
        }
    }
    // Presses or lets go of the mouse there.
    void Press(int x, int y, bool down)
    {
        if (!g_pInputDevice)
            return;
        g_pInputDevice->SetCursorPos(x, y);
        platform::InjectMouseButton(window, 1, down, x, y);
        if (down)
            pressedAt = { x, y };
    }
    // Lets go of the mouse where it was last pressed, whatever the frame
    // shows there now.
    void LetGo() { Press(pressedAt.x, pressedAt.y, false); }
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
    struct {
        int x = 0, y = 0;
    } pressedAt;
};

// A recorded game whose clock and input the test drives (support/scripted_run.h):
// each frame the clock goes on a 60th of a second and the script's step at
// hand looks at the frame last drawn. The run ends with the game, when a step
// gives up, or once every step was taken.
class ScriptedApp : public RecordedApp {
public:
    bool Frame() override
    {
        clock.Tick();
        steps.Frame();
        drawnBy = TopState();
        return GameFrame() && !steps.GaveUp() && !steps.Done();
    }

    test::ScriptedSteps steps;

protected:
    // The state that drew the frame last drawn (the stack may have changed
    // at its end).
    const std::wstring& DrawnBy() const { return drawnBy; }
    // The game's own frame, after the step.
    virtual bool GameFrame() { return cGameApp::Frame(); }
    // Escape over the logos, and once the start screen is open, `level`
    // played from the map.
    void PlayFromStart(int level)
    {
        steps.Add(
            "the first frame", [] { return true; }, [this] { platform::InjectKey(window, "Escape", true); });
        steps.Add("the start screen", test::StartScreenOpen, [level] { test::PlayLevelFromMap(level); });
        steps.Add("level " + std::to_string(level), [this] { return DrawnBy() == L"cStateGame"; });
    }
    // The mouse button pressed by the step at hand is let go the next frame.
    void LetGoNextFrame()
    {
        steps.Add("the press held a frame", [] { return true; }, [this] { LetGo(); });
    }
    // The map's city pin (at its lower left, where the step before put the
    // mouse) clicked once it lights up under the mouse.
    void ClickCityPin()
    {
        steps.Add(
            "the city pin lit under the mouse", [this] { return ShowsImage("fishka_over_city.png"); },
            [this] { Press(Scene::ScaleX(50), Scene::ScaleY(750), true); });
        LetGoNextFrame();
    }
    // The options opened as the start screen's options button opens them.
    static void OpenOptionsFromStart(cGameWorld& world)
    {
        cScreenManager::Instance().GetScreen(cScreenManager::kOptions)->SetActive(true);
        world.profilesOpen = 0;
        world.optionsOpen = 1;
    }
    // The result table opened as the map's highscores button opens it.
    static void OpenHighscores(cGameWorld& world)
    {
        world.highscoresOpen = 1;
        world.highscoreTableReady = 0;
        world.resultScreenOpen = 1;
        cScreenManager::Instance().GetScreen(cScreenManager::kResultScreen)->SetActive(true);
    }
    // The name of the state on top of the stack; "" without one.
    std::wstring TopState() { return GetStateManager().Top() ? GetStateManager().Top()->GetName() : L""; }

    test::FrameClock clock;

private:
    std::wstring drawnBy;
};
