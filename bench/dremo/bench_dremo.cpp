#include <QByteArray>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <utility>
#include <vector>

// Runs dremo with no date stored and a minimal Qt Core program that reads one
// per-user value, alternately, and compares their wall time and the peak
// resident memory of the process, both taken by the parent through wait4().
// Prints the figures, the ratios and whether dremo stays within 1.5 times
// the baseline; the figures are for reading, so a verdict never fails a run.

namespace {

constexpr int kRuns = 50;
constexpr int kWarmUps = 3;
constexpr double kLimit = 1.5;

struct Sample
{
    double milliseconds;
    double cpuMilliseconds; // user + system
    long maxRssKiB;
};

double milliseconds(const timeval &time)
{
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

bool run(const char *program, Sample &sample)
{
    timespec start {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    timespec end {};
    clock_gettime(CLOCK_MONOTONIC, &end);
    sample.milliseconds = double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
    sample.cpuMilliseconds = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    sample.maxRssKiB = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <class T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Figures
{
    double medianMs;
    double meanMs;
    double medianCpuMs;
    long medianRss;
    long maxRss;
};

Figures summarise(const std::vector<Sample> &samples)
{
    std::vector<double> times;
    std::vector<double> cpu;
    std::vector<long> rss;
    for (const Sample &sample : samples) {
        times.push_back(sample.milliseconds);
        cpu.push_back(sample.cpuMilliseconds);
        rss.push_back(sample.maxRssKiB);
    }
    return { median(times), std::accumulate(times.begin(), times.end(), 0.0) / double(times.size()),
        median(cpu), median(rss), *std::max_element(rss.begin(), rss.end()) };
}

// The machine may be busy with other work that comes and goes; each pair ran
// back to back, so the median of the pairs' ratios sees little of it.
double pairedTimeRatio(const std::vector<Sample> &baseline, const std::vector<Sample> &dremo)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < baseline.size(); ++i)
        ratios.push_back(dremo[i].milliseconds / baseline[i].milliseconds);
    return median(ratios);
}

} // namespace

int main()
{
    // An empty private configuration folder: no date is stored, the case of
    // every log-on before the reminder day or without a reminder.
    const QTemporaryDir config;
    if (!config.isValid() || setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1) != 0) {
        std::fprintf(stderr, "bench_dremo: cannot make a configuration folder\n");
        return 2;
    }

    const char *programs[] = { BASELINE_PATH, DREMO_PATH };
    std::vector<Sample> samples[2];
    Sample sample {};
    for (int i = 0; i < kWarmUps; ++i) {
        for (const char *program : programs) {
            if (!run(program, sample)) {
                std::fprintf(stderr, "bench_dremo: %s did not run cleanly\n", program);
                return 2;
            }
        }
    }
    for (int i = 0; i < kRuns; ++i) {
        // Alternate which goes first, so neither always runs on a warmer cache.
        for (int k = 0; k < 2; ++k) {
            const int which = (i + k) % 2;
            if (!run(programs[which], sample)) {
                std::fprintf(stderr, "bench_dremo: %s did not run cleanly\n", programs[which]);
                return 2;
            }
            samples[which].push_back(sample);
        }
    }

    const Figures baseline = summarise(samples[0]);
    const Figures dremo = summarise(samples[1]);
    const double timeRatio = pairedTimeRatio(samples[0], samples[1]);
    const double memoryRatio = double(dremo.medianRss) / double(baseline.medianRss);

    std::printf("dremo at log-on, no date stored: %d runs each\n", kRuns);
    std::printf("%-10s %12s %10s %14s %16s %14s\n", "", "median ms", "mean ms", "median CPU ms",
        "median RSS KiB", "max RSS KiB");
    for (const auto &[name, figures] : { std::pair { "baseline", baseline }, std::pair { "dremo", dremo } })
        std::printf("%-10s %12.2f %10.2f %14.2f %16ld %14ld\n", name, figures.medianMs, figures.meanMs,
            figures.medianCpuMs, figures.medianRss, figures.maxRss);
    std::printf("ratio dremo/baseline: wall time %.2f (median of %d back-to-back pairs), CPU time %.2f, "
                "peak memory %.2f; limit %.1f\n",
        timeRatio, kRuns, dremo.medianCpuMs / baseline.medianCpuMs, memoryRatio, kLimit);
    const bool within = timeRatio <= kLimit && memoryRatio <= kLimit;
    std::printf("%s\n", within ? "within the limit" : "ABOVE THE LIMIT");
    return 0;
}
