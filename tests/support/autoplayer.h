// A player for whole-game tests: the real application, state machine, menu
// manager and screens under the dummy video driver, played only through input
// events (mouse moves, button presses and releases, keys). It reads the world
// to choose its moves and never writes it. From the logos it goes to the
// start screen and makes a new game with a typed name, then plays the
// campaign in order from level 1: it picks each level by its map pin, wins it
// (grid levels: a drag that makes a line; station levels: stack cars dragged
// onto the free place of their colour), passes the result screens and is
// back on the map. When the map says the next level needs a building, it
// opens the shop through the city pin and buys it with a click. The station
// level at the end is the shop, where what is left buys the lots at will.
//
// The engine under it records the text drawn instead of drawing (only the
// last frame's): the run reads the result panel's figures from it. A run with
// options may go on from the stored profile instead, buy a lot first, play
// the levels it is given one after the other and draw for real; or look at
// every screen on its way: the start screen's options, the first level's
// game menu and its options, a level left to run out of time once, and the
// credits at the end, each new screen state drawn by the real engine once it
// has settled and handed to the layout check (autoplayer_screens.cpp).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "support/recording_gfx.h"

namespace test {

// What one level of the run showed and left behind.
struct LevelReport {
    int level = 0;
    int limit = 0; // seconds; 0 for a level without one
    int elapsed = 0; // seconds played
    int rating = -1; // the stored rating after the level
    int cup = 0; // the cup shown at the end: 0 none, 1 silver, 2 gold
    int points = 0;
    bool taskReached = false; // every task line of the level at its target
    int moneyBefore = 0; // on the map before the level
    int moneyAfter = 0; // on the map after it
    // The result panel's figures: the level's total, the money it shows the
    // player holding and the new balance; -1 when not read.
    int shownTotal = -1;
    int shownMoney = -1;
    int shownBalance = -1;
    int buildingBought = 0; // the price of the building bought before the level
    int lotsBought = 0; // lots at will bought (the station level)
    int lotsLeft = 0; // lots at will left unbought (the station level)
};

struct AutoplayOptions {
    // A lot of this kind is bought in the shop before any level; 0: none.
    int lotKind = 0;
    // The real engine draws; no text is recorded and no result panel read.
    bool draw = false;
    // Looks at every screen on the way (above) and hands each new one to
    // checkScreen, with its name "<width>_<state>"; what that returns is
    // kept in Autoplayer::breaches.
    bool lookAround = false;
    std::function<std::vector<std::string>(const std::string& screen, const RecordingGfx& frame)> checkScreen = nullptr;
    // This level is left to run out of time once, then played again.
    int runOutOfTime = 0;
    // Looking around, the run ends on the map after its last level rather
    // than quitting for the credits.
    bool endOnTheMap = false;
};

class Autoplayer : public cGameApp {
public:
    static constexpr int kCityLevel = 31;
    // The run ends after the last level (31: the station level).
    Autoplayer(int lastLevel, int width, int height, AutoplayOptions options = {});

    bool Frame() override;
    // Plays on in the same run: the next level, from the screen the player is on.
    void PlayNext(int nextLevel);
    // A move is being played out: some of its input events are still to come.
    bool Busy() const { return !steps.empty(); }
    // What the level being played has shown so far (the result panel's
    // figures once it is up).
    const LevelReport& Current() const { return current; }

    // The clock the run uses (milliseconds); the test hands it to the time source.
    double ms = 1000.0;

    std::vector<LevelReport> reports; // one per level played, in order
    int frames = 0;
    std::wstring stuck; // where the run gave up, when it did
    bool finished = false; // every level up to the last one played
    bool backOnMap = false; // from the shop or a level, since the last PlayNext
    int lotsBought = 0; // in the shop, by this run
    // With lookAround: the screen states checked, in order, and what the
    // layout check found ("<width>_<screen>: <rule>: ...").
    std::vector<std::string> screensChecked;
    std::vector<std::string> breaches;
    int levelsLost = 0; // ended without being won (runOutOfTime)

protected:
    void QueryDesktopSize(int& width, int& height) override;
    // The recording engine stays in place of the real one.
    void StartEngine() override;
    void StopEngine() override;

private:
    struct Step {
        enum Kind { Move, Down, Up, KeyDown, KeyUp, Wait } kind;
        int x = 0, y = 0;
        const char* key = nullptr;
    };
    void Click(int x, int y);
    // Clicks the middle of a text of the frame last drawn; false when the
    // frame has none such.
    bool ClickText(const std::wstring& text);
    // Clicks the map pin of the level; false when the map shows none.
    bool ClickPin(int level);
    void Drag(int x0, int y0, int x1, int y1);
    void Key(const char* name);
    void Wait(int frames);
    void Play(const Step& step);
    void Decide();
    void DecideProfiles();
    void DecideMap();
    void StartLevel();
    void DecideLevel();
    void DecideShop();
    bool BuyLot(int kind);
    void ReadResultPanel();
    void NoteLevelEnd();
    bool GridMove();
    bool UseBonusItem(const int (&grid)[10][10]);
    bool SwapMove();
    bool StationMove();
    // Screens (autoplayer_screens.cpp): the name of the screen state the
    // frame drawn last shows, "" while it passes or fades; then, after a
    // frame, whether the next one is drawn for the check, and the check.
    std::string ScreenState();
    void WatchScreen(bool drawn);
    bool Settling() const { return !pendingScreen.empty(); }
    void CheckScreen();
    // The side trips of lookAround; true when one took this decision.
    bool DecideStartTrip();
    bool DecideLevelTrip();
    void DecideCredits();

    // The text drawn, when the engine records instead of drawing.
    std::optional<RecordingGfx> gfx;
    const int lastLevel, width, height;
    const bool draw;
    const bool lookAround;
    const int runOutOfTime;
    const bool endOnTheMap;
    const std::function<std::vector<std::string>(const std::string&, const RecordingGfx&)> checkScreen;
    std::deque<Step> steps;
    int level = 1; // the level being played or picked next
    enum class Phase { Map, Buying, Level, Station } phase = Phase::Map;
    LevelReport current;
    int taskSlots[16] = {}; // the task lines the level showed
    int buildingKind = 0; // the building the shop is asked for
    int shopClicks = 0;
    bool shopLeaving = false;
    int lotCounted = -1; // the lot last counted as bought
    bool levelEndNoted = false;
    int pinClicks = 0;
    std::vector<int> lotsTried; // fundament indices clicked in the shop
    bool newGameAsked = false;
    double nextDecision = 0.0; // the time of the next decision
    int moves = 0;
    int levelFrames = 0;
    bool lostOnce = false; // runOutOfTime's level has run out of time
    bool levelLost = false; // the level being left ended unwon
    // lookAround: the state waiting to settle and since which frame, the
    // side trips taken.
    std::string pendingScreen;
    std::string lastScreen; // the state of the frame before
    int pendingSince = 0;
    int startTrip = 0, levelTrip = 0, tripWaits = 0;
    bool leaving = false; // quit for the credits
    bool creditsEnded = false;
};

} // namespace test
