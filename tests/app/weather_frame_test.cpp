// The weather over a level as a player sees it: the real program, headless,
// at either screen size, plays into a level, holds it still and shoots the
// frame without the weather under test and then with it: the fog at the
// level's strength, a broken place's smoke at each of its frames, the
// passing cloud along its way with and without its shadow. From the shots
// each pixel tells how much the weather lies on it; all are saved as
// test-output/<fog|smoke|cloud>_<width>_level_<n>_<shot>.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_testing.h"
#include "recorded_app.h"
#include "scene/car_layer.h"
#include "scene/effects_layer.h"
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

// A level as a player sees it, held still and shot several times: once with
// the overlay under test taken away, then once for each of its scenes. Each
// shot is saved as test-output/<name>_<width>_level_<n><suffix>.png.
class LevelShotsApp : public RecordedApp {
public:
    // The run keeps its own clock, a 60th of a second a frame, so the level
    // stands where it stands however busy the machine is.
    LevelShotsApp(Case c, std::string name, int scenes)
        : c(c)
        , name(std::move(name))
        , scenes(scenes)
    {
        platform::SetTimeSourceForTests([this] { return ms; });
    }
    ~LevelShotsApp() override { platform::SetTimeSourceForTests(nullptr); }

    bool Frame() override
    {
        ++frames;
        ms += 1000.0 / 60.0;
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
        return cGameApp::Frame() && frames < 5000;
    }

    Shot clear;
    std::vector<Shot> shots;

protected:
    // Takes the overlay away for the clear shot, with the game paused.
    virtual void Hide(cGameWorld& world) = 0;
    // Puts the overlay into the state of one scene.
    virtual void Show(cGameWorld& world, int scene) = 0;
    virtual std::string Suffix(int scene) const { return "_" + std::to_string(scene); }

private:
    // Past the task dialog the level runs a while, then stands still; each
    // shot is taken a few frames after its scene is set. True once all are.
    bool OnLevel(cGameWorld& world)
    {
        ++levelFrames;
        if (levelFrames == 5)
            platform::InjectKey(window, "Escape", true);
        if (levelFrames == 60) {
            world.paused = 1;
            Hide(world);
        }
        // A car that has just driven into the stack settles there while
        // the game stands still: the clear shot waits for it.
        if (levelFrames == kClear)
            Take(clear, "_clear");
        if (levelFrames <= kClear)
            return false;
        const int scene = (levelFrames - kClear - 1) / 5;
        if ((levelFrames - kClear - 1) % 5 == 0)
            Show(world, scene);
        if ((levelFrames - kClear - 1) % 5 == 4) {
            shots.emplace_back();
            Take(shots.back(), Suffix(scene));
        }
        return static_cast<int>(shots.size()) == scenes;
    }

    void Take(Shot& shot, const std::string& suffix)
    {
        SaveFrame(name + "_" + std::to_string(c.width) + "_level_" + std::to_string(c.level) + suffix);
        engine::ReadFrame(&shot.pixels, &shot.width, &shot.height);
        for (const test::GfxDraw& d : Draws()) {
            const test::ImageCatalog::Image* image = ImageOf(d);
            if (image && image->kind == "car")
                shot.cars.push_back(d.target);
        }
    }

    static constexpr int kClear = 90;
    Case c;
    std::string name;
    int scenes;
    int frames = 0, menuFrames = 0, levelFrames = 0;
    double ms = 0;
};

// The fog off for the clear shot, and on at the level's own strength, its
// two layers where they start, for the other.
class FogApp : public LevelShotsApp {
public:
    explicit FogApp(Case c)
        : LevelShotsApp(c, "fog", 1)
    {
    }

private:
    void Hide(cGameWorld& world) override
    {
        fogOn = world.fogOn;
        world.fogOn = 0;
    }
    void Show(cGameWorld& world, int) override
    {
        world.fogOn = fogOn;
        if (auto* effects = Scene::EffectsLayer::Instance()) {
            effects->ResetClouds();
            effects->SetFog(world.fogAlpha, Scene::EffectsLayer::kFogFadeSeconds, 0);
        }
    }
    std::string Suffix(int) const override { return ""; }

    int fogOn = 0;
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
    ASSERT_EQ(app.shots.size(), 1u);
    const Shot& fogged = app.shots[0];
    ASSERT_FALSE(fogged.pixels.empty());
    ASSERT_EQ(app.clear.pixels.size(), fogged.pixels.size());
    const std::vector<double> columns = FogByColumn(app.clear, fogged);
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
            || std::ranges::none_of(fogged.cars, [&](const RECT& r) { return r.left == car.left && r.top == car.top; }))
            continue;
        EXPECT_GE(MarkContrast(app.clear, fogged, car), 3.0)
            << "the mark of the car at (" << car.left << ", " << car.top << ") under the fog";
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, FogFrames,
    ::testing::Values(Case { 2, 1280, 1024, true }, Case { 2, 1024, 768, true }, Case { 6, 1280, 1024, true },
        Case { 6, 1024, 768, true },
        Case { 9, 1024, 768 }, Case { 19, 1024, 768 }, Case { 20, 1024, 768 }, Case { 24, 1024, 768 },
        Case { 27, 1024, 768 }),
    [](const auto& info) { return "level_" + std::to_string(info.param.level) + "_" + std::to_string(info.param.width); });

