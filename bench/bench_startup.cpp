// How long the game takes from process start to the splash window's first
// paint, and how much memory it peaks at, beside the same figures for a bare
// Qt window. The two programs run in turns, so a busy machine weighs on both
// alike, and each figure is the median of the runs. Both draw on Qt's
// offscreen platform, so no display is needed.
//
// Usage: bench_startup path/to/morvane-firstpaint path/to/bare-window [runs]

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double startupMs;
    double peakMiB;
};

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Starts the program, reads the time of its first paint from its output and
// waits for it to end. A program that says nothing within the time limit is
// killed and counts as a failed run.
std::optional<Run> runOnce(const char* program)
{
    constexpr int kTimeLimitMs = 30'000;
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::string name = program;
    char* argv[] = {name.data(), nullptr};
    pid_t pid = 0;
    const long long started = monotonicNs();
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }

    std::string text;
    pollfd waiting{out[0], POLLIN, 0};
    char buffer[256];
    while (poll(&waiting, 1, kTimeLimitMs) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    kill(pid, SIGKILL);  // harmless once it has ended; ends one that hangs
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    long long painted = 0;
    if (std::sscanf(text.c_str(), "first-paint-ns %lld", &painted) != 1)
        return std::nullopt;
    return Run{static_cast<double>(painted - started) / 1e6, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s morvane-firstpaint bare-window [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // One untimed run of each first, so neither pays for a cold disk cache.
    runOnce(argv[1]);
    runOnce(argv[2]);

    std::vector<double> oursMs, oursMiB, floorMs, floorMiB;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Run> ours = runOnce(argv[1]);
        const std::optional<Run> bare = runOnce(argv[2]);
        if (!ours || !bare) {
            std::fprintf(stderr, "bench_startup: %s did not report its first paint\n", ours ? argv[2] : argv[1]);
            return 1;
        }
        oursMs.push_back(ours->startupMs);
        oursMiB.push_back(ours->peakMiB);
        floorMs.push_back(bare->startupMs);
        floorMiB.push_back(bare->peakMiB);
    }

    std::printf("start-up, median of %d runs each, offscreen platform\n", runs);
    std::printf("%-36s %10s %10s %8s\n", "figure", "ours", "floor", "ratio");
    const auto row = [](const char* figure, double ours, double floor) {
        std::printf("%-36s %10.1f %10.1f %8.2f\n", figure, ours, floor, ours / floor);
    };
    row("process start to first paint (ms)", median(oursMs), median(floorMs));
    row("peak memory, max RSS (MiB)", median(oursMiB), median(floorMiB));
    return 0;
}
