// The options screen (screen slot 0): the music and sound-effect volumes, the
// mute toggle, full screen or a 1024 × 768 window, window centring, a hint
// line for the control under the mouse and a close button. It shows while the
// world's optionsOpen is set: as a centred panel in a level, over the start
// screen's pictures with drifting clouds in the main menu. Changes take effect
// at once; the close button writes them to config.cfg.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

class iGfxFont;

namespace Scene {

class OptionsScreen : public Screen {
public:
    // Control positions: 0 music bar, 1 sound bar, 2 mute, 3 full screen,
    // 4 not used, 5 window, 6 centring.
    static constexpr int kPositions = 7;
    enum Control { kMusicBar = 0, kSoundBar = 1, kMute = 2, kFullScreen = 3, kWindow = 5, kCentring = 6 };

    OptionsScreen();
    ~OptionsScreen() override;

    // One frame: the in-level layout while a level runs, else the main-menu
    // layout; nothing while optionsOpen is clear.
    virtual void Draw();
    void DrawLayoutA();
    void DrawLayoutB();

    // The screen point of a control of the layout.
    int ControlX(int index, bool inLevel) const;
    int ControlY(int index, bool inLevel) const;
    float BarValue(int index) const { return barValue[index]; }
    int PanelX() const { return panelX; }
    int PanelY() const { return panelY; }

    // What the screen-mode buttons ask of the application, which carries it
    // out at the start of the next frame: full screen, or a 1024 x 768
    // window (new pages and fonts for that size).
    static void ChooseFullScreen();
    static void ChooseWindow();
    // The application kept full screen because the window would not fit:
    // the hint line says so for a while, in place of the usual hints.
    void TellWindowRefused();
    bool WindowRefusalShown() const;

protected:
    void OnActivate() override;
    void OnDeactivate() override;

    // The mouse lies on the w x h image drawn at (x, y): its last column and
    // row are x + w - 1 and y + h - 1, so toggles side by side share no pixel.
    bool IsMouseOnImage(int x, int y, int w, int h) const;
    // An image pair with no label; true when clicked (the click is taken).
    bool DoToggleButton(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int w, int h);
    // The options' own button, drawn from the options page.
    bool DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
        int x, int y, int w, int h, int r, int g, int b, int overR, int overG, int overB);
    void DrawHint(int x, int y, const wchar_t* text);
    void DrawImage(const wchar_t* name, int x, int y, int alpha);
    void DrawButtonImage(const wchar_t* name, int x, int y, int w, int h, int alpha);
    // A design width or height in pixels of this screen.
    static int ScaledWidth(int design);
    static int ScaledHeight(int design);

    void DrawVolumeBar(int index, const wchar_t* caption, bool inLevel);
    // The bar under a held left button takes the mouse's place on it; true
    // when it did.
    bool DragBar(int index, bool inLevel);
    // The two symbols and bars of a layout.
    void DrawBars(bool inLevel);
    // The mute, screen-mode and centring controls of a layout.
    void DoControls(bool inLevel);
    // The hint of the control under the mouse, else GUI text 97 (in the main
    // menu only while windowed).
    void DoHint(bool inLevel, int x, int y);

    // The main menu's volume step and the level's, with its test sound.
    void ApplySettings();
    void PlayTestSound();
    void ScrollClouds();

private:
    static constexpr int kOptionsPage = 33;
    void ApplyMusicVolume();
    // The fade stays full: the options never fade.
    void HoldAlpha();

    int panelX = 0;
    int panelY = 0;
    int panelWidth = 0;
    int panelHeight = 0;
    int barWidth = 0;
    int barHeight = 0;
    std::wstring cloudImages[2];
    int cloudX[2] = { -1280, 0 };
    cTimer cloudTimer;
    float barValue[3] = {};
    int menuX[kPositions] = {};
    int menuY[kPositions] = {};
    int levelX[kPositions] = {};
    int levelY[kPositions] = {};
    bool windowRefused = false;
    cTimer refusalTimer;
};

} // namespace Scene
