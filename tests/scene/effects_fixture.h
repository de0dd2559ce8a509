// The weather and effect overlay under a clock set by hand, with every image
// it draws noted instead of drawn: page slot, name, position and colour. The
// world starts from its defaults on a screen 1280 x 1024.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/clock.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "scene/effects_layer.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

struct Sprite {
    int page = -1;
    std::string name;
    int x = 0;
    int y = 0;
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 0;
};

class SpriteEffects : public Scene::EffectsLayer {
public:
    std::vector<Sprite> sprites;
    // The screen's fade alpha, without waiting for the fade.
    void SetAlpha(uint8_t alpha) { colour = (colour & 0x00FFFFFFu) | (uint32_t(alpha) << 24); }
    void Activate() { OnActivate(); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const Sprite& s : sprites)
            names.push_back(s.name);
        return names;
    }

protected:
    void DrawSprite(CPageManager& page, const std::wstring& name, int x, int y, int r, int g, int b, int a) override
    {
        sprites.push_back({ static_cast<int>(&page - pages), platform::WideToNarrow(name), x, y, r, g, b, a });
    }
};

class EffectsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return now; });
        cClock::Instance().Reset();
        world.ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
        world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
    }
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
    }
    // Lets the frame clock run on by ms milliseconds.
    void Wait(double ms)
    {
        now += ms;
        cClock::Instance().Update();
    }
    // An effect as the world makes it, of a declared type.
    void AddEffect(int type, int frames, bool loops, double speed = 0.05, int x = 100, int y = 200)
    {
        world.CreateEffects(type, "fx", frames, 0, 0);
        world.EffectTextureExt(type, "png");
        world.CreateMyEffects(7, type, 0, static_cast<float>(speed), x, y, 1, 2);
        world.effects.back().randomStart = loops ? 1 : 0;
    }

    double now = 5000.0;
    cGameWorld& world = cGameWorld::Instance();
    SpriteEffects effects;
};

} // namespace test
