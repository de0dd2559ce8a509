// The options screen's two layouts, its activation and its controls.
#include "frontend/options_screen.h"

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/start_screen.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kMusicCaption = 12;
    constexpr int kSoundCaption = 13;
    constexpr int kCloseText = 49;
    constexpr int kMuteHint = 70;
    constexpr int kFullScreenHint = 71;
    constexpr int kIdleHint = 97;
    constexpr int kWindowHint = 99;
    constexpr int kCentreOffHint = 150;
    constexpr int kCentreOnHint = 151;
    constexpr int kWindowRefusedText = 46;
    // Seconds the refusal of a window stays in the hint line.
    constexpr double kRefusalSeconds = 6.0;

    int ToggleWidth()
    {
        return ScaleX(70.0f);
    }
    int ToggleHeight()
    {
        return ScaleY(43.0f);
    }
    const wchar_t* GuiText(int n)
    {
        return g_guiVocabulary[n];
    }
} // namespace

OptionsScreen::OptionsScreen()
    : Screen(0, 0, 0, 0)
{
}

OptionsScreen::~OptionsScreen()
{
    OnDeactivate();
}

void OptionsScreen::OnActivate()
{
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    // One page set serves every screen size.
    pages[kOptionsPage].Load(L"data/gui/interface/menu/menu_options_1024");
    if (g_pGfx2D)
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    uint32_t w = 0;
    uint32_t h = 0;
    pages[kOptionsPage].GetImageSize(L"menu_options.png", &w, &h);
    panelWidth = static_cast<int>(w);
    panelHeight = static_cast<int>(h);
    w = h = 0;
    pages[kOptionsPage].GetImageSize(L"balken_over.png", &w, &h);
    barWidth = static_cast<int>(w);
    barHeight = static_cast<int>(h);
    const cGameWorld& world = cGameWorld::Instance();
    barValue[0] = world.musicVolume;
    barValue[1] = world.soundVolume;
    barValue[2] = world.speechVolume;
    static constexpr int kMenuX[kPositions] = { 124, 124, 149, 275, 345, 415, 485 };
    static constexpr int kMenuY[kPositions] = { 60, 150, 250, 250, 250, 250, 250 };
    static constexpr int kLevelX[kPositions] = { 124, 124, 24, 101, 172, 243, 314 };
    static constexpr int kLevelY[kPositions] = { 35, 120, 230, 230, 230, 230, 230 };
    for (int i = 0; i < kPositions; ++i) {
        menuX[i] = kMenuX[i];
        menuY[i] = kMenuY[i];
        levelX[i] = kLevelX[i];
        levelY[i] = kLevelY[i];
    }
    cloudTimer.Restart();
    cloudImages[0] = cloudImages[1] = L"wolken.png";
    cloudX[0] = -1280;
    cloudX[1] = 0;
}

void OptionsScreen::OnDeactivate()
{
    pages[kButtonPage].Unload();
    pages[kOptionsPage].Unload();
}

int OptionsScreen::ControlX(int index, bool inLevel) const
{
    const float tx = static_cast<float>(inLevel ? levelX[index] : menuX[index]);
    return static_cast<int>(tx / cSettings::Instance().scaleX + static_cast<float>(panelX));
}

int OptionsScreen::ControlY(int index, bool inLevel) const
{
    const float ty = static_cast<float>(inLevel ? levelY[index] : menuY[index]);
    return static_cast<int>(ty / cSettings::Instance().scaleY + static_cast<float>(panelY));
}

void OptionsScreen::Draw()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world.optionsOpen)
        return;
    if (world.levelActive)
        DrawLayoutA();
    else
        DrawLayoutB();
}

