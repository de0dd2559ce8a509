// The effect sprites of the overlay: frame names and pages by type, the
// frame steps and the end of an effect, the rules while paused, the tint, and
// the searches of the effect list.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "effects_fixture.h"

namespace {

using Scene::EffectsLayer;
using test::EffectsTest;

TEST(EffectFrames, NamesCountWithTwoDigitsOrThreeFromAHundredFrames)
{
    const struct {
        int frame, frames;
        const char* name;
    } cases[] = {
        { 7, 8, "b07.png" },
        { 0, 1, "b00.png" },
        { 7, 99, "b07.png" },
        { 7, 100, "b007.png" },
        { 123, 150, "b123.png" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(EffectsLayer::EffectFrameName("b", c.frame, c.frames, "png"), c.name) << c.frames;
    EXPECT_EQ(EffectsLayer::EffectFrameName("combo_3", 4, 8, "tga"), "combo_304.tga");
}

TEST(EffectFrames, EachTypeHasItsPageAndColour)
{
    const struct {
        int type;
        int page;
        bool tinted;
    } cases[] = {
        { 3, EffectsLayer::kPageEffects3, false },
        { 8, EffectsLayer::kPageEffects3 + 5, false },
        { 11, EffectsLayer::kPageEffects3 + 8, false },
        { 12, EffectsLayer::kPageEffects3 + 9, false },
        { 14, EffectsLayer::kPageEffects3 + 9, false },
        { 55, EffectsLayer::kPageWind1, true },
        { 56, EffectsLayer::kPageWind2, true },
        { 57, EffectsLayer::kPageWindHund, true },
        { 60, EffectsLayer::kPageWindHund, true },
        { 2, EffectsLayer::kPageEffects, true },
        { 15, EffectsLayer::kPageEffects, true },
        { 20, EffectsLayer::kPageEffects, true },
        { 61, EffectsLayer::kPageEffects, true },
        { -1, EffectsLayer::kPageEffects, true },
    };
    for (const auto& c : cases) {
        bool tinted = !c.tinted;
        EXPECT_EQ(EffectsLayer::EffectPage(c.type, tinted), c.page) << c.type;
        EXPECT_EQ(tinted, c.tinted) << c.type;
    }
}

TEST_F(EffectsTest, AnEffectDrawsItsFrameAtItsPositionLessTheDeclaredOffsets)
{
    world.CreateEffects(5, "combo_5", 8, 20, 30);
    world.EffectTextureExt(5, "png");
    world.CreateMyEffects(1, 5, 0, 0.05f, 300, 400, 2, 3);
    world.levelTint[1] = 90;
    effects.UpdateAnimations();
    ASSERT_EQ(effects.sprites.size(), 1u);
    const test::Sprite& s = effects.sprites[0];
    EXPECT_EQ(s.name, "combo_500.png");
    EXPECT_EQ(s.page, EffectsLayer::kPageEffects3 + 2);
    EXPECT_EQ(s.x, 280);
    EXPECT_EQ(s.y, 370);
    // The combo pages draw white, whatever the tint.
    EXPECT_EQ(s.g, 255);
    EXPECT_EQ(s.a, 255);

    // Any other width draws from the other page set.
    cSettings::Instance().SetResolution(1024, 768);
    effects.sprites.clear();
    effects.UpdateAnimations();
    EXPECT_EQ(effects.sprites.at(0).page, EffectsLayer::kPagesPerWidth + EffectsLayer::kPageEffects3 + 2);
}

TEST_F(EffectsTest, TheTintIsHeldToAColourWhereItIsPacked)
{
    AddEffect(20, 4, true);
    world.levelTint[0] = 300;
    world.levelTint[1] = -25;
    world.levelTint[2] = 128;
    effects.UpdateAnimations();
    ASSERT_EQ(effects.sprites.size(), 1u);
    EXPECT_EQ(effects.sprites[0].r, 255);
    EXPECT_EQ(effects.sprites[0].g, 0);
    EXPECT_EQ(effects.sprites[0].b, 128);
}

TEST_F(EffectsTest, AnEffectStepsByItsOwnIntervalAndALoopStartsAgain)
{
    AddEffect(3, 3, true, 0.05);
    auto frame = [&] { return world.effects.at(0).frame; };
    effects.UpdateAnimations();
    EXPECT_EQ(frame(), 0);
    Wait(40);
    effects.UpdateAnimations();
    EXPECT_EQ(frame(), 0);
    for (int expected : { 1, 2, 0, 1 }) {
        Wait(60);
        effects.UpdateAnimations();
        EXPECT_EQ(frame(), expected);
    }
    EXPECT_EQ(world.effects.size(), 1u);
}

// Each effect counts its frames and its end from the moment it was added, not
// from the level's start nor from the first frame that drew it: two effects
// added 30 ms apart keep that distance to the end.
TEST_F(EffectsTest, AnEffectsFramesAndEndCountFromWhenItWasAdded)
{
    Wait(1000); // the level has run a while
    effects.UpdateAnimations();
    AddEffect(4, 3, false, 0.045);
    Wait(30);
    AddEffect(5, 3, false, 0.045);
    const auto frames = [&] {
        std::string seen;
        for (int type : { 4, 5 }) {
            const auto it = std::find_if(
                world.effects.begin(), world.effects.end(), [&](const cEffect& e) { return e.type == type; });
            seen += it == world.effects.end() ? "-" : std::to_string(it->frame);
        }
        return seen;
    };
    // Ticks every 20 ms from 30 ms after the first was added; a step comes
    // once more than 45 ms have passed since the last. The first steps at 50,
    // 110 and ends at 170; the second steps at 90, 150 and ends at 210.
    std::vector<std::string> trace;
    for (int tick = 0; tick < 10; ++tick) {
        effects.UpdateAnimations();
        trace.push_back(frames());
        Wait(20);
    }
    EXPECT_EQ(trace, (std::vector<std::string> { "00", "10", "10", "11", "21", "21", "22", "-2", "-2", "--" }));
}

TEST_F(EffectsTest, AnEffectThatDoesNotLoopEndsAtItsLastFrameAndTheRestWaitForTheNextFrame)
{
    AddEffect(4, 2, false, 0.05, 10, 10);
    AddEffect(5, 2, true, 1000.0, 20, 20);
    for (int i = 0; i < 2; ++i) {
        Wait(60);
        effects.sprites.clear();
        effects.UpdateAnimations();
    }
    // The second step took the first effect past its last frame: it went,
    // and the effect behind it was not drawn in that frame.
    ASSERT_EQ(world.effects.size(), 1u);
    EXPECT_EQ(world.effects[0].type, 5);
    EXPECT_EQ(effects.Names(), (std::vector<std::string> { "fx01.png" }));
    effects.sprites.clear();
    effects.UpdateAnimations();
    EXPECT_EQ(effects.Names(), (std::vector<std::string> { "fx00.png" }));
}

TEST_F(EffectsTest, APauseHoldsTheEffectsUnlessTheResultsHaveBeenShown)
{
    const struct {
        bool paused, resultsShown;
        int frame;
    } cases[] = {
        { false, false, 1 },
        { true, false, 0 },
        { true, true, 1 },
        { false, true, 1 },
    };
    for (const auto& c : cases) {
        world.effects.clear();
        AddEffect(6, 4, true);
        world.paused = c.paused;
        world.resultsShown = c.resultsShown;
        Wait(100);
        effects.sprites.clear();
        effects.UpdateAnimations();
        EXPECT_EQ(world.effects.at(0).frame, c.frame) << c.paused << c.resultsShown;
        // Drawn either way.
        EXPECT_EQ(effects.sprites.size(), 1u);
    }
}

TEST_F(EffectsTest, AnEffectOfNoFramesNeitherCountsOnNorLingers)
{
    // The world refuses none; a record of 0 frames must still end.
    AddEffect(7, 1, false);
    world.effects[0].frames = 0;
    Wait(100);
    effects.UpdateAnimations();
    EXPECT_TRUE(world.effects.empty());
}

TEST_F(EffectsTest, DeleteRemovesOnlyTheFirstEffectOfThatTypeOwnerAndPoint)
{
    AddEffect(20, 4, true, 0.05, 130, 170);
    AddEffect(20, 4, true, 0.05, 130, 170);
    AddEffect(22, 4, true, 0.05, 40, 50);
    const struct {
        int type, owner, x, y;
        std::size_t left;
    } deletes[] = {
        { 20, 8, 130, 170, 3 }, // another owner
        { 21, 7, 130, 170, 3 }, // another type
        { 20, 7, 131, 170, 3 }, // another point
        { 20, 7, 130, 171, 3 },
        { 20, 7, 130, 170, 2 },
        { 20, 7, 130, 170, 1 },
        { 20, 7, 130, 170, 1 },
    };
    for (const auto& d : deletes) {
        effects.DeleteEffect(d.type, d.owner, d.x, d.y);
        EXPECT_EQ(world.effects.size(), d.left);
    }
    EXPECT_EQ(world.effects[0].type, 22);
}

TEST_F(EffectsTest, TheSearchesLookAtEveryEffectByTypePointAndCell)
{
    world.CreateEffects(20, "fx", 4, 0, 0);
    world.CreateEffects(22, "fx", 4, 0, 0);
    world.CreateMyEffects(7, 20, 0, 0.05f, 130, 170, 1, 2);
    world.CreateMyEffects(7, 22, 0, 0.05f, 40, 50, 5, 6);
    const struct {
        int type, x, y;
        bool found;
    } byPoint[] = {
        { 20, 130, 170, true },
        { 22, 40, 50, true }, // the last effect is searched too
        { 20, 130, 171, false },
        { 20, 131, 170, false },
        { 22, 130, 170, false },
        { 21, 130, 170, false },
    };
    for (const auto& c : byPoint)
        EXPECT_EQ(effects.HasEffect(c.type, c.x, c.y), c.found) << c.type << " " << c.x << "," << c.y;
    const struct {
        int type;
        bool found;
    } byType[] = { { 20, true }, { 22, true }, { 21, false }, { 23, false } };
    for (const auto& c : byType)
        EXPECT_EQ(effects.HasEffectType(c.type), c.found) << c.type;
    const struct {
        int row, column;
        bool found;
    } byCell[] = { { 1, 2, true }, { 5, 6, true }, { 6, 5, false }, { 1, 6, false }, { 5, 2, false } };
    for (const auto& c : byCell)
        EXPECT_EQ(effects.HasEffectAt(c.row, c.column), c.found) << c.row << ":" << c.column;

    world.effects.clear();
    EXPECT_FALSE(effects.HasEffectType(20));
    EXPECT_FALSE(effects.HasEffect(20, 130, 170));
    EXPECT_FALSE(effects.HasEffectAt(1, 2));
}

} // namespace
