// Runs every benchmark and prints one table: each figure of the game beside
// its floor, a bare Qt program measured in the same run, and the ratio. The
// programs run in turns (ours, floor, ours, floor...), so a busy machine
// weighs on both alike, and each figure is the median of its runs. Everything
// draws on Qt's offscreen platform; no display is needed. The solver's rows
// time whole morvane-solve processes beside the plain reference search.
// Given a Windows tree's programs, it also times the game's start-up under
// Wine beside a bare Win32 window's (on the X server in DISPLAY), and gives
// the size of morvane.exe beside the bare window's. Given the browser's site,
// it times the page's load to the splash's first paint in headless Chromium
// beside a bare page showing the splash's banner, and gives a player's whole
// download beside the bare page's.
//
// Usage: run_bench game-probe floor-window drag-step morvane-solve solve-reference
//                  positions-folder [quick]
//                  [windows wine-prefix probe.exe floor-window.exe morvane.exe]
//                  [web site-folder web_startup.py]

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Figures = std::map<std::string, double>;

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Starts a program with its standard streams set up as the actions say.
bool spawn(const std::vector<std::string>& command, const posix_spawn_file_actions_t& actions, pid_t& pid)
{
    std::vector<std::string> args = command;
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
}

// Starts a program, collects the "key value" lines it prints and its peak
// memory. A program that goes quiet for the time limit is killed and the run
// fails.
std::optional<Figures> run(const std::vector<std::string>& command, const char* probe)
{
    constexpr int kQuietLimitMs = 30'000;
    setenv("MORVANE_PROBE", probe, 1);
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const long long started = monotonicNs();
    const bool spawned = spawn(command, actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (!spawned) {
        close(out[0]);
        return std::nullopt;
    }

    std::string text;
    pollfd waiting{out[0], POLLIN, 0};
    char buffer[512];
    long long firstOutput = 0;
    while (poll(&waiting, 1, kQuietLimitMs) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        if (!firstOutput)
            firstOutput = monotonicNs();
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    kill(pid, SIGKILL);  // harmless once it has ended; ends one that hangs
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    Figures figures;
    char key[64];
    long long value = 0;
    for (const char* line = text.c_str(); *line;) {
        if (std::sscanf(line, "%63s %lld", key, &value) == 2)
            figures[key] = static_cast<double>(value);
        const char* next = std::strchr(line, '\n');
        line = next ? next + 1 : line + std::strlen(line);
    }
    if (figures.empty())
        return std::nullopt;
    if (figures.count("first-paint-ns"))
        figures["startup-ms"] = (figures["first-paint-ns"] - static_cast<double>(started)) / 1e6;
    // A program under Wine cannot read this clock; it says when it has
    // painted, and the line's arrival is the time.
    if (figures.count("first-paint"))
        figures["startup-ms"] = static_cast<double>(firstOutput - started) / 1e6;
    figures["peak-kib"] = static_cast<double>(usage.ru_maxrss);
    return figures;
}

// How long a whole process takes, start to exit, its output thrown away;
// empty if it fails.
std::optional<double> wallMs(const std::vector<std::string>& command)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const long long started = monotonicNs();
    const bool spawned = spawn(command, actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    if (!spawned)
        return std::nullopt;
    int status = 0;
    waitpid(pid, &status, 0);
    const long long ended = monotonicNs();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return static_cast<double>(ended - started) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Row {
    std::string figure;
    double ours;
    double floor;
    std::string floorName;
    std::string target;
};

// Runs each program `runs` times in turn under one probe and gives the
// medians of the named figures, one list per program.
std::vector<Figures> interleaved(const std::vector<std::vector<std::string>>& programs, const char* probe, int runs,
                                 const std::vector<std::string>& keys)
{
    for (const auto& p : programs)
        run(p, probe);  // once untimed, so no one pays for a cold disk cache
    std::vector<std::map<std::string, std::vector<double>>> samples(programs.size());
    for (int r = 0; r < runs; ++r) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const auto figures = run(programs[i], probe);
            if (!figures) {
                std::string command;
                for (const std::string& word : programs[i])
                    command += (command.empty() ? "" : " ") + word;
                std::fprintf(stderr, "run_bench: %s said nothing under %s\n", command.c_str(), probe);
                std::exit(1);
            }
            for (const std::string& k : keys) {
                if (!figures->count(k)) {
                    std::fprintf(stderr, "run_bench: %s gave no %s\n", programs[i][0].c_str(), k.c_str());
                    std::exit(1);
                }
                samples[i][k].push_back(figures->at(k));
            }
        }
    }
    std::vector<Figures> medians(programs.size());
    for (std::size_t i = 0; i < programs.size(); ++i)
        for (const std::string& k : keys)
            medians[i][k] = median(samples[i][k]);
    return medians;
}

// Medians of whole-process times for two commands run in turns.
std::pair<double, double> wallInTurns(const std::vector<std::string>& ours, const std::vector<std::string>& reference,
                                      int runs)
{
    std::vector<double> a, b;
    for (int r = -1; r < runs; ++r) {  // run -1 warms the disk cache and is not counted
        const auto x = wallMs(ours);
        const auto y = wallMs(reference);
        if (!x || !y) {
            std::fprintf(stderr, "run_bench: %s failed\n", (x ? reference : ours)[0].c_str());
            std::exit(1);
        }
        if (r >= 0) {
            a.push_back(*x);
            b.push_back(*y);
        }
    }
    return {median(a), median(b)};
}

// A program's full name from PATH, as a shell would find it.
std::string onPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0, end; start <= dirs.size(); start = end + 1) {
        end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return name;
}

