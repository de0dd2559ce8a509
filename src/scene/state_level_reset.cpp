// The level start: the world's fields that a level begins with, and the lists
// a level fills, emptied.
#include <algorithm>
#include <memory>

#include "scene/state_level.h"
#include "world/game_world.h"

void cStateLevel::ResetLevelStart()
{
    cGameWorld& world = cGameWorld::Instance();
    world.musicPlayVolume = world.musicVolume;
    world.musicWorkLevel2 = world.musicVolume;
    world.musicWorkLevel3 = world.musicVolume;
    world.managerCount = 1;
    world.carFromRoad = 0;
    world.carFromRoadAux = 0;
    world.damageMode = 0;
    world.helpAuto = 1;
    std::fill(std::begin(world.stationSelection), std::end(world.stationSelection), -1);
    world.profi = 0;
    world.managerMoves = 0;
}

void cStateLevel::ResetLevelOptions()
{
    // What a level script sets for its level, and the light, start each level
    // from the values the world was made with: a darkening still running or a
    // time limit of the last level must not carry over into this one.
    cGameWorld& world = cGameWorld::Instance();
    const auto level = std::make_unique<cWorldLevelFields>();
    const auto station = std::make_unique<cWorldStationFields>();
    const auto light = std::make_unique<cWorldEffectsFields>();

    std::copy(std::begin(light->levelTint), std::end(light->levelTint), std::begin(world.levelTint));
    world.darkening = light->darkening;
    world.brightening = light->brightening;
    world.tintStep = light->tintStep;
    world.darkTintTarget = light->darkTintTarget;
    world.lightStep = light->lightStep;
    world.lightBlending = light->lightBlending;
    world.raining = light->raining;
    world.snowing = light->snowing;
    world.snowSpeed = light->snowSpeed;
    world.rainSpeed = light->rainSpeed;
    world.animationSpeed = light->animationSpeed;
    world.cloudsStop = light->cloudsStop;

    world.levelTimeLimit = level->levelTimeLimit;
    world.timeLimitMode = level->timeLimitMode;
    world.gameMode = level->gameMode;
    world.maxPoints = level->maxPoints;
    world.pointsSpeed = level->pointsSpeed;
    world.points = level->points;

    world.processTimeInStation = station->processTimeInStation;
    world.processTimeInStack = station->processTimeInStack;
    world.stackCounter = station->stackCounter;
    world.stackLimit = station->stackLimit;
    world.stackCounterFlag = station->stackCounterFlag;
    std::copy(
        std::begin(station->stackTaskParams), std::end(station->stackTaskParams), std::begin(world.stackTaskParams));
    world.takeFromStack = station->takeFromStack;
    world.takeFromAutobahn = station->takeFromAutobahn;
    world.onlyAutobahn = station->onlyAutobahn;
    world.autobahnAutosChosen = station->autobahnAutosChosen;
    // The chosen road cars are the level's own: kept from level to level,
    // one level's choice would make its cars takeable on the next level that
    // allows only chosen cars, and the list would grow with every start.
    world.chosenAutobahnAutos.clear();
    std::copy(
        std::begin(station->autobahnCarCount), std::end(station->autobahnCarCount), std::begin(world.autobahnCarCount));
    world.parkingAutos = station->parkingAutos;
    world.parkingLot = station->parkingLot;
    world.colorChangeLimit = station->colorChangeLimit;
    world.bonusMultiplier = level->bonusMultiplier;
    world.superBonusMultiplier = level->superBonusMultiplier;
}

void cStateLevel::ResetAfterLoad()
{
    cGameWorld& world = cGameWorld::Instance();
    world.drawStation = 1;
    world.managerBelowLimit = 1;
    world.dropPending = 1;
    world.supplyPending = 0;
    world.stackMovedToGrid = 0;
    world.autoByType = 0;
    world.build = 0;
    world.gamePlayMode = 0;
    world.bonusConfiguration = 0;
    world.swapSource = -1;
    world.fogAlpha = 150;
    world.bonusByClass = 1;
    world.noFreeCell = 0;
    world.jokerPending = 0;
    world.jokerRequested = 0;
    world.inspection = 0;
    world.autobahnAutosPerType = 0;
    world.noPenalty = 0;
    world.penaltyThreshold = 250;

    // The end of the last level, forgotten.
    world.levelState = 0;
    world.timeOutFailure = 0;
    world.freeCellTimerStarted = 0;
    world.useJokerHint = 0;
    world.jokerTipSeen = 0;
    world.bombTipSeen = 0;
    world.medalText.clear();
    world.medalHoverPause = 0;
    world.slotHoverPause = 0;
    world.taskIntroPending = 1;
    world.roadsReset = 1;
    world.autoOnMouse = -1;
    world.selectedCount = 0;
    world.comboCounter = 0;
    // Each level sounds its own time signals, starts its own cup animation
    // and has no joker in use from a move of the last level.
    std::fill(std::begin(world.timeLimitSoundPlayed), std::end(world.timeLimitSoundPlayed), 0);
    world.cupStarted = 0;
    world.jokerInUse = 0;
}

void cStateLevel::ClearWorldLists()
{
    cGameWorld& world = cGameWorld::Instance();
    for (cAutobahnAuto& car : world.autobahnCars) {
        car.pathX.clear();
        car.pathY.clear();
    }
    world.autobahnCars.clear();
    world.stackCars.clear();
    world.placeTemplates.clear();
    world.places.clear();
    world.stackSlots.clear();
    world.effectTypes.clear();
    world.effects.clear();
    world.bodyTemplates.clear();
    world.bodies.clear();
    world.overTemplates.clear();
    world.autoTypes.clear();
    world.superOvers.clear();
    world.fundamentTemplates.clear();
    world.snowFlakes.clear();
    world.fundaments.clear();
    world.placeAutos.clear();
    world.autobahnRoads.clear();
    world.statusMessages.clear();
    world.balloons.clear();
    world.clouds.clear();
    world.stackAutoTypes.clear();
    world.comboLog.clear();
    world.autobahnAutos.clear();
    world.autobahnClasses.clear();
    world.icons.clear();
    world.specialAutos.clear();
    world.transfers.clear();
    world.roadTransfers.clear();
    world.rainDrops.clear();
    world.flyingValues.clear();
    world.stackAutoClasses.clear();
    world.jokers.clear();
    world.buildLots.clear();
    world.links.clear();
    world.leavingAutos.clear();
    world.combos.clear();
    world.enabledAutos.clear();
}
