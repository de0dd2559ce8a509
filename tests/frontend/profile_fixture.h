// The profile screen drawn headless: the start page as one-pixel images of a
// scratch program folder, a user folder of its own, six profiles, and frames
// with the mouse at a place and an optional click.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frontend/menu_start.h"
#include "resources/property_file.h"
#include "scene/hud_fixture.h"

namespace test {

const std::vector<std::string> kProfileImages = { "helper_rahmen.png", "helper_balken.png", "menu_profile.png",
    "user_active.png", "user_passive.png", "user_over.png", "wheel_left.png", "wheel_right.png", "button_short_off.png",
    "button_short_over.png", "tankstelle.png" };

// The start screen with its page loaded from the scratch folder.
class ProfileScreen : public Scene::MenuStart {
public:
    void LoadPage(const wchar_t* folder) { pages[kStartPage].Load(folder); }
};

class ProfileTest : public HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_start", kProfileImages);
        user = folder / "user";
        std::filesystem::create_directories(user);
        world.userFolder = platform::NarrowToWide(user);
        cSettings::Instance().canSave = true;
        world.fullScreen = 1; // no window hint unless a test asks for it
        world.profilesOpen = 1;
        world.currentProfile = 1;
        for (int p = 1; p <= 6; ++p) {
            world.profileLastLevel[p] = 1;
            world.profileDrive[p] = 0;
        }
        world.profileNames[1] = L"Ada";
        world.profileNames[2] = L"Bo";
        world.profileLastLevel[1] = 7;
        world.profileLastLevel[2] = 12;
        screen.LoadPage(L"data/gui/interface/menu/menu_start");
        MoveMouse(0, 0);
    }

    // One frame with the mouse at (x, y), clicked when asked.
    void Frame(int x, int y, bool click = false)
    {
        MoveMouse(x, y);
        world.leftClick = click ? 1 : 0;
        world.clickEvent = click ? 1 : 0;
        gfx.ClearRecords();
        Wait(17);
        screen.DrawProfiles();
    }
    void Click(int x, int y) { Frame(x, y, true); }
    int Count(const std::wstring& text) const
    {
        const auto texts = gfx.Texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
    // The text drawn last with this content (the coloured pass).
    const GfxDraw* LastText(const std::wstring& text) const
    {
        const GfxDraw* found = nullptr;
        for (const GfxDraw* d : TextDraws()) {
            if (d->text == text)
                found = d;
        }
        return found;
    }
    std::string UserPath(const std::string& name) const { return user + "/" + name; }
    void Touch(const std::string& name) const { std::ofstream(UserPath(name)) << "x"; }
    bool Exists(const std::string& name) const { return std::filesystem::exists(UserPath(name)); }
    PropertyFile ReadUserFile(const std::string& name) const
    {
        PropertyFile file;
        EXPECT_TRUE(file.Serialize(platform::NarrowToWide(UserPath(name)), false));
        return file;
    }

    ProfileScreen screen;
    std::string user;
};

// Where the parts lie on a screen 1280 wide.
constexpr int kNewGameX = 410, kPlayX = 655, kOkX = 530, kButtonLine = 860, kLowerLine = 930;
constexpr int kQuitX = 655, kOptionsX = 410;
inline int SlotX(int k)
{
    return 410 + (k <= 3 ? 0 : 290);
}
inline int SlotY(int k)
{
    return 415 + 55 * ((k - 1) % 3);
}

} // namespace test
