// Screens that note every call the screen manager makes on them, in one list
// shared by all fourteen, as "LevelBackground::Draw", "LevelBackground on",
// "LevelBackground off", "~LevelBackground".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frontend/help_screen.h"
#include "frontend/options_screen.h"
#include "frontend/result_screen.h"
#include "frontend/shop.h"
#include "frontend/start_screen.h"
#include "frontend/world_map.h"
#include "scene/build_menu.h"
#include "scene/car_layer.h"
#include "scene/effects_layer.h"
#include "scene/hud.h"
#include "scene/level_background.h"
#include "scene/message_panel.h"
#include "scene/screen_manager.h"
#include "scene/station_view.h"
#include "scene/task_dialog.h"

namespace test {

inline std::vector<std::string>& ScreenCalls()
{
    static std::vector<std::string> calls;
    return calls;
}

// Lets a test show and hide a screen without a fade.
class Shown {
public:
    virtual ~Shown() = default;
    virtual void SetAlpha(uint8_t alpha) = 0;
    virtual void SetRect(int x, int y, int width, int height) = 0;
};

template <class Base> class Recording : public Base, public Shown {
public:
    explicit Recording(std::string name) : name(std::move(name)) {}
    ~Recording() override { Note("~" + name); }
    void Note(const std::string& call) const { ScreenCalls().push_back(call); }

    void SetAlpha(uint8_t alpha) override { this->colour = (this->colour & 0x00FFFFFFu) | (uint32_t(alpha) << 24); }
    void SetRect(int x, int y, int width, int height) override
    {
        this->screenX = x;
        this->screenY = y;
        this->screenWidth = width;
        this->screenHeight = height;
    }

    std::string name;

protected:
    void OnActivate() override { Note(name + " on"); }
    void OnDeactivate() override { Note(name + " off"); }
};

#define RECORD(op)                                                                                                     \
    void op() override { this->Note(this->name + "::" #op); }
#define RECORDING(Cls, Base, Name, ...)                                                                                \
    class Cls : public Recording<Scene::Base> {                                                                        \
    public:                                                                                                            \
        Cls() : Recording(Name) {}                                                                                     \
        __VA_ARGS__                                                                                                    \
    };

RECORDING(RecordingOptionsScreen, OptionsScreen, "OptionsScreen", RECORD(Draw))
RECORDING(RecordingResultScreen, ResultScreen, "ResultScreen", RECORD(Draw))
RECORDING(RecordingShop, Shop, "Shop", RECORD(Update))
RECORDING(RecordingCarLayer, CarLayer, "CarLayer",
    RECORD(ResetTimers) RECORD(HandleStackClick) RECORD(Draw) RECORD(DrawLeavingAutos) RECORD(UpdateServicedCars)
        RECORD(UpdateTransfer) RECORD(UpdateHelpHints) RECORD(DragAuto))
RECORDING(RecordingHelpScreen, HelpScreen, "HelpScreen", RECORD(Draw))
RECORDING(RecordingEffectsLayer, EffectsLayer, "EffectsLayer",
    RECORD(DrawCloudShadows) RECORD(DrawValueFloaters) RECORD(DrawEffectLayer2) RECORD(DrawFog) RECORD(UpdateAnimations)
        RECORD(DrawEffectLayer) RECORD(ResetClouds))
RECORDING(RecordingWorldMap, WorldMap, "WorldMap")
RECORDING(RecordingLevelBackground, LevelBackground, "LevelBackground", RECORD(Draw) RECORD(DrawRockHover))
RECORDING(RecordingTaskDialog, TaskDialog, "TaskDialog", RECORD(Draw))
RECORDING(RecordingBuildMenu, BuildMenu, "BuildMenu")
RECORDING(RecordingMessagePanel, MessagePanel, "MessagePanel", RECORD(Draw))
RECORDING(RecordingStartScreen, StartScreen, "StartScreen")
RECORDING(RecordingHud, Hud, "Hud", RECORD(DrawBonusSlots) RECORD(Tick) RECORD(Draw))

class RecordingStationView : public Recording<Scene::StationView> {
public:
    RecordingStationView()
        : Recording("StationView")
    {
    }
    int GetPlaceUnderMouse(bool checkDrop) override
    {
        Note(name + "::GetPlaceUnderMouse" + (checkDrop ? "(true)" : "(false)"));
        return placeUnderMouse;
    }
    RECORD(Draw)
    RECORD(DrawDecorations)
    RECORD(DrawTooltip)
    int placeUnderMouse = -1;
};

#undef RECORDING
#undef RECORD

template <class Base> std::unique_ptr<Scene::Screen> MakeRecording()
{
    return std::make_unique<Base>();
}

// The factory the screen manager makes its screens with; notes each slot made.
inline std::unique_ptr<Scene::Screen> MakeRecordingScreen(int slot)
{
    using Maker = std::unique_ptr<Scene::Screen> (*)();
    static const Maker makers[] = { MakeRecording<RecordingOptionsScreen>, MakeRecording<RecordingResultScreen>,
        MakeRecording<RecordingShop>, MakeRecording<RecordingCarLayer>, MakeRecording<RecordingStationView>,
        MakeRecording<RecordingHelpScreen>, MakeRecording<RecordingEffectsLayer>, MakeRecording<RecordingWorldMap>,
        MakeRecording<RecordingLevelBackground>, MakeRecording<RecordingTaskDialog>, MakeRecording<RecordingBuildMenu>,
        MakeRecording<RecordingMessagePanel>, MakeRecording<RecordingStartScreen>, MakeRecording<RecordingHud> };
    ScreenCalls().push_back("make " + std::to_string(slot));
    return slot >= 0 && slot < 14 ? makers[slot]() : nullptr;
}

} // namespace test
