// Swap mode while the game is paused: a car under the mouse shows its hover
// image only while the game runs, and a car held when the pause came stays
// held until the game runs again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "grid_cars_fixture.h"

namespace test {
namespace {

    constexpr const char* kBoard = R"(
        # # #
        1 2 #
        3 1 # )";

    class SwapHover : public GridCarsTest {
    protected:
        void SetUp() override
        {
            GridCarsTest::SetUp();
            world.gamePlayMode = 1;
            Board(kBoard);
        }
    };

    TEST_F(SwapHover, TheCarUnderTheMouseShowsItsHoverImageOnlyWhileTheGameRuns)
    {
        const struct {
            const char* what;
            bool over, paused;
        } cases[] = {
            { "over, running", true, false },
            { "over, paused", true, true },
            { "away, running", false, false },
            { "away, paused", false, true },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            world.SetPause(c.paused);
            if (c.over)
                MouseOn(2, 0); // the car of type 3
            else
                MouseAway();
            ClearDrawn();
            carLayer->DrawSwapFundamentAutos();
            const bool hover = c.over && !c.paused;
            const std::vector<std::wstring> expected = { L"car_a.png", L"car_b.png",
                hover ? L"car_c_over.png" : L"car_c.png", L"car_a.png" };
            std::vector<std::wstring> drawn = DrawnNames();
            std::sort(drawn.begin(), drawn.end());
            std::vector<std::wstring> sorted = expected;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(drawn, sorted);
        }
        world.SetPause(false);
    }

    TEST_F(SwapHover, ACarReleasedDuringThePauseGoesBackOnlyOnceTheGameRuns)
    {
        MouseOn(2, 0);
        world.managerBelowLimit = 1;
        world.leftDown = 1;
        carLayer->DrawSwapFundamentAutos();
        ASSERT_EQ(world.autoOnMouse, 3);
        world.SetPause(true);
        MouseAway();
        world.leftDown = 0;
        carLayer->DrawSwapFundamentAutos();
        EXPECT_EQ(world.autoOnMouse, 3);
        EXPECT_EQ(world.fundaments[Cell(2, 0)].autoType, -1);
        world.SetPause(false);
        carLayer->DrawSwapFundamentAutos();
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(world.fundaments[Cell(2, 0)].autoType, 3);
    }

} // namespace
} // namespace test
