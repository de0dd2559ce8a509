// The world's station: the grid with its lots and cell positions, places and
// fundaments, car types, cars on the road and in the stack, served cars, the
// combo state, bonuses, jokers, upgrades and staff. Part of cGameWorld.
#pragma once

#include <cstdint>
#include <vector>

#include "app/clock.h"
#include "world/records_cars.h"
#include "world/records_combos.h"
#include "world/records_places.h"
#include "world/world_sizes.h"

struct cWorldStationFields {
    using Grid = int[world::kGridSize][world::kGridSize];

    // Per-cell tables by row and column; only 0..9 are used.
    Grid lotTable = {};
    Grid cellX = {}; // also named cellScreenX; written by ComputeLayout
    Grid cellY = {}; // also named cellScreenY
    Grid lotStatus = {}; // also named lotState
    Grid lotFundamentTexture = {}; // also named lotTexture
    Grid lotPlaceType = {}; // also named lotKind
    Grid lotPlaceValue = {};
    Grid lotInteractive = {}; // 1: the lot answers the mouse in the shop
    Grid lotSellable = {}; // 1: it may be sold
    Grid lotFreeBuy = {}; // 1: it may be bought when it is not the task's lot
    int gridAnchorX = 0; // also named stationOriginX: cell (4, 4)
    int gridAnchorY = 0; // also named stationOriginY
    // The cell of the last finished lot (also named buildRow, buildColumn)
    // or, after a service, the served car's point; Story::GetX and GetY.
    int lastLotRow = 0; // also named lastEventX
    int lastLotColumn = 0; // also named lastEventY
    int colorChangeLimit = 0;
    int hoveredElement = 0; // also named hoveredPlace; -1 none
    uint8_t noFreeCell = 0;

    // Service.
    int workingAuto = -1;
    int workingPlace = -1;
    int neededPlace = -1;
    int currentService = 0;
    int currentTask = 0;
    double processTimeInStack = 0.0;
    double processTimeInStation = 0.0;
    uint8_t placeTouched = 0;

    // Cars, stack and road.
    int autoOnMouse = -1; // also named draggedCar: car type on the mouse, -1 none
    int heldCarVariant = 0;
    int heldCarItem = 0;
    int grabOffsetX = 0;
    int grabOffsetY = 0;
    int hitOffsetX = 0;
    int hitOffsetY = 0;
    int carFromRoad = 0; // the two road-drag flags
    int carFromRoadAux = 0;
    cTimer dragTimer;
    cTimer settleTimer; // paces the settling of cars arriving on places
    cTimer bounceTimer; // paces the bouncing of grid cars
    int currentStack = 0;
    int stackBusy = 0;
    int managerCount = 0;
    int managerMoves = 0;
    int stackCounter = 0; // also named stackSlotCount
    int stackLimit = 0;
    uint8_t stackCounterFlag = 0; // the third value of Story::StackCounter, kept for the screens
    uint8_t managerBelowLimit = 1; // also named pickAllowed; the stack-pass / manager-pending flag
    int stackTaskParams[4] = {};
    int takeFromStack = 0;
    int takeFromAutobahn = 0;
    int onlyAutobahn = 0;
    int autobahnAutosPerType = 0;
    int autobahnAutosChosen = 0; // also named chosenAutobahnOnly: only the chosen road cars may be taken
    int inspection = 0;
    int autobahnDistance = 0; // also named distanceAutobahn; 100 at level start
    int autobahnOtherCarsPercent = 0; // 20 at level start
    int autobahnStep = 0; // also named stepAutobahn; 2 at level start
    int autobahnDelay = 0;
    int autobahnCarCount[5] = {}; // by road id
    int parkingAutos = 0;
    int parkingLot = 3;
    int helpAuto = 1;
    uint8_t autoByType = 0;
    int addParkingAutos[world::kLevelTableSize] = {};
    uint8_t roadsReset = 0;
    uint8_t transportFrozen = 0;
    int lastPlacedCarType = 0;
    int lastSuppliedAuto = 0;
    int swapSource = -1;
    cTimer transportTimers[3]; // restarted at level start for the car layer

    // Help hints (AddHelpHint).
    int hintX[world::kHints] = {};
    int hintY[world::kHints] = {};
    int hintRow[world::kHints] = {};
    int hintColumn[world::kHints] = {};
    int hintTimer[world::kHints] = {};
    int hintIndex[world::kHints] = {}; // also named helpHintPlace
    int hintAutoType[world::kHints] = {};
    int hintClass[world::kHints] = {}; // also named helpHintClass
    int hintCount = 0; // also named helpHintCount
    int lastCellAutoType = 0;