// Every car whose mark reads in the clear shot, standing where it stood,
// keeps 3 : 1 in `shot`; `what` names the overlay in the failure.
void ExpectMarksReadable(const Shot& clear, const Shot& shot, const std::string& what)
{
    for (const RECT& car : clear.cars) {
        if (car.left < 0 || car.top < 0 || car.right > clear.width || car.bottom > clear.height
            || MarkContrast(clear, clear, car) < 3.0
            || std::ranges::none_of(shot.cars, [&](const RECT& r) { return r.left == car.left && r.top == car.top; }))
            continue;
        EXPECT_GE(MarkContrast(clear, shot, car), 3.0)
            << "the mark of the car at (" << car.left << ", " << car.top << ") under " << what;
    }
}

// How far `shot` moved the pixels from the clear shot: the share of them
// whose luminance changed by more than `ratio` (lighter or darker), and the
// share whose colour changed at all (a channel by more than 16).
struct Change {
    double hidden = 0, touched = 0;
};

Change ChangeOver(const Shot& clear, const Shot& shot, const std::vector<size_t>& pixels, double ratio)
{
    Change change;
    for (size_t i : pixels) {
        const uint32_t p = clear.pixels[i], q = shot.pixels[i];
        const double a = Luminance(p), b = Luminance(q);
        if ((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) > ratio)
            change.hidden += 1;
        for (int shift = 0; shift <= 16; shift += 8)
            if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) > 16) {
                change.touched += 1;
                break;
            }
    }
    if (!pixels.empty())
        change.hidden /= static_cast<double>(pixels.size()), change.touched /= static_cast<double>(pixels.size());
    return change;
}

std::vector<size_t> RectPixels(const RECT& r, int width, int height)
{
    std::vector<size_t> pixels;
    for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y)
        for (int x = std::max<int>(0, r.left); x < std::min<int>(width, r.right); ++x)
            pixels.push_back(static_cast<size_t>(y) * width + x);
    return pixels;
}

// The face pixels of each platform cell of the level, and whether a place
// stands on it.
struct Cell {
    int row = 0, column = 0;
    bool place = false;
    std::vector<size_t> face;
};

std::vector<Cell> CellFaces(const cGameWorld& world)
{
    const int width = cSettings::Instance().GetWidth(), height = cSettings::Instance().GetHeight();
    std::vector<Cell> cells;
    for (const cFundament& f : world.fundaments) {
        Cell cell;
        cell.row = f.row, cell.column = f.column;
        cell.place = std::ranges::any_of(world.places, [&](const cPlace& p) { return p.row == f.row && p.column == f.column; });
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (world.IsMouseOverPlace(f.row, f.column, x, y))
                    cell.face.push_back(static_cast<size_t>(y) * width + x);
        if (!cell.face.empty())
            cells.push_back(std::move(cell));
    }
    return cells;
}

// Every service place of the level breaks and smokes, shown at each of the
// smoke's frames in turn.
class SmokeApp : public LevelShotsApp {
public:
    static constexpr int kFrames = 8;
    explicit SmokeApp(Case c)
        : LevelShotsApp(c, "smoke", kFrames)
    {
    }

    std::vector<Cell> cells;
    int places = 0;

private:
    void Hide(cGameWorld& world) override { cells = CellFaces(world); }
    void Show(cGameWorld& world, int scene) override
    {
        for (size_t i = 0; scene == 0 && i < world.places.size(); ++i)
            if (world.places[i].type >= 6 && world.places[i].type <= 10) {
                world.places[i].state = 2;
                Scene::CarLayer::Instance()->StartPlaceSmoke(static_cast<int>(i));
                ++places;
            }
        for (cEffect& e : world.effects)
            if (e.type == 20)
                e.frame = scene;
    }
};

// The level's cloud along its way, at even steps: first alone (the shadows
// off), then with its shadow on the ground.
class CloudApp : public LevelShotsApp {
public:
    static constexpr int kStops = 6;
    explicit CloudApp(Case c)
        : LevelShotsApp(c, "cloud", 2 * kStops)
    {
    }

