// Stack cars bouncing into their slots and lighting up when they may be
// taken, leaving cars fading out, and the layer's plain drawing helpers.
#include <gtest/gtest.h>

#include "vehicles_fixture.h"
#include "world/settings.h"

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
        std::vector<int> DrawnXs() const
        {
            std::vector<int> xs;
            for (const VehicleImage& image : Drawn())
                xs.push_back(image.x);
            return xs;
        }
    };

    TEST_F(TransportStack, SlotsDrawFrontToBackUnlessTheStackFacesUpLeft)
    {
        StartScreens();
        MakeSlots(3, 9);
        world.stackSlots[1].busy = 1; // still driving in: drawn as an arrival
        transport->DrawStackAutos();
        EXPECT_EQ(DrawnXs(), (std::vector<int> { 100, 300 }));
        EXPECT_EQ(Drawn()[0].y, 300);

        for (cStackSlot& slot : world.stackSlots)
            slot.direction = 7;
        ClearDrawn();
        transport->DrawStackAutos();
        EXPECT_EQ(DrawnXs(), (std::vector<int> { 300, 100 }));

        // The developer keys keep the first-to-last order.
        cSettings::Instance().developerSwitch1 = 1;
        ClearDrawn();
        transport->DrawStackAutos();
        EXPECT_EQ(DrawnXs(), (std::vector<int> { 100, 300 }));
    }

    TEST_F(TransportStack, NothingIsDrawnOnceTheLevelIsOver)
    {
        StartScreens();
        MakeSlots(2, 9);
        world.levelOver = 1;
        transport->DrawStackAutos();
        EXPECT_TRUE(Drawn().empty());
    }

    TEST_F(TransportStack, AnArrivedCarBouncesFor17StepsThenRests)
    {
        StartScreens();
        MakeSlots(1, 9);
        cStackSlot& slot = world.stackSlots[0];
        slot.settling = 1;
        slot.settleTimer.Restart();
        const int expected[17] = { 0, 0, -1, -3, -6, -6, -5, -3, 0, 0, 0, -1, -3, -3, -3, -2, 0 };
        for (int step = 0; step < 17; ++step) {
            Wait(17);
            ClearDrawn();
            transport->DrawStackAutos();
            ASSERT_EQ(Drawn().size(), 1u);
            EXPECT_EQ(Drawn()[0].y, 300 + expected[step]) << step;
        }
        EXPECT_EQ(slot.settling, 0);
        EXPECT_EQ(slot.settleStep, 0);
    }

    TEST_F(TransportStack, APauseHaltsTheBounceOnlyInTheBackToFrontOrder)
    {
        StartScreens();
        for (const int direction : { 9, 7 }) {
            SCOPED_TRACE(direction);
            world.stackSlots.clear();
            MakeSlots(1, direction);
            world.stackSlots[0].settling = 1;
            world.paused = 1;
            Wait(17);
            transport->DrawStackAutos();
            EXPECT_EQ(world.stackSlots[0].settleStep, direction == 7 ? 0 : 1);
        }
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

    TEST_F(TransportStack, LeavingCarsFadeByFivePerFrameAfterAMoment)
    {
        StartScreens();
        cLeavingAuto car;
        car.sprite = L"car_a.png";
        car.x = 500;
        car.y = 415;
        car.timer.Restart();
        world.leavingAutos.push_back(car);
        world.levelTint[2] = 0;
        transport->DrawLeavingAutos();
        transport->DrawLeavingAutos();
        ASSERT_EQ(Drawn().size(), 2u);
        EXPECT_EQ(Drawn()[1].colour, 0xFFFFFF00u); // full alpha, in the level tint
        EXPECT_EQ(Drawn()[1].x, 500);
        EXPECT_EQ(Drawn()[1].y, 415);

        Wait(17);
        int frames = 0;
        while (!world.leavingAutos.empty() && frames < 100) {
            ClearDrawn();
            transport->DrawLeavingAutos();
            EXPECT_EQ(Drawn()[0].colour >> 24, 255u - 5u * static_cast<unsigned>(frames));
            ++frames;
        }
        EXPECT_EQ(frames, 51);
    }

    TEST_F(TransportStack, PlainHelpersScaleDesignPoints)
    {
        StartScreens(1024);
        world.levelTint[0] = 10;
        transport->DrawCarAt(kCar, 9, 500, 400);
        transport->DrawImageAt(L"car_a", 500, 400);
        transport->DrawDigitImage(7, 8, 3);
        ASSERT_EQ(DrawnNames(), (std::vector<std::wstring> { L"car_a.png", L"car_a.png", L"11_0003.png" }));
        const std::vector<VehicleImage> drawn = Drawn();
        EXPECT_EQ(drawn[0].x, 400);
        EXPECT_EQ(drawn[0].y, 300);
        EXPECT_EQ(drawn[0].colour, 0xFFFFFFFFu); // white
        EXPECT_EQ(drawn[1].colour, 0xFF0AFFFFu); // level tint
        EXPECT_EQ(drawn[2].x, 7); // unscaled, with the fade alpha
        EXPECT_EQ(drawn[2].y, 8);
        EXPECT_EQ(drawn[2].colour >> 24, transport->GetAlpha());
    }

} // namespace
} // namespace test
