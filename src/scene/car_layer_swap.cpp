// Swap mode of the grid levels: the player picks a car up and swaps it with
// the car on a neighbouring cell, for 300 points; a car released anywhere
// else goes back. Also the two car previews of the station view.
#include <limits>

#include "scene/car_layer.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr int kSwapCost = 300;
    constexpr int kPreviewSize = 70;
} // namespace

bool CarLayer::IsAdjacent(int row1, int column1, int row2, int column2)
{
    const int rows = row1 > row2 ? row1 - row2 : row2 - row1;
    const int columns = column1 > column2 ? column1 - column2 : column2 - column1;
    return (rows == 1 && columns == 0) || (rows == 0 && columns == 1);
}

void CarLayer::DrawSwapFundamentAutos()
{
    cGameWorld& world = cGameWorld::Instance();
    const bool paused = world.IsPaused();
    const bool step = StepGridBounce();
    for (size_t i = 0; i < world.fundaments.size(); ++i) {
        cFundament& cell = world.fundaments[i];
        if (cell.hidden || !world::IsGridCell(cell.row, cell.column))
            continue;
        int x = 0;
        int y = 0;
        world.GridCarPoint(cell.row, cell.column, x, y);
        y += GridBounceOffset(cell, step);
        const bool over = world.IsMouseOverPlace(cell.row, cell.column);
        if (cell.autoType != -1) {
            if (over && !paused)
                DrawTinted(kHoverPage, CarImageName(cell.autoType, 1, L"_over.png"), x, y, cell.alpha);
            else
                DrawTinted(kCarPage, CarImageName(cell.autoType, 1, L".png"), x, y, cell.alpha);
        }
        if (!over || cell.autoType == -1)
            continue;
        const int index = static_cast<int>(i);
        if (world.autoOnMouse == -1) {
            // Nothing is picked up under the paused game's menus.
            if (world.managerBelowLimit && world.leftDown && !paused) {
                world.jokerRequested = 0;
                world.autoOnMouse = cell.autoType;
                world.managerBelowLimit = 0;
                cell.autoType = -1;
                world.swapSource = index;
                world.grabOffsetX = world.grabOffsetY = 80;
            }
            continue;
        }
        if (world.leftDown || index == world.swapSource)
            continue;
        world.jokerRequested = 0;
        // A car that came from no cell has nothing to swap with.
        if (!world::IsIndex(world.swapSource, world.fundaments.size()))
            continue;
        cFundament& source = world.fundaments[world.swapSource];
        if (!IsAdjacent(cell.row, cell.column, source.row, source.column))
            continue;
        // A swap costs its full price, also when fewer points are left: the
        // points may go below zero (a level ending there pays nothing).
        constexpr int kLowest = std::numeric_limits<int>::min();
        world.levelPoints = world.levelPoints >= kLowest + kSwapCost ? world.levelPoints - kSwapCost : kLowest;
        source.autoType = cell.autoType;
        source.alpha = 255;
        cell.autoType = world.autoOnMouse;
        cell.alpha = 255;
        world.autoOnMouse = -1;
        world.stackMovedToGrid = 0;
        world.selectedCount = 0;
        if (world.AddSelectedCell(index, cell.row, cell.column))
            world.lastPlacedCarType = cell.autoType;
        if (world.AddSelectedCell(world.swapSource, source.row, source.column))
            world.lastPlacedCarType = source.autoType;
        world.swapSource = -1;
    }

    // Released over no neighbour: the car goes back where it came from, a
    // joker from the bar back to the bar.
    if (paused || world.leftDown || world.autoOnMouse == -1)
        return;
    world.PutBackHeldCar();
}

void CarLayer::DrawCarPreviewScaled(int autoType, int x, int y)
{
    pages[kCarPage].DrawImageScaled(
        CarImageName(autoType, 9, L".png").c_str(), x, y, kPreviewSize, kPreviewSize, 255, 255, 255, GetAlpha());
}

void CarLayer::DrawCarPreview(int autoType, int x, int y)
{
    pages[kCarPage].DrawImage(CarImageName(autoType, 9, L".png").c_str(), x, y, 0, 0, 255, 255, 255, GetAlpha());
}

} // namespace Scene
