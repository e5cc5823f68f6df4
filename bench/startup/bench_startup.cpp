// Measures whole processes: karvo from start until its first window is shown
// and the event loop is idle (KARVO_SMOKE_TEST=1 makes it end there), and the
// minimal widgets program the same way, alternately, on the offscreen
// platform. Prints the median wall time and peak memory of each and the ratios;
// a second karvo given as the fourth argument is measured in the same rounds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run
{
    double milliseconds;
    long maxRssKb;
};

Run runOnce(const std::string &program)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr
            || std::freopen("/dev/null", "w", stderr) == nullptr)
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    return { std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss };
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string folder = [&] {
        std::string self = argv[0];
        const auto slash = self.rfind('/');
        return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
    }();
    const std::string karvo = argc > 1 ? argv[1] : folder + "/karvo";
    const std::string minimal = argc > 2 ? argv[2] : folder + "/bench_minimal_widgets";
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 20;
    // Another build of karvo (an earlier one, say), measured in the same
    // rounds, so that the two figures share the machine's load.
    const std::string other = argc > 4 ? argv[4] : std::string();

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("KARVO_SMOKE_TEST", "1", 1);
    setenv("LANG", "ru_RU.UTF-8", 1);

    runOnce(karvo); // warm the file cache for all
    runOnce(minimal);
    if (!other.empty())
        runOnce(other);
    std::vector<double> karvoMs, minimalMs, otherMs;
    std::vector<long> karvoKb, minimalKb, otherKb;
    for (int i = 0; i < rounds; ++i) {
        const Run k = runOnce(karvo);
        const Run m = runOnce(minimal);
        karvoMs.push_back(k.milliseconds);
        karvoKb.push_back(k.maxRssKb);
        minimalMs.push_back(m.milliseconds);
        minimalKb.push_back(m.maxRssKb);
        if (!other.empty()) {
            const Run o = runOnce(other);
            otherMs.push_back(o.milliseconds);
            otherKb.push_back(o.maxRssKb);
        }
    }
    const double km = median(karvoMs), mm = median(minimalMs);
    const long kk = median(karvoKb), mk = median(minimalKb);
    std::printf("start-up to the first window, median of %d runs\n", rounds);
    std::printf("  karvo            %8.1f ms  %8ld KiB peak\n", km, kk);
    if (!other.empty())
        std::printf("  other karvo      %8.1f ms  %8ld KiB peak\n", median(otherMs), median(otherKb));
    std::printf("  minimal widgets  %8.1f ms  %8ld KiB peak\n", mm, mk);
    std::printf("  ratio            %8.2f x   %8.2f x   (target: at most 1.5 x)\n", km / mm,
        double(kk) / double(mk));
    if (!other.empty())
        std::printf("  other's ratio    %8.2f x   %8.2f x\n", median(otherMs) / mm,
            double(median(otherKb)) / double(mk));
    return 0;
}
