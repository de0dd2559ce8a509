#include "support/scripted_run.h"

#include <utility>

#include "platform/time_source.h"

namespace test {

FrameClock::FrameClock()
    : ms(platform::NowMilliseconds())
{
    platform::SetTimeSourceForTests([this] { return ms; });
}

FrameClock::~FrameClock()
{
    platform::SetTimeSourceForTests(nullptr);
}

void ScriptedSteps::Add(std::string waitsFor, std::function<bool()> seen, std::function<void()> act)
{
    Step step { std::move(waitsFor), std::move(seen), std::move(act), kDeadline };
    if (insertAt == 0)
        steps.push_back(std::move(step));
    else
        steps.insert(steps.begin() + static_cast<std::ptrdiff_t>(insertAt++), std::move(step));
}

ScriptedSteps::Step& ScriptedSteps::LastAdded()
{
    return insertAt == 0 ? steps.back() : steps[insertAt - 1];
}

void ScriptedSteps::Hold(std::string what, double seconds, std::function<void()> act)
{
    const int frames = FrameClock::Frames(seconds);
    Add(
        std::move(what), [this, frames] { return waited >= frames; }, std::move(act));
    LastAdded().deadline = frames + 1;
}

void ScriptedSteps::EndOfGame(std::string what)
{
    Add(std::move(what), [] { return false; });
    LastAdded().end = true;
}

void ScriptedSteps::Frame()
{
    if (Done() || gaveUp)
        return;
    if (!steps[at].seen()) {
        gaveUp = ++waited > steps[at].deadline;
        return;
    }
    // The act may add steps, which moves the list: it runs from a copy.
    const std::function<void()> act = steps[at].act;
    insertAt = at + 1;
    if (act)
        act();
    insertAt = 0;
    ++at;
    waited = 0;
}

std::string ScriptedSteps::Unfinished() const
{
    if (Done() || (steps[at].end && !gaveUp))
        return "";
    return (gaveUp ? "gave up waiting for " : "the game ended while waiting for ") + steps[at].waitsFor + " ("
        + std::to_string(at + 1) + " of " + std::to_string(steps.size()) + " steps)";
}

} // namespace test
