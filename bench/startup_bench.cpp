// Starts the calculator and its yardsticks alternately, as whole
// processes, and compares their time to first paint and their peak memory
// with the bare Qt window's.
//
//   bench_startup [runs]     (default 15; the platform comes from the
//                             environment, e.g. under xvfb-run for xcb)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
    double ms;
    double cpuMs; // user + system: less swayed by other load than wall time
    long maxRssKb;
};

struct Program {
    const char *name;
    const char *path;
    std::vector<Run> runs;
};

Run runOnce(const char *path)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(path, path, static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not run cleanly\n", path);
        std::exit(1);
    }
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    const auto ms = [](const timeval &t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return {elapsed.count(), ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss};
}

template <class Field>
double median(std::vector<Run> runs, Field field)
{
    std::sort(runs.begin(), runs.end(), [&](const Run &a, const Run &b) { return a.*field < b.*field; });
    const std::size_t n = runs.size();
    const double mid = static_cast<double>(runs[n / 2].*field);
    return n % 2 ? mid : (mid + static_cast<double>(runs[n / 2 - 1].*field)) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    Program programs[] = {
        {"bare QWidget", BARE_WINDOW_PATH, {}},
        {"one QLabel", TEXT_WINDOW_PATH, {}},
        {"words only", TEXTS_WINDOW_PATH, {}},
        {"calculator", FIRST_RESULT_WINDOW_PATH, {}},
    };
    const Program &bare = programs[0];

    // One start each to warm the file cache, not counted.
    for (const Program &p : programs)
        runOnce(p.path);
    for (int i = 0; i < runs; ++i) {
        // Rotate which goes first, so drift on a shared machine hits all alike.
        for (std::size_t k = 0; k < std::size(programs); ++k) {
            Program &p = programs[(k + static_cast<std::size_t>(i)) % std::size(programs)];
            p.runs.push_back(runOnce(p.path));
        }
    }

    const char *platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("platform %s, %d runs each; medians, and ratios to the bare QWidget\n",
                platform ? platform : "(default)", runs);
    std::printf("  %-13s %19s %19s %25s\n", "", "wall time", "CPU time", "peak RSS");
    for (const Program &p : programs) {
        const double ms = median(p.runs, &Run::ms), cpu = median(p.runs, &Run::cpuMs),
                     kb = median(p.runs, &Run::maxRssKb);
        std::printf("  %-13s %7.1f ms  %6.3fx  %7.1f ms  %6.3fx  %9.0f KiB  %6.3fx\n", p.name, ms,
                    ms / median(bare.runs, &Run::ms), cpu, cpu / median(bare.runs, &Run::cpuMs), kb,
                    kb / median(bare.runs, &Run::maxRssKb));
    }
    return 0;
}
