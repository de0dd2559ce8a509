// A level played over the game's own screens and generated art, each frame
// read back as the head-up display shows it; clicks go in through the mouse.
#pragma once

#include <string>

#include "hud_reader.h"
#include "level_fixture.h"
#include "support/recording_sound.h"
#include "world/settings.h"

namespace test {

class PlayedHudTest : public PlayedLevelTest {
protected:
    void SetUp() override
    {
        PlayedLevelTest::SetUp();
        catalog.Load(VANDREL_SOURCE_DIR "/tools/art/images");
    }
    // The level started as the map's play button starts it, its task dialog
    // closed, running.
    bool Start(int level, const std::string& script)
    {
        WriteLevelScript(level, script);
        world.furthestLevel = level;
        world.gameMenuClosed = 1;
        const bool started = StartLevel(level);
        world.SetPause(false);
        return started;
    }
    // One frame of step milliseconds, read back; the sounds of the frame
    // before have played out. False once the level ends.
    bool Step(double step = 250.0)
    {
        for (iSoundInstance* playing : world.effectSounds)
            if (playing)
                static_cast<RecordingSound*>(playing)->finished = true;
        gfx.ClearRecords();
        const bool on = Frame(step);
        view = ReadHud(gfx, catalog, digests);
        return on;
    }
    // A click at (x, y), taken by the next frame's mouse pass and acted on in
    // the frame after.
    bool ClickAt(int x, int y)
    {
        input.x = x, input.y = y;
        input.Click(0);
        const bool on = Step() && Step();
        MouseAway();
        return on && Step();
    }
    int X(int design) const { return static_cast<int>(design / cSettings::Instance().scaleX); }
    int Y(int design) const { return static_cast<int>(design / cSettings::Instance().scaleY); }

    ImageCatalog catalog;
    HudView view;
    PageDigests digests;
};

// A timed level (limit 21 s) on one cell earning 100 points a second against
// a target of 300, won once finishAt seconds have passed; it declares the
// effect the cup's sparkles are made of.
inline std::string WinningLevel(int finishAt)
{
    return "finish_at = " + std::to_string(finishAt) + R"(
seconds = 0
function on_init()
    Story:CreateEffects(8, "combo_8", 8, 0, 0)
    Story:EffectTextureExt(8, "png")
    Story:SetTimeForLevel(21)
    Story:AddFundament(1, "g", "h", 9) Story:CreateFundament(1, 2, 0, 9, -1)
    Story:SetMessage(14, 0, 300)
end
function on_timer()
    seconds = seconds + 1
    Story:MinusPoints(-100)
end
function on_level_finish() if seconds >= finish_at then Story:SetState(1) end end
)";
}

} // namespace test
