// The owner of the fourteen screens. It makes them once at start-up, deletes
// them at shutdown and runs the in-level screens every level frame in one
// fixed order, which is also the order they are drawn over one another. Other
// code reaches a screen by its slot number.
#pragma once

#include <functional>
#include <memory>

#include "scene/screen.h"

class cScreenManager {
public:
    static constexpr int kSlots = 14;
    enum Slot {
        kOptions = 0,
        kResultScreen = 1,
        kShop = 2,
        kCarLayer = 3,
        kStationView = 4,
        kHelp = 5,
        kEffects = 6,
        kWorldMap = 7,
        kLevelBackground = 8,
        kTask = 9,
        kBuild = 10,
        kMessagePanel = 11,
        kStart = 12,
        kHud = 13,
    };

    static cScreenManager& Instance();
    cScreenManager(const cScreenManager&) = delete;
    cScreenManager& operator=(const cScreenManager&) = delete;

    // Makes all fourteen screens, inactive and invisible, then switches the
    // start screen on. A screen that cannot be made is logged; the screens
    // made so far are deleted again and the result is false.
    bool CreateScreens();
    // Deletes every screen; their destructors free what they hold.
    void DestroyScreens();
    // One level frame of the in-level screens; the frame is begun and cleared.
    void UpdateScreens();
    bool IsMouseOverAnyScreen() const;
    // Switches off and on again every active screen whose pages were chosen
    // for another screen width than the present one. Whichever state runs
    // first after a change of size, no screen keeps the other size's pages:
    // the main menu also holds the level's screens (loaded at start-up and
    // kept between levels), and the level the main menu's.
    void ReloadScreensOfOtherSize();

    // The screen in the slot; null for an empty slot or a slot outside 0..13.
    Scene::Screen* GetScreen(int slot) const;
    template <class T> T* Get(int slot) const { return dynamic_cast<T*>(GetScreen(slot)); }
    bool HasScreens() const;

    // Makes the screen of a slot. Tests stand in screens of their own; an
    // empty factory brings the game's screens back.
    using Factory = std::function<std::unique_ptr<Scene::Screen>(int slot)>;
    void SetFactoryForTests(Factory factory);

private:
    cScreenManager() = default;
    ~cScreenManager() = default;
    // Reloads the screens after a new screen size was chosen.
    void ReloadForNewSize();

    std::unique_ptr<Scene::Screen> screens[kSlots];
    Factory factory;
};
