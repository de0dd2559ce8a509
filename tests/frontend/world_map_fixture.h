// The world map drawn headless: thirty levels and the city in the task table,
// pins at (100 + 30 n, 200 + 15 n); level 8 needs a workshop on 4, 3; profile
// "Kim" has come to level 5. Every map image is one pixel of its set, so a
// recorded draw names the image.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "frontend/result_screen.h"
#include "frontend/world_map.h"
#include "scene/hud_fixture.h"
#include "scene/recording_screens.h"

namespace test {

class WorldMapTest : public HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        std::vector<std::string> images
            = { "map2.png", "map4.png", "mirage1.png", "mirage2.png", "fishka_01.png", "fishka_02.png", "fishka_03.png",
                  "fishka_04.png", "fishka_05.png", "fishka_over.png", "fishka_over_city.png", "fishka_bonus.png",
                  "bank.png", "top3.png", "blase_left_01", "blase_left_02", "blase_left_03", "button_short_off.png",
                  "button_short_over.png", "button_short_blue_off.png", "button_short_blue_over.png" };
        for (const char* button :
            { "button_short_off", "button_short_over", "button_short_blue_off", "button_short_blue_over" })
            images.push_back(button);
        char name[32];
        for (int k = 0; k < 29; ++k) {
            std::snprintf(name, sizeof name, "anim00%02d", k);
            images.push_back(name);
        }
        WriteSet("data/gui/interface/menu/menu_overlux", images);
        cScreenManager::Instance().SetFactoryForTests(MakeRecordingScreen);
        ASSERT_TRUE(cScreenManager::Instance().CreateScreens());
        for (int level = 1; level <= 31; ++level) {
            const bool workshop = level == 8;
            world.taskRows.push_back({ level, 100 + 30 * level, 200 + 15 * level, workshop ? 4 : 0, workshop ? 3 : 0,
                workshop ? 3 : 0, L"task " + std::to_wstring(level) });
        }
        world.placeNameRows.push_back({ 4, 3, L"Workshop" });
        world.currentProfile = 2;
        world.profileNames[2] = L"Kim";
        SetFurthest(5);
        world.level = 5;
        world.intro = 3;
        for (int& status : world.levelStatus)
            status = -1;
        map.SetActive(true);
    }
    void TearDown() override
    {
        map.SetActive(false);
        cScreenManager::Instance().DestroyScreens();
        cScreenManager::Instance().SetFactoryForTests(nullptr);
        ScreenCalls().clear();
        HudTest::TearDown();
    }
    void SetFurthest(int level) { world.profileLastLevel[world.currentProfile] = world.furthestLevel = level; }
    // One frame of the map, step milliseconds after the last.
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
    void HoverPin(int level) { MoveMouse(100 + 30 * level - 10, 200 + 15 * level - 30); }
    // The middle of a button of the map's row, by its design x.
    void HoverButton(int designX) { MoveMouse(designX + 100, 975); }
    std::vector<HudImage> Named(const std::string& name) const
    {
        std::vector<HudImage> found;
        for (const HudImage& image : Images())
            if (image.name == name)
                found.push_back(image);
        return found;
    }
    int CountText(const std::wstring& text) const
    {
        const auto texts = gfx.Texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
    const GfxDraw* FindText(const std::wstring& text) const
    {
        for (const GfxDraw* d : TextDraws()) {
            if (d->text == text)
                return d;
        }
        return nullptr;
    }

    Scene::WorldMap map;
};

} // namespace test
