// What the car layer draws and where: road cars at their position less
// their origin, scaled on a smaller screen; cars driving into the stack; the
// stack's slots in their order, bouncing as a car arrives; leaving cars
// fading; the ghost cars of the hints; and the outline a car is hit in.
#include <gtest/gtest.h>

#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "vehicles_fixture.h"
#include "world/settings.h"

namespace test {
namespace {

    class VehiclesDrawing : public ThreeCarTypesTest { };

    class StackDrawing : public VehiclesDrawing {
    protected:
        static constexpr int kCar = kPlain;

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

    TEST_F(VehiclesDrawing, RoadCarsAreDrawnAtTheirPositionLessTheirOrigin)
    {
        StartScreens();
        AddRoadCar(2, kPlain, 9, 170.0f, 120.0f);
        AddRoadCar(1, kSpecial, 1, 400.0f, 300.0f);
        carLayer->Draw();
        // Road 1 before road 2, whatever their order in the list; then the
        // selector over the special car.
        ASSERT_EQ(DrawnNames(), (std::vector<std::wstring> { L"car_b.png", L"car_a.png", L"selector0000" }));
        // 40 right of and 5 (and the sign's own 10) above the car's corner.
        EXPECT_EQ(DrawnOf(L"selector0000")[0].x, 400 - 70 + 40);
        EXPECT_EQ(DrawnOf(L"selector0000")[0].y, 300 - 70 - 5 - 10);
        const VehicleImage car = DrawnOf(L"car_a.png")[0];
        EXPECT_EQ(car.x, 100);
        EXPECT_EQ(car.y, 50);
        EXPECT_EQ(car.colour, 0xFFFFFFFFu);
    }

    TEST_F(VehiclesDrawing, RoadCarsAreScaledOnASmallerScreen)
    {
        StartScreens(1024);
        AddRoadCar(1, kPlain, 9, 170.0f, 120.0f);
        world.levelTint[1] = 100;
        carLayer->Draw();
        const std::vector<VehicleImage> cars = DrawnOf(L"car_a.png");
        ASSERT_EQ(cars.size(), 1u);
        EXPECT_EQ(cars[0].x, 80); // 100 / 1.25
        EXPECT_EQ(cars[0].y, 37); // 50 / 1.33
        EXPECT_EQ(cars[0].colour, 0xFFFF64FFu);
    }

    TEST_F(VehiclesDrawing, TakingAPausedWorkerUnpausesAndTakesItAtOnce)
    {
        StartScreens();
        AddRoadCar(1, kWorker, 9, 470.0f, 370.0f);
        world.paused = 1;
        MouseOnCar(400, 300);
        world.leftDown = 1;
        carLayer->Draw();
        EXPECT_EQ(world.autoOnMouse, kWorker);
        EXPECT_FALSE(world.IsPaused());
        EXPECT_TRUE(world.autobahnCars.empty());
    }

    TEST_F(VehiclesDrawing, CarsDrivingIntoTheStackShowWithTheirSlotsDirection)
    {
        StartScreens();
        cAutobahnAuto arriving;
        arriving.autoType = kPlain;
        arriving.kind = 9;
        arriving.x = 300.7f;
        arriving.y = 200.2f;
        world.stackCars.push_back(arriving);
        carLayer->Draw();
        const std::vector<VehicleImage> cars = DrawnOf(L"car_a.png");
        ASSERT_EQ(cars.size(), 1u);
        EXPECT_EQ(cars[0].x, 300);
        EXPECT_EQ(cars[0].y, 200);
        EXPECT_EQ(world.stackCars[0].counter, 15);
        for (int i = 0; i < 20; ++i)
            carLayer->Draw();
        EXPECT_EQ(world.stackCars[0].counter, 255);
    }

    TEST_F(VehiclesDrawing, SettlingCarsStepTogetherAndHaltWhilePaused)
    {
        StartScreens();
        cPlaceAuto car;
        car.autoType = kPlain;
        car.settling = 1;
        world.placeAutos.push_back(car);
        world.placeAutos.push_back(car);
        Wait(31);
        carLayer->Draw();
        EXPECT_EQ(world.placeAutos[0].settleStep, 1);
        EXPECT_EQ(world.placeAutos[1].settleStep, 1);
        world.paused = 1;
        Wait(31);
        carLayer->Draw();
        EXPECT_EQ(world.placeAutos[0].settleStep, 1);
    }