// The game's start-up under Wine beside a bare Win32 window's, and the
// program's size beside the bare window's.
void windowsRows(char* const args[], int runs, std::vector<Row>& rows)
{
    setenv("WINEPREFIX", args[0], 1);
    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    const std::string wine = onPath("wine");
    const std::string wineserver = onPath("wineserver");
    const std::vector<std::string> probe{wine, args[1]};
    const std::vector<std::string> floor{wine, args[2]};
    // Wine's server and services, and its desktop process, start once with
    // their output thrown away: they outlive the process that starts them
    // and would hold the timed programs' pipes open.
    if (!std::filesystem::exists(std::string(args[0]) + "/system.reg")) {
        wallMs({onPath("wineboot"), "-i"});
        wallMs({wineserver, "-w"});
    }
    wallMs({wineserver, "-p30"});
    setenv("MORVANE_PROBE", "startup", 1);
    wallMs(floor);

    // A start under Wine wakes a server and a desktop process, and its time
    // spreads by a factor of two from run to run: three times the runs keep
    // the medians steady.
    const auto startup = interleaved({probe, floor}, "startup", 3 * runs, {"startup-ms"});
    rows.push_back({"Wine: start-up to first paint (ms)", startup[0].at("startup-ms"), startup[1].at("startup-ms"),
                    "bare Win32", "<= 1.2"});
    std::error_code error;
    const auto kib = [&error](const char* file) {
        return static_cast<double>(std::filesystem::file_size(file, error)) / 1024;
    };
    rows.push_back({"morvane.exe size as built (KiB)", kib(args[3]), kib(args[2]), "bare Win32", ""});
    // Without its symbols and debugging sections, as a player downloads it.
    const std::string strip = onPath("x86_64-w64-mingw32-strip");
    const std::string ours = "/tmp/run_bench-morvane.exe", bare = "/tmp/run_bench-floor.exe";
    if (!wallMs({strip, "-o", ours, args[3]}) || !wallMs({strip, "-o", bare, args[2]})) {
        std::fprintf(stderr, "run_bench: %s failed\n", strip.c_str());
        std::exit(1);
    }
    rows.push_back({"morvane.exe size stripped (KiB)", kib(ours.c_str()), kib(bare.c_str()), "bare Win32", "<=400KB"});
    unlink(ours.c_str());
    unlink(bare.c_str());
    if (error) {
        std::fprintf(stderr, "run_bench: %s\n", error.message().c_str());
        std::exit(1);
    }
}

