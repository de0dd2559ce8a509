// Decoration templates and the bodies and super-overs made from them;
// balloons and clouds that drift across the screen.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "resources/log.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace {

// A drift needs at least one step; its step sizes divide by the count.
bool CheckSteps(const wchar_t* who, int steps)
{
    if (steps >= 1)
        return true;
    cLog::Instance().Error(L"%ls -> %d steps: a drift needs at least one", who, steps);
    return false;
}

// The step sizes divide the span between the two ends; a span wider than any
// screen (ends at opposite extremes of an int) is refused before it is taken.
constexpr int64_t kMaxSpan = 1000000;

bool CheckSpan(const wchar_t* who, int x1, int y1, int x2, int y2)
{
    if (std::llabs(int64_t { x2 } - x1) <= kMaxSpan && std::llabs(int64_t { y2 } - y1) <= kMaxSpan)
        return true;
    cLog::Instance().Error(L"%ls -> drift from %d, %d to %d, %d spans more than any screen", who, x1, y1, x2, y2);
    return false;
}

template <typename Drift>
Drift MakeDrift(int id, int x1, int y1, int x2, int y2, int steps)
{
    Drift d;
    d.id = id;
    d.fromX = x1;
    d.fromY = y1;
    d.toX = x2;
    d.toY = y2;
    d.steps = steps;
    d.step = 0;
    d.stepX = static_cast<float>(x2 - x1) / static_cast<float>(steps);
    d.stepY = static_cast<float>(y2 - y1) / static_cast<float>(steps);
    d.timer.Restart();
    return d;
}

} // namespace

void cGameWorld::AddBody(int id, const std::string& texture)
{
    bodyTemplates.push_back(cBodyTemplate {id, texture});
}

void cGameWorld::AddMyBody(int id, int x, int y)
{
    const int t = world::FindFirst(bodyTemplates, [&](const cBodyTemplate& b) { return b.id == id; });
    if (t < 0)
        return;
    bodies.push_back(cBody {id, bodyTemplates[t].texture, x, y});
}

void cGameWorld::AddOver(int id, const std::string& texture)
{
    cOverTemplate t;
    t.id = id;
    t.texture = texture;
    overTemplates.push_back(t);
}

void cGameWorld::SetTypOver(int id, int type)
{
    const int t = world::FindFirst(overTemplates, [&](const cOverTemplate& o) { return o.id == id; });
    if (t >= 0)
        overTemplates[t].type = type;
}

void cGameWorld::AddSuperOver(int id, int x, int y)
{
    const int t = world::FindFirst(overTemplates, [&](const cOverTemplate& o) { return o.id == id; });
    if (t < 0)
        return;
    superOvers.push_back(cSuperOver {id, overTemplates[t].texture, x, y});
    // Drawn from the back (top of the screen) to the front.
    std::stable_sort(superOvers.begin(), superOvers.end(),
        [](const cSuperOver& a, const cSuperOver& b) { return a.y < b.y; });
}

void cGameWorld::AddBalon(int id, int x1, int y1, int x2, int y2, int steps)
{
    if (!CheckSteps(L"cGameWorld::AddBalon", steps) || !CheckSpan(L"cGameWorld::AddBalon", x1, y1, x2, y2))
        return;
    balloons.push_back(MakeDrift<cBalloon>(id, x1, y1, x2, y2, steps));
}

void cGameWorld::AddCloud(int id, int x1, int y1, int x2, int y2, int steps)
{
    if (!CheckSteps(L"cGameWorld::AddCloud", steps) || !CheckSpan(L"cGameWorld::AddCloud", x1, y1, x2, y2))
        return;
    cCloud cloud = MakeDrift<cCloud>(id, x1, y1, x2, y2, steps);
    cloud.interval = 0.017f;
    cloud.alpha2 = 255;
    cloud.timer2.Restart();
    clouds.push_back(cloud);
}

void cGameWorld::AddTextureBalon(int id, const std::string& texture)
{
    const int b = world::FindFirst(balloons, [&](const cBalloon& x) { return x.id == id; });
    if (b >= 0)
        balloons[b].texture = texture;
}

void cGameWorld::AddTextureCloud(int id, const std::string& texture, float alpha)
{
    const int c = world::FindFirst(clouds, [&](const cCloud& x) { return x.id == id; });
    if (c < 0)
        return;
    clouds[c].texture = texture;
    clouds[c].alpha = alpha;
}
