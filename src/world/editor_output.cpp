// The station as Lua source for the level designers: the calls a level script
// makes to build what is on the screen now, to be pasted into the script.
// 8-bit text with CR LF line ends, under "editor/" of the user folder; nothing
// is written unless a designer made that folder.
#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "platform/file_access.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/saved_game_rows.h"

namespace {

const char* const kEnd = "---- END SCRIPT -------";

// Builds one file; "\n" becomes CR LF as the text is written.
class EditorText {
public:
    template <typename... Values> EditorText& Line(const Values&... values)
    {
        ((m_text << values), ...);
        m_text << "\r\n";
        return *this;
    }
    EditorText& Call(const char* name, std::initializer_list<int> arguments)
    {
        m_text << "Story:" << name << '(';
        const char* separator = "";
        for (int argument : arguments) {
            m_text << separator << argument;
            separator = ",";
        }
        m_text << ")\r\n";
        return *this;
    }
    std::string Bytes() const { return m_text.str(); }

private:
    std::ostringstream m_text;
};

bool IsWorkPlace(const cPlace& place)
{
    return place.type >= 6 && place.type <= 11;
}

std::string FileName(const char* format, int level)
{
    char name[96];
    std::snprintf(name, sizeof name, format, level);
    return name;
}

std::string AddToScript(const cGameWorld& world)
{
    const bool triple = cGameWorld::IsFirstLevelOfTriple(world.level);
    EditorText out;
    out.Line("function AddFromEditor()").Line("---- LEVEL  ", world.level).Line();
    out.Line("---- OVER SCRIPT -------");
    for (const cPlace& p : world.places) {
        if (p.type > 99)
            out.Call("AddMyOver", { p.type, p.x, p.y });
    }
    out.Line(kEnd).Line().Line("---- BODY SCRIPT -------");
    for (const cBody& b : world.bodies)
        out.Call("AddMyBody", { b.id, b.x, b.y });
    out.Line(kEnd).Line().Line("---- SUPER OVER SCRIPT -------");
    for (const cSuperOver& s : world.superOvers)
        out.Call("AddSuperOver", { s.id, s.x, s.y });
    out.Line(kEnd).Line().Line("---- FUNDAMENT SCRIPT -------");
    for (const cFundament& f : world.fundaments)
        out.Call("CreateFundament", { f.textureId, f.row, f.column, f.direction, f.content });
    out.Line(kEnd);
    if (!triple) {
        out.Line("---- PLACE SCRIPT -------");
        for (const cPlace& p : world.places) {
            if (IsWorkPlace(p))
                out.Call("CreatePlace", { p.type, p.row, p.column, p.direction });
        }
        for (const cFundament& f : world.fundaments) {
            if (f.content == -1)
                out.Call("CreatePlace", { 0, f.row, f.column, f.direction });
        }
    } else {
        for (const cFundament& f : world.fundaments) {
            if (f.autoType != -1)
                out.Line("Story:AddAutoToFundament(", f.row, ",", f.column, ",", cGameWorld::GetCarTypeName(f.autoType),
                    ")");
        }
    }
    out.Line(kEnd);
    if (!triple) {
        for (const cPlace& p : world.places) {
            if (IsWorkPlace(p))
                out.Call("SetColor", { p.row, p.column, p.type - 6 });
        }
        for (const cFundament& f : world.fundaments) {
            if (f.content == -1)
                out.Call("SetColor", { f.row, f.column, 0 });
        }
    }
    out.Line("end");
    return out.Bytes();
}

std::string LotScript(const cGameWorld& world)
{
    EditorText out;
    out.Line("function AddFromEditor()");
    for (const cFundament& f : world.fundaments)
        out.Call("CreateLot", { f.row, f.column, f.textureId, f.content, f.paramA, f.paramB, f.paramC });
    out.Line(kEnd).Line().Line("end");
    return out.Bytes();
}

std::string PlaceOffsets(const cGameWorld& world)
{
    EditorText out;
    out.Line("---- PLACE OFFSETS -------");
    for (const cPlace& p : world.places) {
        // `active` is the place's offsets-set byte.
        if (p.type < 100 && p.active)
            out.Call("SetObjectOffsets", { p.type, p.direction, p.objectOffsetX, p.objectOffsetY });
    }
    out.Line(kEnd);
    return out.Bytes();
}

std::string PlaceEffects(const cGameWorld& world)
{
    EditorText out;
    out.Line("---- EFFECTS -------");
    // Types 180..184 carry effects 22..26; a type above 184 takes the effect
    // of the place before it, or the last one when none came before.
    int effect = 26;
    for (const cPlace& p : world.places) {
        if (p.type < 180)
            continue;
        if (p.type <= 184)
            effect = 22 + (p.type - 180);
        out.Line("Story:CreateMyEffects(-1,", effect, ",1,0.075,", p.x, ",", p.y, ")");
    }
    out.Line(kEnd);
    return out.Bytes();
}

} // namespace