// The browser's rows, from one run of the script that drives Chromium: it
// loads the page and the bare page in turns and gives the medians itself.
void webRows(char* const args[], int runs, std::vector<Row>& rows)
{
    // Debian's own Python, which sees Debian's selenium. The browser gives
    // its paints' times in steps of 4 ms, a tenth of the bare page's load:
    // three times the runs keep the medians from stepping to and fro.
    const auto figures = run({"/usr/bin/python3", args[1], args[0], std::to_string(3 * runs)}, "web");
    const std::vector<std::string> keys{"web-first-us", "web-first-floor-us", "web-again-us", "web-again-floor-us",
                                        "web-download-bytes", "web-floor-bytes"};
    for (const std::string& key : keys) {
        if (!figures || !figures->count(key)) {
            std::fprintf(stderr, "run_bench: %s gave no %s\n", args[1], key.c_str());
            std::exit(1);
        }
    }
    const Figures& f = *figures;
    rows.push_back({"browser: load to splash, 1st visit (ms)", f.at("web-first-us") / 1000,
                    f.at("web-first-floor-us") / 1000, "bare page", "<= 1.2"});
    rows.push_back({"browser: load to splash, again (ms)", f.at("web-again-us") / 1000,
                    f.at("web-again-floor-us") / 1000, "bare page", "<= 1.2"});
    rows.push_back({"browser: whole download, gzipped (KiB)", f.at("web-download-bytes") / 1024,
                    f.at("web-floor-bytes") / 1024, "bare page", "< 150KB"});
}

