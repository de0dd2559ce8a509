// The editor output: the exact text of each file, when each is written, and
// that the script it makes is valid Lua which, run in a fresh context, builds
// the same station again.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <lua.hpp>
#include <string>
#include <vector>

#include "player_files_fixture.h"
#include "saved_files_fixture.h"
#include "scripting/script_host.h"
#include "world/settings.h"

namespace fs = std::filesystem;

namespace {

std::string Crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class EditorOutput : public test::SavedFiles {
protected:
    void SetUp() override
    {
        SavedFiles::SetUp();
        cSettings::Instance().SetResolution(1280, 1024);
        world.ComputeLayout();
        fs::create_directory(File("editor"));
    }

    std::string Text(const std::string& name) const
    {
        std::ifstream in(File("editor/" + name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const { return fs::exists(File("editor/" + name)); }

    // The templates a level script declares; the editor output does not
    // write them.
    void DeclareTemplates()
    {
        world.AddFundament(1, "plate", "plate2", 9);
        world.AddPlace(6, "pump", 10);
        world.AddPlace(8, "wash", 20);
        world.SetObjectOffsets(6, 9, 4, -3);
        world.AddPlace(0, "free", 0);
        world.AddOver(101, "tree");
        world.AddOver(300, "sign");
        world.AddBody(200, "cloud");
    }

    // A small station built in the order its script builds it.
    void BuildStation()
    {
        world.level = 5;
        DeclareTemplates();
        world.AddMyOver(101, 300, 400, 0);
        world.AddMyOver(180, 10, 20, 0);
        world.AddMyOver(185, 30, 40, 0);
        world.AddMyBody(200, 50, 60);
        world.AddSuperOver(300, 70, 80);
        world.CreateFundament(1, 1, 2, 9, 3);
        world.CreateFundament(1, 1, 3, 9, 4);
        world.CreateFundament(1, 2, 2, 9, -1);
        world.CreatePlace(6, 1, 2, 9);
        world.CreatePlace(8, 1, 3, 9);
        world.CreatePlace(0, 2, 2, 9);
        world.SetColor(1, 2, 0);
        world.SetColor(1, 3, 2);
        world.SetColor(2, 2, 0);
    }
};

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
    EXPECT_TRUE(logged.empty());

    // A folder that cannot take the files: reported.
    fs::create_directory(File("editor"));
    fs::create_directory(File("editor/add_to_script_05.src"));
    world.editorOutput = 1;
    EXPECT_FALSE(world.WriteEditorScripts());
    EXPECT_TRUE(Logged(L"cGameWorld::WriteEditorScripts -> unable to write"));
    EXPECT_TRUE(Exists("00_effects_for_level_05.src"));
}

TEST(EditorCarNames, EveryIdHasItsName)
{
    const std::pair<int, const char*> names[] = { { 1, "CAR_BUS_RED" }, { 4, "CISTERNE_BENZIN" },
        { 8, "CISTERNE_ACCU" }, { 10, "CAR_BUS_YELLOW" }, { 15, "CAR_SEDAN_GREEN" }, { 16, "CAR_TRACK_BLUE" },
        { 20, "CAR_TRACK_GREEN" }, { 21, "CAR_CRANE" }, { 25, "CAR_JEEP_RED" }, { 29, "CAR_JEEP_GREEN" },
        { 41, "CAR_BETON" }, { 90, "CAR_JOKER" }, { 91, "CAR_JOKER" }, { 95, "CAR_POLICE" }, { 0, "UNKNOW" },
        { 22, "UNKNOW" }, { 42, "UNKNOW" }, { -1, "UNKNOW" }, { 96, "UNKNOW" } };
    for (const auto& [id, name] : names)
        EXPECT_EQ(cGameWorld::GetCarTypeName(id), name) << id;
}

// ---- Running the output ----

// Stands in for Story in a fresh Lua context: each method the output calls is
// recorded and applied to the world, as the level script's Story would.
struct StandIn {
    static std::vector<std::string>& Calls()
    {
        static std::vector<std::string> calls;
        return calls;
    }

    static int Method(lua_State* L)
    {
        const std::string name = lua_tostring(L, lua_upvalueindex(1));
        std::vector<double> a;
        std::string call = name + "(";
        for (int i = 2; i <= lua_gettop(L); ++i) {
            a.push_back(luaL_checknumber(L, i));
            call += (i > 2 ? "," : "") + std::to_string(a.back());
        }
        Calls().push_back(call + ")");
        auto n = [&](size_t i) { return i < a.size() ? static_cast<int>(a[i]) : 0; };
        cGameWorld& w = cGameWorld::Instance();
        if (name == "AddMyOver")
            w.AddMyOver(n(0), n(1), n(2), 0);
        else if (name == "AddMyBody")
            w.AddMyBody(n(0), n(1), n(2));
        else if (name == "AddSuperOver")
            w.AddSuperOver(n(0), n(1), n(2));
        else if (name == "CreateFundament")
            w.CreateFundament(n(0), n(1), n(2), n(3), n(4));
        else if (name == "CreatePlace")
            w.CreatePlace(n(0), n(1), n(2), n(3));
        else if (name == "SetColor")
            w.SetColor(n(0), n(1), n(2));
        else if (name == "AddAutoToFundament")
            w.AddAutoToFundament(n(0), n(1), n(2));
        else if (name == "CreateLot")
            w.CreateLot(n(0), n(1), n(2), n(3), n(4), n(5), n(6));
        return 0;
    }

    // Runs the chunk in a private context of the script host, then
    // AddFromEditor when the chunk defined it. Lua's error, or empty.
    static std::string Run(const std::string& chunk)
    {
        const char* methods[] = { "AddMyOver", "AddMyBody", "AddSuperOver", "CreateFundament", "CreatePlace",
            "SetColor", "AddAutoToFundament", "CreateLot", "SetObjectOffsets", "CreateMyEffects" };
        const int context = Scripting::AllocateContext();
        if (context < 0 || !Scripting::SelectContext(context))
            return "no context";
        lua_State* L = Scripting::GetCurrentState();
        lua_newtable(L);
        for (const char* method : methods) {
            lua_pushstring(L, method);
            lua_pushcclosure(L, &Method, 1);
            lua_setfield(L, -2, method);
        }
        lua_setglobal(L, "Story");
        for (int id = 0; id < 100; ++id) {
            lua_pushinteger(L, id);
            lua_setglobal(L, cGameWorld::GetCarTypeName(id).c_str());
        }
        std::string error;
        if (luaL_loadbuffer(L, chunk.data(), chunk.size(), "script") != LUA_OK || lua_pcall(L, 0, 0, 0) != LUA_OK) {
            error = lua_tostring(L, -1);
        } else {
            lua_getglobal(L, "AddFromEditor");
            if (lua_isfunction(L, -1) && lua_pcall(L, 0, 0, 0) != LUA_OK)
                error = lua_tostring(L, -1);
        }
        Scripting::RestoreContext();
        Scripting::FreeContext(context);
        return error;
    }
};

class EditorOutputRuns : public EditorOutput {
protected:
    void SetUp() override
    {
        EditorOutput::SetUp();
        ASSERT_TRUE(Script::Initialize());
        StandIn::Calls().clear();
    }
    void TearDown() override
    {
        Script::ShutDown();
        EditorOutput::TearDown();
    }

    // The station's records as comparable text.
    std::vector<std::string> Records() const
    {
        std::vector<std::string> out;
        for (const cPlace& p : world.places) {
            out.push_back("place " + std::to_string(p.type) + " at " + std::to_string(p.x) + "," + std::to_string(p.y)
                + " cell " + std::to_string(p.row) + "," + std::to_string(p.column) + " direction "
                + std::to_string(p.direction) + " colour " + std::to_string(p.colour) + " offsets "
                + std::to_string(p.objectOffsetX) + "," + std::to_string(p.objectOffsetY) + " texture " + p.texture);
        }
        for (const cFundament& f : world.fundaments) {
            out.push_back("fundament " + std::to_string(f.textureId) + " cell " + std::to_string(f.row) + ","
                + std::to_string(f.column) + " direction " + std::to_string(f.direction) + " content "
                + std::to_string(f.content) + " colour " + std::to_string(f.colour) + " car "
                + std::to_string(f.autoType) + " lot " + std::to_string(f.paramA) + std::to_string(f.paramB)
                + std::to_string(f.paramC) + " status " + std::to_string(f.status));
        }
        for (const cBody& b : world.bodies)
            out.push_back("body " + std::to_string(b.id) + " " + std::to_string(b.x) + "," + std::to_string(b.y));
        for (const cSuperOver& s : world.superOvers)
            out.push_back("super " + std::to_string(s.id) + " " + std::to_string(s.x) + "," + std::to_string(s.y));
        return out;
    }

    // A fresh world of the same level with the script's templates.
    void FreshWorld(int level, bool templates)
    {
        world.ResetToDefaults();
        world.userFolder = std::wstring(user.Path().begin(), user.Path().end());
        world.ComputeLayout();
        world.level = level;
        if (templates)
            DeclareTemplates();
    }
};

TEST_F(EditorOutputRuns, TheStationScriptRebuildsTheStation)
{
    BuildStation();
    const auto station = Records();
    world.editorOutput = 1;
    ASSERT_TRUE(world.WriteEditorScripts());
    const std::string script = Text("add_to_script_05.src");

    FreshWorld(5, true);
    ASSERT_EQ(StandIn::Run(script), "");
    EXPECT_EQ(Records(), station);
    EXPECT_EQ(StandIn::Calls().size(), 14u);

    // The other two files are valid Lua too.
    for (const char* name : { "change_it_in_global_script_for_level_05.src", "00_effects_for_level_05.src" })
        EXPECT_EQ(StandIn::Run(Text(name)), "") << name;
    EXPECT_EQ(StandIn::Calls().back(), "CreateMyEffects(-1.000000,22.000000,1.000000,0.075000,30.000000,40.000000)");
}

TEST_F(EditorOutputRuns, TheParkedCarsAndTheLotsRebuildToo)
{
    world.level = 7;
    DeclareTemplates();
    world.CreateFundament(1, 0, 0, 9, 13);
    world.CreateFundament(1, 9, 9, 9, 95);
    world.AddAutoToFundament(0, 0, 13);
    world.AddAutoToFundament(9, 9, 95);
    auto before = Records();
    world.editorOutput = 1;
    ASSERT_TRUE(world.WriteEditorScripts());
    FreshWorld(7, true);
    ASSERT_EQ(StandIn::Run(Text("add_to_script_07.src")), "");
    EXPECT_EQ(Records(), before);

    FreshWorld(31, false);
    world.AddFundament(3, "plate", "plate2", 9);
    world.CreateLot(2, 3, 3, 20, 1, 0, 1);
    world.CreateLot(4, 5, 7, 21, 0, 1, 0);
    before = Records();
    ASSERT_TRUE(world.WriteEditorScripts());
    FreshWorld(31, false);
    world.AddFundament(3, "plate", "plate2", 9);
    ASSERT_EQ(StandIn::Run(Text("add_to_script_31.src")), "");
    EXPECT_EQ(Records(), before);
}

// Saving the settings writes the editor output as well.
using EditorOutputOfSettings = test::PlayerFiles;

TEST_F(EditorOutputOfSettings, SaveConfigWritesTheEditorOutput)
{
    Load();
    ASSERT_FALSE(world.userFolder.empty());
    fs::create_directory(UserFile("editor"));
    world.level = 5;
    world.editorOutput = 1;
    EXPECT_TRUE(world.SaveConfig());
    EXPECT_TRUE(fs::exists(UserFile("editor/add_to_script_05.src")));
    EXPECT_EQ(world.editorOutput, 0);
}

} // namespace
