// The common ground of the screen tests over the recording engine: a scratch
// program folder holding the test's own pages, a clock and a mouse set by
// hand, the world and settings at their defaults, and a station level in
// white light. Each fixture writes its pages and makes its screens.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/recording_gfx.h"
#include "support/temp_folder.h"
#include "world/game_world.h"

namespace test {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the fixture's page sets below the interface folder (ending in
    // "/") before the test changes into the scratch folder.
    virtual void WritePages(const std::string& menuFolder) = 0;
    // Advances the frame clock.
    void Wait(double milliseconds);
    void ClearDrawn() { gfx.ClearRecords(); }

    cGameWorld& world = cGameWorld::Instance();
    RecordingGfx gfx;
    FakeInput input;
    TempFolder folder;
    double now = 10000.0;

private:
    std::string m_oldDirectory;
};

} // namespace test