    TEST_F(VehiclesDrawing, GhostCarsShowTheHintsAndTheWorkForMixerAndCrane)
    {
        StartScreens();
        const struct {
            int type;
            int state;
        } placeKinds[] = { { 1, 0 }, { 7, 2 }, { 7, 0 }, { 12, 2 } };
        for (const auto& k : placeKinds) {
            cPlace place;
            place.type = k.type;
            place.state = k.state;
            place.x = 100 * static_cast<int>(world.places.size());
            place.y = 50;
            place.autoOffsetX = 20;
            place.autoOffsetY = 10;
            world.places.push_back(place);
        }
        // The hints collected in the last frame; each frame collects anew.
        auto setHints = [&] {
            world.hintCount = 3;
            world.hintIndex[0] = 2;
            world.hintClass[0] = 1;
            world.hintIndex[1] = 3;
            world.hintClass[1] = 4;
            world.hintIndex[2] = 3;
            world.hintClass[2] = 5; // no ghost for that class
        };
        setHints();
        carLayer->UpdateHelpHints();
        EXPECT_EQ(DrawnNames(),
            (std::vector<std::wstring> { L"car_jeep_1_fantom.png", L"car_track_1_fantom.png", L"car_beton_1_fantom.png",
                L"car_crane_1_fantom.png" }));
        const VehicleImage jeep = DrawnOf(L"car_jeep_1_fantom.png")[0];
        EXPECT_EQ(jeep.x, 220);
        EXPECT_EQ(jeep.y, 75);
        EXPECT_EQ(jeep.colour >> 24, 150u);
        const VehicleImage mixer = DrawnOf(L"car_beton_1_fantom.png")[0];
        EXPECT_EQ(mixer.x, 5);
        EXPECT_EQ(mixer.y, 75);
        EXPECT_EQ(mixer.colour >> 24, 120u);
        const VehicleImage crane = DrawnOf(L"car_crane_1_fantom.png")[0];
        EXPECT_EQ(crane.x, 120);
        EXPECT_EQ(crane.y, 60);

        // Under inspection only the hints show; without help no ghosts.
        world.inspection = 1;
        setHints();
        ClearDrawn();
        carLayer->UpdateHelpHints();
        EXPECT_EQ(Drawn().size(), 2u);
        world.helpAuto = 0;
        setHints();
        ClearDrawn();
        carLayer->UpdateHelpHints();
        EXPECT_TRUE(Drawn().empty());
    }

    TEST_F(VehiclesDrawing, TheHitOutlineDependsOnTheVariant)
    {
        StartScreens();
        const struct {
            int variant;
            int dx;
            int dy;
            bool hit;
        } cases[] = {
            { 9, 70, 65, true },
            { 1, 70, 65, true },
            { 9, 20, 30, false },
            { 9, 125, 69, true },
            { 3, 75, 60, true },
            { 7, 75, 60, true },
            { 3, 20, 90, false },
            { 5, 70, 65, false },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.variant << " " << c.dx << "," << c.dy);
            world.hitOffsetX = world.hitOffsetY = -1;
            input.x = 300 + c.dx;
            input.y = 200 + c.dy;
            EXPECT_EQ(carLayer->HitTestCar(300, 200, c.variant), c.hit);
            EXPECT_EQ(world.hitOffsetX, c.hit ? c.dx : -1);
            EXPECT_EQ(world.hitOffsetY, c.hit ? c.dy : -1);
        }
        world.restartConfirmOpen = 1;
        input.x = 370;
        input.y = 265;
        EXPECT_FALSE(carLayer->HitTestCar(300, 200, 9));
    }

