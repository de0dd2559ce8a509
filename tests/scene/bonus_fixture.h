// Bonus items and jokers of the head-up display: the display's test pages
// with every bonus image, the full-size grid layout, a level tint that shows
// in every draw, and a level script whose callbacks only report that they
// ran; a test may define a callback anew.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"

namespace test {

inline const std::vector<std::string> kBonusImages = { "bonus_tank_red", "bonus_tank_black", "bonus_tank_green",
    "bonus_tank_blue", "bonus_tank_yellow", "bonus_update", "bonus_build_black", "bonus_kaktus", "bonus_tree",
    "bonus_kaktus_blume", "bonus_wb", "bonus_manager1", "bonus_auto3", "bonus_over", "bonus_1", "bonus_2", "bonus_3",
    "bonus_4", "bonus_5", "bonus_joker", "bonus_joker.png", "bonus_joker_bomb", "bonus_over_joker", "shop_help2_03",
    "shop_help2_02", "shop_help2_01", "shop_help2_left_03", "shop_help2_left_02", "shop_help2_left_01" };

class BonusTest : public HudTest {
protected:
    static constexpr int kJoker = 90;
    static constexpr int kBomb = 91;

    void SetUp() override
    {
        HudTest::SetUp();
        world.ComputeLayout();
        world.levelTint[0] = 200;
        world.levelTint[1] = 210;
        world.levelTint[2] = 220;
        made = std::make_unique<NumberedSubmenu>();
        WriteSet("data/gui/interface/menu/menu_submenu", kBonusImages);
        made->LoadPages(L"data/gui/interface/menu/menu_submenu");
        ASSERT_TRUE(Script::Initialize());
        ASSERT_TRUE(ExportStory());
        MouseAway();
    }
    void TearDown() override
    {
        Story& story = Story::Instance();
        story.ReleaseLevelScript();
        TakeCallbacks();
        story.ClearFlags();
        Script::ShutDown();
        made.reset();
        HudTest::TearDown();
    }

    // The level's script: every callback reports itself; the extra text
    // comes last and may define a callback anew.
    void StartLevel(int level, const std::string& extra = "")
    {
        world.level = level;
        char name[64];
        std::snprintf(name, sizeof name, "data/script/scene/level_setup_%02d.lua", level);
        std::filesystem::create_directories(folder / "data/script/scene");
        std::ofstream(folder / name, std::ios::binary) << "function on_bonus() Story:SetFlag(\"on_bonus\") end\n"
                                                       << "function ok_saw() Story:SetFlag(\"ok_saw\") end\n"
                                                       << "function add_manager() Story:SetFlag(\"add_manager\") end\n"
                                                       << "function on_blumen() Story:SetFlag(\"on_blumen\") end\n"
                                                       << "function on_wbaum() Story:SetFlag(\"on_wbaum\") end\n"
                                                       << "function on_fill_parking_place() end\n"
                                                       << extra << "\n";
        Story& story = Story::Instance();
        story.ReleaseLevelScript();
        story.LoadLevelScript();
        ASSERT_NE(story.ScriptId(), -1);
        TakeCallbacks();
    }

    std::vector<std::string> TakeCallbacks()
    {
        std::vector<std::string> names;
        Story& story = Story::Instance();
        while (story.HasFlagEvents()) {
            names.push_back(story.LastFlag());
            story.PopFlagEvent();
        }
        return names;
    }

    // One frame of the bonus slots, ms milliseconds after the last.
    void Frame(double step = 18)
    {
        gfx.ClearRecords();
        Wait(step);
        made->DrawBonusSlots();
    }
    void Click()
    {
        world.leftClick = 1;
        Frame();
    }
    void MouseAway() { MoveMouse(-1000, -1000); }
    // The items' images drawn, without the help bubbles' pieces.
    std::vector<std::string> BonusNames() const
    {
        std::vector<std::string> names;
        for (const std::string& name : ImageNames()) {
            if (name.rfind("bonus", 0) == 0)
                names.push_back(name);
        }
        return names;
    }

    uint32_t Tinted(int alpha) const { return MakeARGB(alpha, 200, 210, 220); }

    std::unique_ptr<NumberedSubmenu> made;
};

} // namespace test
