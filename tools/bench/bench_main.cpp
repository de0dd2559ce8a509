// The frame benchmark: the whole game on the real engine, headless (the
// software renderer draws into an off-screen surface), taken to one scene and
// timed there. One scene a run:
//
//   vandrel_bench logos|start|map|shop|level N  [warm-up frames] [measured frames]
//
// prints one line of figures (milliseconds): the start-up to the first frame
// of the start screen, the scene's load, then for the game's own update, its
// draw calls and the renderer's present the median and the 99th percentile,
// the whole frame's median and 99th percentile, and the peak resident memory.
// tools/bench.sh runs it for every scene and prints the table.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/pp_app.h"
#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "frontend/menu_overlux.h"
#include "scene/design_units.h"
#include "platform/folders.h"
#include "platform/test_events.h"
#include "scene/menu_manager.h"
#include "world/game_world.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Sample {
    double frame;
    double update;
    double draw;
    double present;
};

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

bool StartScreenOpen()
{
    const cGameWorld& world = cGameWorld::Instance();
    return world.profilesOpen && !world.loadingPhase && !world.logosPresent;
}

std::wstring TopState(cPPApp& app)
{
    return app.GetStateManager().Top() ? app.GetStateManager().Top()->GetName() : L"";
}

// Goes to the scene the way the screens' own buttons leave the world, then
// times the frames there.
class BenchApp : public cPPApp {
public:
    BenchApp(std::string scene, int level, int warmup, int measured, Clock::time_point processStart)
        : scene(std::move(scene))
        , level(level)
        , warmup(warmup)
        , measured(measured)
        , processStart(processStart)
    {
    }

    bool Frame() override
    {
        ++frames;
        // The logos are skipped with Escape, as an impatient player does,
        // unless they are what is timed.
        if (frames <= 2 && window && scene != "logos")
            platform::InjectKey(window, "Escape", frames == 1);

        const uint64_t draw0 = engine::DrawNanoseconds();
        const uint64_t present0 = engine::PresentNanoseconds();
        const Clock::time_point t0 = Clock::now();
        const bool goOn = cPPApp::Frame();
        const Clock::time_point t1 = Clock::now();
        const double draw = static_cast<double>(engine::DrawNanoseconds() - draw0) / 1e6;
        const double present = static_cast<double>(engine::PresentNanoseconds() - present0) / 1e6;

        if (startupMs < 0.0 && StartScreenOpen())
            startupMs = Ms(t1 - processStart);
        if (scene == "logos") {
            if (cGameWorld::Instance().logosPresent && frames > warmup)
                samples.push_back({ Ms(t1 - t0), std::max(0.0, Ms(t1 - t0) - draw - present), draw, present });
            else if (frames > warmup)
                measured = static_cast<int>(samples.size());
        } else
        if (startupMs >= 0.0 && !entered) {
            entered = true;
            enteredAt = frames;
            loadStart = t1;
            Enter();
        } else if (entered && scene == "shop" && loadMs < 0.0 && !Arrived()) {
            ClickCityPin(frames - enteredAt);
        } else if (entered && loadMs < 0.0 && Arrived() && ++framesThere == 2) {
            // The scene's first whole frame is drawn: its pages are loaded and
            // what it shows first is decoded.
            loadMs = Ms(t1 - loadStart);
            arrivedAt = frames;
        } else if (loadMs >= 0.0 && frames > arrivedAt + warmup) {
            samples.push_back({ Ms(t1 - t0), std::max(0.0, Ms(t1 - t0) - draw - present), draw, present });
        }
        if (static_cast<int>(samples.size()) >= measured || frames > 100000) {
            // VANDREL_BENCH_SHOT=<file.png> keeps the last frame, to see what was timed.
            if (const char* shot = std::getenv("VANDREL_BENCH_SHOT"); shot && g_pGfxDevice) {
                const std::wstring name(shot, shot + std::strlen(shot));
                g_pGfxDevice->SaveScreenshot(nullptr, nullptr, name.c_str());
            }
            if (std::getenv("VANDREL_BENCH_TEXTURES") && g_pGfxDevice)
                std::fprintf(stderr, "textures alive: %d MB\n", g_pGfxDevice->GetZombieBytes() >> 20);
            cGameWorld::Instance().quitRequested = 1;
            return false;
        }
        return goOn;
    }

