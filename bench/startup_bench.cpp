// A whole headless start: the program is run as a player would run it, up to
// the castle menu (one key on the title, then the script ends), again and
// again. Real time is the time to the menu; the counters give the processes'
// own processor time and their peak resident size (the median run's and the
// largest).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace kv {
namespace {

namespace fs = std::filesystem;

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// What one run of the program cost: its own processor time and its largest
// resident size.
struct RunCost {
    double CpuSeconds = 0;
    long PeakKb = 0;
};

// This process's own peak resident size, from /proc (0 when unreadable).
long OwnPeakKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

// Runs the program once and waits for it; false when it could not run or failed.
bool RunOnce(const std::vector<std::string>& args, const std::vector<std::string>& env,
             RunCost& cost) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
    int status = 0;
    rusage usage{};
    // The run's own usage: the children's totals would also hold the first
    // run, which copies the new-game files and saves, and is not measured.
    if (::wait4(pid, &status, 0, &usage) != pid) return false;
    cost.CpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    cost.PeakKb = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_HeadlessStartToCastle(benchmark::State& state) {
    const fs::path work =
        fs::temp_directory_path() / ("korvane-bench-start-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "save");
    fs::create_directories(work / "config");
    std::ofstream(work / "title.keys") << "Enter\n";

    const std::vector<std::string> args = {
        KORVANE_BINARY, "--headless",     "--keys",     (work / "title.keys").string(),
        "--data",       KORVANE_DEMO_DIR, "--save-dir", (work / "save").string()};
    std::vector<std::string> env = {"XDG_CONFIG_HOME=" + (work / "config").string(),
                                    "XDG_DATA_HOME=" + (work / "data").string(),
                                    "SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"};
    if (const char* home = std::getenv("HOME")) env.push_back(std::string("HOME=") + home);

    // The first run copies the new-game files and records the version; the
    // runs measured are the ordinary ones after it.
    RunCost cost;
    if (!RunOnce(args, env, cost)) {
        state.SkipWithError("korvane did not run to the castle menu");
        fs::remove_all(work);
        return;
    }
    double cpu = 0;
    std::vector<long> peaksKb;
    for (auto _ : state) {
        if (!RunOnce(args, env, cost)) {
            state.SkipWithError("korvane failed during the runs");
            break;
        }
        cpu += cost.CpuSeconds;
        peaksKb.push_back(cost.PeakKb);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = runs > 0 ? cpu * 1000 / runs : 0;
    // The median run's peak, and the largest: on a shared machine a run now
    // and then comes out megabytes larger (a huge page, a late reclaim).
    // A spawned child's peak can read no lower than this process's own (the
    // kernel carries the spawner's peak over the exec): run this benchmark
    // alone (--benchmark_filter=HeadlessStart) for the program's own figure.
    state.counters["bench_rss_MB"] = static_cast<double>(OwnPeakKb()) / 1024.0;
    if (!peaksKb.empty()) {
        std::sort(peaksKb.begin(), peaksKb.end());
        state.counters["peak_rss_MB"] = static_cast<double>(peaksKb[peaksKb.size() / 2]) / 1024.0;
        state.counters["peak_rss_max_MB"] = static_cast<double>(peaksKb.back()) / 1024.0;
    }
    fs::remove_all(work);
}
BENCHMARK(BM_HeadlessStartToCastle)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
}  // namespace kv