    TEST(CarLayerHeading, DegreesFromTheSecondPointToTheFirstCountAntiClockwiseFromTheRight)
    {
        const struct {
            float x1, y1, x2, y2;
            float degrees;
        } cases[] = {
            { 10, 0, 0, 0, 0.0f },
            { 0, -10, 0, 0, 90.0f }, // up the screen
            { -10, 0, 0, 0, 180.0f },
            { 0, 10, 0, 0, 270.0f }, // down the screen
            { 0, 0, 0, 0, 0.0f },
            { 10, -10, 0, 0, 45.0f },
            { -10, -10, 0, 0, 135.0f },
            { -10, 10, 0, 0, 225.0f },
            { 10, 10, 0, 0, 315.0f },
            { 10, -17.320508f, 0, 0, 60.0f },
            { -17.320508f, 10, 0, 0, 210.0f },
            // From (13, 17) to (3, 7): left and up.
            { 3, 7, 13, 17, 135.0f },
            { 13, 17, 3, 7, 315.0f },
            { 13, 2, 13, 7, 90.0f },
            { 13, 9, 13, 7, 270.0f },
            { 8, 7, 13, 7, 180.0f },
        };
        for (const auto& c : cases) {
            const float degrees = Scene::CarLayer::Heading(c.x1, c.y1, c.x2, c.y2);
            EXPECT_NEAR(degrees, c.degrees, 0.01f) << c.x1 << "," << c.y1 << " from " << c.x2 << "," << c.y2;
        }
        // Just below the right-hand direction stays below a full turn.
        const float nearlyFull = Scene::CarLayer::Heading(1000, 0.001f, 0, 0);
        EXPECT_LT(nearlyFull, 360.0f);
        EXPECT_GT(nearlyFull, 359.9f);
    }

    TEST_F(VehiclesDrawing, AnotherStackCarCountsOnceItHasDrivenIn)
    {
        struct Slot {
            int autoType;
            unsigned char busy; // still driving in
        };
        const struct {
            Slot slots[3];
            int asking;
            bool other;
        } cases[] = {
            { { { -1, 0 }, { -1, 0 }, { -1, 0 } }, 0, false },
            { { { -1, 0 }, { kPlain, 0 }, { -1, 0 } }, 0, true },
            { { { -1, 0 }, { kPlain, 0 }, { -1, 0 } }, 2, true },
            { { { -1, 0 }, { kPlain, 0 }, { -1, 0 } }, 1, false }, // its own car
            { { { -1, 0 }, { kPlain, 1 }, { -1, 0 } }, 0, false },
            { { { kPlain, 1 }, { kPlain, 0 }, { -1, 1 } }, 1, false },
            { { { -1, 0 }, { -1, 0 }, { kSpecial, 0 } }, 0, true }, // the last slot
            { { { 0, 0 }, { -1, 0 }, { -1, 0 } }, 2, true }, // car type 0 is a car
            { { { kPlain, 0 }, { -1, 0 }, { -1, 0 } }, -1, true },
            { { { -1, 0 }, { kPlain, 1 }, { kPlain, 0 } }, 2, false },
        };
        for (int id = 1; id <= 3; ++id)
            world.SetStackCoordinateAndDirection(id, 100 * id, 300, 9);
        StartScreens();
        ASSERT_EQ(world.stackSlots.size(), 3u);
        for (std::size_t n = 0; n < std::size(cases); ++n) {
            for (std::size_t i = 0; i < 3; ++i) {
                world.stackSlots[i].autoType = cases[n].slots[i].autoType;
                world.stackSlots[i].busy = cases[n].slots[i].busy;
            }
            EXPECT_EQ(carLayer->HasOtherStackCar(cases[n].asking), cases[n].other) << "case " << n;
        }
    }

    TEST_F(StackDrawing, SlotsDrawFrontToBackUnlessTheStackFacesUpLeft)
    {
        StartScreens();
        MakeSlots(3, 9);
        world.stackSlots[1].busy = 1; // still driving in: drawn as an arrival
        carLayer->DrawStackAutos();
        EXPECT_EQ(DrawnXs(), (std::vector<int> { 100, 300 }));
        EXPECT_EQ(Drawn()[0].y, 300);

        for (cStackSlot& slot : world.stackSlots)
            slot.direction = 7;
        ClearDrawn();
        carLayer->DrawStackAutos();
        EXPECT_EQ(DrawnXs(), (std::vector<int> { 300, 100 }));

        // The developer keys keep the first-to-last order.
        cSettings::Instance().developerMode = 1;
        ClearDrawn();
        carLayer->DrawStackAutos();
        EXPECT_EQ(DrawnXs(), (std::vector<int> { 100, 300 }));
    }

