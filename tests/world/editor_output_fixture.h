// A user folder with an "editor" folder and the small station the editor
// output tests write and rebuild.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "player_files_fixture.h"
#include "world/settings.h"

namespace test {

// The text with every "\n" as CR LF, as the editor files hold it.
inline std::string Crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class EditorOutput : public SavedFiles {
protected:
    void SetUp() override
    {
        SavedFiles::SetUp();
        cSettings::Instance().SetResolution(1280, 1024);
        world.ComputeLayout();
        std::filesystem::create_directory(File("editor"));
    }

    std::string Text(const std::string& name) const
    {
        std::ifstream in(File("editor/" + name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(File("editor/" + name)); }

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

} // namespace test
