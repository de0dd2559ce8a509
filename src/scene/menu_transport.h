// The vehicles layer (menu slot 3): the cars of the road and the stack, the
// car under the mouse, service at the places and the transfers. The world
// reaches the screen through Instance(), which is null while no screens exist
// (tests, start-up); every call is then skipped, so the rules run without a
// window.
#pragma once

#include "scene/menu_prototype.h"

namespace Scene {

class MenuTransport : public MenuPrototype {
public:
    MenuTransport();
    ~MenuTransport() override;

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
    // Whether the place would take the car type held by the mouse
    // (menu_transport_serve.cpp).
    bool CanServeAt(int place, int autoType) const;

    // The level frame, in the order the menu manager calls them.
    // Restarts the per-car timers.
    virtual void ResetTimers();
    // A click on a waiting car of the stack selects it.
    virtual void HandleStackClick();
    // The cars of the road and the station.
    virtual void Draw();
    // The departing cars, fading out.
    virtual void DrawLeavingAutos();
    // Ends the service of a car whose time at its place is up.
    virtual void UpdateServicedCars();
    // Moves the car being transferred.
    virtual void UpdateTransfer();
    // Restarts the effects of places that hold a car and are not serving.
    virtual void UpdateHelpHints();
    // The car held under the mouse, and its drop.
    virtual void DragAuto();
};

} // namespace Scene
