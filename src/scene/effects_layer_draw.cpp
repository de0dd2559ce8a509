// The effect sprites and the flying value texts. Both lists lose members
// during their own pass, so both are walked by index.
#include <algorithm>
#include <cwchar>

#include "platform/utf16.h"
#include "scene/design_units.h"
#include "scene/effects_layer.h"
#include "scene/hud.h"
#include "scene/screen_manager.h"
#include "world/game_world.h"

namespace Scene {

namespace {

    constexpr double kFloaterStepSeconds = 0.017;

} // namespace

void EffectsLayer::UpdateAnimations()
{
    UpdateFade();
    IsMouseOver();
    cGameWorld& world = cGameWorld::Instance();
    if (world.snowing) {
        DrawSnow();
        if (world.snowTimer.Elapsed() > world.snowSpeed) {
            world.snowTimer.Restart();
            MoveSnow();
        }
    }
    if (world.raining) {
        DrawRain();
        if (world.rainTimer.Elapsed() > world.rainSpeed) {
            world.rainTimer.Restart();
            MoveRain();
        }
    }
    UpdateEffects();
}

// Each effect is drawn at its frame, then advances by its own interval. A
// looping effect wraps to frame 0; one that does not loop is removed at its
// last frame, and the effects behind it wait for the next frame.
void EffectsLayer::UpdateEffects()
{
    cGameWorld& world = cGameWorld::Instance();
    for (size_t i = 0; i < world.effects.size(); ++i) {
        cEffect& effect = world.effects[i];
        const std::wstring name
            = platform::NarrowToWide(EffectFrameName(effect.texture, effect.frame, effect.frames, effect.extTexture));
        // valueB and valueC are the draw offsets the script declared, in
        // design units like every distance a script gives.
        const int x = effect.x - ScaleX(effect.valueB);
        const int y = effect.y - ScaleY(effect.valueC);
        bool tinted = false;
        CPageManager& page = PageForWidth(EffectPage(effect.type, tinted));
        if (tinted)
            DrawTinted(page, name, x, y, 255);
        else
            DrawWhite(page, name, x, y, 255);

        // The results panel lets the effects play on behind the pause.
        if (world.paused && !world.resultsShown)
            continue;
        if (effect.timer.Elapsed() <= effect.speed)
            continue;
        effect.timer.Restart();
        effect.frame += 1;
        // The loop flag is the random-start flag of the effect's creation.
        if (effect.frame >= effect.frames) {
            effect.frame = 0;
            if (effect.randomStart == 0) {
                world.effects.erase(world.effects.begin() + static_cast<std::ptrdiff_t>(i));
                return;
            }
        }
    }
}

void EffectsLayer::DrawValueFloaters()
{
    cGameWorld& world = cGameWorld::Instance();
    auto* hud = cScreenManager::Instance().Get<Hud>(cScreenManager::kHud);
    auto& floaters = world.flyingValues;
    size_t i = 0;
    while (i < floaters.size()) {
        cFlyingMarker& m = floaters[i];
        // Told apart by kind, not by where they start: a points floater from
        // the grid's top row starts as high as a penalty.
        const bool carriesPoints = !m.penalty;
        wchar_t text[32];
        std::swprintf(text, 32, carriesPoints ? L"+%d" : L"-%d", m.value);
        const int x = static_cast<int>(m.step * m.stepX + m.x);
        const int y = static_cast<int>(m.step * m.stepY + m.y);
        if (hud)
            hud->DrawNumber(0, text, x, y, m.alpha);
        m.alpha = std::max(0, static_cast<int>(255 - m.step * 0.9));
        if (m.timer.Elapsed() >= kFloaterStepSeconds) {
            m.timer.Restart();
            m.step += 1;
        }
        if (m.step < m.steps) {
            ++i;
            continue;
        }
        // Arrived: the points it carries count now, with the result sound.
        world.CreditFlyingValue(m);
        if (carriesPoints && hud)
            hud->ResetResultSound();
        floaters.erase(floaters.begin() + static_cast<std::ptrdiff_t>(i));
        i = 0;
    }
}

} // namespace Scene
