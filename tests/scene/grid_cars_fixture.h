// The car layer on a grid level: level 1 (the first of a triple), the
// grid cars of a board text, a recording sound engine, and helpers that put
// the mouse on a cell and press or release the button.
#pragma once

#include <string>

#include "support/board_text.h"
#include "support/recording_sound.h"
#include "vehicles_fixture.h"

namespace test {

class GridCarsTest : public VehiclesTest {
protected:
    static constexpr int kJoker = 90;
    static constexpr int kBomb = 91;

    void SetUp() override
    {
        VehiclesTest::SetUp();
        world.level = 1;
        world.drawStation = 0;
        world.soundEngine = &sound;
        // Types 1..3 in colour groups 6..8; the joker and the bomb.
        AddCarType(1, "car_a", 6, 0, 1);
        AddCarType(2, "car_b", 7, 0, 2);
        AddCarType(3, "car_c", 8, 0, 3);
        AddCarType(kJoker, "car_c", 90, 0, 90);
        AddCarType(kBomb, "car_c", 91, 0, 91);
        StartScreens();
    }
    void TearDown() override
    {
        world.soundEngine = nullptr;
        VehiclesTest::TearDown();
    }

    // The board's first line is row 0, which the layout leaves without
    // screen positions: boards begin with a line of '#'.
    void Board(std::string_view text) { LoadBoard(world, text); }
    std::string Cells() const { return BoardText(world, 6, 4); }

    // The mouse in the middle of the cell's outline.
    void MouseOn(int row, int column)
    {
        input.x = world.cellX[row][column] + 100;
        input.y = world.cellY[row][column] + 118;
    }
    void MouseAway() { input.x = input.y = -1000; }
    int Cell(int row, int column) const { return world.FindFundamentAt(row, column); }

    // Holds the car as if it had been picked up from the cell (-1: from the
    // stack or the joker bar), the button still down.
    void Hold(int autoType, int fromRow = -1, int fromColumn = -1)
    {
        world.autoOnMouse = autoType;
        world.managerBelowLimit = 0;
        world.swapSource = fromRow < 0 ? -1 : Cell(fromRow, fromColumn);
        if (world.swapSource >= 0)
            world.fundaments[world.swapSource].autoType = -1;
    }

    RecordingSoundEngine sound;
};

} // namespace test
