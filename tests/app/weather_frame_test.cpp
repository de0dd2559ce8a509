// The fog of the foggy levels as a player sees it: the real program, headless,
// at either screen size, plays into a level, holds it still and shoots the
// frame twice, once without its fog and once under it at the strength the
// level's script gives it. From the two frames each pixel tells how much fog
// lies on it; both are saved as test-output/fog_<width>_level_<n>[_clear].png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/utf16.h"
#include "scene/menu_effects.h"
#include "support/layout_check.h"
#include "support/menu_route.h"
#include "whole_game_fixture.h"

namespace {

struct Case {
    int level, width, height;
    bool edges = false; // the ground is dark enough to see the fog's edges on
};

struct Shot {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    std::vector<RECT> cars; // where the frame drew cars
};

double Luminance(uint32_t p)
{
    auto linear = [](uint32_t c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((p >> 16) & 0xFF) + 0.7152 * linear((p >> 8) & 0xFF) + 0.0722 * linear(p & 0xFF);
}

class FogApp : public cPPApp {
public:
    explicit FogApp(Case c)
        : c(c)
    {
    }

    bool Frame() override
    {
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        if (frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (top != L"cStateGame" && (menuFrames > 0 || test::StartScreenOpen()) && ++menuFrames == 40) {
            world.profilesOpen = 1;
            test::PlayLevelFromMap(c.level);
        }
        if (top == L"cStateGame" && OnLevel(world))
            return false;
        return cPPApp::Frame() && frames < 5000;
    }

    Shot clear, fogged;

protected:
    void StartEngine() override
    {
        recorder.reset();
        cPPApp::StartEngine();
        recorder = std::make_unique<test::RecordingGfx>(g_pGfxDevice, g_pGfx2D);
    }
    void StopEngine() override
    {
        recorder.reset();
        cPPApp::StopEngine();
    }
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }

private:
    // Past the task dialog the level runs a while, then stands still: the
    // fog off for one shot, and on at the level's own strength, its two
    // layers where they start, for the other. True once both are taken.
    bool OnLevel(cGameWorld& world)
    {
        ++levelFrames;
        if (levelFrames == 5)
            platform::InjectKey(window, "Escape", true);
        if (levelFrames == 60) {
            world.paused = 1;
            fogOn = world.fogOn;
            world.fogOn = 0;
        }
        if (levelFrames == 64)
            Take(clear, "_clear");
        if (levelFrames == 65) {
            world.fogOn = fogOn;
            if (auto* effects = Scene::MenuEffects::Instance()) {
                effects->ResetClouds();
                effects->SetFog(world.fogAlpha, Scene::MenuEffects::kFogFadeSeconds, 0);
            }
        }
        if (levelFrames == 69) {
            Take(fogged, "");
            return true;
        }
        return false;
    }

    void Take(Shot& shot, const std::string& suffix)
    {
        const std::string path = "test-output/fog_" + std::to_string(c.width) + "_level_" + std::to_string(c.level) + suffix + ".png";
        if (g_pGfxDevice)
            g_pGfxDevice->SaveScreenshot(nullptr, nullptr, platform::NarrowToWide(path).c_str(), 90, 0);
        engine::ReadFrame(&shot.pixels, &shot.width, &shot.height);
        static test::ImageCatalog catalog;
        static const bool loaded = (catalog.Load(VANDREL_SOURCE_DIR "/tools/art/images"), true);
        if (!loaded || !recorder)
            return;
        for (const test::GfxDraw& d : recorder->draws) {
            const test::ImageCatalog::Image* image = d.kind == test::GfxDraw::Kind::Texture ? catalog.Find(*recorder, d) : nullptr;
            if (image && image->kind == "car")
                shot.cars.push_back(d.target);
        }
    }

    Case c;
    std::unique_ptr<test::RecordingGfx> recorder;
    int frames = 0, menuFrames = 0, levelFrames = 0, fogOn = 0;
};

// How much fog lies on each column of the play area: the median, over the
// column's pixels that differ enough from the fog's own colour, of how far
// each moved from its clear colour towards the fog's.
std::vector<double> FogByColumn(const Shot& clear, const Shot& fogged)
{
    const double fog = Luminance(0xE4E7EC);
    std::vector<double> columns(static_cast<size_t>(clear.width), 0.0);
    for (int x = 0; x < clear.width; ++x) {
        std::vector<double> share;
        for (int y = clear.height / 6; y < clear.height * 9 / 10; ++y) {
            const size_t i = static_cast<size_t>(y) * clear.width + x;
            const double before = Luminance(clear.pixels[i]);
            if (fog - before > 0.3)
                share.push_back((Luminance(fogged.pixels[i]) - before) / (fog - before));
        }
        // Too few such pixels say nothing: the column keeps its neighbour's.
        if (share.size() < 40) {
            columns[static_cast<size_t>(x)] = x > 0 ? columns[static_cast<size_t>(x) - 1] : 0.0;
        } else {
            std::nth_element(share.begin(), share.begin() + share.size() / 2, share.end());
            columns[static_cast<size_t>(x)] = share[share.size() / 2];
        }
    }
    return columns;
}

// How the mark on a car's roof reads: its letter's pixels are the white ones
// of the car in the clear frame, its ground the pixels around them; the ratio
// of their luminances in `shot`; 0 where the car shows no letter.
double MarkContrast(const Shot& clear, const Shot& shot, const RECT& car)
{
    const int left = std::max<int>(0, car.left), top = std::max<int>(0, car.top);
    const int right = std::min<int>(car.right, clear.width), bottom = std::min<int>(car.bottom, clear.height);
    auto at = [&](int x, int y) { return static_cast<size_t>(y) * clear.width + x; };
    auto white = [&](int x, int y) {
        const uint32_t p = clear.pixels[at(x, y)];
        return ((p >> 16) & 0xFF) > 225 && ((p >> 8) & 0xFF) > 225 && (p & 0xFF) > 225;
    };
    double letter = 0;
    int letters = 0;
    std::vector<double> ground;
    for (int y = top + 3; y < bottom - 3; ++y)
        for (int x = left + 3; x < right - 3; ++x) {
            if (white(x, y)) {
                letter += Luminance(shot.pixels[at(x, y)]), ++letters;
                continue;
            }
            bool near = false;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    near = near || white(x + dx, y + dy);
            if (near)
                ground.push_back(Luminance(shot.pixels[at(x, y)]));
        }
    if (letters < 4 || ground.empty())
        return 0;
    std::nth_element(ground.begin(), ground.begin() + ground.size() / 2, ground.end());
    const double g = ground[ground.size() / 2], l = letter / letters;
    return (std::max(g, l) + 0.05) / (std::min(g, l) + 0.05);
}

class FogFrames : public WholeGameTest, public ::testing::WithParamInterface<Case> { };

TEST_P(FogFrames, IsSoftEverywhereAndLeavesTheCarMarksReadable)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    std::filesystem::create_directories("test-output");
    ShowLogos();
    FogApp app(GetParam());
    app.Run();
    ASSERT_FALSE(app.fogged.pixels.empty());
    ASSERT_EQ(app.clear.pixels.size(), app.fogged.pixels.size());
    const std::vector<double> columns = FogByColumn(app.clear, app.fogged);
    double jump = 0;
    int at = 0;
    for (size_t x = 0; x < columns.size(); ++x) {
        if (x > 0 && std::fabs(columns[x] - columns[x - 1]) > jump)
            jump = std::fabs(columns[x] - columns[x - 1]), at = static_cast<int>(x);
    }
    if (GetParam().edges) {
        EXPECT_LT(jump, 0.05) << "a hard edge in the fog at column " << at;
    }
    // The marks on the cars stay readable under the fog: the 3 : 1 a large
    // text needs on its ground (the mark's letter is a symbol, not a word).
    // A car that moved between the two shots is not judged.
    for (const RECT& car : app.clear.cars) {
        if (car.left < 0 || car.top < 0 || car.right > app.clear.width || car.bottom > app.clear.height
            || MarkContrast(app.clear, app.clear, car) < 3.0
            || std::ranges::none_of(app.fogged.cars, [&](const RECT& r) { return r.left == car.left && r.top == car.top; }))
            continue;
        EXPECT_GE(MarkContrast(app.clear, app.fogged, car), 3.0)
            << "the mark of the car at (" << car.left << ", " << car.top << ") under the fog";
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, FogFrames,
    ::testing::Values(Case { 2, 1280, 1024, true }, Case { 2, 1024, 768, true }, Case { 6, 1280, 1024, true },
        Case { 6, 1024, 768, true },
        Case { 9, 1024, 768 }, Case { 19, 1024, 768 }, Case { 20, 1024, 768 }, Case { 24, 1024, 768 },
        Case { 27, 1024, 768 }),
    [](const auto& info) { return "level_" + std::to_string(info.param.level) + "_" + std::to_string(info.param.width); });

} // namespace