std::string cGameWorld::GetCarTypeName(int autoType)
{
    // The names the level scripts know the car types by.
    static const std::pair<int, const char*> kNames[] = { { 1, "CAR_BUS_RED" }, { 2, "CAR_BUS_BLACK" },
        { 3, "CAR_BUS_GREEN" }, { 4, "CISTERNE_BENZIN" }, { 5, "CISTERNE_DIESEL" }, { 6, "CISTERNE_BIO" },
        { 7, "CISTERNE_GAZ" }, { 8, "CISTERNE_ACCU" }, { 9, "CAR_BUS_BLUE" }, { 10, "CAR_BUS_YELLOW" },
        { 11, "CAR_SEDAN_BLUE" }, { 12, "CAR_SEDAN_YELLOW" }, { 13, "CAR_SEDAN_RED" }, { 14, "CAR_SEDAN_BLACK" },
        { 15, "CAR_SEDAN_GREEN" }, { 16, "CAR_TRACK_BLUE" }, { 17, "CAR_TRACK_YELLOW" }, { 18, "CAR_TRACK_RED" },
        { 19, "CAR_TRACK_BLACK" }, { 20, "CAR_TRACK_GREEN" }, { 21, "CAR_CRANE" }, { 25, "CAR_JEEP_RED" },
        { 26, "CAR_JEEP_BLACK" }, { 27, "CAR_JEEP_BLUE" }, { 28, "CAR_JEEP_YELLOW" }, { 29, "CAR_JEEP_GREEN" },
        { 41, "CAR_BETON" }, { 90, "CAR_JOKER" }, { 91, "CAR_JOKER" }, { 95, "CAR_POLICE" } };
    for (const auto& [id, name] : kNames) {
        if (id == autoType)
            return name;
    }
    return "UNKNOW";
}

bool cGameWorld::WriteEditorScripts()
{
    const bool stationLevel = level == 31;
    if (!editorOutput && !stationLevel)
        return true;

    struct Output {
        std::string name;
        std::string text;
    };
    std::vector<Output> outputs;
    if (stationLevel) {
        outputs.push_back({ FileName("add_to_script_%02d.src", level), LotScript(*this) });
    } else {
        outputs.push_back({ FileName("add_to_script_%02d.src", level), AddToScript(*this) });
        outputs.push_back({ FileName("change_it_in_global_script_for_level_%02d.src", level), PlaceOffsets(*this) });
        outputs.push_back({ FileName("00_effects_for_level_%02d.src", level), PlaceEffects(*this) });
        editorOutput = 0;
    }

    // A designer opts in by making the folder; without it nothing is written.
    const std::wstring folder = world::UserFilePath(*this, L"editor");
    platform::NoteFileAccess();
    struct stat st { };
    if (folder.empty() || ::stat(resources::ToNativePath(folder).c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return true;
    bool written = true;
    for (const Output& output : outputs) {
        const std::vector<uint8_t> bytes(output.text.begin(), output.text.end());
        const std::wstring path = folder + L"/" + platform::NarrowToWide(output.name);
        written = world::WritePlayerFile(L"cGameWorld::WriteEditorScripts", path, bytes) && written;
    }
    return written;
}
