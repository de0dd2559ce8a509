// The service state of the station's places, driven by the clock and read
// back by a level script's callbacks: lamps, the service animation, work cars
// that build, upgrade and repair, refusals, pausing, and taking places away.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "station_fixture.h"
#include "support/recording_sound.h"

namespace {

// Callbacks that keep what the getters answer in the saved counters: 0 and
// 10 count the calls, the others hold the values of the last call.
const char* const kRecordingScript = R"(
function on_init() end
function ok_build()
    built = (built or 0) + 1
    Story:SaveCounter(0, built)
    Story:SaveCounter(1, Story:GetWorkingAuto())
end
function ok_update()
    updated = (updated or 0) + 1
    Story:SaveCounter(10, updated)
    Story:SaveCounter(11, Story:GetUpdateColor())
end
)";

class PlaceServiceTest : public test::StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        std::filesystem::create_directories(folder / "data/script/scene");
        ASSERT_TRUE(Script::Initialize());
        ASSERT_TRUE(ExportStory());
        sound.played.clear();
        world.soundEngine = &sound;
        StartScreens();
    }
    void TearDown() override
    {
        Story::Instance().ReleaseLevelScript();
        Script::ShutDown();
        world.soundEngine = nullptr;
        for (iSoundInstance*& slot : world.effectSounds)
            slot = nullptr;
        StationTest::TearDown();
    }
    void StartLevelScript(const std::string& source)
    {
        std::ofstream(folder / "data/script/scene/level_setup_02.lua", std::ios::binary) << source;
        world.level = 2;
        Story::Instance().InitLevel();
        ASSERT_GE(Story::Instance().ScriptId(), 0);
    }
    // A tree first, so that no station element has index 0; then a place
    // of the type on a fundament at (3, 4).
    int MakePlace(int type, int variant)
    {
        AddTree(0, 0);
        AddFundament(3, 4);
        world.CreatePlace(type, 3, 4, 9);
        const int place = static_cast<int>(world.places.size()) - 1;
        world.places[place].colour = variant;
        world.places[place].autoType = 55;
        world.places[place].animationName = L"phase100";
        return place;
    }
    // The car a transfer brought (hand-placed byte clear).
    void Bring(int place, int code) { world.PutAutoOnPlace(place, code, 0); }
    void Step(int place, double milliseconds)
    {
        Wait(milliseconds);
        over->UpdatePlaceState(place);
    }

    test::RecordingSoundEngine sound;
};

TEST_F(PlaceServiceTest, TheLampFollowsTheWear)
{
    const int place = MakePlace(6, 0);
    const struct {
        int wear;
        const wchar_t* lamp;
    } cases[] = { { 30, L"lampe_green" }, { 31, L"lampe_yellow" }, { 90, L"lampe_red" }, { 91, L"blink" } };
    for (const auto& c : cases) {
        world.places[place].wear = c.wear;
        over->UpdatePlaceState(place);
        EXPECT_EQ(world.places[place].lampName, c.lamp) << c.wear;
    }
}

TEST_F(PlaceServiceTest, TheStationViewDrawsTheLampOverEachServicePlace)
{
    const int place = MakePlace(6, 0);
    const struct {
        int wear;
        double at; // ms into the blink period
        const wchar_t* drawn; // null: nothing
    } cases[] = {
        { 10, 0, L"lampe_green.png" },
        { 50, 0, L"lampe_yellow.png" },
        { 80, 0, L"lampe_red.png" },
        { 95, 100, L"lampe_red.png" }, // blinking: lit in the first half
        { 95, 350, nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wear);
        cClock::Instance().Reset(); // the clock at 0, the start of a blink period
        Wait(c.at);
        world.places[place].wear = c.wear;
        ClearDrawn();
        over->DrawElement(place);
        int lamps = 0;
        for (const auto& image : Drawn()) {
            if (image.name.rfind(L"lampe_", 0) == 0) {
                ++lamps;
                EXPECT_EQ(image.name, c.drawn);
            }
        }
        EXPECT_EQ(lamps, c.drawn ? 1 : 0);
    }
    // Broken places and places that serve nothing have no lamp.
    world.places[place].wear = 0;
    world.places[place].state = 2;
    ClearDrawn();
    over->DrawElement(place);
    EXPECT_EQ(DrawnNames(), (std::vector<std::wstring> { L"tanke_kaputt.png", L"element1.png" }));
    world.places[place].state = 0;
    world.places[place].type = 2;
    ClearDrawn();
    over->DrawElement(place);
    EXPECT_EQ(DrawnNames(), (std::vector<std::wstring> { L"element1.png" }));
}

