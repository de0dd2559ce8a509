// The world's level state: the level and its clock counters, money and points,
// the per-level tables of the saved game, the end-of-level results and the task
// lines. Part of cGameWorld (game_world.h).
#pragma once

#include <cstdint>
#include <string>

#include "app/clock.h"
#include "world/world_sizes.h"

struct cWorldLevelFields {
    // Level and timers.
    int level = 0; // also named currentLevel; 1..30 campaign, 31 station building
    int furthestLevel = 0; // also named unlockedLevel
    int levelTimeLimit = 0; // seconds, 0 = none
    int levelElapsed = 0; // seconds of play, +1 per second by the game clock
    int timeLimitMode = 1;
    int realMinutesPlayed = 0;
    double calendarStep = 1.1; // seconds per calendar minute
    float calendarStepSetting = 0.0f;
    uint8_t paused = 0;
    uint8_t freshLevel = 1;
    uint8_t afterLoadPending = 0;
    uint8_t levelOver = 0;
    // Also named levelCompleted: Story::SetState(1) sets it, the end of the
    // level reads it as "completed"; one byte, or a script could never end a level.
    uint8_t levelState = 0;
    uint8_t gamePlayMode = 0; // swap mode of grid levels
    int gameMode = 0;
    uint8_t leaveLevel = 0;
    // A level was left in this run (kept until the program ends): the exit
    // state shows the credits only then.
    uint8_t levelLeftInRun = 0;
    uint8_t returnToMenu = 0;
    // Why the last level could not start; the world map shows it until the
    // next level starts.
    std::wstring levelStartNotice;
    // The name of the last flag event the level frame took off the queue,
    // other than the clock's "new_minute"; nothing reads it yet.
    std::string lastFlagText;
    int menuChoice = -1; // also named menuResult: -1 none, 0 start a level, 3 quit
    uint8_t quitRequested = 0; // also named quitGame
    uint8_t levelActive = 0; // a level is running; also the car layer's draw flag
    uint8_t restartLevel = 0;
    int frameCount = 0;
    int fpsClock = 0; // milliseconds of the last rate update
    int framesPerSecond = 0;

    // Money and points.
    int money = 0;
    int bank = 0;
    int points = 0;
    // The points of the current level, 0 at level start; may go negative.
    // Credited by landing value floaters, lowered by the script's MinusPoints
    // and read by its GetCurrentPoints.
    int levelPoints = 0;
    // Once the level's points reach it, taking a car from the road calls the
    // script's "on_minus_points" and shows a penalty marker of that many
    // points; 250 at level start, read by the script's GetMinusPoints.
    int penaltyThreshold = 0;
    int patience = 0;
    int maxPoints = 0;
    int bonusMultiplier = 0;
    int superBonusMultiplier = 0;
    double pointsSpeed = 0.0;
    uint8_t noPenalty = 0; // set by the script's NoMinusPoints: no penalty marker
    uint8_t newAward = 0; // set when Story::AddAward grants an award
    int lastAward = 0; // the award Story::AddAward granted last

    // Per-level tables of the saved game, by level number.
    int levelStatus[world::kLevelTableSize] = {}; // best rating, -1 not played
    int levelCounter[world::kLevelTableSize] = {};
    int levelTime[world::kLevelTableSize] = {};
    int levelMoney[world::kLevelTableSize] = {};
    int saveParams[world::kLevelTableSize] = {};
    int saveCounters[world::kSaveCounters] = {};
    uint8_t campaignWon = 0;
    int campaignStage = 0;

    // The end of a level and its results.
    int levelFinalTime = 0;
    int levelEndStep = 0;
    uint8_t evaluatePending = 0;
    uint8_t timeOutFailure = 0;
    uint8_t gameOverPanelShown = 0;
    uint8_t freeCellTimerStarted = 0;
    uint8_t resultsShown = 0; // also named resultsPanelShown
    uint8_t resultRecorded = 0;
    int levelReward = 0;
    int levelBonus = 0;
    int levelRating = 0; // 2 gold, 1 silver, 0 passed
    std::wstring medalText; // "", "GOLD" or "SILVER"
    int cupPhase = 0;
    int cupAlpha = 0;
    uint8_t cupStarted = 0;
    uint8_t timeLimitSoundPlayed[3] = {};
    uint8_t useJokerHint = 0;
    int jokerTipSeen = 0;
    int bombTipSeen = 0;

    // The level's task lines: their texts (the script's SetMessage), the value
    // reached, the target (line 14 is the points target) and whether the
    // script has switched it on (ActivateMessageStatus).
    std::wstring taskLineTexts[world::kMessageLines];
    int taskLineValues[world::kMessageLines] = {};
    int taskLineTargets[world::kMessageLines] = {};
    uint8_t taskLineActive[world::kMessageLines] = {};
    int taskLineCount = 0;
    int taskLineLastValues[world::kMessageLines] = {};
    int messageToShow = -1; // also named messageId: GUI text row, -1 none
    int intro = -1; // also named introStep; INTRO is true while it is 1
    int hudMenuState = 0;
    int taskIntroPending = 0;
    uint8_t medalHoverPause = 0;
    uint8_t slotHoverPause = 0;
    std::string menuCorner; // "left" at level start
};
