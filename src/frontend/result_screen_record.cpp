// The result screen's continue button: the ended level goes into the current
// profile's progress (tries, best rating and its time, money earned, the next
// level unlocked), is paid, and the saved game, the table and the list of
// players are written as one change before the level is left; a result they
// cannot all hold is not recorded at all, and told. A game that ends before
// the player continues records the result the same way.
#include "frontend/result_screen.h"

#include "platform/quit_watchdog.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "world/game_world.h"
#include "world/level_payout.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"
#include "world/settings.h"
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

    // The notice line of a result the disk could not hold.
    constexpr int kResultNotRecordedText = 154;

    // What recording a level's result changes of the player's progress, kept
    // to be put back when the files cannot hold it.
    struct Progress {
        int money, level, furthest, lastLevel;
        int counter, status, time, earned;
    };

    Progress TakeProgress(const cGameWorld& world, int lv, const int* lastLevel)
    {
        return { world.money, world.level, world.furthestLevel, lastLevel ? *lastLevel : 0, world.levelCounter[lv],
            world.levelStatus[lv], world.levelTime[lv], world.levelMoney[lv] };
    }

    void PutBack(cGameWorld& world, int lv, int* lastLevel, const Progress& p)
    {
        world.money = p.money;
        world.level = p.level;
        world.furthestLevel = p.furthest;
        if (lastLevel)
            *lastLevel = p.lastLevel;
        world.levelCounter[lv] = p.counter;
        world.levelStatus[lv] = p.status;
        world.levelTime[lv] = p.time;
        world.levelMoney[lv] = p.earned;
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
    if (world.menuChoice != -1 && world.levelOver && world.levelState && world.evaluatePending
        && !world.resultRecorded) {
        // Won, with its last values still flying to the bar: they land now
        // and the level is rated, as the cup would rate it.
        world.LandFlyingValues();
        if (auto* hud = cScreenManager::Instance().Get<Hud>(cScreenManager::kHud))
            hud->EvaluateLevelEnd();
        world.evaluatePending = 0;
    }
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
    const Progress before = TakeProgress(world, lv, lastLevel);
    world::AddSaturating(world.levelCounter[lv], 1);

    const bool failed = limit > 0 && elapsed > limit;
    if (failed) {
        // Failed: only the time of the run is kept.
        world.levelTime[lv] = elapsed;
    } else if (limit > 0) {
        if (!firstOfTriple && world.levelRating > world.levelStatus[lv]) {
            world.levelStatus[lv] = world.levelRating;
            world.levelTime[lv] = elapsed;
        }
        if (firstOfTriple) {
            // Paid by its points, not here.
        } else if (lv < world.furthestLevel) {
            PayRise(world, lv, payout);
        } else if (lastLevel && *lastLevel == lv) {
            if (lv < kLastLevel) {
                *lastLevel = lv + 1;
                world.furthestLevel = lv + 1;
            }
            if (world.levelMoney[lv] != 0 && lv < kLastLevel) {
                // Paid before, yet still the furthest level: a list of
                // players an older version left behind its saved game. Only
                // what this run adds is paid.
                PayRise(world, lv, payout);
            } else {
                // The last level stays the furthest: each win of it pays in
                // full again.
                world::AddSaturating(world.money, world.levelReward);
                world::AddSaturating(world.money, world.levelBonus);
                world.levelMoney[lv] = payout;
            }
        }
    } else {
        // No limit (a negative one counts as none, as everywhere else in a
        // level).
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
    }

    // A first level of a triple passed within its limit earns, rates and
    // unlocks nothing here: of its result only the table goes to the disk.
    const bool tableOnly = limit > 0 && !failed && firstOfTriple;
    if (!WriteResult(lv, tableOnly) && cSettings::Instance().canSave) {
        // Nothing of it is on the disk, so nothing of it stays in play
        // either: a later save must not write half of it.
        PutBack(world, lv, lastLevel, before);
        world::SetPlayerFileNotice(world, kResultNotRecordedText);
        cLog::Instance().Error(L"Scene::ResultScreen::Continue -> the result of level %d could not be saved; it is "
                               L"not recorded.",
            lv);
    }
    // Back on the map the furthest level is the one selected after a level
    // with a limit, unless a level beyond it was played (a failed first
    // level of a triple); a level without a limit stays selected.
    if (tableOnly || (limit > 0 && world.level < world.furthestLevel))
        world.level = world.furthestLevel;
    world.textEntryActive = 0;
    world.resultRecorded = 1;
    CommonEnd(world);
}

bool ResultScreen::WriteResult(int lv, bool tableOnly)
{
    cGameWorld& world = cGameWorld::Instance();
    const wchar_t* who = L"Scene::ResultScreen::Continue";
    // A quit that comes meanwhile lets the files finish (a slow disk).
    const platform::QuitWatchdogHold hold;
    const std::wstring tablePath = ScoreFilePath(lv);
    MakeScoreFolder(tablePath);
    // One file is replaced whole by itself. Of several, the saved game goes
    // first: it decides whether the result was recorded, and the table and
    // the list of players follow it.
    const bool recorded = tableOnly
        ? world::SavePlayerFile(world, who, world::PlayerFile::Highscores, tablePath, ScoreFileBytes(table))
        : world::SavePlayerFilesTogether(world, who,
            { { world::PlayerFile::SavedGame, world::SavedGamePath(world),
                  platform::WideToUtf16Le(world::SavedGameText(world)) },
                { world::PlayerFile::Highscores, tablePath, ScoreFileBytes(table) },
                { world::PlayerFile::Profiles, world::ProfilesPath(world), world::ProfilesBytes(world) } });
    if (!recorded)
        return false;
    // The settings hold nothing of the result: a failure there is told, and
    // the result stands.
    world::SaveSettingsFile(world);
    world.WriteEditorScripts();
    return true;
}

} // namespace Scene