TEST_F(PlaceServiceTest, WorkCodesChangeThePlaceAndTellTheScript)
{
    struct Case {
        int code;
        int type; // of the place before
        int state; // before
        int typeAfter;
        int variantAfter; // from variant 1
        int stateAfter;
        int wearAfter; // from 40
        int builds; // "ok_build" calls
        int updates; // "ok_update" calls
        int task; // current task after, from 0
        bool sound; // "baustation"
    };
    const Case cases[] = {
        { 56, 6, 2, 6, 0, 0, 40, 0, 1, 0, false },
        { 57, 6, 0, 6, 2, 0, 40, 0, 1, 0, false },
        { 58, 6, 0, 6, 1, 0, 40, 0, 1, 0, false },
        { 59, 6, 0, 6, 4, 0, 40, 0, 1, 0, false },
        { 60, 6, 0, 6, 3, 0, 40, 0, 1, 0, false },
        { 76, 0, 0, 6, 1, 0, 40, 1, 0, 2, true },
        // Nothing is built on a place that is not an empty lot.
        { 76, 7, 0, 7, 1, 0, 40, 0, 0, 0, false },
        { 86, 6, 2, 6, 1, 0, 0, 0, 0, 0, false },
        // Work codes that neither upgrade, build nor repair: the car only
        // leaves once the work ran.
        { 61, 6, 0, 6, 1, 0, 40, 0, 0, 0, false },
        { 70, 6, 2, 6, 1, 2, 40, 0, 0, 0, false },
        { 75, 6, 0, 6, 1, 0, 40, 0, 0, 0, false },
        { 77, 0, 0, 0, 1, 0, 40, 0, 0, 0, false },
        { 85, 6, 2, 6, 1, 2, 40, 0, 0, 0, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TearDown();
        SetUp();
        StartLevelScript(kRecordingScript);
        const int place = MakePlace(c.type, 1);
        world.places[place].state = c.state;
        world.places[place].wear = 40;
        world.fundaments[0].content = -1;
        world.fundaments[0].status = 9;
        Bring(place, c.code);
        // Putting the car on the place restarted the lamp's 24 frames; a
        // short run keeps the test short.
        world.places[place].frameCount = 2;

        // Frames 1 and 2 at 0.045 s each, then the end of the work.
        Step(place, 30);
        Step(place, 50);
        Step(place, 50);
        EXPECT_EQ(world.placeAutos.size(), 1u);
        Step(place, 50);

        const cPlace& p = world.places[place];
        EXPECT_TRUE(world.placeAutos.empty());
        EXPECT_EQ(p.type, c.typeAfter);
        EXPECT_EQ(p.colour, c.variantAfter);
        EXPECT_EQ(p.state, c.stateAfter);
        EXPECT_EQ(p.wear, c.wearAfter);
        EXPECT_EQ(world.saveCounters[0], c.builds);
        EXPECT_EQ(world.saveCounters[10], c.updates);
        EXPECT_EQ(world.currentTask, c.task);
        // The script read the upgrade while it was being reported.
        EXPECT_EQ(world.saveCounters[11], c.updates ? c.variantAfter : 0);
        // Once told, no upgrade is pending for the script any more.
        EXPECT_EQ(Story::Instance().GetUpdateColor(), -1);
        EXPECT_EQ(world.fundaments[0].content, c.builds ? place : -1);
        EXPECT_EQ(sound.played,
            c.sound ? std::vector<std::string> { "data/sound/wav/baustation.wav" } : std::vector<std::string> {});
    }
}

TEST_F(PlaceServiceTest, APlaceBrokenByAComboSmokesUntilItIsRepaired)
{
    const int place = MakePlace(6, 1);
    world.CreateEffects(20, "smoke", 10, 0, 0);
    world.damageMode = 1;
    world.places[place].wear = 99;
    world.ApplyComboToPlace(place, 3);
    ASSERT_EQ(world.places[place].state, 2);
    ASSERT_EQ(world.effects.size(), 1u);

    Bring(place, 86);
    world.places[place].frameCount = 0;
    Step(place, 50);
    EXPECT_EQ(world.places[place].state, 0);
    EXPECT_TRUE(world.effects.empty());
}

TEST_F(PlaceServiceTest, ATimedStayEndsAfterFourAndAHalfSeconds)
{
    StartLevelScript(kRecordingScript);
    const int place = MakePlace(6, 0);
    Bring(place, 1);
    Step(place, 4490);
    EXPECT_EQ(world.placeAutos.size(), 1u);
    EXPECT_EQ(world.saveCounters[0], 0);
    EXPECT_EQ(world.places[place].serveFlag, 1);
    Step(place, 10);
    EXPECT_TRUE(world.placeAutos.empty());
    EXPECT_EQ(world.saveCounters[0], 1);
    EXPECT_EQ(world.saveCounters[1], 55); // the car value, read by the script
    EXPECT_EQ(world.currentTask, 1);
}

TEST_F(PlaceServiceTest, OrdinaryServiceNeedsTheVariantAndLoopsItsFrames)
{
    struct Case {
        int code;
        int variant;
        bool served;
    };
    const Case cases[] = {
        { 9, 2, false }, // 9 - 6 = 3 > 2
        { 9, 3, true },
        { 6, 0, true },
        { 10, 4, true },
        { 87, 0, false },
        { -2147483647 - 1, 0, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TearDown();
        SetUp();
        const int place = MakePlace(6, c.variant);
        Bring(place, c.code);
        // Putting the car on the place reset its picture; a refusal must
        // leave whatever it shows then.
        world.places[place].animationImage = L"before.png";
        over->UpdatePlaceState(place);
        EXPECT_EQ(world.placeAutos.size(), c.served ? 1u : 0u);
        EXPECT_EQ(world.leavingAutos.size(), c.served ? 0u : 1u);
        EXPECT_EQ(world.places[place].serveFlag, c.served ? 1 : 0);
        // A refused car leaves the picture as it was.
        if (!c.served) {
            EXPECT_EQ(world.places[place].animationImage, L"before.png");
        }
    }

    TearDown();
    SetUp();
    const int place = MakePlace(6, 3);
    world.places[place].lampFrameCounter = 0;
    Bring(place, 9);
    world.places[place].frameCount = 23;
    std::vector<int> frames;
    for (int i = 0; i < 26; ++i) {
        Step(place, 33);
        frames.push_back(world.places[place].frame);
    }
    std::vector<int> expected;
    for (int i = 1; i <= 26; ++i)
        expected.push_back(i % 24);
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(world.places[place].animationImage, L"phase10002.png");
    // Faster than a frame: nothing moves.
    Step(place, 10);
    EXPECT_EQ(world.places[place].frame, 2);
}

TEST_F(PlaceServiceTest, PausedNothingChangesAndHandPlacedCarsAreNotAnimatedHere)
{
    StartLevelScript(kRecordingScript);
    const int place = MakePlace(6, 0);
    world.places[place].wear = 80;
    Bring(place, 1);
    // Set after the car was put down, which chose the lamp by the wear.
    world.places[place].lampName = L"lampe_green";
    world.places[place].animationImage = L"kept.png";
    world.paused = 1;
    Step(place, 5000);
    EXPECT_EQ(world.placeAutos.size(), 1u);
    EXPECT_EQ(world.places[place].animationImage, L"kept.png");
    EXPECT_EQ(world.places[place].lampName, L"lampe_green");
    EXPECT_EQ(world.saveCounters[0], 0);
    world.paused = 0;
    Step(place, 0);
    EXPECT_TRUE(world.placeAutos.empty());

    // The player's own drop: the place stays idle and shows frame 00.
    world.PutAutoOnPlace(place, 6, 1);
    Step(place, 5000);
    EXPECT_EQ(world.placeAutos.size(), 1u);
    EXPECT_EQ(world.places[place].serveFlag, 0);
    EXPECT_EQ(world.places[place].lampName, L"lampe_red");
    ClearDrawn();
    over->DrawElement(place);
    ASSERT_FALSE(Drawn().empty());
    EXPECT_EQ(Drawn()[0].name, L"phase10000.png");
}

TEST_F(PlaceServiceTest, ServedCarsOfAPlaceAreFoundAndReleased)
{
    const int place = MakePlace(6, 0);
    EXPECT_FALSE(over->HasPlaceAuto(place));
    world.PutAutoOnPlace(place, 6, 1);
    EXPECT_TRUE(over->HasPlaceAuto(place));
    EXPECT_FALSE(over->HasPlaceAuto(place + 1));
    world.placeAutos[0].autoType = -1;
    EXPECT_FALSE(over->HasPlaceAuto(place));
    world.placeAutos[0].autoType = 55;

    // Only a car that came by a transfer is released.
    over->ReleasePlaceAuto(place);
    EXPECT_EQ(world.placeAutos.size(), 1u);
    world.placeAutos[0].handPlaced = 0;
    over->ReleasePlaceAuto(place);
    EXPECT_TRUE(world.placeAutos.empty());
    ASSERT_EQ(world.leavingAutos.size(), 1u);
    EXPECT_EQ(world.leavingAutos[0].autoType, 55);
    over->ReleasePlaceAuto(place);
    over->ReleasePlaceAuto(-3);
    EXPECT_EQ(world.leavingAutos.size(), 1u);
}

TEST_F(PlaceServiceTest, ReleasingSendsOffTheFirstTransferredCarOfThatPlaceOnly)
{
    const int place = MakePlace(6, 0);
    const int other = 0; // the tree
    // Cars 11 (dropped by the player), 12 and 13 (transfers) on the place,
    // car 14 (a transfer) counted on another place.
    const struct {
        int autoType, handPlaced;
    } served[] = { { 11, 1 }, { 12, 0 }, { 13, 0 }, { 14, 0 } };
    // Laid out by hand: a place serves one car at a time when the world puts
    // it there, but the release must still pick the right one of several.
    std::vector<cPlaceAuto> cars;
    for (const auto& s : served) {
        world.PutAutoOnPlace(place, 6, s.handPlaced);
        cars.push_back(world.placeAutos.back());
        cars.back().autoType = s.autoType;
    }
    cars.back().place = other;
    world.placeAutos = cars;
    const struct {
        int place;
        int leaves; // -1 none
        std::vector<int> stay;
    } steps[] = {
        { place, 12, { 11, 13, 14 } },
        { place, 13, { 11, 14 } },
        { place, -1, { 11, 14 } }, // the hand-placed car stays
        { -3, -1, { 11, 14 } },
        { other, 14, { 11 } },
        { other, -1, { 11 } },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.leaves);
        const std::size_t leftBefore = world.leavingAutos.size();
        over->ReleasePlaceAuto(step.place);
        std::vector<int> stay;
        for (const cPlaceAuto& a : world.placeAutos)
            stay.push_back(a.autoType);
        EXPECT_EQ(stay, step.stay);
        if (step.leaves < 0) {
            EXPECT_EQ(world.leavingAutos.size(), leftBefore);
        } else {
            ASSERT_EQ(world.leavingAutos.size(), leftBefore + 1);
            EXPECT_EQ(world.leavingAutos.back().autoType, step.leaves);
        }
    }
}

TEST_F(PlaceServiceTest, RemovingAPlaceKeepsEveryPlaceIndexValid)
{
    AddTree(0, 0);
    for (int column = 0; column < 4; ++column) {
        AddFundament(2, column);
        world.CreatePlace(6, 2, column, 9); // places 1..4
    }
    AddFundament(5, 5, 3); // a lot whose content is a place type
    world.PutAutoOnPlace(2, 6, 0);
    world.PutAutoOnPlace(3, 6, 0);
    world.PutAutoOnPlace(4, 6, 0);
    world.hoveredElement = 4;
    world.tooltipElement = 2;
    world.selectedIndex[0] = 2;
    world.selectedIndex[1] = 4;
    world.selectedCount = 2;
    cTransfer transfer;
    transfer.source = 3;
    world.transfers.push_back(transfer);
    world.CreateEffects(3, "combo", 4, 0, 0);
    world.CreateMyEffects(4, 3, 0, 0.1f, 0, 0, 2, 3);

    over->RemovePlace(2);

    ASSERT_EQ(world.places.size(), 4u);
    EXPECT_EQ(world.places[2].column, 2);
    const int contents[] = { 1, -1, 2, 3, 3 };
    for (int f = 0; f < 5; ++f)
        EXPECT_EQ(world.fundaments[f].content, contents[f]) << f;
    ASSERT_EQ(world.placeAutos.size(), 2u);
    EXPECT_EQ(world.placeAutos[1].place, 3);
    EXPECT_EQ(world.leavingAutos.size(), 1u);
    EXPECT_EQ(world.hoveredElement, 3);
    EXPECT_EQ(world.tooltipElement, -1); // it named the removed place
    ASSERT_EQ(world.selectedCount, 1);
    EXPECT_EQ(world.selectedIndex[0], 3);
    EXPECT_EQ(world.transfers[0].source, 2);
    ASSERT_EQ(world.effects.size(), 1u);
    EXPECT_EQ(world.effects[0].owner, 3);

    // A place without a fundament under it stays; so does a bad index.
    world.CreatePlace(6, 7, 7, 9);
    over->RemovePlace(4);
    over->RemovePlace(99);
    over->RemovePlace(-1);
    EXPECT_EQ(world.places.size(), 5u);
}

TEST_F(PlaceServiceTest, TheSmokeOfARemovedFirstPlaceBelongsToNoPlace)
{
    for (int column = 0; column < 2; ++column) {
        AddFundament(2, column);
        world.CreatePlace(6, 2, column, 9); // places 0 and 1
    }
    world.CreateEffects(3, "combo", 4, 0, 0);
    world.CreateMyEffects(0, 3, 0, 0.1f, 0, 0, 2, 0);
    world.CreateMyEffects(1, 3, 0, 0.1f, 0, 0, 2, 1);

    over->RemovePlace(0);

    ASSERT_EQ(world.places.size(), 1u);
    ASSERT_EQ(world.effects.size(), 2u);
    EXPECT_EQ(world.effects[0].owner, -1);
    EXPECT_EQ(world.effects[1].owner, 0);
}

TEST_F(PlaceServiceTest, ACallbackThatAppendsAHundredPlacesWhileTheStationIsDrawn)
{
    StartLevelScript(R"(
function on_init() end
function ok_update() end
function ok_build()
    for i = 1, 100 do
        Story:CreatePlace(6, 1 + i % 8, i % 9, 9)
    end
end
)");
    // Several places end their stay in the same frame; each call grows the
    // list under the loop that draws it.
    std::vector<int> stays;
    for (int column = 0; column < 5; ++column) {
        stays.push_back(MakePlace(6, 0));
        Bring(stays.back(), 1);
    }
    Wait(4600);
    over->Draw();
    EXPECT_EQ(world.places.size(), 10u + 500u);
    EXPECT_TRUE(world.placeAutos.empty());
    // The new places were drawn in the same frame.
    EXPECT_GE(DrawnCount(L"phase10000.png"), 500u);
}

} // namespace