std::optional<std::pair<double, double>> dragStep(const std::string& program)
{
    unsetenv("MORVANE_PROBE");
    std::string command = program + " 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    if (!out)
        return std::nullopt;
    double ours = 0, floor = 0;
    const int read = std::fscanf(out, "drag step\t%lf\t%lf", &ours, &floor);
    pclose(out);
    if (read != 2)
        return std::nullopt;
    return std::pair{ours, floor};
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 7) {
        std::fprintf(stderr,
                     "usage: %s game-probe floor-window drag-step morvane-solve solve-reference positions-folder "
                     "[quick]\n",
                     argv[0]);
        return 2;
    }
    bool quick = false;
    char* const* windows = nullptr;
    char* const* web = nullptr;
    for (int i = 7; i < argc; ++i) {
        if (std::strcmp(argv[i], "quick") == 0) {
            quick = true;
        } else if (std::strcmp(argv[i], "web") == 0 && i + 2 < argc) {
            web = argv + i + 1;
            i += 2;
        } else if (std::strcmp(argv[i], "windows") == 0 && i + 4 < argc) {
            windows = argv + i + 1;
            i += 4;
        } else {
            std::fprintf(stderr, "run_bench: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::vector<std::string> game{argv[1]};
    const std::vector<std::string> sixty{argv[2], "sixty"};
    const std::vector<std::string> empty{argv[2], "empty"};
    const int runs = quick ? 3 : 11;

    std::vector<Row> rows;
    const auto startup = interleaved({game, sixty, empty}, "startup", runs, {"startup-ms"});
    rows.push_back({"start-up to first paint (ms)", startup[0].at("startup-ms"), startup[1].at("startup-ms"),
                    "60 squares", "<= 1.15"});
    rows.push_back({"start-up to first paint (ms)", startup[0].at("startup-ms"), startup[2].at("startup-ms"),
                    "empty", ""});

    const auto enter = interleaved({game, sixty}, "enter", runs, {"enter-ns"});
    rows.push_back({"Enter to play window's first paint (ms)", enter[0].at("enter-ns") / 1e6,
                    enter[1].at("enter-ns") / 1e6, "60 squares", ""});

    const auto memory = interleaved({game, sixty}, "memory", quick ? 3 : 5, {"rss-start-kib", "rss-drag-kib", "peak-kib"});
    for (const auto& [key, label, target] :
         {std::tuple{"rss-start-kib", "memory after start (MiB)", "<= 1.05"},
          std::tuple{"rss-drag-kib", "memory after 1,000 drag steps (MiB)", "<= 1.05"},
          std::tuple{"peak-kib", "peak memory (MiB)", "<= 1.05"}})
        rows.push_back({label, memory[0].at(key) / 1024, memory[1].at(key) / 1024, "60 squares", target});

    const auto drag = dragStep(argv[3]);
    if (!drag) {
        std::fprintf(stderr, "run_bench: %s gave no drag step\n", argv[3]);
        return 1;
    }
    rows.push_back({"drag step (us)", drag->first, drag->second, "5 squares", "<= 1.2"});

    const auto idle = interleaved({game, sixty}, "idle", quick ? 1 : 3, {"cpu-ms", "wakeups"});
    rows.push_back({"idle 10 s: CPU time (ms)", idle[0].at("cpu-ms"), idle[1].at("cpu-ms"), "60 squares", ""});
    rows.push_back({"idle 10 s: wakeups", idle[0].at("wakeups"), idle[1].at("wakeups"), "60 squares", "<= 1.0"});

    // The solver, whole processes: the reference finds every tiling of the
    // empty board, so it runs far longer and fewer times.
    const std::string solve = argv[4];
    const std::string reference = argv[5];
    const std::string positions = argv[6];
    const std::string output = "/tmp/run_bench-completed.txt";
    const auto all = wallInTurns({solve, "all"}, {reference, "all"}, quick ? 1 : 5);
    rows.push_back({"solver: all 2339 tilings (ms)", all.first, all.second, "reference", "<= 30ms"});
    for (const auto& [file, label] : {std::pair{"three-pieces.txt", "3 pieces placed"},
                                      std::pair{"one-piece.txt", "1 piece placed"}}) {
        const std::string position = positions + "/" + file;
        const auto count = wallInTurns({solve, "count", position}, {reference, "count", position}, runs);
        rows.push_back({std::string("solver: count, ") + label + " (ms)", count.first, count.second, "reference",
                        "<= 5ms"});
        const auto complete = wallInTurns({solve, "complete", position, "-o", output},
                                          {reference, "complete", position, output}, runs);
        rows.push_back({std::string("solver: complete, ") + label + " (ms)", complete.first, complete.second,
                        "reference", "<= 5ms"});
    }
    unlink(output.c_str());
    if (windows)
        windowsRows(windows, runs, rows);
    if (web)
        webRows(web, runs, rows);

    std::printf("\nMedians, offscreen platform; floors are bare Qt programs built by the bench, and for the\n"
                "solver a plain search that fills the lowest empty cell first and nothing else.\n");
    if (windows)
        std::printf("Wine rows: whole processes under Wine on an X server, from their start to the end of\n"
                    "their first paint, beside a bare Win32 window built by the bench with the same probe.\n");
    if (web)
        std::printf("Browser rows: headless Chromium, from the page's load to its first contentful paint (the\n"
                    "splash), as a first visit and again with the service worker, beside a page of one image.\n");
    std::printf("\n");
    std::printf("| %-40s | %9s | %9s | %-10s | %6s | %-7s |\n", "figure", "ours", "floor", "floor is", "ratio",
                "target");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(42, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(12, '-').c_str(), std::string(8, '-').c_str(),
                std::string(9, '-').c_str());
    for (const Row& r : rows) {
        const double ratio = r.floor > 0 ? r.ours / r.floor : (r.ours > 0 ? 99.0 : 1.0);
        std::printf("| %-40s | %9.1f | %9.1f | %-10s | %6.2f | %-7s |\n", r.figure.c_str(), r.ours, r.floor,
                    r.floorName.c_str(), ratio, r.target.c_str());
    }
    return 0;
}
