// What a level holds at its start comes from its own script and nothing from
// the level played before it in the same program: a small station level is
// played once as the program's first level, and once more after a shipped
// level was played for a while and left. Its script notes what it finds
// before it sets anything, leans on template ids and car types the shipped
// level declared but it does not, and leaves the options it does not need
// (managers among them) to the level start. Both runs must see and draw the
// same, frame by frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <lua.hpp>

#include "app/clock.h"
#include "level_fixture.h"
#include "platform/game_random.h"
#include "recording_screens.h"
#include "scene/build_menu.h"
#include "scene/car_layer.h"
#include "scene/effects_layer.h"
#include "scene/level_background.h"
#include "scene/screen_manager.h"
#include "scene/station_view.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

constexpr int kProbeLevel = 5;

const char* const kProbe = R"(
found = ""
local function note(v) found = found .. tostring(v) .. " " end

function on_init()
    -- What the level finds before it sets anything.
    note(Story:GetManager()) note(Story:GetTimeForLevel()) note(Story:GetTimeLimit())
    note(Story:GetCurrentPoints()) note(Story:GetMinusPoints())
    note(Story:GetParkingAutos()) note(Story:GetParkingLot()) note(Story:GetTakeFromStack())
    note(Story:GetOnlyAutobahn()) note(Story:IsDunkel())
    note(Story:GetLevelColor("r", 0)) note(Story:GetLevelColor("g", 0)) note(Story:GetLevelColor("b", 0))
    note(Story:StackFree(1)) note(Story:GetAutoFromStack(1)) note(Story:Transfer()) note(Story:GetJoker()) note(Story:IfJoker())
    note(Story:GetDamage()) note(Story:GetProcessTimeInStation()) note(Story:GetProcessTimeInStack())
    note(Story:GetBuild()) note(Story:GetModus()) note(Story:GetAutoByTyp()) note(Story:GetProfi())
    note(Story:GetCounterEnableAuto()) note(Story:GetCounterEnableClassAuto())
    note(Story:GetBonusSystem()) note(Story:GetXBonus()) note(Story:GetXSuperBonus())
    note(Story:GetFreePlace()) note(Story:GetFreeLot()) note(Story:GetActive())
    for t = 1, 12 do
        note(Story:GetAutoClass(t)) note(Story:ExistInAutobahn(t))
    end
    for t = 1, 20 do note(Story:GetPlaceCounter(t)) end
    for t = 0, 14 do note(Story:GetMessageStatus(t)) note(Story:GetMessageTarget(t)) end
    for t = 0, 30 do note(Story:ActiveEffects(t)) end

    -- A small station of its own: two car types, a stack of three the
    -- managers serve, a road, two places; nothing else is declared.
    Story:SetDrawStation(1)
    Story:SetTimeForLevel(120)
    Story:StackCounter(3, 1, 0)
    Story:TakeFromStack(1)
    Story:SetParkingAutos(3)
    Story:AddAuto(1, 9, "auto_rot") Story:AddAuto(1, 1, "auto_rot")
    Story:AddAuto(2, 9, "auto_blau") Story:AddAuto(2, 1, "auto_blau")
    Story:SetAutoParameters(1, 6, 0) Story:SetAutoParameters(2, 7, 0)
    Story:SetAutoClass(1, 1, 0) Story:SetAutoClass(2, 1, 0)
    Story:EnableAutoForStack(1)
    Story:SetAutoBahn(1, 0.1, 1)
    Story:SetAutoBahnPoints(1, 1400, 40, -200, 200)
    Story:EnableClassAutoForAutobahn(1, 1)
    Story:SetAutobahnDelay(1)
    Story:TakeFromAutobahn(1)
    Story:AddTransportToAutobahn(1, 3)
    for slot = 1, 3 do
        Story:SetStackCoordinateAndDirection(slot, 840 + 100 * slot, 180 + 30 * slot, 9)
        Story:SetToStackCoordinate(slot, 840 + 100 * slot, 150 + 30 * slot)
        Story:SetFromStackCoordinate(slot, 840 + 100 * slot, 180 + 30 * slot)
    end
    Story:AddOver(100, "tree_big")
    Story:CreatePlace(100, 40, 250, 9)
    Story:AddFundament(1, "fundament", "fundament_grid", 9)
    Story:AddPlace(6, "place_red", 3) Story:AddPlace(7, "place_blue", 3)
    Story:SetOffsetForAuto(6, 30, -20, 9) Story:SetOffsetForAuto(7, 30, -20, 9)
    for row = 3, 5 do for column = 2, 4 do Story:CreateFundament(1, row, column, 9, -1) end end
    Story:CreatePlace(6, 4, 3, 9) Story:SetColor(4, 3, 0)
    Story:CreatePlace(7, 5, 2, 9) Story:SetColor(5, 2, 1)
    -- Ids the shipped levels declare and this one does not: a body, an over
    -- template, a cloud, a balloon and an effect without their templates.
    Story:AddBody(10, "tree_01")
    Story:AddMyBody(10, 60, 640) Story:AddMyBody(12, 10, 420) Story:AddMyBody(3, 980, 260)
    Story:CreatePlace(110, 1150, 440, 9)
    Story:AddSuperOver(111, 600, 300)
    Story:CreateMyEffects(0, 20, 0, 0.05, 500, 500)
    -- The sky of its own: clouds on, none added.
    Story:StartClouds(0)
    for slot = 1, 3 do Story:AddToStack(slot, 1 + slot % 2) end
end
function on_timer() found = found .. "| " .. Story:ActiveEffects(20) .. " " .. Story:GetManager() end
function ok_work() end
function on_bonus() end
function ok_build() end
function ok_update() end
function ok_saw() end
function add_manager() end
function on_fill_parking_place()
    for slot = 1, 3 do if Story:StackFree(slot) == 1 then Story:AddToStack(slot, 1 + slot % 2) end end
