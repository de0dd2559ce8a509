// Cars a script drives into the stack along a slanted line: each frame every
// such car steps along its line towards its slot, whichever way the line
// runs, and once there frees its slot, which bounces its car.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "vehicles_fixture.h"

namespace {

constexpr int kPlain = 1;

class StackSlantedArrivals : public test::VehiclesTest {
protected:
    void SetUp() override
    {
        VehiclesTest::SetUp();
        AddCarType(kPlain, "car_a", 7, 0, 1);
    }
};

TEST_F(StackSlantedArrivals, EveryCarStepsAlongItsLineIntoItsSlot)
{
    const struct {
        int x1, y1, x2, y2;
    } lines[] = {
        { 800, 200, 860, 260 }, // down and right
        { 960, 260, 900, 200 }, // up and left
        { 1060, 200, 1000, 290 }, // down and left, steeper
        { 1100, 290, 1190, 230 }, // up and right, flatter
    };
    const int count = static_cast<int>(std::size(lines));
    for (int i = 0; i < count; ++i)
        world.SetStackCoordinateAndDirection(i + 1, lines[i].x2, lines[i].y2, 9);
    StartScreens();
    for (int i = 0; i < count; ++i) {
        world.stackSlots[i].autoType = kPlain;
        world.DriveAutoIntoStack(i + 1, lines[i].x1, lines[i].y1, lines[i].x2, lines[i].y2);
    }
    ASSERT_EQ(world.stackCars.size(), std::size(lines));
    const auto distance = [](const cAutobahnAuto& car) {
        return std::hypot(car.x - static_cast<float>(car.pathX[1]), car.y - static_cast<float>(car.pathY[1]));
    };
    std::vector<float> before;
    for (const cAutobahnAuto& car : world.stackCars)
        before.push_back(distance(car));
    Wait(20);
    carLayer->Draw();
    // Unlike upright ones, all of them move in the same frame, along their
    // lines.
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const cAutobahnAuto& car = world.stackCars[i];
        EXPECT_LT(distance(car), before[i] - 1.0f);
        const auto& l = lines[i];
        const float onLine = static_cast<float>(l.y1)
            + (car.x - static_cast<float>(l.x1)) * static_cast<float>(l.y2 - l.y1) / static_cast<float>(l.x2 - l.x1);
        EXPECT_NEAR(car.y, onLine, 1.0f);
        EXPECT_EQ(world.stackSlots[i].busy, 1);
    }
    for (int frame = 0; frame < 80 && !world.stackCars.empty(); ++frame) {
        Wait(20);
        carLayer->Draw();
    }
    EXPECT_TRUE(world.stackCars.empty()) << "a car never reached its slot";
    for (const cStackSlot& slot : world.stackSlots) {
        EXPECT_EQ(slot.busy, 0);
        EXPECT_EQ(slot.settling, 1);
    }
}

} // namespace
