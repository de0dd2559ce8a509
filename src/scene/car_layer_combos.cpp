// The combo checks after each move. A car that arrives lists its cell in the
// world's selection; once nothing moves any more and no car is held, the
// world searches that selection for combos and applies them. On station
// levels the check also hands the stack between the managers and the player;
// on grid levels it lets cars fall into free cells after a combo and pours
// the stack onto the grid once per move of the player.
#include "scene/car_layer.h"
#include "world/game_world.h"

namespace Scene {

namespace {
    constexpr int kJoker = 90;

    void ResetSelection(cGameWorld& world)
    {
        world.selectedCount = 0;
        world.comboCounter = 0;
        world.hintCount = 0;
        world.managerMoves = 0;
    }
} // namespace

void CarLayer::CheckPlaceCombos()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.autoOnMouse != -1)
        return;
    if (world.selectedCount == 0) {
        // Managers as many as the stack's limit keep the stack.
        if (world.stackLimit == world.managerCount)
            world.managerBelowLimit = 0;
        return;
    }
    // A car still sliding to its place joins this search once it arrives.
    if (!world.transfers.empty())
        return;
    if (world.managerCount > 0) {
        if (!world.managerBelowLimit && world.managerMoves >= world.managerCount)
            world.managerBelowLimit = 1;
        else if (world.managerBelowLimit)
            world.managerBelowLimit = 0;
        if (world.stackLimit == world.managerCount)
            world.managerBelowLimit = 0;
    }
    world.comboCounter = 0;
    world.combos.clear();
    world.FindAutoCombos();
    if (!world.combos.empty())
        world.ApplyPlaceCombos();
    ResetSelection(world);
}

void CarLayer::CheckFundamentCombos()
{
    cGameWorld& world = cGameWorld::Instance();
    // Combos are searched and cars fall on a still board only: nothing
    // sliding, nothing on the mouse (the cell a held car came from must not
    // be filled under it).
    const bool still = world.transfers.empty() && world.autoOnMouse == -1;
    if (world.gamePlayMode && (world.dropPending || world.supplyPending)) {
        // The supply that ends the drop waits while a combo's effect is
        // young; it is tried again on every still frame until it has run, or
        // the cars the combo cleared would never come back.
        if (still && world.dropPending) {
            world.dropPending = 0;
            world.supplyPending = world.DropAutosIntoFreeFundaments() ? 0 : 1;
        } else if (still && world.SupplyFreeFundaments()) {
            world.supplyPending = 0;
        }
        return;
    }
    const bool selection = world.selectedCount > 0;
    if (!cGameWorld::IsFirstLevelOfTriple(world.level) || world.stackMovedToGrid || selection) {
        if (!still)
            return;
        if (selection) {
            world.comboCounter = 0;
            world.combos.clear();
            world.FindFundamentCombos();
            if (!world.combos.empty()) {
                world.ApplyFundamentCombos();
                if (world.gamePlayMode)
                    world.dropPending = 1;
            }
        }
        ResetSelection(world);
        RemoveJokerAuto();
        world.jokerInUse = 0;
        // Cars cleared by this move may complete further combos at once.
        if (selection) {
            world.combos.clear();
            world.RebuildFundamentCombos();
            if (!world.combos.empty())
                world.ApplyFundamentCombosKeepJoker();
        }
        return;
    }
    if (world.gamePlayMode != 1)
        world.MoveStackAutosToFundaments();
}

void CarLayer::RemoveJokerAuto()
{
    cGameWorld& world = cGameWorld::Instance();
    for (auto it = world.placeAutos.begin(); it != world.placeAutos.end(); ++it) {
        if (it->autoType == kJoker) {
            world.placeAutos.erase(it);
            return;
        }
    }
}

} // namespace Scene
