// Launch benchmark: how long a program takes from its start to a painted
// top-level window, and how much memory it holds at its peak.
//
// The benchmark runs on the X server that DISPLAY names, best a fresh Xvfb
// with a black root, so that an unpainted window reads as one uniform colour
// (bench/run.sh runs it under scripts/with-xvfb.sh). For every run it forks
// and executes one of the programs named on its command line, in a session
// of its own runtime directory, watching the root window for the first
// MapNotify of a top-level window. From then on it reads the window's pixels
// with XGetImage every half millisecond:
//   mapped    the MapNotify of the program's top-level window;
//   painted   the first image that is not one uniform colour;
//   complete  the first image identical to the one the window settles on
//             (unchanged for kSettleMs).
// Every time counts from just before fork(). After the window has settled
// the program gets SIGTERM; its peak resident memory is the largest of its
// VmHWM and its smaps_rollup Rss just before, and the ru_maxrss that
// wait4() reports. The programs take turns, so that a slow spell of the
// machine does not land on one of them only; one unmeasured warm-up run of
// each fills the page and font caches (and cTallix's start picture) first.
//
// Usage: ctallix_launch_bench [--runs N] [--goal-faster-than NAME] [--goal-ratio R]
//                             [--goal-rss-ratio Q] [--goal-rss-mib MIB]
//                             NAME=COMMAND [NAME=COMMAND ...]
// COMMAND is split at blanks; words of the form NAME=VALUE before the program
// set its environment, as in a shell. The first program is the one measured against
// the others: the ratios are its medians over theirs, and the goals (painted
// within R times NAME's median, default 1; peak RSS within Q times NAME's and
// within MIB mebibytes) are checked for it. Memory is shown in MiB (1024 x 1024 bytes), as ps and
// top count.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Generous bounds for a slow machine; a run that exceeds them fails.
constexpr double kMapTimeoutMs = 20000;
constexpr double kPaintTimeoutMs = 20000;
// The window has settled when its pixels stay the same this long.
constexpr double kSettleMs = 600;
constexpr double kSettleCapMs = 5000;
constexpr long kPollStepUs = 500;

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

[[noreturn]] void die(const std::string &what) {
    std::fprintf(stderr, "launch_bench: %s\n", what.c_str());
    std::exit(2);
}

struct Program {
    std::string name;
    std::vector<std::string> argv;
};

struct Run {
    double mappedMs = 0;
    double paintedMs = 0;
    double completeMs = 0;
    double cpuMs = 0;
    long peakRssKb = 0;
};