    void Report() const
    {
        std::vector<double> frame, update, draw, present;
        for (const Sample& s : samples) {
            frame.push_back(s.frame);
            update.push_back(s.update);
            draw.push_back(s.draw);
            present.push_back(s.present);
        }
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%s %.1f %.1f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.0f %zu\n",
            (scene == "level" ? "level_" + std::to_string(level) : scene).c_str(), startupMs, loadMs,
            Percentile(update, 0.5), Percentile(update, 0.99), Percentile(draw, 0.5), Percentile(draw, 0.99),
            Percentile(present, 0.5), Percentile(present, 0.99), Percentile(frame, 0.5), Percentile(frame, 0.99),
            static_cast<double>(usage.ru_maxrss) / 1024.0, samples.size());
    }

protected:
    void QueryDesktopSize(int& width, int& height) override
    {
        width = 1920;
        height = 1200;
    }

private:
    void Enter()
    {
        cGameWorld& world = cGameWorld::Instance();
        if (scene == "map" || scene == "shop") {
            // A player well into the campaign, with money in the bank: every
            // pin and path is drawn, the city pin too.
            world.profilesOpen = 0;
            world.furthestLevel = 30;
            if (world.currentProfile >= 0 && world.currentProfile <= world::kProfiles)
                world.profileLastLevel[world.currentProfile] = 30;
            world.money = 5000;
        } else if (scene == "level") {
            // As the map's play button leaves the world.
            world.level = level;
            world.taskBookOpen = 0;
            world.gameMenuClosed = 1;
            world.SetPause(false);
            world.menuChoice = 0;
        }
    }

    // The player points at the city pin on the map and clicks it: a press in
    // one frame, the release in the next.
    void ClickCityPin(int frame)
    {
        auto* map = cMenuManager::Instance().Get<Scene::MenuOverlux>(cMenuManager::kOverlux);
        if (!map || !g_pInputDevice || frame < 5)
            return;
        const int x = Scene::ScaleX(map->GetPinX(Scene::MenuOverlux::kCity) - 10);
        const int y = Scene::ScaleY(map->GetPinY(Scene::MenuOverlux::kCity) - 30);
        g_pInputDevice->SetCursorPos(x, y);
        if (frame % 4 == 0 || frame % 4 == 1)
            platform::InjectMouseButton(window, 1, frame % 4 == 0, x, y);
    }

    bool Arrived()
    {
        const cGameWorld& world = cGameWorld::Instance();
        if (scene == "level")
            return TopState(*this) == L"cStateGame";
        if (scene == "shop")
            return world.shopInMainMenu;
        return true;
    }

    std::string scene;
    int level;
    int warmup;
    int measured;
    Clock::time_point processStart;
    int frames = 0;
    int arrivedAt = 0;
    int enteredAt = 0;
    int framesThere = 0;
    bool entered = false;
    double startupMs = -1.0;
    double loadMs = -1.0;
    Clock::time_point loadStart;
    std::vector<Sample> samples;
};

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point processStart = Clock::now();
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s logos|start|map|shop|level N [warm-up frames] [measured frames]\n", argv[0]);
        return 2;
    }
    const std::string scene = argv[1];
    int arg = 2;
    const int level = scene == "level" && argc > arg ? std::atoi(argv[arg++]) : 0;
    const int warmup = argc > arg ? std::atoi(argv[arg++]) : 60;
    const int measured = argc > arg ? std::atoi(argv[arg++]) : 600;
    if (const std::string folder = platform::FindProgramFolder(); !folder.empty()) {
        std::error_code ec;
        std::filesystem::current_path(folder, ec);
    }
    cGameWorld::Instance();
    BenchApp app(scene, level, warmup, measured, processStart);
    app.Run();
    app.Report();
    return 0;
}
