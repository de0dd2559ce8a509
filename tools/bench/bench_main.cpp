// The frame benchmark: an evening of play (bench/evening.h) in one run of the
// whole game, under the display SDL finds (or headless with the dummy video
// driver), timed scene by scene.
//
//   vandrel_bench prepare                 stores the player the evening plays
//   vandrel_bench play [level seconds]    plays the evening and prints figures
//
// "play" prints, per scene, one line of figures (milliseconds): the start-up
// from the exec to the first start-screen frame shown (the exec's wall time
// comes in VANDREL_BENCH_EXEC_NS, else the process's own start), the scene's
// load, then the median and 99th percentile of the game's own update, of its
// draw calls, of the present and of the whole frame (without the pacing
// wait), the resident memory when the scene was left and the frames and
// seconds timed; then "renderer <name>". tools/bench.sh prints the table.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/evening.h"
#include "engine/engine_testing.h"
#include "platform/folders.h"
#include "world/game_world.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double WallNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double ResidentMegabytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

// A scene's first frames after it appeared are not timed: images decoded on
// first draw belong to its load.
constexpr int kWarmupFrames = 30;

struct SceneFigures {
    std::vector<double> update, draw, present, frame;
    double loadMs = -1, residentMb = 0, seconds = 0;
};

class TimedEvening : public bench::Evening {
public:
    TimedEvening(bench::Plan plan, double execNs)
        : Evening(std::move(plan))
        , execNs(execNs)
    {
    }

    void Report() const
    {
        for (const std::string& name : order) {
            const SceneFigures& s = scenes.at(name);
            std::printf("%s %.1f %.1f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.0f %zu %.0f\n", name.c_str(),
                name == "start" ? startupMs : -1.0, s.loadMs, Percentile(s.update, 0.5), Percentile(s.update, 0.99),
                Percentile(s.draw, 0.5), Percentile(s.draw, 0.99), Percentile(s.present, 0.5),
                Percentile(s.present, 0.99), Percentile(s.frame, 0.5), Percentile(s.frame, 0.99), s.residentMb,
                s.frame.size(), s.seconds);
        }
        std::printf("renderer %s\n", engine::RendererInUse().c_str());
        if (!failure.empty())
            std::printf("failure %s\n", failure.c_str());
    }

protected:
    void BeforeFrame() override
    {
        draw0 = engine::DrawNanoseconds();
        present0 = engine::PresentNanoseconds();
        pace0 = engine::PaceNanoseconds();
        t0 = Clock::now();
    }

    void AfterFrame(const std::string& scene, bool /*idle*/) override
    {
        const Clock::time_point t1 = Clock::now();
        const double draw = static_cast<double>(engine::DrawNanoseconds() - draw0) / 1e6;
        const double present = static_cast<double>(engine::PresentNanoseconds() - present0) / 1e6;
        const double work = Ms(t1 - t0) - static_cast<double>(engine::PaceNanoseconds() - pace0) / 1e6;
        if (scene == "start" && startupMs < 0)
            startupMs = (WallNanoseconds() - execNs) / 1e6;
        if (scene != current) {
            if (!current.empty())
                scenes[current].residentMb = ResidentMegabytes();
            current = scene;
            framesThere = 0;
        }
        // The load: the frames between two scenes and the new one's first two.
        if (scene.empty() || framesThere < 2)
            loading += work;
        if (scene.empty())
            return;
        if (!scenes.count(scene))
            order.push_back(scene);
        SceneFigures& figures = scenes[scene];
        if (++framesThere == 2) {
            if (figures.loadMs < 0)
                figures.loadMs = loading;
            loading = 0;
        }
        if (framesThere <= kWarmupFrames)
            return;
        figures.update.push_back(std::max(0.0, work - draw - present));
        figures.draw.push_back(draw);
        figures.present.push_back(present);
        figures.frame.push_back(work);
        figures.seconds += Ms(t1 - t0) / 1000.0;
    }

private:
    const double execNs;
    double startupMs = -1, loading = 0;
    uint64_t draw0 = 0, present0 = 0, pace0 = 0;
    Clock::time_point t0;
    std::string current;
    int framesThere = 0;
    std::map<std::string, SceneFigures> scenes;
    std::vector<std::string> order;
};

} // namespace

int main(int argc, char** argv)
{
    const double startNs = WallNanoseconds();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command != "prepare" && command != "play") {
        std::fprintf(stderr, "usage: %s prepare | play [level seconds]\n", argv[0]);
        return 2;
    }
    if (const std::string folder = platform::FindProgramFolder(); !folder.empty()) {
        std::error_code ec;
        std::filesystem::current_path(folder, ec);
    }
    cGameWorld::Instance();
    if (command == "prepare")
        return bench::StorePlayer(20) ? 0 : 1;

    bench::Plan plan;
    if (argc > 2)
        plan.levelSeconds = std::atof(argv[2]);
    const char* exec = std::getenv("VANDREL_BENCH_EXEC_NS");
    TimedEvening evening(plan, exec ? std::atof(exec) : startNs);
    evening.Run();
    evening.Report();
    return evening.failure.empty() ? 0 : 1;
}
