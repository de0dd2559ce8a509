// The result screen's continue button: the ended level goes into the current
// profile's progress (tries, best rating and its time, money earned, the next
// level unlocked), is paid, and the table, the saved game and the settings
// are written before the level is left. A game that ends before the player
// continues records the result the same way.
#include "frontend/result_screen.h"

#include "world/game_world.h"
#include "world/level_payout.h"
#include "world/player_file_rule.h"
#include "world/world_sizes.h"

namespace Scene {

namespace {

    constexpr int kLastLevel = 30;

    // The rise of the payout over what the level earned before is paid.
    void PayRise(cGameWorld& world, int level, int payout)
    {
        if (world.levelMoney[level] < payout) {
            world::AddSaturating(world.money, static_cast<long long>(payout) - world.levelMoney[level]);
            world.levelMoney[level] = payout;
        }
    }

    // The furthest level of the current profile as the profile file keeps it;
    // null for a profile number beyond the table.
    int* ProfileLastLevel(cGameWorld& world)
    {
        const int profile = world.currentProfile;
        return profile >= 0 && profile <= world::kProfiles ? &world.profileLastLevel[profile] : nullptr;
    }

    void CommonEnd(cGameWorld& world)
    {
        // The world map shows each level's best run from the world's tables:
        // they are read again now that this run's table is written.
        world.LoadHighscores();
        world.GetComicText(world.furthestLevel);
        world.levelOver = 0;
        world.SetPause(true);
        world.resultScreenOpen = 0;
        world.leaveLevel = 1;
        world.menuChoice = -1;
        world.profilesOpen = 0;
    }

    // A won level, rated once its last values landed, that no continue has
    // recorded yet. A level left to the map is no longer over, and one
    // recorded stays recorded until the next level starts.
    bool ResultPending(const cGameWorld& world)
    {
        return world.menuChoice != -1 && world.levelOver && world.levelState && !world.evaluatePending
            && !world.resultRecorded;
    }

} // namespace

bool ResultScreen::RecordPendingResult()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!ResultPending(world))
        return false;
    // On the cup the statistics have not fixed the payout yet, and before
    // the table was shown its new entry is not in it: both as the screens
    // would have made them.
    world::FixLevelPayout(world);
    if (!world.resultScreenOpen || !world.highscoreTableReady)
        PrepareTable();
    TakeTypedName();
    Continue();
    return true;
}

void ResultScreen::Continue()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.menuChoice == -1) {
        // Opened from the world map to look at a table.
        world.resultScreenOpen = 0;
        world.highscoresOpen = 0;
        return;
    }

    const int lv = world.level;
    // A level number beyond the per-level tables (a damaged saved game)
    // records nothing, but the level is still left.
    if (lv < 1 || lv >= world::kLevelTableSize) {
        world.textEntryActive = 0;
        world.resultRecorded = 1;
        CommonEnd(world);
        return;
    }
    const int limit = world.levelTimeLimit;
    const int elapsed = world.levelElapsed;
    const int payout = world::ClampPlayerValue(static_cast<long long>(world.levelReward) + world.levelBonus);
    const bool firstOfTriple = cGameWorld::IsFirstLevelOfTriple(lv);
    int* lastLevel = ProfileLastLevel(world);
    world::AddSaturating(world.levelCounter[lv], 1);

    if (limit > 0 && elapsed > limit) {
        // Failed: only the time of the run is kept.
        SaveResults();
        world.levelTime[lv] = elapsed;
        world.textEntryActive = 0;
        world.resultRecorded = 1;
        world.SaveGame();
        world.SaveConfig();
        if (world.level < world.furthestLevel)
            world.level = world.furthestLevel;
        CommonEnd(world);
        return;
    }

    if (limit > 0) {
        world.textEntryActive = 0;
        SaveResults();
        if (!firstOfTriple && world.levelRating > world.levelStatus[lv]) {
            world.levelStatus[lv] = world.levelRating;
            world.levelTime[lv] = elapsed;
        }
        world.resultRecorded = 1;
        if (firstOfTriple) {
            world.level = world.furthestLevel;
            world.SaveConfig();
            CommonEnd(world);
            return;
        }
        if (lv < world.furthestLevel) {
            PayRise(world, lv, payout);
        } else if (lastLevel && *lastLevel == lv) {
            if (lv < kLastLevel) {
                *lastLevel = lv + 1;
                world.furthestLevel = lv + 1;
            }
            world::AddSaturating(world.money, world.levelReward);
            world::AddSaturating(world.money, world.levelBonus);
            world.levelMoney[lv] = payout;
        }
        world.SaveGame();
        world.SaveConfig();
        if (world.level < world.furthestLevel)
            world.level = world.furthestLevel;
        CommonEnd(world);
        return;
    }

    // No limit (a negative one counts as none, as everywhere else in a level).
    if (firstOfTriple) {
        const int earned = world.levelMoney[lv];
        if (earned == 0) {
            world::AddSaturating(world.money, payout);
            world.levelMoney[lv] = payout;
        } else if (earned < payout) {
            PayRise(world, lv, payout);
        } else {
            world::AddSaturating(world.money, static_cast<long long>(payout) * 20 / 100);
        }
        world.levelStatus[lv] = 0;
    }
    if (lastLevel && *lastLevel == lv) {
        if (lv < kLastLevel)
            world.furthestLevel = lv + 1;
        *lastLevel = world.furthestLevel;
    }
    SaveResults();
    world.SaveGame();
    world.SaveConfig();
    world.textEntryActive = 0;
    world.resultRecorded = 1;
    CommonEnd(world);
}

} // namespace Scene