void OptionsScreen::DrawLayoutB()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    const int width = settings.GetWidth();
    const int height = settings.GetHeight();
    panelX = static_cast<int>(width / 2 - 333.0f / settings.scaleX + 18.0f / settings.scaleX);
    panelY = static_cast<int>(height / 2 - 333.0f / settings.scaleY + 128.0f / settings.scaleY);
    ApplySettings();
    IsMouseOver();

    auto* start = cScreenManager::Instance().Get<StartScreen>(cScreenManager::kStart);
    if (start)
        start->DrawStartMenuImage();
    ScrollClouds();
    if (start)
        start->DrawStationImage();
    // The bars and toggles stand on the screen's panel, as in a level, not
    // on the sky and the road of the start screen's picture.
    DrawImage(L"menu_options.png", panelX, static_cast<int>(static_cast<float>(panelY) - 10.0f / settings.scaleY), 255);
    DrawImage(L"helper_balken.png", ScaleX(380.0f), static_cast<int>(380.0f / settings.scaleY + ScaleY(350.0f)), 255);

    DrawBars(false);
    const int top = ScaleY(350.0f) + ScaleY(510.0f);
    DoHint(false, ScaleX(380.0f), static_cast<int>(static_cast<float>(top) - 120.0f / settings.scaleY));
    DoControls(false);

    const int lower = width == 1024 ? 30 : 0;
    if (DoButton(false, g_fontNormal2, L"button_short_off.png", L"button_short_over.png", GuiText(kCloseText),
            static_cast<int>(160.0f / settings.scaleX + static_cast<float>(ScaleX(380.0f))), top + lower,
            ScaleX(180.0f), ScaleY(43.0f), 255, 255, 255, 255, 255, 0)) {
        world.optionsOpen = 0;
        world.loadingPhase = 0;
        world.profilesOpen = 1;
        // What was changed here outlives the run: saved at once, so a window
        // closed right after this button loses no setting.
        world.SaveConfig();
    }
    ApplySettings();
}

void OptionsScreen::DrawLayoutA()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    const int width = settings.GetWidth();
    const int height = settings.GetHeight();
    panelX = width / 2 - ScaledWidth(panelWidth) / 2;
    panelY = static_cast<int>(static_cast<float>(height / 2 - ScaledHeight(panelHeight) / 2) - 50.0f / settings.scaleY);
    IsMouseOver();
    HoldAlpha();
    DrawImage(L"menu_options.png", panelX, static_cast<int>(static_cast<float>(panelY) - 40.0f / settings.scaleY),
        GetAlpha());

    DrawBars(true);
    const int hintY = static_cast<int>(static_cast<float>(ScaleY(350.0f) + ScaleY(235.0f)) - 120.0f / settings.scaleY);
    DoHint(true, ScaleX(380.0f), hintY);
    DoControls(true);

    // Lit only under the mouse, as in the main menu's layout.
    if (DoButton(false, g_fontNormal2, L"button_short_off.png", L"button_short_over.png", GuiText(kCloseText),
            static_cast<int>(390.0f / settings.scaleX + static_cast<float>(panelX)),
            static_cast<int>(230.0f / settings.scaleY + static_cast<float>(panelY)), ScaleX(180.0f), ScaleY(43.0f), 255,
            255, 255, 255, 255, 0)) {
        world.optionsOpen = 0;
        world.gameMenuClosed = 1;
        world.SetPause(false);
        // Saved at once, as the start screen's close button does.
        world.SaveConfig();
    }
    PlayTestSound();
}

void OptionsScreen::DrawBars(bool inLevel)
{
    const cSettings& settings = cSettings::Instance();
    const int* xs = inLevel ? levelX : menuX;
    const int* ys = inLevel ? levelY : menuY;
    const auto symbolAt = [&](const wchar_t* image, int bar) {
        const float x = xs[bar] / settings.scaleX + static_cast<float>(panelX) - 100.0f / settings.scaleX;
        const float y = ys[bar] / settings.scaleY + static_cast<float>(panelY) - 30.0f / settings.scaleY;
        DrawImage(image, static_cast<int>(x), static_cast<int>(y), 255);
    };
    symbolAt(L"symbol_sound.png", kMusicBar);
    DrawVolumeBar(kMusicBar, GuiText(kMusicCaption), inLevel);
    symbolAt(L"symbol_speech.png", kSoundBar);
    DrawVolumeBar(kSoundBar, GuiText(kSoundCaption), inLevel);
}

void OptionsScreen::DoHint(bool inLevel, int x, int y)
{
    const cGameWorld& world = cGameWorld::Instance();
    const int w = ToggleWidth();
    const int h = ToggleHeight();
    const auto over = [&](int control) {
        const int cx = ControlX(control, inLevel);
        const int cy = ControlY(control, inLevel);
        return IsMouseOnImage(cx, cy, w, h);
    };
    int hint = -1;
    if (WindowRefusalShown() && !over(kMute) && !over(kCentring))
        hint = kWindowRefusedText;
    else if (over(kMute))
        hint = kMuteHint;
    else if (over(kFullScreen))
        hint = kFullScreenHint;
    else if (over(kWindow))
        hint = kWindowHint;
    else if (over(kCentring))
        hint = world.windowCenter == 0 ? kCentreOffHint : kCentreOnHint;
    else if (inLevel || world.fullScreen == 0)
        hint = kIdleHint;
    if (hint >= 0)
        DrawHint(x, y, GuiText(hint));
}

