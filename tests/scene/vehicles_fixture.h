// The car layer over the recording engine: a scratch program folder
// with small car, hover, digit and button pages of our own (every image cut
// from a place of its own, so a recorded draw tells which image it was), the
// real CarLayer in slot 3 and a head-up display in slot 13 whose digit
// pages the test loads, recording screens in the other slots, a clock set by
// hand and a mouse moved by hand. A station level runs, in daylight.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawn_images.h"
#include "scene/car_layer.h"
#include "scene/hud.h"
#include "support/screen_test.h"
#include "world/game_world.h"

namespace test {

// The car layer's pages have no smaller set: `small` stays false.
using VehicleImage = DrawnImage;

// The head-up display with its digit pages loaded by hand.
class NumbersHud : public Scene::Hud {
public:
    void LoadDigits();
};

class VehiclesTest : public ScreenTest {
protected:
    void SetUp() override;
    void WritePages(const std::string& menuFolder) override;

    // The screens made for a screen of that width and the layer switched on.
    void StartScreens(int width = 1280);

    std::vector<VehicleImage> Drawn() const;
    std::vector<std::wstring> DrawnNames() const;
    std::vector<VehicleImage> DrawnOf(const std::wstring& name) const;

    // A car type drawn as "<name>.png" in every direction.
    void AddCarType(int type, const std::string& name, int colour, int value, int autoClass);
    // A car on road 1..4 at the design point, with its path starting there.
    int AddRoadCar(int road, int type, int variant, float x, float y);

    Scene::CarLayer* carLayer = nullptr;
    NumbersHud* hud = nullptr;
};

// The car layer with three car types: a plain car, a special one and a
// work car.
class ThreeCarTypesTest : public VehiclesTest {
protected:
    static constexpr int kPlain = 1; // car_a: value 0, colour group 7
    static constexpr int kSpecial = 2; // car_b: value 56
    static constexpr int kWorker = 3; // car_c: class 6

    void SetUp() override
    {
        VehiclesTest::SetUp();
        AddCarType(kPlain, "car_a", 7, 0, 1);
        AddCarType(kSpecial, "car_b", 8, 56, 2);
        AddCarType(kWorker, "car_c", 0, 0, 6);
    }
    // The mouse well inside the outline of a car of variant 1 or 9 drawn at
    // (x, y).
    void MouseOnCar(int x, int y)
    {
        input.x = x + 70;
        input.y = y + 65;
    }
};

} // namespace test
