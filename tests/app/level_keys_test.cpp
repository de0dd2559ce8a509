// Escape in a level through the real program and the real message pump: a
// key held across many frames acts once, and a key pressed and let go between
// two frames (a quick tap, or a slow frame) acts as well.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/menu_route.h"
#include "whole_game_fixture.h"

namespace {

// What the level shows after each step: the task book and the game menu.
struct Seen {
    bool taskBook, gameMenu;
    bool operator==(const Seen&) const = default;
};

class EscapeApp : public cGameApp {
public:
    bool Frame() override
    {
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        // Escape skips the logos.
        if (frames == 1 || frames == 3)
            platform::InjectKey(window, "Escape", frames == 1);
        if (!routed && test::StartScreenOpen() && ++menuFrames == 10) {
            routed = true;
            test::PlayLevelFromMap(1);
        }
        if (top == L"cStateGame") {
            ++levelFrames;
            // Held through ten frames: the task book closes, and the game
            // menu does not open behind it.
            if (levelFrames == 30)
                platform::InjectKey(window, "Escape", true);
            if (levelFrames == 40)
                platform::InjectKey(window, "Escape", false);
            // Down and up before the next frame: the game menu opens.
            if (levelFrames == 50) {
                platform::InjectKey(window, "Escape", true);
                platform::InjectKey(window, "Escape", false);
            }
            if (levelFrames == 29 || levelFrames == 45 || levelFrames == 60)
                seen.push_back({ world.taskBookOpen != 0, world.gameMenuClosed == 0 });
        }
        return cGameApp::Frame() && levelFrames < 60 && frames < 600;
    }

    std::vector<Seen> seen;

private:
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }

    int frames = 0, menuFrames = 0, levelFrames = 0;
    bool routed = false;
};

TEST_F(WholeGameTest, EscapeHeldActsOnceAndEscapeTappedBetweenFramesActs)
{
    ShowLogos();
    platform::DiscardPendingMessages();
    EscapeApp app;
    ASSERT_TRUE(app.Run());
    const std::vector<Seen> expected = { { true, false }, { false, false }, { false, true } };
    EXPECT_EQ(app.seen, expected);
}

} // namespace
