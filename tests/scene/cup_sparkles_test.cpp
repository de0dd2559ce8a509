// The sparkles over a won cup, read back from the frames of a played level:
// one starts per step of the cup's clock, each where the cup stands, and the
// smaller screen shows the same sparkles at the same places of its picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "played_hud_fixture.h"
#include "scene/effects_layer.h"
#include "scene/screen_manager.h"

namespace {

using CupSparklesTest = test::PlayedHudTest;

struct Sparkle {
    int left, top, right, bottom;
};

TEST_F(CupSparklesTest, OneSparkleStartsPerStepOverTheCupAtEitherScreenSize)
{
    // The program switches the effects on while it starts.
    cScreenManager::Instance().Get<Scene::EffectsLayer>(cScreenManager::kEffects)->SetActive(true);
    std::vector<Sparkle> at1280;
    for (const int width : { 1280, 1024 }) {
        SCOPED_TRACE(width);
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        sound.played.clear();
        ASSERT_TRUE(Start(2, test::WinningLevel(3)));
        view = {};
        for (int i = 0; i < 40 && !view.Shows("goldcup_01a.png"); ++i)
            ASSERT_TRUE(Step());
        const test::HudView::Placed* found = view.Find("goldcup_01a.png");
        ASSERT_TRUE(found) << "no cup";
        const test::HudView::Placed cup = *found;

        // Frames of 50 ms: each is one step of the cup's clock (34 ms).
        std::vector<Sparkle> started;
        std::vector<int> newPerFrame;
        int applauseFrame = -1;
        for (int frame = 0; frame < 30; ++frame) {
            ASSERT_TRUE(Step(50.0));
            int fresh = 0;
            for (const auto& image : view.placed) {
                if (image.name.rfind("combo_", 0) != 0)
                    continue;
                const bool known = std::any_of(started.begin(), started.end(),
                    [&](const Sparkle& s) { return s.left == image.left && s.top == image.top; });
                if (!known) {
                    started.push_back({ image.left, image.top, image.right, image.bottom });
                    ++fresh;
                }
            }
            newPerFrame.push_back(fresh);
            if (applauseFrame < 0
                && std::count(sound.played.begin(), sound.played.end(), "data/sound/wav/applause_cup.wav") > 0)
                applauseFrame = frame;
        }
        // Thirteen sparkles, one a frame from the first frame on, then the
        // applause one step after the last.
        ASSERT_EQ(started.size(), 13u);
        for (int frame = 0; frame < 30; ++frame)
            EXPECT_EQ(newPerFrame[frame], frame < 13 ? 1 : 0) << "frame " << frame;
        EXPECT_EQ(applauseFrame, 13);

        // Each sparkle's middle lies on the cup or within a quarter of a
        // sparkle of its edge.
        for (const Sparkle& s : started) {
            const int cx = (s.left + s.right) / 2, cy = (s.top + s.bottom) / 2;
            const int qx = (s.right - s.left) / 4, qy = (s.bottom - s.top) / 4;
            EXPECT_GE(cx, cup.left - qx);
            EXPECT_LE(cx, cup.right + qx);
            EXPECT_GE(cy, cup.top - qy);
            EXPECT_LE(cy, cup.bottom + qy);
        }
        // They spread over the cup rather than pile up on one spot.
        for (std::size_t i = 0; i < started.size(); ++i)
            for (std::size_t j = i + 1; j < started.size(); ++j)
                EXPECT_FALSE(started[i].left == started[j].left && started[i].top == started[j].top);

        if (width == 1280) {
            at1280 = started;
        } else {
            // The same sparkles in the same order, where the larger screen's
            // picture has them, scaled.
            for (std::size_t i = 0; i < started.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_NEAR(started[i].left, at1280[i].left / cSettings::Instance().scaleX, 1.0);
                EXPECT_NEAR(started[i].top, at1280[i].top / cSettings::Instance().scaleY, 1.0);
            }
        }
        world.leaveLevel = 1;
        EXPECT_FALSE(Step());
    }
}

} // namespace
