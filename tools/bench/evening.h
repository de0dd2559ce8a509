// An evening of play as a player spends it, in one run of the game: the start
// screen, the world map with the player's last level selected, the city's shop
// where a lot is bought, then a list of levels each played for a while (again
// when it ends sooner) and left through the game menu. The moves are the
// autoplayer's, made at a player's pace: one decision every paceSeconds,
// played out as input events. The frame benchmark times the scenes; the frame
// rules test watches them.
#pragma once

#include <string>
#include <vector>

#include "support/autoplayer.h"

namespace bench {

struct Plan {
    double startSeconds = 3;
    double mapSeconds = 10;
    double shopSeconds = 10;
    double levelSeconds = 60;
    double paceSeconds = 1.5;
    // The kind of lot bought in the shop, one the stored progress left unbuilt.
    int lotKind = 7;
    std::vector<int> levels { 1, 2, 20, 19 };
};

// The progress of a player well into the campaign, saved as the game saves
// it: every level before `furthest` passed and its buildings built, but for
// the building of level `furthest`, with money for it.
bool StorePlayer(int furthest);

class Evening : public test::Autoplayer {
public:
    explicit Evening(Plan plan);
    bool Frame() final;

    // Why the evening ended early; empty when it went as planned.
    std::string failure;
    // How long each level of the plan was played, in seconds of its frames.
    std::vector<double> levelSeconds;

protected:
    // Around each frame of the game: the scene the frame showed ("start",
    // "map", "shop", "level_N"; empty while loading, on the logos or between
    // screens) and whether the player only looked during it (no input).
    virtual void BeforeFrame() { }
    virtual void AfterFrame(const std::string& /*scene*/, bool /*idle*/) { }

private:
    std::string SceneShown();
    bool Hold(const std::string& scene);
    void Next();
    void LeaveLevel();

    const Plan plan;
    // 0: the map, then the shop; 1.. the plan's levels.
    int stage = 0;
    std::string lastScene;
    double sceneStart = 0, nextDecision = 0, lastFrameAt = 0, stageStart = 0;
    int leaveFrame = -1;
};

} // namespace bench
