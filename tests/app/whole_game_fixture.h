// The whole game over the real engine, headless: the recording engine of
// GameAppTest steps aside for the run, and what the run leaves behind goes.
#pragma once

#include "engine/engine_testing.h"
#include "game_app_fixture.h"
#include "platform/game_random.h"
#include "platform/time_source.h"
#include "support/whole_game.h"

class WholeGameTest : public GameAppTest {
protected:
    void SetUp() override
    {
        GameAppTest::SetUp();
        // The game's random numbers start where a fresh program's do, so a
        // run plays the same whatever ran before it in this process.
        platform::GameSrand(1);
        g_pGfxDevice = nullptr;
        g_pGfx2D = nullptr;
    }
    // The logos as the world leaves them at start-up.
    void ShowLogos() { test::ShowLogosAsAtStart(world); }
    void TearDown() override
    {
        g_pGfxDevice = recordingDevice;
        g_pGfx2D = recording2D;
        engine::SetRasterisationObserver(nullptr);
        platform::SetTimeSourceForTests(nullptr);
        test::ReleaseWholeGame(world);
        GameAppTest::TearDown();
    }

    iGfxDevice* const recordingDevice = g_pGfxDevice;
    iGfx2D* const recording2D = g_pGfx2D;
};
