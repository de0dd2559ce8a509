// The cars standing on the grid cells of a grid level: drawn bouncing,
// picked up with the mouse, put down on a free cell, a joker replacing a car,
// a bomb clearing a block of cells, and a car released nowhere going back.
#include "scene/car_layer.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace Scene {

namespace {
    constexpr int kJoker = 90;
    constexpr int kBomb = 91;
    constexpr int kBombSound = 66;
    constexpr double kBounceSeconds = 0.051;
    // Vertical offsets of a bouncing grid car, summed up to its step.
    constexpr int kBounce[8] = { 0, -1, -2, -3, 0, 1, 2, 3 };
} // namespace

bool CarLayer::StepGridBounce()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.IsPaused() || world.bounceTimer.Elapsed() <= kBounceSeconds)
        return false;
    world.bounceTimer.Restart();
    return true;
}

int CarLayer::GridBounceOffset(cFundament& cell, bool step)
{
    if (!cell.bounce || cell.autoType == -1 || cGameWorld::Instance().IsPaused())
        return 0;
    int offset = 0;
    for (int i = 0; i < cell.bounceStep && i < 8; ++i)
        offset += kBounce[i];
    if (step && ++cell.bounceStep >= 8)
        cell.bounceStep = 0;
    return offset;
}

void CarLayer::PutDownOnCell(int cell, int autoType)
{
    cGameWorld& world = cGameWorld::Instance();
    cFundament& target = world.fundaments[cell];
    target.autoType = autoType;
    target.alpha = 255;
    world.autoOnMouse = -1;
    // The move is made: the stack may pour again after its combo check.
    world.stackMovedToGrid = 0;
    world.swapSource = -1;
    world.selectedCount = 0;
    world.AddSelectedCell(cell, target.row, target.column);
    world.lastPlacedCarType = autoType;
}

void CarLayer::ReturnHeldGridCar()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.IsPaused() || world.leftDown || world.autoOnMouse == -1)
        return;
    world.PutBackHeldCar();
}

void CarLayer::DrawGridAutos()
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
        const bool hovered = !world.noFreeCell && !paused && world.IsMouseOverPlace(cell.row, cell.column);
        if (cell.autoType != -1) {
            if (hovered)
                DrawTinted(kHoverPage, CarImageName(cell.autoType, 1, L"_over.png"), x, y, cell.alpha);
            else
                DrawTinted(kCarPage, CarImageName(cell.autoType, 1, L".png"), x, y, cell.alpha);
        }
        if (!hovered)
            continue;

        const int held = world.autoOnMouse;
        const int index = static_cast<int>(i);
        if (held == -1) {
            // Jokers and bombs stay where they stand.
            if (cell.autoType != -1 && cell.autoType < kJoker && world.managerBelowLimit && world.leftDown) {
                world.autoOnMouse = cell.autoType;
                world.managerBelowLimit = 0;
                cell.autoType = -1;
                world.swapSource = index;
                world.grabOffsetX = world.grabOffsetY = 80;
                world.jokerRequested = 0;
            }
            continue;
        }
        if (world.leftDown)
            continue;
        if (cell.autoType == -1) {
            // A car already sliding onto the cell would land on the dropped
            // one and it would be lost: the cell takes no car meanwhile.
            if (cell.carArriving)
                continue;
            if (held == kBomb) {
                ClearAround(cell.row, cell.column);
                world.autoOnMouse = -1;
                world.stackMovedToGrid = 0;
                return;
            }
            if (world.swapSource == index) {
                cell.autoType = held;
                cell.alpha = 255;
                world.autoOnMouse = -1;
                world.stackMovedToGrid = 1;
                world.managerBelowLimit = 1;
                world.swapSource = -1;
            } else {
                PutDownOnCell(index, held);
            }
        } else if (held == kJoker) {
            PutDownOnCell(index, held);
        } else if (held == kBomb) {
            ClearAround(cell.row, cell.column);
            Story::Instance().StartSound(kBombSound);
            world.autoOnMouse = -1;
            world.stackMovedToGrid = 0;
        }
    }
    ReturnHeldGridCar();
}

void CarLayer::ClearAround(int row, int column)
{
    cGameWorld& world = cGameWorld::Instance();
    for (size_t i = 0; i < world.fundaments.size(); ++i) {
        const cFundament& cell = world.fundaments[i];
        if (cell.hidden || cell.autoType == -1)
            continue;
        if (cell.row < row - 1 || cell.row > row + 1 || cell.column < column - 1 || cell.column > column + 1)
            continue;
        world.ClearFundamentWithEffect(static_cast<int>(i), 3);
    }
}

} // namespace Scene
