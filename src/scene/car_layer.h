// The car layer (screen slot 3): every car on screen during play. Road
// cars, cars driving into and waiting in the stack, cars sliding between two
// points, cars on service places and grid cells, the car held by the mouse
// and the ghost cars of the help hints. The world reaches the screen through
// Instance(), which is null while no screens exist (tests, start-up); every
// call is then skipped, so the rules run without a window.
//
// One class, one file per topic:
//   car_layer.cpp            activation, timers, hit tests
//   car_layer_frame.cpp      the frame (Draw), road cars, place cars
//   car_layer_ghosts.cpp     the ghost cars of the help hints
//   car_layer_stack.cpp      stack cars, leaving cars, plain drawing
//   car_layer_serve.cpp      which place takes the held car
//   car_layer_road*.cpp      road traffic and the stack arrivals
//   car_layer_pick*.cpp      picking from the stack, dragging, dropping
//   car_layer_service*.cpp   service at places and lamps
//   car_layer_managers*.cpp  managers, transfers and grid cars
//   car_layer_combos*.cpp    the combo checks after each move
//   car_layer_swap*.cpp      swapping cars on the grid, car previews
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

struct cFundament;
struct cTransfer;

namespace Scene {

class CarLayer : public Screen {
public:
    // The road timers: a level defines at most this many roads.
    static constexpr int kMaxRoads = 10;
    // Page slots: every car image, and the cars' hover images.
    static constexpr int kCarPage = 32;
    static constexpr int kHoverPage = 36;

    CarLayer();
    ~CarLayer() override;

    // The screen the screen manager holds in slot 3; null when there is none.
    static CarLayer* Instance();

    // ---- The level frame, in the order the screen manager calls them ----
    // Restarts the per-car timers.
    virtual void ResetTimers();
    // A click on a waiting car of the stack picks it up.
    virtual void HandleStackClick();
    // The whole layer: road cars, stack cars, place or grid cars, road steps
    // and the stack arrivals.
    virtual void Draw();
    // The cars leaving their places, fading out.
    virtual void DrawLeavingAutos();
    // Ends the service of a car whose time at its place is up.
    virtual void UpdateServicedCars();
    // The managers' moves from the stack to the places.
    virtual void UpdateTransfer();
    // Draws last frame's ghost cars and collects new hints.
    virtual void UpdateHelpHints();
    // The car held under the mouse, and its drop.
    virtual void DragAuto();

    // ---- The frame and hit tests (car_layer.cpp, car_layer_frame.cpp) ----
    // Puts the road car autobahnCars[index] on the first point of its path.
    void PlaceAtPathStart(int index);
    // Whether the mouse is on the car drawn at (x, y) with the variant; on a
    // hit, hitOffsetX/Y take the mouse's offset from (x, y).
    bool HitTestCar(int x, int y, int variant);
    // Even-odd crossing test of the point against the polygon.
    static bool PointInPolygon(int count, const int* xs, const int* ys, int x, int y);
    // Degrees in [0, 360) of the vector from (x2, y2) to (x1, y1), y upwards.
    static float Heading(float x1, float y1, float x2, float y2);
    // Whether a stack slot other than `slot` holds a car that has arrived.
    bool HasOtherStackCar(int slot) const;
    // The cars standing on service places (station levels).
    void DrawPlaceAutos();
    // Whether the place would take the car type held by the mouse
    // (car_layer_serve.cpp).
    bool CanServeAt(int place, int autoType) const;

    // ---- Ghost cars of the help hints (car_layer_ghosts.cpp) ----
    void DrawPhantomCar();
    void DrawPhantomCarSpecial();

    // ---- Stack cars, leaving cars, plain drawing (car_layer_stack.cpp) ----
    void DrawStackAutos();
    void DrawCarAt(int autoType, int variant, int x, int y);
    void DrawImageAt(const wchar_t* name, int x, int y);
    void DrawDigitImage(int x, int y, int digit);

