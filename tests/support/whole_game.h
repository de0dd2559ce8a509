// What every run of the whole game in a test needs at its two ends: the
// logos as the world leaves them at start-up, and the screens, cursors,
// sound engine and scripts a run leaves behind, released.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "app/cursor_set.h"
#include "frontend/state_menu.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "scene/screen_manager.h"
#include "scripting/script_host.h"
#include "sound/sound_engine.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

inline void ShowLogosAsAtStart(cGameWorld& world)
{
    world.LoadLogoList();
    world.logosPresent = world.logoCount > 0 ? 1 : 0;
    world.loadingPhase = world.logosPresent ? 0 : 1;
}

// The ways a player or the desktop ends a running game; SIGHUP is the
// terminal the game was started from closing.
enum class GameEnd { WindowClose, DesktopQuit, Sigterm, Sighup };

// Ends the game that way: the window's close button, the desktop's quit
// request, or the signal through the game's own handler.
inline void EndGame(GameEnd how, HWND window)
{
    switch (how) {
    case GameEnd::WindowClose:
        platform::InjectWindowEvent(window, platform::WindowEventKind::Close);
        break;
    case GameEnd::DesktopQuit:
        platform::InjectQuit();
        break;
    case GameEnd::Sigterm:
    case GameEnd::Sighup: {
        const int signal = how == GameEnd::Sigterm ? SIGTERM : SIGHUP;
        struct sigaction action { };
        sigaction(signal, nullptr, &action);
        // Without the game's handler the signal would end the test.
        EXPECT_NE(action.sa_handler, SIG_DFL);
        if (action.sa_handler != SIG_DFL)
            std::raise(signal);
        break;
    }
    }
}

inline void ReleaseWholeGame(cGameWorld& world)
{
    cScreenManager::Instance().DestroyScreens();
    cCursorSet::Instance().Release();
    // The sound engine lives until the program ends; a test ends sooner.
    delete world.soundEngine;
    world.soundEngine = nullptr;
    Script::ShutDown();
}

// A test that runs the whole game, each run with the player's files in a
// folder of its own; Base is ::testing::Test or a parameterised test.
template <class Base = ::testing::Test> class WholeGameRuns : public Base {
protected:
    // What the last run left behind goes, and the player folders the test
    // program was started with come back.
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        cStateMenu::SetLoadingPauseForTests(nullptr);
        ReleaseWholeGame(world);
        world.ResetToDefaults();
        platform::DiscardPendingMessages();
        Restore("XDG_DATA_HOME", buildHome);
        Restore("XDG_RUNTIME_DIR", buildRun);
    }

    // A run starts as a fresh program would, with no window message of an
    // earlier run waiting, its player files (and runtime folder) in `home`
    // and the settings and profiles read from there.
    void EnterPlayerFolder(const TempFolder& home)
    {
        platform::DiscardPendingMessages();
        setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.Path().c_str(), 1);
        world.ResetToDefaults();
        cSettings::Instance().LoadSettingsAndProfiles(world);
    }

    // Between two runs of one test: what the first left behind goes, so that
    // the next starts as a fresh program would.
    void EndRun()
    {
        ReleaseWholeGame(world);
        world.musicStream = nullptr;
        for (iSoundInstance*& sound : world.effectSounds)
            sound = nullptr;
        world.quitRequested = 0;
    }

    cGameWorld& world = cGameWorld::Instance();

private:
    static std::string Variable(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? value : "";
    }
    static void Restore(const char* name, const std::string& value)
    {
        if (value.empty())
            unsetenv(name);
        else
            setenv(name, value.c_str(), 1);
    }

    const std::string buildHome = Variable("XDG_DATA_HOME");
    const std::string buildRun = Variable("XDG_RUNTIME_DIR");
};

} // namespace test
