// A window switched away from: while the game is still starting it neither
// steps nor plays its music, and it waits for the desktop's next message
// rather than spinning; once running, the music goes on behind other windows.
#include <gtest/gtest.h>

#include <tuple>

#include "game_app_fixture.h"
#include "platform/message_pump.h"
#include "platform/test_events.h"
#include "support/recording_sound.h"

namespace {

constexpr UINT kOwn = 0x8000; // a message of the application's own range

// Switches itself away in the step the test names (0: during Init), then
// sends itself a message of its own; that message, taken while inactive,
// closes the window.
class cSwitchingApp : public cApplication {
public:
    LRESULT MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kOwn) {
            ownWhileActive = g_appActive != 0;
            platform::InjectWindowEvent(GetWindow(), platform::WindowEventKind::Close);
        }
        return cApplication::MsgProc(hwnd, message, wParam, lParam);
    }
    bool Init() override
    {
        SetClientSize(64, 48);
        if (!initSucceeds)
            return false;
        if (switchAt == 0)
            SwitchAway();
        return true;
    }
    bool Start() override { return ++starts, true; }
    bool PreFrame() override { return ++preFrames, false; }
    bool Shutdown() override { return ++shutdowns, true; }
    bool Frame() override
    {
        if (++frames == switchAt)
            SwitchAway();
        return frames < 1000;
    }

    void SwitchAway()
    {
        platform::PostMessage(GetWindow(), WM_ACTIVATE, 0, 0);
        platform::PostMessage(GetWindow(), kOwn, 0, 0);
    }

    int switchAt = 0;
    bool initSucceeds = true;
    int starts = 0, preFrames = 0, frames = 0, shutdowns = 0;
    bool ownWhileActive = true;
};

using AppInactive = GameAppTest;

TEST_F(AppInactive, MusicStopsForAWindowLeftWhileTheGameStartsOnly)
{
    const struct {
        const char* what;
        int switchAt;
        int preFrames, frames;
        bool musicStopped;
    } cases[] = {
        { "left while starting", 0, 0, 0, true },
        { "left while running", 2, 1, 2, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordingSound music("data/sound/music/menu.ogg");
        world.musicStream = &music;
        cSwitchingApp app;
        app.switchAt = c.switchAt;
        EXPECT_TRUE(app.Run());
        // No step ran once the window was left: the loop waited for messages.
        EXPECT_EQ(std::tuple(app.preFrames, app.frames), std::tuple(c.preFrames, c.frames));
        EXPECT_FALSE(app.ownWhileActive);
        EXPECT_EQ(music.stops > 0, c.musicStopped);
        EXPECT_EQ(music.releases, 0);
        world.musicStream = nullptr;
    }
}

// An application whose Init fails runs neither loop nor its Shutdown, and
// gives its window class back: the next application opens its window.
TEST_F(AppInactive, AFailedInitRunsNothingAndTheNextApplicationStarts)
{
    {
        cSwitchingApp app;
        app.initSucceeds = false;
        EXPECT_TRUE(app.Run());
        EXPECT_EQ(std::tuple(app.starts, app.preFrames, app.frames, app.shutdowns), std::tuple(0, 0, 0, 0));
    }
    cSwitchingApp again;
    again.switchAt = 1;
    EXPECT_TRUE(again.Run());
    EXPECT_EQ(std::tuple(again.starts, again.preFrames, again.frames, again.shutdowns), std::tuple(1, 1, 1, 1));
}

} // namespace
