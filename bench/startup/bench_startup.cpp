// Measures whole processes, side by side in the same rounds: karvo, the bare
// Qt window of minimal_widgets.cpp and, when given, another build of karvo.
// Each is started on one Xvfb of the benchmark's own, and two moments are
// taken from its start:
//  - mapped: the X server maps its first top-level window. A watcher of the
//    root window (SubstructureNotifyMask) sees the MapNotify: this is when the
//    user could first see the window;
//  - idle: the process ends once its first window is shown and the event loop
//    has nothing left to do (KARVO_SMOKE_TEST=1 makes karvo end there, the
//    bare window always does).
// Prints the medians, the peak memory and the ratios to the bare window.
// Without Xvfb only "idle" is measured, on the offscreen platform.
//
// bench_startup [karvo [bare window [rounds [other karvo]]]]: by default the
// programs beside it and 40 rounds. Run another build where it was built: a
// karvo copied elsewhere starts slower, since its program folder decides
// where it looks for its files.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Run
{
    std::optional<double> mappedMs; // nothing without an X server
    double idleMs = 0;
    long maxRssKb = 0;
};

// An Xvfb of our own on a free display, and a connection that watches every
// top-level window on it being mapped.
class XServer
{
public:
    XServer()
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            if (std::freopen("/dev/null", "w", stdout) == nullptr
                || std::freopen("/dev/null", "w", stderr) == nullptr)
                _exit(126);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                "1280x1024x24", static_cast<char *>(nullptr));
            _exit(127);
        }
        ::close(ready[1]);
        // Xvfb writes its display number once it accepts clients.
        std::string number;
        char c = 0;
        while (::read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(ready[0]);
        if (number.empty())
            return;
        m_display = ":" + number;
        m_connection = xcb_connect(m_display.c_str(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return;
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_generic_error_t *error = xcb_request_check(m_connection,
            xcb_change_window_attributes_checked(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask));
        if (error) {
            std::free(error);
            return;
        }
        m_watching = true;
    }

    ~XServer()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool watching() const { return m_watching; }
    const std::string &display() const { return m_display; }
    int fd() const { return xcb_get_file_descriptor(m_connection); }

    // Whether a top-level window was mapped since the last call; takes every
    // event waiting.
    bool takeMapped()
    {
        bool mapped = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            mapped = mapped || (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(event);
        }
        return mapped;
    }

    // A round trip: whatever the server did before it, its events are here now.
    void sync()
    {
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

private:
    pid_t m_pid = -1;
    std::string m_display;
    xcb_connection_t *m_connection = nullptr;
    bool m_watching = false;
};

[[noreturn]] void fail(const std::string &program, const char *what)
{
    std::fprintf(stderr, "%s: %s\n", program.c_str(), what);
    std::exit(1);
}

Run runOnce(const std::string &program, XServer *x)
{
    if (x) {
        // Whatever the previous program left, gone before this one starts.
        x->sync();
        x->takeMapped();
    }
    Run run;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr
            || std::freopen("/dev/null", "w", stderr) == nullptr)
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    const int exited = int(syscall(SYS_pidfd_open, pid, 0));
    if (exited < 0)
        fail(program, "cannot watch the process (pidfd_open)");
    bool running = true;
    while (running) {
        pollfd fds[2] = { { exited, POLLIN, 0 }, { x ? x->fd() : -1, POLLIN, 0 } };
        if (::poll(fds, x ? 2 : 1, -1) < 0)
            continue;
        if (x && !run.mappedMs && x->takeMapped())
            run.mappedMs = millisecondsSince(start);
        running = (fds[0].revents & POLLIN) == 0;
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    run.idleMs = millisecondsSince(start);
    ::close(exited);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program, "did not end normally");
    if (x && !run.mappedMs) {
        // Mapped just before it ended: the event may still be on its way.
        x->sync();
        if (!x->takeMapped())
            fail(program, "mapped no window");
        run.mappedMs = run.idleMs;
    }
    run.maxRssKb = usage.ru_maxrss;
    return run;
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures
{
    const char *name;
    std::string program;
    std::vector<double> mapped, idle;
    std::vector<long> kb;

    void add(const Run &run)
    {
        if (run.mappedMs)
            mapped.push_back(*run.mappedMs);
        idle.push_back(run.idleMs);
        kb.push_back(run.maxRssKb);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const std::string folder = [&] {
        std::string self = argv[0];
        const auto slash = self.rfind('/');
        return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
    }();
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 40;
    std::vector<Figures> programs { { "karvo", argc > 1 ? argv[1] : folder + "/karvo", {}, {}, {} },
        { "bare Qt window", argc > 2 ? argv[2] : folder + "/bench_minimal_widgets", {}, {}, {} } };
    // Another build of karvo (an earlier one, say), measured in the same
    // rounds, so that the figures share the machine's load.
    if (argc > 4)
        programs.push_back({ "other karvo", argv[4], {}, {}, {} });
    const Figures &bare = programs[1];

    setenv("KARVO_SMOKE_TEST", "1", 1);
    setenv("LANG", "ru_RU.UTF-8", 1);
    XServer server;
    XServer *x = server.watching() ? &server : nullptr;
    if (x) {
        setenv("DISPLAY", x->display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        std::fprintf(stderr, "no Xvfb: only \"idle\" is measured, on the offscreen platform\n");
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    for (const Figures &p : programs)
        runOnce(p.program, x); // warms the file cache and the server's fonts for all
    // Each round starts with the next program, so that none always follows
    // the same one.
    for (int i = 0; i < rounds; ++i) {
        for (std::size_t j = 0; j < programs.size(); ++j) {
            Figures &p = programs[(std::size_t(i) + j) % programs.size()];
            p.add(runOnce(p.program, x));
        }
    }

    std::printf("start-up, median of %d runs%s\n", rounds, x ? " on one Xvfb" : " (offscreen)");
    std::printf("  %-16s %10s %10s %12s %8s %8s\n", "", "mapped", "idle", "peak", "mapped", "idle");
    std::printf("  %-16s %10s %10s %12s %8s %8s\n", "", "ms", "ms", "KiB", "ratio", "ratio");
    for (const Figures &p : programs) {
        const double idle = median(p.idle);
        const double idleRatio = idle / median(bare.idle);
        if (x) {
            const double mapped = median(p.mapped);
            std::printf("  %-16s %10.1f %10.1f %12ld %7.2fx %7.2fx\n", p.name, mapped, idle, median(p.kb),
                mapped / median(bare.mapped), idleRatio);
        } else {
            std::printf(
                "  %-16s %10s %10.1f %12ld %8s %7.2fx\n", p.name, "-", idle, median(p.kb), "-", idleRatio);
        }
    }
    std::printf("  target: karvo's first window mapped within 1.25x of the bare Qt window's\n");
    return 0;
}
