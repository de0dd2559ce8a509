// The world map drawn headless: the map's page sets in a scratch program
// folder (every image one pixel at x = its number in the list, named with and
// without ".png"), recording screens in the menu manager's slots, a task table
// of thirty levels and the city, and a profile that has come to level 5.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "frontend/menu_overlux.h"
#include "scene/hud_fixture.h"
#include "scene/recording_screens.h"

namespace test {

inline std::vector<std::string> MapImageNames()
{
    std::vector<std::string> names = { "map2.png", "map4.png", "mirage1.png", "mirage2.png", "fishka_01.png",
        "fishka_02.png", "fishka_03.png", "fishka_04.png", "fishka_05.png", "fishka_over.png", "fishka_over_city.png",
        "fishka_bonus.png", "bank.png", "top3.png", "blase_left_01.png", "blase_left_02.png", "blase_left_03.png",
        "button_short_off.png", "button_short_over.png", "button_short_blue_off.png", "button_short_blue_over.png" };
    char name[32];
    for (int k = 0; k < 29; ++k) {
        std::snprintf(name, sizeof name, "anim00%02d.png", k);
        names.push_back(name);
    }
    for (int k = 0; k < 40; ++k) {
        std::snprintf(name, sizeof name, "stars00%02d.png", k);
        names.push_back(name);
        std::snprintf(name, sizeof name, "stars200%02d.png", k);
        names.push_back(name);
    }
    return names;
}

class WorldMapTest : public HudTest {
protected:
    static constexpr const char* kSet1280 = "data/gui/interface/menu/menu_overlux";
    static constexpr const char* kSet1024 = "data/gui/interface/menu/menu_overlux_1024";

    void SetUp() override
    {
        HudTest::SetUp();
        WriteMapSet(kSet1280);
        WriteMapSet(kSet1024);
        ScreenCalls().clear();
        cMenuManager::Instance().SetFactoryForTests(MakeRecordingScreen);
        ASSERT_TRUE(cMenuManager::Instance().CreateMenus());
        for (int level = 1; level <= 31; ++level) {
            cTaskRow row;
            row.level = level;
            row.pinX = 100 + 30 * level;
            row.pinY = 200 + 15 * level;
            if (level == 8) {
                row.lotRow = 4;
                row.lotCol = 3;
                row.requiredKind = 3;
            }
            row.text = L"task " + std::to_wstring(level);
            world.taskRows.push_back(row);
        }
        world.placeNameRows.push_back({ 4, 3, L"Workshop" });
        world.currentProfile = 2;
        world.profileNames[2] = L"Kim";
        SetFurthest(5);
        world.level = 5;
        world.intro = 3;
        for (int level = 0; level < world::kLevelTableSize; ++level)
            world.levelStatus[level] = -1;
        map.SetActive(true);
        MoveMouse(0, 0);
    }
    void TearDown() override
    {
        map.SetActive(false);
        cMenuManager::Instance().DestroyMenus();
        cMenuManager::Instance().SetFactoryForTests(nullptr);
        ScreenCalls().clear();
        HudTest::TearDown();
    }

    void WriteMapSet(const std::string& dir)
    {
        std::filesystem::create_directories(folder / dir);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        const std::vector<std::string> images = MapImageNames();
        for (std::size_t i = 0; i < images.size(); ++i) {
            const std::wstring name = platform::NarrowToWide(images[i]);
            const int image = d.AddImage(name.c_str(), 1, 1);
            d.AddPart(image, 0, static_cast<int>(i), 0, 1, 1);
            d.SetImageAlias(image, name.substr(0, name.size() - 4).c_str());
        }
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        std::ofstream(folder / (dir + "/page0.png"), std::ios::binary) << dir;
        sets[dir] = images;
    }

    void SetFurthest(int level)
    {
        world.profileLastLevel[world.currentProfile] = level;
        world.furthestLevel = level;
    }

    // One frame of the map, 20 ms after the last.
    void Frame(double step = 20.0)
    {
        gfx.ClearRecords();
        Wait(step);
        map.Draw();
    }
    void Click()
    {
        world.leftClick = 1;
        Frame();
    }

    // The middle of a level's pin on the screen.
    void HoverPin(int level)
    {
        const cSettings& settings = cSettings::Instance();
        const int x = 100 + 30 * level - 45 + 35;
        const int y = 200 + 15 * level - 80 + 50;
        MoveMouse(static_cast<int>(x / settings.scaleX), static_cast<int>(y / settings.scaleY));
    }
    // The middle of a button of the map's row, by its design x.
    void HoverButton(int designX)
    {
        const cSettings& settings = cSettings::Instance();
        MoveMouse(static_cast<int>((designX + 100) / settings.scaleX), static_cast<int>(975 / settings.scaleY));
    }

    std::vector<HudImage> Named(const std::string& name) const
    {
        std::vector<HudImage> found;
        for (const HudImage& image : Images()) {
            if (image.name == name)
                found.push_back(image);
        }
        return found;
    }
    int CountText(const std::wstring& text) const
    {
        int count = 0;
        for (const std::wstring& drawn : gfx.Texts())
            count += drawn == text ? 1 : 0;
        return count;
    }
    const GfxDraw* FindText(const std::wstring& text) const
    {
        for (const GfxDraw& d : gfx.draws) {
            if ((d.kind == GfxDraw::Kind::Text || d.kind == GfxDraw::Kind::TextAlt) && d.text == text)
                return &d;
        }
        return nullptr;
    }
    static uint8_t Alpha(uint32_t colour) { return static_cast<uint8_t>(colour >> 24); }

    Scene::MenuOverlux map;
};

} // namespace test
