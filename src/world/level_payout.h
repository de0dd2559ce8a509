// What a won level pays. A level with a time limit is paid by the time it
// took: a base for finishing within the limit, a time bonus for gold or
// silver and a share of the points above the target. A level without one is
// paid by its points. The statistics panel shows the payout and the recorded
// result holds it; both take it from here, so a result recorded before the
// panel was ever drawn is paid the same.
#pragma once

class cGameWorld;

namespace world {

// The time bonus of a rating: 40 000 for gold, 25 000 for silver, else 0.
int TimeBonus(int rating);

// Sets levelReward, levelBonus and levelRating from the ended level's limit,
// time and points. They stand still once the level is over, so every call
// after the end gives the same payout.
void FixLevelPayout(cGameWorld& world);

} // namespace world
