// The editor output run: valid Lua that, loaded with the script host in a
// fresh context, builds the same station again; and SaveConfig writing it.
#include <filesystem>
#include <lua.hpp>
#include <string>
#include <vector>

#include "editor_output_fixture.h"
#include "player_files_fixture.h"
#include "scripting/script_host.h"

namespace fs = std::filesystem;

namespace {

using test::EditorOutput;

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
        world.userFolder = std::wstring(home.Path().begin(), home.Path().end());
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
