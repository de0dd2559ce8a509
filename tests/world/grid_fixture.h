// A world ready for the grid and combo rules: full-size layout, a recording
// sound engine, every log line captured, and a level script whose callbacks
// only report that they ran, so a test sees which callbacks the world raised
// and in which order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/recording_sound.h"
#include "support/temp_folder.h"
#include "world/game_world.h"

namespace test {

class GridTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A car type with its colour group and class.
    void AddCarType(int id, int colour, int autoClass);
    // The callbacks raised since the last call, oldest first.
    std::vector<std::string> TakeCallbacks();
    // Error lines logged since the last call.
    std::vector<std::wstring> TakeErrors() { return std::exchange(m_errors, {}); }
    // The selection as "row,column" texts, in order.
    std::vector<std::string> Selection() const;
    void Select(int index, int row, int column) { ASSERT_TRUE(world.AddSelectedCell(index, row, column)); }
    // The combos as "k=<class of the first member> r,c r,c ...", in list order.
    std::vector<std::string> Combos() const;

    cGameWorld& world = cGameWorld::Instance();
    RecordingSoundEngine sound;

private:
    TempFolder m_folder;
    std::string m_oldDirectory;
    std::vector<std::wstring> m_errors;
};

} // namespace test