    // ---- Road traffic (car_layer_road*.cpp) ----
    // One step of every car of the road (1..4).
    void UpdateRoadCars(int road);
    // One step of all roads at once, when the level runs its roads together.
    void UpdateRoadCarsTogether();
    bool MayRoadCarStart(int index, int direction, int x, int y);
    // The cars driving into the stack: arrived ones take their slots.
    void UpdateStackArrivals();
    // A free place for the colour group (6..10), or -1.
    int PickPlaceForKind(int colourGroup);
    // The animated selector sign over a special road car.
    void DrawSelector(int x, int y);

    // ---- Service at places and lamps (car_layer_service*.cpp) ----
    // Restarts the lamp animation of the car served at the place; the lamp
    // image follows the place's wear.
    void ResetCarLamp(int place);
    // Removes the place effect of the item code at the place.
    void DeletePlaceEffect(int place, int itemCode);
    // Starts the smoke of a broken place.
    void StartPlaceSmoke(int place);

    // ---- Managers, transfers and grid cars (car_layer_managers*.cpp) ----
    // The managers' moves that follow the help hints; true when they have
    // used up their moves.
    bool TransferByHints();
    void DrawTransfersToPlaces();
    void DrawTransfers();
    void DrawTransfersToFundaments();
    void DrawGridAutos();
    // Empties the 3 x 3 block of grid cells around the cell.
    void ClearAround(int row, int column);

    // ---- Combo checks (car_layer_combos*.cpp) ----
    void CheckPlaceCombos();
    void CheckFundamentCombos();
    // Erases the first served-car record holding the joker.
    void RemoveJokerAuto();

    // ---- Swapping on the grid, car previews (car_layer_swap*.cpp) ----
    void DrawSwapFundamentAutos();
    static bool IsAdjacent(int row1, int column1, int row2, int column2);
    void DrawCarPreviewScaled(int autoType, int x, int y);
    void DrawCarPreview(int autoType, int x, int y);

protected:
    void OnActivate() override;
    void OnDeactivate() override;

    // The car's image name: the world's base name for the type and variant
    // followed by the suffix (".png" or "_over.png").
    static std::wstring CarImageName(int autoType, int variant, const wchar_t* suffix);
    // Draws an image of the car or hover page in the level tint.
    void DrawTinted(int page, const std::wstring& name, int x, int y, int alpha);

    // One step timer per road of autobahnRoads, in road order.
    cTimer roadTimers[kMaxRoads];
    // The selector sign's animation.
    cTimer selectorTimer;
    int selectorFrame = 0;

private:
    // Frame steps (car_layer_frame.cpp).
    // Draws the road cars and lets the player take one; the taken car's
    // index in autobahnCars, or -1.
    int DrawRoadCars();
    bool IsRoadCarTakeable(int autoType) const;
    void TakeRoadCar(int index);
    void DrawSelectors();
    void StepRoads();
    void DrawStackArrivals();

    // ---- Helpers of the managers, the grid cars and the swaps
    // (car_layer_managers*.cpp, car_layer_swap.cpp) ----
    // Sends the car of the stack slot to the place as a managers' move;
    // true when the managers have made all their moves.
    bool SendStackCarToPlace(int slotIndex, int place, int colour);
    // A sliding car at its current step, `drop` pixels lower.
    void DrawSlidingCar(const cTransfer& transfer, int drop);
    // Whether the grid cars take their next bounce step this frame (one
    // timer paces them all).
    static bool StepGridBounce();
    // The bouncing cell's vertical offset; advances its step when `step`.
    static int GridBounceOffset(cFundament& cell, bool step);
    // The held car put down on the cell as the player's move.
    void PutDownOnCell(int cell, int autoType);
    // A held grid car released over no cell that takes it.
    void ReturnHeldGridCar();
};

} // namespace Scene