    TEST_F(StackDrawing, AnArrivedCarBouncesFor17StepsThenRests)
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
            carLayer->DrawStackAutos();
            ASSERT_EQ(Drawn().size(), 1u);
            EXPECT_EQ(Drawn()[0].y, 300 + expected[step]) << step;
        }
        EXPECT_EQ(slot.settling, 0);
        EXPECT_EQ(slot.settleStep, 0);
    }

    TEST_F(StackDrawing, APauseHaltsTheBounceOnlyInTheBackToFrontOrder)
    {
        StartScreens();
        for (const int direction : { 9, 7 }) {
            SCOPED_TRACE(direction);
            world.stackSlots.clear();
            MakeSlots(1, direction);
            world.stackSlots[0].settling = 1;
            world.paused = 1;
            Wait(17);
            carLayer->DrawStackAutos();
            EXPECT_EQ(world.stackSlots[0].settleStep, direction == 7 ? 0 : 1);
        }
    }

    TEST_F(StackDrawing, LeavingCarsFadeByFivePerFrameAfterAMoment)
    {
        StartScreens();
        cLeavingAuto car;
        car.sprite = L"car_a.png";
        car.x = 500;
        car.y = 415;
        car.timer.Restart();
        world.leavingAutos.push_back(car);
        world.levelTint[2] = 0;
        carLayer->DrawLeavingAutos();
        carLayer->DrawLeavingAutos();
        ASSERT_EQ(Drawn().size(), 2u);
        EXPECT_EQ(Drawn()[1].colour, 0xFFFFFF00u); // full alpha, in the level tint
        EXPECT_EQ(Drawn()[1].x, 500);
        EXPECT_EQ(Drawn()[1].y, 415);

        Wait(17);
        int frames = 0;
        while (!world.leavingAutos.empty() && frames < 100) {
            ClearDrawn();
            carLayer->DrawLeavingAutos();
            EXPECT_EQ(Drawn()[0].colour >> 24, 255u - 5u * static_cast<unsigned>(frames));
            ++frames;
        }
        EXPECT_EQ(frames, 51);
    }

    TEST_F(StackDrawing, PlainHelpersDrawTheirImageAtTheScaledOrGivenPoint)
    {
        const struct {
            int width;
            int x, y; // design point (501, 400) on this screen
        } sizes[] = { { 1280, 501, 400 }, { 1024, 400, 300 } };
        for (const auto& size : sizes) {
            SCOPED_TRACE(size.width);
            TearDown();
            SetUp();
            StartScreens(size.width);
            world.levelTint[0] = 10;
            world.levelTint[1] = 20;
            world.levelTint[2] = 30;
            carLayer->SetFadeAlpha(120);
            carLayer->DrawCarAt(kSpecial, 9, 501, 400);
            carLayer->DrawImageAt(L"car_a", 501, 400);
            carLayer->DrawImageAt(nullptr, 501, 400);
            carLayer->DrawDigitImage(7, 8, 3);
            carLayer->DrawDigitImage(9, 10, 0);
            const struct {
                const wchar_t* name;
                int x, y;
                uint32_t colour;
            } expected[] = {
                // The car: white and opaque, whatever the fade.
                { L"car_b.png", size.x, size.y, 0xFFFFFFFFu },
                // A named image: the level's tint, opaque.
                { L"car_a.png", size.x, size.y, 0xFF0A141Eu },
                // A digit: unscaled, white, with the screen's fade.
                { L"11_0003.png", 7, 8, 0x78FFFFFFu },
                { L"11_0000.png", 9, 10, 0x78FFFFFFu },
            };
            const std::vector<VehicleImage> drawn = Drawn();
            ASSERT_EQ(drawn.size(), std::size(expected));
            for (std::size_t i = 0; i < drawn.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(drawn[i].name, expected[i].name);
                EXPECT_EQ(drawn[i].x, expected[i].x);
                EXPECT_EQ(drawn[i].y, expected[i].y);
                EXPECT_EQ(drawn[i].colour, expected[i].colour);
            }
        }
    }

} // namespace
} // namespace test
