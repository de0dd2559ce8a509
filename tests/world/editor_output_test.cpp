// The editor output: the exact text of each file, and when each is written.
#include <filesystem>
#include <string>

#include "editor_output_fixture.h"

namespace fs = std::filesystem;

namespace {

using test::Crlf;
using test::EditorOutput;

const char* const kStationScript = "function AddFromEditor()\n"
                                   "---- LEVEL  5\n\n"
                                   "---- OVER SCRIPT -------\n"
                                   "Story:AddMyOver(101,300,400)\n"
                                   "Story:AddMyOver(180,10,20)\n"
                                   "Story:AddMyOver(185,30,40)\n"
                                   "---- END SCRIPT -------\n\n"
                                   "---- BODY SCRIPT -------\n"
                                   "Story:AddMyBody(200,50,60)\n"
                                   "---- END SCRIPT -------\n\n"
                                   "---- SUPER OVER SCRIPT -------\n"
                                   "Story:AddSuperOver(300,70,80)\n"
                                   "---- END SCRIPT -------\n\n"
                                   "---- FUNDAMENT SCRIPT -------\n"
                                   "Story:CreateFundament(1,1,2,9,3)\n"
                                   "Story:CreateFundament(1,1,3,9,4)\n"
                                   "Story:CreateFundament(1,2,2,9,-1)\n"
                                   "---- END SCRIPT -------\n"
                                   "---- PLACE SCRIPT -------\n"
                                   "Story:CreatePlace(6,1,2,9)\n"
                                   "Story:CreatePlace(8,1,3,9)\n"
                                   "Story:CreatePlace(0,2,2,9)\n"
                                   "---- END SCRIPT -------\n"
                                   "Story:SetColor(1,2,0)\n"
                                   "Story:SetColor(1,3,2)\n"
                                   "Story:SetColor(2,2,0)\n"
                                   "end\n";

TEST_F(EditorOutput, AStationLevelWritesItsThreeFiles)
{
    BuildStation();
    world.places[4].active = 0; // the wash's offsets were never set
    world.editorOutput = 1;
    ASSERT_TRUE(world.WriteEditorScripts());
    EXPECT_EQ(world.editorOutput, 0);
    EXPECT_EQ(Text("add_to_script_05.src"), Crlf(kStationScript));
    EXPECT_EQ(Text("change_it_in_global_script_for_level_05.src"),
        Crlf("---- PLACE OFFSETS -------\n"
             "Story:SetObjectOffsets(6,9,4,-3)\n"
             "Story:SetObjectOffsets(0,9,0,0)\n"
             "---- END SCRIPT -------\n"));
    // 185 takes the effect of the place before it.
    EXPECT_EQ(Text("00_effects_for_level_05.src"),
        Crlf("---- EFFECTS -------\n"
             "Story:CreateMyEffects(-1,22,1,0.075,10,20)\n"
             "Story:CreateMyEffects(-1,22,1,0.075,30,40)\n"
             "---- END SCRIPT -------\n"));
}

TEST_F(EditorOutput, EffectsFollowThePlaceTypes)
{
    world.level = 2;
    world.editorOutput = 1;
    for (int type : { 186, 184, 183, 182, 181, 180, 179, 100 })
        world.AddMyOver(type, type, 1, 0);
    ASSERT_TRUE(world.WriteEditorScripts());
    EXPECT_EQ(Text("00_effects_for_level_02.src"),
        Crlf("---- EFFECTS -------\n"
             "Story:CreateMyEffects(-1,26,1,0.075,186,1)\n"
             "Story:CreateMyEffects(-1,26,1,0.075,184,1)\n"
             "Story:CreateMyEffects(-1,25,1,0.075,183,1)\n"
             "Story:CreateMyEffects(-1,24,1,0.075,182,1)\n"
             "Story:CreateMyEffects(-1,23,1,0.075,181,1)\n"
             "Story:CreateMyEffects(-1,22,1,0.075,180,1)\n"
             "---- END SCRIPT -------\n"));
}

TEST_F(EditorOutput, TheFirstLevelOfATripleListsTheParkedCars)
{
    world.level = 4;
    DeclareTemplates();
    world.CreateFundament(1, 1, 2, 9, 13);
    world.CreateFundament(1, 1, 3, 9, 42);
    world.CreateFundament(1, 5, 5, 9, -1);
    world.AddAutoToFundament(1, 2, 13);
    world.AddAutoToFundament(1, 3, 42);
    world.editorOutput = 1;
    ASSERT_TRUE(world.WriteEditorScripts());
    const std::string text = Text("add_to_script_04.src");
    EXPECT_EQ(text.find("---- PLACE SCRIPT"), std::string::npos);
    EXPECT_EQ(text.find("SetColor"), std::string::npos);
    EXPECT_NE(text.find(Crlf("Story:CreateFundament(1,5,5,9,-1)\n"
                             "---- END SCRIPT -------\n"
                             "Story:AddAutoToFundament(1,2,CAR_SEDAN_RED)\n"
                             "Story:AddAutoToFundament(1,3,UNKNOW)\n"
                             "---- END SCRIPT -------\n"
                             "end\n")),
        std::string::npos)
        << text;
}

TEST_F(EditorOutput, TheStationBuildingLevelWritesItsLots)
{
    world.level = 31;
    world.AddFundament(3, "plate", "plate2", 9);
    world.CreateLot(2, 3, 3, 20, 1, 0, 1);
    world.CreateLot(4, 5, 7, 21, 0, 1, 0);
    ASSERT_TRUE(world.WriteEditorScripts());
    EXPECT_EQ(world.editorOutput, 0);
    EXPECT_EQ(Text("add_to_script_31.src"),
        Crlf("function AddFromEditor()\n"
             "Story:CreateLot(2,3,3,20,1,0,1)\n"
             "Story:CreateLot(4,5,7,21,0,1,0)\n"
             "---- END SCRIPT -------\n\n"
             "end\n"));
    EXPECT_FALSE(Exists("change_it_in_global_script_for_level_31.src"));
    EXPECT_FALSE(Exists("00_effects_for_level_31.src"));

    // The switch keeps its value in this level.
    world.editorOutput = 1;
    ASSERT_TRUE(world.WriteEditorScripts());
    EXPECT_EQ(world.editorOutput, 1);
}

TEST_F(EditorOutput, NothingIsWrittenWithoutTheSwitchOrTheFolder)
{
    BuildStation();
    ASSERT_TRUE(world.WriteEditorScripts());
    EXPECT_TRUE(fs::is_empty(File("editor")));

    fs::remove(File("editor"));
    world.editorOutput = 1;
    EXPECT_TRUE(world.WriteEditorScripts());
    EXPECT_FALSE(fs::exists(File("editor")));
    EXPECT_EQ(world.editorOutput, 0);
    EXPECT_TRUE(logLines.empty());

    // A folder that cannot take the files: reported.
    fs::create_directory(File("editor"));
    fs::create_directory(File("editor/add_to_script_05.src"));
    world.editorOutput = 1;
    EXPECT_FALSE(world.WriteEditorScripts());
    EXPECT_TRUE(Logged(L"cGameWorld::WriteEditorScripts -> unable to write"));
    EXPECT_TRUE(Exists("00_effects_for_level_05.src"));
}

} // namespace