    std::vector<Cell> cells;
    std::vector<std::pair<int, int>> queue; // where the stack's cars stand
    size_t clouds = 0;

private:
    void Hide(cGameWorld& world) override
    {
        cells = CellFaces(world);
        const cSettings& settings = cSettings::Instance();
        for (const cStackSlot& slot : world.stackSlots)
            if (slot.autoType != -1)
                queue.emplace_back(static_cast<int>(slot.x / settings.scaleX), static_cast<int>(slot.y / settings.scaleY));
        kept = world.clouds;
        clouds = kept.size();
        world.clouds.clear();
    }
    void Show(cGameWorld& world, int scene) override
    {
        world.clouds = kept;
        world.cloudsOn = scene >= kStops ? 1 : 0;
        for (cCloud& cloud : world.clouds) {
            cloud.alpha = 0.0f;
            cloud.alphaA = cloud.alpha2;
            cloud.step = cloud.steps * (2 * (scene % kStops) + 1) / (2 * kStops);
        }
    }

    std::vector<cCloud> kept;
};

class SmokeFrames : public WholeGameTest, public ::testing::WithParamInterface<Case> { };

// A broken place's smoke rises from its pump and stays off the platform
// cells around it: its soft edge may touch a few pixels of a free cell's
// face, no more, and the cars' marks keep their 3 : 1.
TEST_P(SmokeFrames, LeavesTheCellsAndMarksAroundItReadable)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    std::filesystem::create_directories("test-output");
    ShowLogos();
    SmokeApp app(GetParam());
    app.Run();
    ASSERT_EQ(app.shots.size(), static_cast<size_t>(SmokeApp::kFrames));
    ASSERT_GT(app.places, 0);
    ASSERT_FALSE(app.cells.empty());
    for (size_t frame = 0; frame < app.shots.size(); ++frame) {
        const Shot& shot = app.shots[frame];
        ASSERT_EQ(shot.pixels.size(), app.clear.pixels.size());
        for (const Cell& cell : app.cells) {
            if (cell.place)
                continue;
            const Change c = ChangeOver(app.clear, shot, cell.face, 1.25);
            EXPECT_LE(c.touched, 0.03) << "smoke frame " << frame << " over the cell in row " << cell.row << ", column " << cell.column;
        }
        ExpectMarksReadable(app.clear, shot, "the smoke, frame " + std::to_string(frame));
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, SmokeFrames,
    ::testing::Values(Case { 2, 1280, 1024 }, Case { 2, 1024, 768 }, Case { 5, 1280, 1024 }, Case { 5, 1024, 768 }),
    [](const auto& info) { return "level_" + std::to_string(info.param.level) + "_" + std::to_string(info.param.width); });

class CloudFrames : public WholeGameTest, public ::testing::WithParamInterface<Case> { };

// Wherever the passing cloud is on its way, it and its shadow leave every
// car's mark readable, and the cells and the queue's cars keep their light.
TEST_P(CloudFrames, LeavesTheQueueCellsAndMarksReadable)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    std::filesystem::create_directories("test-output");
    ShowLogos();
    CloudApp app(GetParam());
    app.Run();
    ASSERT_EQ(app.shots.size(), static_cast<size_t>(2 * CloudApp::kStops));
    ASSERT_GT(app.clouds, 0u);
    // A grid level's stack may have just poured its car onto the grid.
    ASSERT_TRUE(GetParam().level % 3 == 1 || !app.queue.empty());
    for (size_t i = 0; i < app.shots.size(); ++i) {
        const Shot& shot = app.shots[i];
        ExpectMarksReadable(app.clear, shot, "the cloud, stop " + std::to_string(i));
        for (const Cell& cell : app.cells) {
            const Change c = ChangeOver(app.clear, shot, cell.face, 1.5);
            EXPECT_LE(c.hidden, 0.1) << "the cloud, stop " << i << ", over the cell in row " << cell.row << ", column " << cell.column;
        }
        for (const RECT& car : app.clear.cars) {
            if (std::ranges::none_of(app.queue, [&](const auto& p) { return std::abs(p.first - car.left) <= 2 && std::abs(p.second - car.top) <= 12; })
                || std::ranges::none_of(shot.cars, [&](const RECT& r) { return r.left == car.left && r.top == car.top; }))
                continue;
            const Change c = ChangeOver(app.clear, shot, RectPixels(car, shot.width, shot.height), 1.5);
            EXPECT_LE(c.hidden, 0.1) << "the cloud, stop " << i << ", over the queue's car at (" << car.left << ", " << car.top << ")";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, CloudFrames,
    ::testing::Values(Case { 5, 1280, 1024 }, Case { 5, 1024, 768 }, Case { 13, 1280, 1024 }, Case { 13, 1024, 768 }),
    [](const auto& info) { return "level_" + std::to_string(info.param.level) + "_" + std::to_string(info.param.width); });

} // namespace
