// A whole game driven by a test as a player meets it, the same in every
// build, quiet or busy.
//
// FrameClock drives the game's clock (platform::NowMilliseconds) by hand, a
// 60th of a second a frame: what follows the clock (fades, the input process
// that takes the mouse every 5 ms, a level's time) stands at the same frame
// however fast the build draws one.
//
// ScriptedSteps is the test's input as steps, each taken once the frame last
// drawn shows what it waits for (a page turned, a dialog open, a name typed).
// A step that waits past its deadline ends the script, naming what never
// showed.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace test {

class FrameClock {
public:
    static constexpr double kFrameMs = 1000.0 / 60.0;

    // The clock goes on from where the steady clock stands, so no timer
    // already running sees time go back.
    FrameClock();
    ~FrameClock();
    FrameClock(const FrameClock&) = delete;
    FrameClock& operator=(const FrameClock&) = delete;

    // A frame's time passes; at the start of each frame.
    void Tick() { ms += kFrameMs; }

    // The frames that make up this much of the clock's time.
    static constexpr int Frames(double seconds) { return static_cast<int>(seconds * 1000.0 / kFrameMs + 0.5); }

private:
    double ms;
};

class ScriptedSteps {
public:
    // Longer than the game takes to show anything a step waits for.
    static constexpr int kDeadline = FrameClock::Frames(10.0);

    // A step: what it waits for (said when it never shows), the look at the
    // frame last drawn that tells it has shown, and what the step does then.
    // Added while the steps run, it comes after the step at hand (and the
    // others that step added before it).
    void Add(std::string waitsFor, std::function<bool()> seen, std::function<void()> act = {});
    // A step that waits this much of the clock's time, for what follows the
    // clock alone (a fade, a moment of play).
    void Hold(std::string what, double seconds, std::function<void()> act = {});

    // The last step: the game ends by itself (the script ran out while the
    // game went on to its end); past the deadline the script gives up.
    void EndOfGame(std::string what);

    // Once a frame, before the game's frame: the step at hand acts once it
    // sees what it waits for; the step after it looks from the next frame on.
    void Frame();

    // Every step was taken (a last EndOfGame step never is).
    bool Done() const { return at == steps.size(); }
    // The script gave up: a step waited past its deadline.
    bool GaveUp() const { return gaveUp; }
    // "" once every step was taken, or the game ended at its EndOfGame step;
    // else what the step at hand waited for.
    std::string Unfinished() const;

private:
    struct Step {
        std::string waitsFor;
        std::function<bool()> seen;
        std::function<void()> act;
        int deadline;
        bool end = false;
    };
    Step& LastAdded();

    std::vector<Step> steps;
    size_t at = 0;
    size_t insertAt = 0; // where a step added by a step goes; 0: at the end
    int waited = 0;
    bool gaveUp = false;
};

} // namespace test
