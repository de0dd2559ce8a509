// The vehicles layer (menu slot 3), as far as the world calls into it. The
// world reaches the screen through Instance(), which is null while no screens
// exist (tests, start-up); every call is then skipped, so the rules run
// without a window.
#pragma once

namespace Scene {

class MenuTransport {
public:
    // The screen the menu manager holds in slot 3; null when there is none.
    static MenuTransport* Instance();

    // Puts the road car autobahnCars[index] on the first point of its path.
    void PlaceAtPathStart(int index);
    // Restarts the lamp animation of the car served at the place; the lamp
    // image follows the place's wear.
    void ResetCarLamp(int place);
    // Removes the place effect of the car type at the place.
    void DeletePlaceEffect(int place, int autoType);
    // Starts the smoke of a broken place.
    void StartPlaceSmoke(int place);
};

} // namespace Scene
