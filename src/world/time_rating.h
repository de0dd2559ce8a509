// The one rating of a level against the clock. Finished before the gold time
// is gold, before the silver time silver, within the limit a pass. The clock
// badge, the cup, the payout, the saved rating and through it the map's pins
// and the region gates all read these thresholds.
#pragma once

namespace world {

constexpr double kGoldShare = 0.6;
constexpr double kSilverShare = 0.8;

enum TimeRating { kRatingPassed = 0, kRatingSilver = 1, kRatingGold = 2 };

inline int GoldSeconds(int limit)
{
    return static_cast<int>(limit * kGoldShare);
}

inline int SilverSeconds(int limit)
{
    return static_cast<int>(limit * kSilverShare);
}

// The thresholds are strict: a time equal to the gold time earns silver, one
// equal to the silver time a pass. Without a limit both are 0: no medal.
inline int RateTime(int elapsed, int limit)
{
    if (elapsed < GoldSeconds(limit))
        return kRatingGold;
    if (elapsed < SilverSeconds(limit))
        return kRatingSilver;
    return kRatingPassed;
}

} // namespace world
