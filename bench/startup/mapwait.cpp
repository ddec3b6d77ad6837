// Times a program's start-up from outside: starts PROGRAM, waits for the first top-level window
// it maps on $DISPLAY, lets it settle, reads its peak resident memory and kills it. Prints one line
//   map_ms=<ms from start to the MapNotify> cpu_ms=<CPU time of its threads by then>
//   hwm_kib=<VmHWM> width=<w> height=<h>
// The CPU time hardly depends on what else the machine runs, the time to the mapping does.
// Without a window manager a top-level window is a child of the root window, so SubstructureNotify
// on the root reports its mapping as the server performs it. The display must have no other
// client mapping windows meanwhile.
// Usage: mapwait [--settle MS] [--timeout MS] PROGRAM [ARGS...]
// Exits 0 on a measurement, 1 when the program exits or times out first, 2 on a usage error.

#include <X11/Xlib.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

long peakResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Time on a CPU so far, summed over the live threads; -1 when the kernel does not tell.
double cpuMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (dir == nullptr) return -1;
    double ns = 0;
    bool any = false;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double runNs = 0;
        if (schedstat >> runNs) {
            ns += runNs;
            any = true;
        }
    }
    closedir(dir);
    return any ? ns / 1e6 : -1;
}

void stop(pid_t pid) {
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The window may be gone by the time its size is asked for; that must not end the measurement.
int ignoreXError(Display *, XErrorEvent *) {
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: mapwait [--settle MS] [--timeout MS] PROGRAM [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    int settleMs = 300;
    int timeoutMs = 10000;
    int first = 1;
    for (; first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0; first += 2) {
        if (std::strcmp(argv[first], "--settle") == 0)
            settleMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--timeout") == 0)
            timeoutMs = std::atoi(argv[first + 1]);
        else
            return usage();
    }
    if (first >= argc) return usage();

    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "mapwait: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    const int fd = ConnectionNumber(display);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("mapwait: fork");
        return 1;
    }
    if (pid == 0) {
        execvp(argv[first], argv + first);
        std::fprintf(stderr, "mapwait: cannot run %s: %s\n", argv[first], std::strerror(errno));
        _exit(127);
    }

    Window mapped = 0;
    double mappedAt = 0;
    while (mapped == 0) {
        while (mapped == 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                mappedAt = nowMs();
                mapped = event.xmap.window;
            }
        }
        if (mapped != 0) break;
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "mapwait: %s exited before mapping a window\n", argv[first]);
            return 1;
        }
        const double left = start + timeoutMs - nowMs();
        if (left <= 0) {
            std::fprintf(stderr, "mapwait: %s mapped no window within %d ms\n", argv[first],
                         timeoutMs);
            stop(pid);
            return 1;
        }
        // Wake at least every 50 ms to notice a program that dies without mapping anything.
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, left < 50 ? static_cast<int>(left) + 1 : 50);
    }

    const double cpu = cpuMs(pid);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, mapped, &attributes) == 0) attributes = {};
    // The first paint and the event processing right after the mapping belong to the start-up.
    usleep(static_cast<useconds_t>(settleMs) * 1000u);
    const long hwm = peakResidentKiB(pid);
    stop(pid);
    XCloseDisplay(display);
    std::printf("map_ms=%.2f cpu_ms=%.2f hwm_kib=%ld width=%d height=%d\n", mappedAt - start, cpu,
                hwm, attributes.width, attributes.height);
    return hwm < 0 ? 1 : 0;
}