pid_t spawn(const Program &program) {
    const pid_t pid = fork();
    if (pid < 0)
        die("fork failed");
    if (pid == 0) {
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        const int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, 0);
        dup2(devnull, 1);
        dup2(devnull, 2);
        std::vector<char *> args;
        for (const std::string &a : program.argv) {
            const size_t eq = a.find('=');
            if (args.empty() && eq != std::string::npos) // a leading NAME=VALUE, as in a shell
                setenv(a.substr(0, eq).c_str(), a.c_str() + eq + 1, 1);
            else
                args.push_back(const_cast<char *>(a.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// Waits until the connection has an event or `deadline` passes.
bool waitForEvent(Display *dpy, double deadline) {
    while (XPending(dpy) == 0) {
        const double left = deadline - nowMs();
        if (left <= 0)
            return false;
        pollfd pfd{ConnectionNumber(dpy), POLLIN, 0};
        poll(&pfd, 1, static_cast<int>(std::min(left, 50.0)) + 1);
    }
    return true;
}

int ignoreErrors(Display *, XErrorEvent *) {
    return 0;
}

// The window's pixels, row after row, 32 bits each. Empty when the window
// is gone.
std::optional<std::vector<std::uint32_t>> capture(Display *dpy, Window window, int width,
                                                  int height) {
    XImage *image = XGetImage(dpy, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return std::nullopt;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        std::uint32_t *out = pixels.data() + static_cast<size_t>(y) * width;
        if (image->bits_per_pixel == 32) {
            std::memcpy(out, image->data + y * image->bytes_per_line, width * 4);
            for (int x = 0; x < width; ++x)
                out[x] &= 0xffffff;
        } else {
            for (int x = 0; x < width; ++x)
                out[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y));
        }
    }
    XDestroyImage(image);
    return pixels;
}

bool uniform(const std::vector<std::uint32_t> &pixels) {
    return std::all_of(pixels.begin(), pixels.end(),
                       [first = pixels.front()](std::uint32_t p) { return p == first; });
}

// The largest resident size /proc shows for a running process, in kB: its
// VmHWM, or the exact page count of smaps_rollup (the kernel keeps VmHWM
// from per-CPU counters that can lag behind by some hundred kB).
long peakFromProc(pid_t pid) {
    long kb = 0;
    const auto scan = [&](const std::string &file, const char *format) {
        FILE *in = std::fopen(("/proc/" + std::to_string(pid) + "/" + file).c_str(), "r");
        if (in == nullptr)
            return;
        char line[256];
        long value = 0;
        while (std::fgets(line, sizeof line, in) != nullptr)
            if (std::sscanf(line, format, &value) == 1) {
                kb = std::max(kb, value);
                break;
            }
        std::fclose(in);
    };
    scan("status", "VmHWM: %ld kB");
    scan("smaps_rollup", "Rss: %ld kB");
    return kb;
}

Run measure(Display *dpy, const Program &program) {
    const Window root = DefaultRootWindow(dpy);
    XSync(dpy, False);
    while (XPending(dpy) > 0) {
        XEvent discard;
        XNextEvent(dpy, &discard);
    }

    Run run;
    const double start = nowMs();
    const pid_t pid = spawn(program);

    // The first top-level window the program maps.
    Window window = 0;
    const double mapDeadline = start + kMapTimeoutMs;
    while (window == 0) {
        if (!waitForEvent(dpy, mapDeadline)) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            die(program.name + ": no window was mapped");
        }
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect)
            window = event.xmap.window;
    }
    run.mappedMs = nowMs() - start;

    XWindowAttributes attributes{};
    if (XGetWindowAttributes(dpy, window, &attributes) == 0)
        die(program.name + ": its window vanished");
    const int width = attributes.width;
    const int height = attributes.height;

    // Poll until the first non-uniform picture, then until the picture has
    // not changed for kSettleMs; the last change is when it became complete.
    std::vector<std::uint32_t> last;
    double lastChange = 0;
    for (;;) {
        std::optional<std::vector<std::uint32_t>> shot = capture(dpy, window, width, height);
        const double t = nowMs() - start;
        if (!shot)
            die(program.name + ": its window vanished");
        if (run.paintedMs == 0) {
            if (!uniform(*shot)) {
                run.paintedMs = t;
                lastChange = t;
                last = std::move(*shot);
            } else if (t > kPaintTimeoutMs) {
                die(program.name + ": its window stays blank");
            }
        } else if (*shot != last) {
            last = std::move(*shot);
            lastChange = t;
        } else if (t - lastChange >= kSettleMs || t - run.paintedMs > kSettleCapMs) {
            break;
        }
        usleep(kPollStepUs);
    }
    run.completeMs = lastChange;

    const long hwmKb = peakFromProc(pid);
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        die(program.name + ": wait4 failed");
    // The larger of the two views of the same high-water mark.
    run.peakRssKb = std::max(hwmKb, usage.ru_maxrss);
    run.cpuMs = usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
                usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
    // Let the server tear the window down before the next program starts.
    XSync(dpy, False);
    usleep(50 * 1000);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<std::string> split(const std::string &command) {
    std::istringstream in(command);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

} // namespace

int main(int argc, char *argv[]) {
    int runs = 9;
    std::string fasterThan;
    double goalRatio = 1.0;
    double rssGoalRatio = 0;
    double rssGoalMb = 0;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        if (arg == "--goal-faster-than" && i + 1 < argc) {
            fasterThan = argv[++i];
            continue;
        }
        if (arg == "--goal-ratio" && i + 1 < argc) {
            goalRatio = std::atof(argv[++i]);
            continue;
        }
        if (arg == "--goal-rss-ratio" && i + 1 < argc) {
            rssGoalRatio = std::atof(argv[++i]);
            continue;
        }
        if (arg == "--goal-rss-mib" && i + 1 < argc) {
            rssGoalMb = std::atof(argv[++i]);
            continue;
        }
        const size_t eq = arg.find('=');
        if (eq == std::string::npos || eq == 0)
            die("arguments are NAME=COMMAND, not \"" + arg + "\"");
        Program program{arg.substr(0, eq), split(arg.substr(eq + 1))};
        if (program.argv.empty())
            die("empty command for " + program.name);
        programs.push_back(program);
    }
    if (programs.empty())
        die("usage: ctallix_launch_bench [--runs N] NAME=COMMAND ...");

    char runtimeTemplate[] = "/tmp/launch_bench.XXXXXX";
    if (mkdtemp(runtimeTemplate) == nullptr)
        die("mkdtemp failed");
    // No session bus and no files of an earlier run for the programs.
    setenv("XDG_RUNTIME_DIR", runtimeTemplate, 1);

    const char *display = std::getenv("DISPLAY");
    Display *dpy = display != nullptr ? XOpenDisplay(display) : nullptr;
    if (dpy == nullptr)
        die("cannot open the display DISPLAY=\"" + std::string(display != nullptr ? display : "") +
            "\" (run me under scripts/with-xvfb.sh)");
    XSetErrorHandler(ignoreErrors);
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);

    std::vector<std::vector<Run>> results(programs.size());
    for (const Program &program : programs)
        measure(dpy, program); // warm-up, not counted
    for (int r = 0; r < runs; ++r)
        for (size_t p = 0; p < programs.size(); ++p)
            results[p].push_back(measure(dpy, programs[p]));

    struct Summary {
        double mapped, painted, complete, cpu, rssMb;
    };
    std::vector<Summary> summaries;
    for (const std::vector<Run> &list : results) {
        std::vector<double> mapped, painted, complete, cpu, rss;
        for (const Run &run : list) {
            mapped.push_back(run.mappedMs);
            painted.push_back(run.paintedMs);
            complete.push_back(run.completeMs);
            cpu.push_back(run.cpuMs);
            rss.push_back(run.peakRssKb / 1024.0);
        }
        summaries.push_back(
            {median(mapped), median(painted), median(complete), median(cpu), median(rss)});
    }

    std::printf("Launch to a painted window on Xvfb: median of %d runs each, programs taking "
                "turns\n(ms from start; CPU = user+sys of the whole run; peak RSS = max of VmHWM, "
                "smaps Rss, ru_maxrss)\n",
                runs);
    std::printf("%-12s %9s %9s %9s %9s %13s\n", "program", "mapped", "painted", "complete",
                "CPU ms", "peak RSS MiB");
    for (size_t p = 0; p < programs.size(); ++p) {
        const Summary &s = summaries[p];
        std::printf("%-12s %9.1f %9.1f %9.1f %9.1f %13.1f\n", programs[p].name.c_str(), s.mapped,
                    s.painted, s.complete, s.cpu, s.rssMb);
    }
    const Summary &first = summaries.front();
    for (size_t p = 1; p < programs.size(); ++p) {
        const Summary &s = summaries[p];
        std::printf("%s / %s: painted %.2f, complete %.2f, peak RSS %.2f\n",
                    programs.front().name.c_str(), programs[p].name.c_str(),
                    first.painted / s.painted, first.complete / s.complete, first.rssMb / s.rssMb);
        if (programs[p].name != fasterThan)
            continue;
        std::printf("goal: %s painted within %.2f of %s's time: %s (%.2f)\n",
                    programs.front().name.c_str(), goalRatio, fasterThan.c_str(),
                    first.painted <= goalRatio * s.painted ? "met" : "MISSED",
                    first.painted / s.painted);
        if (rssGoalRatio > 0)
            std::printf("goal: %s peak RSS within %.2f of %s's: %s (%.2f)\n",
                        programs.front().name.c_str(), rssGoalRatio, fasterThan.c_str(),
                        first.rssMb <= rssGoalRatio * s.rssMb ? "met" : "MISSED",
                        first.rssMb / s.rssMb);
    }
    if (rssGoalMb > 0)
        std::printf("goal: %s peak RSS <= %.0f MiB: %s (%.1f MiB = %.1f MB)\n",
                    programs.front().name.c_str(), rssGoalMb,
                    first.rssMb <= rssGoalMb ? "met" : "MISSED", first.rssMb,
                    first.rssMb * 1.048576);
    XCloseDisplay(dpy);
    rmdir(runtimeTemplate);
    return 0;
}