    // The selection of changed cells and the combo state.
    int selectedIndex[world::kSelection] = {}; // also named selectionPlace
    int selectedRow[world::kSelection] = {}; // also named selectionRow
    int selectedColumn[world::kSelection] = {}; // also named selectionCol
    int selectedCount = 0; // also named selectionCount
    int comboCounter = 0; // also named comboResult
    int runFirstRow = 0;
    int runLastRow = 0;
    int runFirstColumn = 0;
    int runLastColumn = 0;
    int bonusCellKind[world::kBonusCells] = {};
    int bonusCellRow[world::kBonusCells] = {};
    int bonusCellColumn[world::kBonusCells] = {};
    int bonusCellCount = 0;
    uint8_t jokerInUse = 0;
    // Also named idleSinceTask: set when the task dialog closes, cleared when
    // the player picks or swaps a grid car, by Story::AddJoker and by the
    // fundament combos; while set on level 1 the empty joker bar shows faded
    // jokers where the first ones will stand.
    uint8_t jokerRequested = 0;
    uint8_t dropPending = 0; // also named restockPending; the fundament-combo flag
    uint8_t supplyPending = 0; // swap mode: the supply after a drop was held back and is tried again
    uint8_t stackMovedToGrid = 0; // also named holdRestock

    // Bonuses, jokers, upgrades and staff.
    uint8_t bonusByClass = 0; // 1 group by class, 0 by colour
    int bonusConfiguration = 0;
    int bonusAutoClass = 0; // also named bonusClass
    int bonusType = 0; // also named typeBonus
    int parameters[world::kIndexTable] = {};
    int stationBonus[world::kIndexTable] = {};
    int specAutoBonusCounter[world::kIndexTable] = {};
    int joker = 0;
    uint8_t jokerPending = 0;
    int damageMode = 0;
    int profi = 0; // also named profiStaff
    int currentUpgrade = 0;
    int updateColor = -1;
    int updateX = 0;
    int updateY = 0;
    int update = 0;
    int boughtJoker = 0;
    int boughtNotDamage = 0;
    int boughtBeton = 0;
    int boughtCrane = 0;
    int boughtAntifog = 0;
    int boughtModern53 = 0;
    int boughtWerbung = 0;
    int boughtAntiCloud = 0;
    int boughtConsultant = 0;
    int boughtProfi = 0;
    int boughtEntertainment = 0;
    int boughtUpdate[4] = {};
    int boughtParkingLot[2] = {};
    int upgradeBought[world::kUpgradeKinds] = {}; // by element kind
    int drawStation = 0; // 0 grid level (fundaments), else station level (places)
    int build = 0;
    uint8_t brutal = 0;
    int sceneryCycle = 0;
    int treeSelection = -1;
    uint8_t alternateHouse = 0;

    // Lists of the station, records held by value.
    std::vector<cPlaceTemplate> placeTemplates;
    std::vector<cPlace> places;
    std::vector<cFundament> fundaments;
    std::vector<cFundamentTemplate> fundamentTemplates;
    std::vector<cBuildLot> buildLots;
    std::vector<cLink> links; // also named lotLinks
    std::vector<cIcon> icons;
    std::vector<cAutoType> autoTypes;
    std::vector<cAutobahnRoad> autobahnRoads;
    std::vector<cAutobahnAuto> autobahnCars; // also named roadCars
    std::vector<cAutobahnAuto> stackCars; // also named stackArrivals
    std::vector<cStackSlot> stackSlots;
    std::vector<cPlaceAuto> placeAutos;
    std::vector<cJoker> jokers;
    std::vector<cTransfer> transfers;
    std::vector<cTransfer> roadTransfers; // also named returnTransfers
    std::vector<cFlyingMarker> flyingValues; // also named floaters
    std::vector<cLeavingAuto> leavingAutos;
    std::vector<cSpecAutoEntry> specialAutos;
    std::vector<int> chosenAutobahnAutos;
    std::vector<int> stackAutoTypes;
    std::vector<int> stackAutoClasses;
    std::vector<cAutobahnClassEntry> autobahnClasses;
    std::vector<cAutobahnAutoEntry> autobahnAutos;
    std::vector<cEnabledAuto> enabledAutos;
    std::vector<cCombo> combos;
    std::vector<cComboLogEntry> comboLog;
};
