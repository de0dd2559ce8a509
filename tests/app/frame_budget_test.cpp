// The per-frame rules on every screen a player meets, through the whole game
// on the real engine, headless: the benchmark's evening of play, shortened
// (the start screen, the map with the player's level selected, the shop with a
// lot bought, a grid and a station level played by the autoplayer). Once a
// screen has settled, a frame in which the player only looks opens and reads
// no file, logs nothing, makes no texture, and measures or rasterises no text
// it has already measured or drawn.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "bench/evening.h"
#include "frontend/state_menu.h"
#include "platform/file_access.h"
#include "platform/utf16.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "whole_game_fixture.h"

namespace {

// Frames a screen is given to settle (its pages loaded, its images decoded).
constexpr int kSettleFrames = 30;

struct Tally {
    int frames = 0;
    uint64_t fileAccesses = 0;
    int texturesCreated = 0, textureUploads = 0;
    std::vector<std::wstring> logged;
    // The texts measured and rasterised while watched, with how often.
    std::map<std::wstring, int> measured, rasterised;
};

class WatchedEvening : public bench::Evening {
public:
    WatchedEvening(const test::LogCapture& log, bench::Plan plan)
        : Evening(std::move(plan))
        , log(log)
    {
        engine::SetMeasurementObserver([this](const std::wstring& text) { Note(&Tally::measured, text); });
        engine::SetRasterisationObserver([this](const std::wstring& text) { Note(&Tally::rasterised, text); });
    }
    ~WatchedEvening() override { engine::SetMeasurementObserver(nullptr); }

    std::map<std::string, Tally> scenes;
    int firstMapLevel = 0; // the level selected when the map first showed

protected:
    void BeforeFrame() override
    {
        accesses = platform::FileAccesses();
        created = engine::TexturesCreated();
        uploads = engine::TextureReuploads();
        logLines = log.lines.size();
        watched = steadyFrames > kSettleFrames && lastIdle ? &scenes[lastScene] : nullptr;
    }

    void AfterFrame(const std::string& scene, bool idle) override
    {
        if (watched && scene == lastScene && idle) {
            ++watched->frames;
            watched->fileAccesses += platform::FileAccesses() - accesses;
            watched->texturesCreated += engine::TexturesCreated() - created;
            watched->textureUploads += engine::TextureReuploads() - uploads;
            for (size_t i = logLines; i < log.lines.size(); ++i)
                watched->logged.push_back(log.lines[i]);
        }
        steadyFrames = scene == lastScene && !scene.empty() ? steadyFrames + 1 : 0;
        lastScene = scene;
        lastIdle = idle;
        if (scene == "map" && !firstMapLevel)
            firstMapLevel = cGameWorld::Instance().level;
    }

private:
    void Note(std::map<std::wstring, int> Tally::*texts, const std::wstring& text)
    {
        if (watched)
            ++(watched->*texts)[text];
    }

    const test::LogCapture& log;
    Tally* watched = nullptr;
    std::string lastScene;
    bool lastIdle = false;
    int steadyFrames = 0;
    uint64_t accesses = 0;
    int created = 0, uploads = 0;
    size_t logLines = 0;
};

class FrameBudget : public WholeGameTest { };

TEST_F(FrameBudget, SteadyFramesOnEveryScreenReadNoFileLogNothingAndMakeNothingAnew)
{
    // A player of their own, well into the campaign.
    test::TempFolder home;
    const std::string buildHome = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    cSettings::Instance().LoadSettingsAndProfiles(world);
    ASSERT_TRUE(bench::StorePlayer(20));
    ShowLogos();

    test::LogCapture log;
    bench::Plan plan;
    plan.startSeconds = 1;
    plan.mapSeconds = plan.shopSeconds = 3;
    plan.levelSeconds = 5;
    plan.levels = { 1, 2 };
    WatchedEvening evening(log, plan);
    platform::SetTimeSourceForTests([&evening] { return evening.ms; });
    cStateMenu::SetLoadingPauseForTests([] {});
    evening.Run();
    cStateMenu::SetLoadingPauseForTests(nullptr);
    setenv("XDG_DATA_HOME", buildHome.c_str(), 1);

    EXPECT_EQ(evening.failure, "");
    EXPECT_EQ(evening.firstMapLevel, 20) << "the map did not show the player's level";
    for (const cTaskRow& row : world.taskRows) {
        if (row.level == 20) {
            EXPECT_NE(world.lotTable[row.lotRow][row.lotCol], 0) << "the shop sold no lot for level 20's building";
        }
    }
    for (const char* scene : { "start", "map", "shop", "level_1", "level_2" }) {
        SCOPED_TRACE(scene);
        const Tally& tally = evening.scenes[scene];
        EXPECT_GE(tally.frames, 20) << "hardly watched";
        EXPECT_EQ(tally.fileAccesses, 0u) << "files opened, read, written or looked for";
        for (const std::wstring& line : tally.logged)
            ADD_FAILURE() << "logged: " << platform::WideToNarrow(line);
        EXPECT_EQ(tally.texturesCreated, 0) << "textures made from images";
        EXPECT_EQ(tally.textureUploads, 0) << "images handed to the renderer again";
        // A text whose content changes (a clock) is measured and rasterised
        // once per content; one done again was lost from its cache.
        for (const auto& [text, count] : tally.measured)
            EXPECT_EQ(count, 1) << "measured again: \"" << platform::WideToNarrow(text) << "\"";
        for (const auto& [text, count] : tally.rasterised)
            EXPECT_EQ(count, 1) << "rasterised again: \"" << platform::WideToNarrow(text) << "\"";
    }
    EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
}

} // namespace
