// Closing the window (or the desktop's quit) at any moment after the window
// appears ends the game: the real program over the dummy video driver, the
// request pushed as SDL events into the real message pump.
#include <gtest/gtest.h>

#include <string>

#include "frontend/state_menu.h"
#include "platform/utf16.h"
#include "support/log_capture.h"
#include "support/menu_route.h"
#include "support/scripted_run.h"
#include "support/temp_folder.h"
#include "whole_game_fixture.h"

namespace {

enum class Moment { Init, Logos, Loading, StartScreen, Map, Level };

struct CloseCase {
    Moment moment;
    int frame; // the how-many-th frame of the moment
    bool desktopQuit; // SDL_QUIT instead of the window's close
};

class CloseApp : public cGameApp {
public:
    explicit CloseApp(const CloseCase& c)
        : c(c)
    {
    }
    bool Init() override
    {
        const bool ok = cGameApp::Init();
        if (c.moment == Moment::Init)
            Close();
        return ok;
    }
    bool Frame() override
    {
        clock.Tick();
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        // Escape skips the logos on the way to a later moment.
        if (c.moment > Moment::Logos && frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (c.moment >= Moment::Map && test::StartScreenOpen() && !routed) {
            routed = true;
            if (c.moment == Moment::Map)
                world.profilesOpen = 0;
            else
                test::PlayLevelFromMap(1);
        }
        const bool atMoment = (c.moment == Moment::Logos && world.logosPresent)
            || (c.moment == Moment::Loading && world.loadingPhase && !world.logosPresent)
            || (c.moment == Moment::StartScreen && test::StartScreenOpen()) || (c.moment == Moment::Map && routed)
            || (c.moment == Moment::Level && top == L"cStateGame");
        if (!closedAt && atMoment && ++framesAtMoment == c.frame)
            Close();
        return cGameApp::Frame() && frames < 200;
    }
    void Close()
    {
        closedAt = frames > 0 ? frames : -1;
        if (c.desktopQuit)
            platform::InjectQuit();
        else
            platform::InjectWindowEvent(window, platform::WindowEventKind::Close);
    }

    const CloseCase c;
    int frames = 0, framesAtMoment = 0, closedAt = 0;
    bool routed = false;

protected:
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }

private:
    // The logos pass by the clock: a moment's frames are the same in every
    // build.
    test::FrameClock clock;
};

class WindowClose : public WholeGameTest { };

TEST_F(WindowClose, EndsTheGameAtAnyMomentAfterTheWindowAppears)
{
    // clang-format off
    const CloseCase kCases[] = {
        { Moment::Init, 0, false }, { Moment::Init, 0, true },
        { Moment::Logos, 1, false }, { Moment::Logos, 2, true }, { Moment::Logos, 3, false }, { Moment::Logos, 5, true },
        { Moment::Loading, 1, false }, { Moment::Loading, 2, true }, { Moment::Loading, 6, false },
        { Moment::Loading, 12, true },
        { Moment::StartScreen, 1, false }, { Moment::StartScreen, 2, true }, { Moment::StartScreen, 4, false },
        { Moment::Map, 1, true }, { Moment::Map, 2, false }, { Moment::Map, 3, true },
        { Moment::Level, 1, false }, { Moment::Level, 2, true }, { Moment::Level, 3, false }, { Moment::Level, 6, true },
    };
    // clang-format on
    cStateMenu::SetLoadingPauseForTests([] {});
    test::TempFolder user;
    world.userFolder = platform::NarrowToWide(user.Path());
    int ended = 0;
    for (const CloseCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "moment " << static_cast<int>(c.moment) << ", frame " << c.frame
                                        << (c.desktopQuit ? ", desktop quit" : ", window close"));
        ShowLogos();
        platform::DiscardPendingMessages();
        CloseApp app(c);
        ASSERT_TRUE(app.Run());
        ASSERT_NE(app.closedAt, 0) << "the moment was never reached; frames " << app.frames;
        // The frame that took the request may finish; none follows it.
        EXPECT_LE(app.frames, std::max(app.closedAt, 0) + 1);
        ended += app.frames <= std::max(app.closedAt, 0) + 1 ? 1 : 0;
        test::ReleaseWholeGame(world);
        world.musicStream = nullptr;
        for (iSoundInstance*& sound : world.effectSounds)
            sound = nullptr;
        world.quitRequested = 0;
    }
    EXPECT_EQ(ended, 20);
    cStateMenu::SetLoadingPauseForTests(nullptr);
}

} // namespace
