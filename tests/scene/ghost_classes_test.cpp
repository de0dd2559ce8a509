// The ghost car a hint shows on a free place: the car class the place waits
// for, drawn as that class's own ghost; a class without a ghost shows none.
#include <gtest/gtest.h>

#include "vehicles_fixture.h"

namespace test {
namespace {

    using GhostClasses = VehiclesTest;

    TEST_F(GhostClasses, EachCarClassShowsItsOwnGhost)
    {
        StartScreens();
        cPlace place;
        place.type = 7; // a working place: no mixer or crane ghost beside it
        place.x = 100;
        place.y = 50;
        place.autoOffsetX = 20;
        place.autoOffsetY = 10;
        world.places.push_back(place);
        const struct {
            int autoClass;
            const wchar_t* ghost; // nullptr: none
        } cases[] = { { 1, L"car_jeep_1_fantom.png" }, { 2, L"car_bus_1_fantom.png" }, { 3, L"car_sedan_1_fantom.png" },
            { 4, L"car_track_1_fantom.png" }, { 0, nullptr }, { 5, nullptr }, { 6, nullptr } };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.autoClass);
            world.hintCount = 1;
            world.hintIndex[0] = 0;
            world.hintClass[0] = c.autoClass;
            ClearDrawn();
            carLayer->UpdateHelpHints();
            EXPECT_EQ(DrawnNames(), c.ghost ? std::vector<std::wstring> { c.ghost } : std::vector<std::wstring> {});
        }
    }

} // namespace
} // namespace test
