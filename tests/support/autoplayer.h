// A player for whole-game tests: the real application, state machine, menu
// manager and screens under the dummy video driver, played only through input
// events (mouse moves, button presses and releases, keys). It reads the world
// to choose its moves and never writes it. From the logos it goes to the
// start screen, makes a new game on an empty profile (or plays a stored one),
// leaves the shop intro after buying a lot, starts the chosen level with the
// map's play button, wins it (grid levels: a drag that makes a line; station
// levels: stack cars dragged onto the free place of their colour), passes the
// result screens and is back on the map.
#pragma once

#include <deque>
#include <string>

#include "app/pp_app.h"

namespace test {

class Autoplayer : public cPPApp {
public:
    static constexpr int kCityLevel = 31;
    // On the city level the player buys a lot of kind taskKind.
    Autoplayer(int level, int width, int height, int taskKind = 0);

    bool Frame() override;
    // Plays on in the same run: the next level (or kCityLevel and the kind of
    // lot to buy there), from the screen the player is on.
    void PlayNext(int nextLevel, int nextTaskKind = 0);
    // A move is being played out: some of its input events are still to come.
    bool Busy() const { return !steps.empty(); }

    // The clock the run uses (milliseconds); the test hands it to the time source.
    double ms = 1000.0;

    // What the run saw.
    bool levelStarted = false;
    bool levelEnded = false;
    bool backOnMap = false;
    int lotsBought = 0;
    int moves = 0;
    int pointsSeen = 0; // the most points the level showed
    int frames = 0;
    std::wstring stuck; // where the run gave up, when it did

protected:
    void QueryDesktopSize(int& width, int& height) override;

private:
    struct Step {
        enum Kind { Move, Down, Up, KeyDown, KeyUp, Wait } kind;
        int x = 0;
        int y = 0;
        const char* key = nullptr;
    };
    void Click(int x, int y);
    // Clicks the map pin of the level; false when the map shows none.
    bool ClickPin(int level);
    void Drag(int x0, int y0, int x1, int y1);
    void Key(const char* name);
    void Wait(int frames);
    void Play(const Step& step);
    void Decide();
    void DecideProfiles();
    void DecideMap();
    void DecideLevel();
    void DecideShop();
    bool GridMove();
    bool UseBonusItem(const int (&grid)[10][10]);
    bool SwapMove();
    bool StationMove();

    int level;
    int taskKind;
    int builtBefore = 0;
    const int width;
    const int height;
    std::deque<Step> steps;
    bool newGameAsked = false;
    int shopClicks = 0;
    int levelFrames = 0;
};

} // namespace test
