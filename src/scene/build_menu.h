// The build menu (screen slot 10): puts a work place on a free fundament of the
// station and lets a car be served there. The screen manager makes and deletes
// it with the other screens, but nothing in the game shows it or calls its
// operations; they are kept so the slot works as the others do. Fundament and
// place numbers are indices into the world's lists; an index or template id
// that names nothing is refused with a log line.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

namespace Scene {

class BuildMenu : public Screen {
public:
    BuildMenu();
    ~BuildMenu() override;

    // The type of place a car of this type needs: the work place (car value
    // - 70) when its big twin (+ 20) already stands, else the big twin.
    int ChoosePlaceType(int autoType);
    // Builds the place a building name asks for and serves the car there:
    // "cisterne" the big twin (served with value - 30), anything else the work
    // place (served with value - 60).
    void BuildForAuto(int fundament, int autoType, const std::string& building);
    // Builds a place of placeType on the fundament's cell and starts serving
    // the car there with serveType. False when the fundament or the template
    // does not exist, or no place could be made.
    bool BuildPlace(int fundament, int placeType, int serveType, int autoType);
    // Serves the car at the place standing on the fundament's cell.
    bool PutAutoAtFundament(int fundament, int autoType);
    // Frees the fundament under the place for building; its index, or -1 when
    // the place or such a fundament does not exist.
    int ReleaseFundament(int place);

    int GetSelection() const { return selection; }
    // The last place built: its screen position (x + 100, y) and its type.
    int GetLastBuiltX() const { return lastBuiltX; }
    int GetLastBuiltY() const { return lastBuiltY; }
    int GetLastBuiltType() const { return lastBuiltType; }

protected:
    void OnActivate() override;

private:
    cTimer timer;
    int selection = -1; // the selected fundament
    int counter = 0;
    int value = 0;
    int lastBuiltX = 0;
    int lastBuiltY = 0;
    int lastBuiltType = 0;
};

} // namespace Scene
