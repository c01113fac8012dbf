// Whole processes of the companion, timed by the CPU time they use (user and
// system, from the kernel's accounting of finished children), beside the
// same-run reference of a process that does nothing.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char **environ;

namespace {

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the command with its output thrown away; the child's CPU seconds.
double runProcess(const std::vector<std::string> &command)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv;
    std::vector<std::string> copies(command);
    for (std::string &argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const double before = childCpuSeconds();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return childCpuSeconds() - before;
}

std::string sample(const char *name) { return (std::filesystem::path(TAVO_TEST_DATA) / name).string(); }

void timeProcess(benchmark::State &state, const std::vector<std::string> &command)
{
    for (auto _ : state) {
        const double seconds = runProcess(command);
        if (seconds < 0) {
            state.SkipWithError("the program could not be started");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

// Two commands in turns, each iteration running both in alternating order,
// so that both meet the same moments of a busy machine: their CPU times are
// summed apart and their ratio reported as the counter "ratio", the figure
// a ratio goal is judged by.
void timeProcessPair(benchmark::State &state, const std::vector<std::string> &measured,
                     const std::vector<std::string> &reference)
{
    double measuredSeconds = 0;
    double referenceSeconds = 0;
    bool measuredFirst = true;
    for (auto _ : state) {
        const double first = runProcess(measuredFirst ? measured : reference);
        const double second = runProcess(measuredFirst ? reference : measured);
        if (first < 0 || second < 0) {
            state.SkipWithError("a program could not be started");
            return;
        }
        (measuredFirst ? measuredSeconds : referenceSeconds) += first;
        (measuredFirst ? referenceSeconds : measuredSeconds) += second;
        measuredFirst = !measuredFirst;
        state.SetIterationTime(first + second);
    }
    state.counters["ratio"] = measuredSeconds / referenceSeconds;
}

void BM_TrueProcess(benchmark::State &state) { timeProcess(state, {"/bin/true"}); }
BENCHMARK(BM_TrueProcess)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CompanionProfileProcess(benchmark::State &state)
{
    timeProcess(state, {TAVO_CLI, "profile", sample("petrov.cry")});
}
BENCHMARK(BM_CompanionProfileProcess)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CompanionProfileBesideTrue(benchmark::State &state)
{
    timeProcessPair(state, {TAVO_CLI, "profile", sample("petrov.cry")}, {"/bin/true"});
}
BENCHMARK(BM_CompanionProfileBesideTrue)->UseManualTime()->Unit(benchmark::kMillisecond);

// Start-up to the first painted window, on the offscreen platform: the
// program's main window beside a minimal Qt window with a menu bar.
std::vector<std::string> offscreen(const char *program)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return {program};
}

void BM_MinimalWindowStartup(benchmark::State &state) { timeProcess(state, offscreen(TAVO_MINIMAL_WINDOW)); }
BENCHMARK(BM_MinimalWindowStartup)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MainWindowStartup(benchmark::State &state) { timeProcess(state, offscreen(TAVO_MAIN_WINDOW)); }
BENCHMARK(BM_MainWindowStartup)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MainWindowBesideMinimal(benchmark::State &state)
{
    timeProcessPair(state, offscreen(TAVO_MAIN_WINDOW), offscreen(TAVO_MINIMAL_WINDOW));
}
BENCHMARK(BM_MainWindowBesideMinimal)->UseManualTime()->Unit(benchmark::kMillisecond);

// A folder's worth of pictures in one run: files per CPU second.
void BM_RenderBatchPerFile(benchmark::State &state)
{
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "tavo12f-render-bench";
    std::filesystem::create_directories(out);
    std::vector<std::string> command{TAVO_CLI, "render", "-o", out.string() + "/"};
    const char *samples[] = {"ivanova.cry", "petrov.cry", "smith.cry", "kuznetsova.txt"};
    // 100 files: links of distinct names to the four samples.
    const std::filesystem::path inputs = out / "in";
    std::filesystem::create_directories(inputs);
    for (int i = 0; i < 100; ++i) {
        const std::filesystem::path link = inputs / ("f" + std::to_string(i) + ".cry");
        std::error_code ec;
        std::filesystem::remove(link, ec);
        std::filesystem::create_symlink(sample(samples[i % 4]), link);
        command.push_back(link.string());
    }
    for (auto _ : state) {
        const double seconds = runProcess(command);
        if (seconds < 0) {
            state.SkipWithError("the program could not be started");
            return;
        }
        state.SetIterationTime(seconds / 100);
    }
    std::filesystem::remove_all(out);
}
BENCHMARK(BM_RenderBatchPerFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