void OptionsScreen::DoControls(bool inLevel)
{
    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    const int w = ToggleWidth();
    const int h = ToggleHeight();
    const auto toggle = [&](int control, const wchar_t* off, const wchar_t* over) {
        return DoToggleButton(off, over, ControlX(control, inLevel), ControlY(control, inLevel), w, h);
    };

    const bool muted = settings.mute != 0;
    if (toggle(kMute, muted ? L"mute1_off.png" : L"mute2_off.png", muted ? L"mute1_over.png" : L"mute2_over.png")) {
        // Unmuting gives the music its configured volume, not the one it had.
        settings.mute = muted ? 0 : 1;
        world.musicPlayVolume = muted ? world.musicVolume : 0.0f;
        if (world.musicStream)
            world.musicStream->SetVolume(world.musicPlayVolume);
    }
    if (toggle(kFullScreen, L"screen1_off.png", L"screen1_over.png"))
        ChooseFullScreen();
    if (toggle(kWindow, L"screen2_off.png", L"screen2_over.png"))
        ChooseWindow();
    const bool centred = world.windowCenter != 0;
    if (toggle(kCentring, centred ? L"screen7_off.png" : L"screen6_off.png",
            centred ? L"screen7_over.png" : L"screen6_over.png"))
        world.windowCenter = 1 - world.windowCenter;
}

void OptionsScreen::ChooseFullScreen()
{
    cGameWorld& world = cGameWorld::Instance();
    world.videoModeChanged = 1;
    world.fullScreen = 1;
}

void OptionsScreen::ChooseWindow()
{
    cGameWorld& world = cGameWorld::Instance();
    world.videoModeChanged = 1;
    world.fullScreen = 0;
    cSettings::Instance().SetResolution(1024, 768);
    world.screenSizeChanged = 1;
    world.languageChanged = 1;
    world.rebindInput = 1;
}

void OptionsScreen::TellWindowRefused()
{
    windowRefused = true;
    refusalTimer.Restart();
}

bool OptionsScreen::WindowRefusalShown() const
{
    return windowRefused && refusalTimer.Elapsed() < kRefusalSeconds;
}

void OptionsScreen::HoldAlpha()
{
    colour = (colour & 0x00FFFFFFu) | 0xFF000000u;
    fadeTimer.Restart();
}

void OptionsScreen::ApplyMusicVolume()
{
    cGameWorld& world = cGameWorld::Instance();
    world.musicVolume = barValue[kMusicBar];
    world.musicPlayVolume = world.musicVolume;
    if (world.musicStream)
        world.musicStream->SetVolume(world.musicPlayVolume);
}

void OptionsScreen::ApplySettings()
{
    HoldAlpha();
    cGameWorld& world = cGameWorld::Instance();
    if (DragBar(kMusicBar, false))
        ApplyMusicVolume();
    if (DragBar(kSoundBar, false)) {
        world.effectsVolume = barValue[kSoundBar];
        world.soundVolume = barValue[kSoundBar];
    }
}

void OptionsScreen::PlayTestSound()
{
    HoldAlpha();
    cGameWorld& world = cGameWorld::Instance();
    if (DragBar(kMusicBar, true))
        ApplyMusicVolume();
    if (!DragBar(kSoundBar, true))
        return;
    world.soundVolume = barValue[kSoundBar];
    world.effectsVolume = world.soundVolume;
    if (!world.soundEngine)
        return;
    // The gong plays for as long as the bar is held, muted or not; the sound
    // is given back at once and plays to its end.
    if (iSoundInstance* gong = world.soundEngine->Play2D("data/sound/wav/gong.wav")) {
        gong->SetVolume(world.effectsVolume);
        gong->Release();
    }
}

void OptionsScreen::ScrollClouds()
{
    DrawImage(cloudImages[0].c_str(), cloudX[0], 0, 255);
    DrawImage(cloudImages[1].c_str(), cloudX[1], 0, 255);
    if (cloudTimer.Elapsed() <= 0.034)
        return;
    cloudTimer.Restart();
    const int width = cSettings::Instance().GetWidth();
    ++cloudX[0];
    ++cloudX[1];
    if (cloudX[0] == 0)
        cloudX[1] = -width;
    if (cloudX[0] == width) {
        cloudX[0] = -width;
        cloudX[1] = 0;
    }
}

} // namespace Scene