end
function on_minus_points() end
function on_level_finish() end
function on_blumen() end
function on_wbaum() end
)";

// The first line where two frames' draws part, with the line of each.
std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::istringstream inA(a), inB(b);
    std::string lineA, lineB;
    for (int line = 0;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(inA, lineA));
        const bool moreB = static_cast<bool>(std::getline(inB, lineB));
        if (!moreA && !moreB)
            return "the same";
        if (!moreA || !moreB || lineA != lineB)
            return "draw " + std::to_string(line) + ": first run \"" + (moreA ? lineA : "none") + "\", now \""
                + (moreB ? lineB : "none") + "\"";
    }
}

class LevelStartTest : public test::LevelTest, public ::testing::WithParamInterface<int> {
protected:
    LevelStartTest()
        : test::LevelTest(true)
    {
    }
    void SetUp() override
    {
        test::LevelTest::SetUp();
        // The game's screens of the level's play: background, station, cars,
        // weather and build menu. The head-up display and the panels are the
        // same from level to level and not what this test looks at.
        cScreenManager& menus = cScreenManager::Instance();
        menus.DestroyScreens();
        menus.SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::Screen> {
            switch (slot) {
            case cScreenManager::kLevelBackground:
                return std::make_unique<Scene::LevelBackground>();
            case cScreenManager::kStationView:
                return std::make_unique<Scene::StationView>();
            case cScreenManager::kCarLayer:
                return std::make_unique<Scene::CarLayer>();
            case cScreenManager::kEffects:
                return std::make_unique<Scene::EffectsLayer>();
            case cScreenManager::kBuild:
                return std::make_unique<Scene::BuildMenu>();
            default:
                return test::MakeRecordingScreen(slot);
            }
        });
        ASSERT_TRUE(state.CreateScreens());
        LinkBuildData("data/gui");
        const std::filesystem::path shipped = std::filesystem::path(VANDREL_SOURCE_DIR) / "data/script/scene";
        char name[64];
        std::snprintf(name, sizeof name, "level_setup_%02d.lua", GetParam());
        for (const std::string& file : { std::string(name), std::string("level_common.lua") })
            std::filesystem::copy_file(
                shipped / file, std::filesystem::path(folder.Path()) / "data/script/scene" / file);
        WriteLevelScript(kProbeLevel, kProbe);
    }

    std::string ScriptText(const char* global)
    {
        lua_State* L = Scripting::GetContextState(Story::Instance().ContextHandle());
        if (!L)
            return {};
        lua_getglobal(L, global);
        const char* text = lua_tostring(L, -1);
        std::string value = text ? text : "";
        lua_pop(L, 1);
        return value;
    }

    // One line per draw of a frame: what, from which image bytes and which
    // part of them, where, in which colour.
    std::string FrameDraws()
    {
        std::ostringstream out;
        for (const test::GfxDraw& d : gfx.draws) {
            out << static_cast<int>(d.kind) << ' ' << std::hex << d.color << std::dec;
            if (d.texture) {
                const auto* page = static_cast<const test::RecordingTexture*>(d.texture);
                out << " img " << test::Digest(page->bytes.data(), page->bytes.size());
            }
            if (d.hasSource)
                out << " from " << d.source.left << ',' << d.source.top << ',' << d.source.right << ','
                    << d.source.bottom;
            out << " at " << d.target.left << ',' << d.target.top << ',' << d.target.right << ',' << d.target.bottom
                << ' ' << d.x << ',' << d.y << ' ' << std::string(d.text.begin(), d.text.end()) << '\n';
        }
        return out.str();
    }

    struct Run {
        std::string found;
        std::vector<std::string> frames;
    };
    // The probe level from its start for three seconds of play.
    Run PlayProbe()
    {
        Run run;
        // The same random numbers, and the frame clock from 0, so that each
        // timer of the level reads the same times.
        platform::GameSrand(1);
        cClock::Instance().Reset();
        EXPECT_TRUE(StartLevel(kProbeLevel));
        for (const std::wstring& fault : Faults())
            ADD_FAILURE() << std::string(fault.begin(), fault.end());
        run.found = ScriptText("found");
        for (int i = 0; i < 130; ++i) {
            gfx.ClearRecords();
            EXPECT_TRUE(Frame(23.0));
            run.frames.push_back(FrameDraws());
        }
        run.found += " " + ScriptText("found");
        Leave();
        return run;
    }
    void Leave()
    {
        cGameWorld::Instance().leaveLevel = 1;
        EXPECT_FALSE(Frame(20.0));
    }
};

TEST_P(LevelStartTest, ALevelStartsFromItsOwnScriptWhateverWasPlayedBefore)
{
    const Run first = PlayProbe();
    ASSERT_FALSE(first.found.empty());

    // The shipped level, played for eight seconds and left.
    ASSERT_TRUE(StartLevel(GetParam()));
    ASSERT_TRUE(Frames(160, 50.0));
    Leave();

    const Run again = PlayProbe();
    EXPECT_EQ(again.found, first.found) << "what the level's script found at its start";
    ASSERT_EQ(again.frames.size(), first.frames.size());
    for (size_t i = 0; i < first.frames.size(); ++i) {
        if (again.frames[i] != first.frames[i]) {
            ADD_FAILURE() << "frame " << i << " differs after level " << GetParam() << ":\n"
                          << FirstDifference(first.frames[i], again.frames[i]);
            break;
        }
    }
}

// A station level with two managers, snow and dusk, and a grid level with
// jokers, clouds and rain.
INSTANTIATE_TEST_SUITE_P(Levels, LevelStartTest, ::testing::Values(15, 4));

} // namespace
