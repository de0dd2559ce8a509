// Stack cars lighting up when they may be taken, and hidden once the level
// is over.
#include <gtest/gtest.h>

#include "vehicles_fixture.h"

namespace test {
namespace {

    constexpr int kCar = 1;

    class TransportStack : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kCar, "car_a", 7, 0, 1);
        }
        // Slots 1..count at x = 100 * id, y 300, facing the direction, each
        // holding a car that has driven in.
        void MakeSlots(int count, int direction)
        {
            for (int id = 1; id <= count; ++id) {
                world.SetStackCoordinateAndDirection(id, 100 * id, 300, direction);
                world.stackSlots.back().autoType = kCar;
            }
        }
    };

    TEST_F(TransportStack, NothingIsDrawnOnceTheLevelIsOver)
    {
        StartScreens();
        MakeSlots(2, 9);
        world.levelOver = 1;
        transport->DrawStackAutos();
        EXPECT_TRUE(Drawn().empty());
    }

    TEST_F(TransportStack, ACarLightsUpOnlyWhenThePlayerMayTakeIt)
    {
        const struct {
            const char* name;
            int takeFromStack;
            uint8_t pickAllowed;
            bool paused;
            int level;
            uint8_t noFreeCell;
            bool mouseOn;
            bool lit;
        } cases[] = {
            { "may take", 1, 1, false, 2, 0, true, true },
            { "mouse elsewhere", 1, 1, false, 2, 0, false, false },
            { "managers hold the stack", 1, 0, false, 2, 0, true, false },
            { "stack closed", 0, 1, false, 2, 0, true, false },
            { "paused", 1, 1, true, 2, 0, true, false },
            { "first level of a triple", 1, 1, false, 4, 0, true, false },
            { "no free cell", 1, 1, false, 2, 1, true, false },
        };
        StartScreens();
        MakeSlots(1, 9);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            world.takeFromStack = c.takeFromStack;
            world.managerBelowLimit = c.pickAllowed;
            world.paused = c.paused ? 1 : 0;
            world.level = c.level;
            world.noFreeCell = c.noFreeCell;
            input.x = c.mouseOn ? 170 : 10;
            input.y = c.mouseOn ? 365 : 10;
            ClearDrawn();
            transport->DrawStackAutos();
            EXPECT_EQ(DrawnNames(), (std::vector<std::wstring> { c.lit ? L"car_a_over.png" : L"car_a.png" }));
        }
    }

} // namespace
} // namespace test
