#include "world/level_payout.h"

#include <algorithm>

#include "world/game_world.h"
#include "world/time_rating.h"

namespace world {

namespace {

    // The task line that holds the level's points and their target.
    constexpr int kPointsLine = 14;
    constexpr int kBaseReward = 50000;
    constexpr int kGoldBonus = 40000;
    constexpr int kSilverBonus = 25000;

} // namespace

int TimeBonus(int rating)
{
    if (rating == kRatingGold)
        return kGoldBonus;
    if (rating == kRatingSilver)
        return kSilverBonus;
    return 0;
}

void FixLevelPayout(cGameWorld& world)
{
    if (world.levelTimeLimit == 0) {
        // Points below zero are no bill: such a level pays nothing.
        world.levelReward = std::max(world.levelPoints, 0);
        world.levelBonus = 0;
        world.levelRating = 0;
        return;
    }
    const int limit = world.levelTimeLimit;
    const int elapsed = world.levelElapsed;
    const bool inTime = elapsed <= limit;
    world.levelRating = RateTime(elapsed, limit);
    world.levelReward = (inTime ? kBaseReward : 0) + TimeBonus(world.levelRating);
    world.levelBonus = 0;
    if (inTime) {
        // A share of the points above the target, the smaller the slower;
        // without a medal at most 5 % of the target.
        const int target = world.taskLineTargets[kPointsLine];
        const int above = world.levelPoints - target;
        if (world.levelRating == kRatingGold) {
            world.levelBonus = above;
        } else if (world.levelRating == kRatingSilver) {
            world.levelBonus = above / 2;
        } else {
            world.levelBonus = above / 4;
            if (world.levelBonus > target * 5 / 100)
                world.levelBonus = target * 5 / 100;
        }
    }
    if (world.levelBonus < 0)
        world.levelBonus = 0;
}

} // namespace world
