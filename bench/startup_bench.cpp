// A whole headless start: the program is run as a player would run it, up to
// the castle menu (one key on the title, then the script ends), again and
// again. Real time is the time to the menu; the counters give the processes'
// own processor time and the largest resident size any of them reached.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

double ChildrenCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// Runs the program once and waits for it; false when it could not run or failed.
bool RunOnce(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return false;
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
    if (!RunOnce(args, env)) {
        state.SkipWithError("korvane did not run to the castle menu");
        fs::remove_all(work);
        return;
    }
    const double cpuBefore = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (!RunOnce(args, env)) {
            state.SkipWithError("korvane failed during the runs");
            break;
        }
    }
    const double cpu = ChildrenCpuSeconds() - cpuBefore;
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto runs = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = runs > 0 ? cpu * 1000 / runs : 0;
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    fs::remove_all(work);
}
BENCHMARK(BM_HeadlessStartToCastle)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
}  // namespace kv
