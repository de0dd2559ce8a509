// The task dialog and the head-up display drawn headless: a scratch program
// folder with page sets in which every image is one pixel of page 0 at x = its
// number in the set's list, so a recorded draw names the image and the set it
// came from; a recording engine, mouse and sound engine; fonts of the
// recording engine; a frame clock set by hand; a world and GUI texts as made.
#pragma once

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/cursor_set.h"
#include "app/game_app_fonts.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/page_descriptor.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "support/recording_gfx.h"
#include "support/recording_sound.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

struct HudImage {
    std::string set; // the page set's folder, as written
    std::string name;
    int x = 0;
    int y = 0;
    uint32_t colour = 0;
};

class HudTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDirectory = std::filesystem::current_path().string();
        std::filesystem::current_path(folder.Path());
        platform::SetTimeSourceForTests([this] { return ms; });
        cClock::Instance().Reset();
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
        cCursorSet::Instance().SetCursor(L"Standard", 1);
        world.soundEngine = &sound;
        for (int i = 0; i < kFontCount; ++i)
            g_fonts[i] = gfx.CreateFont(L"calibry", 10 + i, 0);
        savedTexts.assign(&g_guiVocabulary[0][0], &g_guiVocabulary[0][0] + kGuiTextCount * kGuiTextLength);
        for (int i = 0; i < kGuiTextCount; ++i)
            std::swprintf(g_guiVocabulary[i], kGuiTextLength, L"text %d", i);
    }
    void TearDown() override
    {
        DeleteFonts();
        std::copy(savedTexts.begin(), savedTexts.end(), &g_guiVocabulary[0][0]);
        for (iSoundInstance*& slot : world.effectSounds)
            slot = nullptr;
        world.soundEngine = nullptr;
        world.musicStream = nullptr;
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        platform::SetTimeSourceForTests(nullptr);
        std::filesystem::current_path(oldDirectory);
    }

    // A page set whose page file holds the folder's name.
    void WriteSet(const std::string& dir, const std::vector<std::string>& images)
    {
        std::vector<std::tuple<std::string, int, int>> sized;
        for (const std::string& name : images)
            sized.emplace_back(name, 1, 1);
        WriteSizedSet(dir, sized);
    }
    // The same with each image of its own size (name, width, height), still
    // starting at x = its number on page 0.
    void WriteSizedSet(const std::string& dir, const std::vector<std::tuple<std::string, int, int>>& images)
    {
        std::filesystem::create_directories(folder / dir);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        sets[dir].clear();
        for (std::size_t i = 0; i < images.size(); ++i) {
            const auto& [name, width, height] = images[i];
            d.AddPart(d.AddImage(platform::NarrowToWide(name).c_str(), width, height), 0, static_cast<int>(i), 0, width,
                height);
            sets[dir].push_back(name);
        }
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        std::ofstream(folder / (dir + "/page0.png"), std::ios::binary) << dir;
    }

    std::vector<HudImage> Images() const
    {
        std::vector<HudImage> drawn;
        for (const GfxDraw& d : gfx.draws) {
            if (d.kind != GfxDraw::Kind::Texture)
                continue;
            const auto* texture = static_cast<const RecordingTexture*>(d.texture);
            const std::string set = texture ? std::string(texture->bytes.begin(), texture->bytes.end()) : "";
            const auto it = sets.find(set);
            const auto index = static_cast<std::size_t>(d.source.left);
            const std::string name = it != sets.end() && index < it->second.size() ? it->second[index] : "?";
            drawn.push_back({ set, name, static_cast<int>(d.target.left), static_cast<int>(d.target.top), d.color });
        }
        return drawn;
    }
    std::vector<std::string> ImageNames() const
    {
        std::vector<std::string> names;
        for (const HudImage& image : Images())
            names.push_back(image.name);
        return names;
    }
    // The first draw of the image.
    std::optional<HudImage> FindImage(const std::string& name) const
    {
        for (const HudImage& image : Images())
            if (image.name == name)
                return image;
        return std::nullopt;
    }
    std::vector<const GfxDraw*> TextDraws() const
    {
        std::vector<const GfxDraw*> texts;
        for (const GfxDraw& d : gfx.draws)
            if (d.kind == GfxDraw::Kind::Text || d.kind == GfxDraw::Kind::TextAlt)
                texts.push_back(&d);
        return texts;
    }
    int Played(const std::string& name) const
    {
        return static_cast<int>(std::count(sound.played.begin(), sound.played.end(), "data/sound/wav/" + name + ".wav"));
    }
    // Lets the frame clock run on by step milliseconds.
    void Wait(double step) { ms += step, cClock::Instance().Update(); }
    void MoveMouse(int x, int y) { input.x = x, input.y = y; }

    cGameWorld& world = cGameWorld::Instance();
    RecordingGfx gfx;
    FakeInput input;
    RecordingSoundEngine sound;
    TempFolder folder;
    std::map<std::string, std::vector<std::string>> sets;
    double ms = 10000.0;

private:
    std::string oldDirectory;
    std::vector<wchar_t> savedTexts;
};

} // namespace test
