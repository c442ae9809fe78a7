// Starts a program and reports how long it took until its window was mapped,
// how much memory it held at its peak and how much CPU time it used.
//
//   launchwait --title TITLE [--timeout-ms N] [--settle-ms N] -- PROGRAM [ARGS...]
//
// Prints one line, "mapped_ms=<ms> hwm_kb=<kB> maxrss_kb=<kB> cpu_ms=<ms>",
// then ends the program.
//
//   mapped_ms  from just before fork() until we read the X server's MapNotify
//              for a top-level window titled exactly TITLE (in WM_NAME or
//              _NET_WM_NAME);
//   hwm_kb     VmHWM from /proc/PID/status, once it has not grown for
//              --settle-ms (default 300) after the map, so that the first
//              paint, which follows the map, is in it;
//   maxrss_kb  the same peak as the kernel reports it when the program is
//              reaped, as a check on hwm_kb;
//   cpu_ms     user and system time of the program over its whole life. Unlike
//              mapped_ms it hardly changes when other work competes for the
//              CPU, so it tells a slower program from a busier machine.
//
// The wait is driven by events, not by looking: we ask for SubstructureNotify
// on the root window before the program starts, so every top-level window it
// creates or maps is reported to us as the server handles the request.
// Between events we sleep in poll() for at most 1 ms, only to notice a
// program that died or a timeout. A title that is set after the map is caught
// through PropertyNotify on each new top-level window.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Windows come and go while we look at them; a BadWindow then is no error.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

struct Atoms {
    Atom netWmName;
    Atom utf8String;
};

bool readProperty(Display* display, Window window, Atom property, Atom type, std::string& out) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType,
                           &actualFormat, &count, &remaining, &data) != Success ||
        data == nullptr) {
        return false;
    }
    const bool ok = actualType != None && actualFormat == 8;
    if (ok) {
        out.assign(reinterpret_cast<const char*>(data), count);
    }
    XFree(data);
    return ok;
}

// The title is matched against both names a window carries: WM_NAME holds it
// as the program set it, while Qt writes the application display name after
// it in _NET_WM_NAME.
bool hasTitle(Display* display, Window window, const Atoms& atoms, const std::string& title) {
    std::string name;
    if (readProperty(display, window, XA_WM_NAME, AnyPropertyType, name) && name == title) {
        return true;
    }
    return readProperty(display, window, atoms.netWmName, atoms.utf8String, name) &&
           name == title;
}

bool isOurMappedWindow(Display* display, Window window, const Atoms& atoms,
                       const std::string& title) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return false;
    }
    return attributes.map_state == IsViewable && hasTitle(display, window, atoms, title);
}

long peakKilobytes(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return -1;
    }
    long kb = -1;
    char line[256];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            kb = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(file);
    return kb;
}

// Ends the program and returns what the kernel counted for it over its life.
rusage stopProgram(pid_t pid) {
    kill(pid, SIGTERM);
    rusage usage{};
    int status = 0;
    const double deadline = nowMs() + 2000;
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid || done < 0) {
            return usage;
        }
        if (nowMs() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return usage;
        }
        usleep(1000);
    }
}

double cpuMs(const rusage& usage) {
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

int usage() {
    std::fprintf(stderr, "usage: launchwait --title TITLE [--timeout-ms N] [--settle-ms N] "
                         "-- PROGRAM [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    std::string title;
    bool haveTitle = false;
    double timeoutMs = 20000;
    double settleMs = 300;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if (first + 1 >= argc) {
            return usage();
        }
        if (arg == "--title") {
            title = argv[++first];
            haveTitle = true;
        } else if (arg == "--timeout-ms") {
            timeoutMs = std::atof(argv[++first]);
        } else if (arg == "--settle-ms") {
            settleMs = std::atof(argv[++first]);
        } else {
            return usage();
        }
    }
    if (!haveTitle || first >= argc) {
        return usage();
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "launchwait: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXErrors);
    const Atoms atoms{XInternAtom(display, "_NET_WM_NAME", False),
                      XInternAtom(display, "UTF8_STRING", False)};
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    const int xfd = ConnectionNumber(display);
    fcntl(xfd, F_SETFD, FD_CLOEXEC);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("launchwait: fork");
        return 1;
    }
    if (pid == 0) {
        execvp(argv[first], argv + first);
        std::perror("launchwait: exec");
        _exit(127);
    }

    double mapped = -1;
    const double deadline = start + timeoutMs;
    while (mapped < 0) {
        while (mapped < 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            Window candidate = None;
            if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                // Hear about later title changes, then look at it as it is now.
                XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
                candidate = event.xcreatewindow.window;
            } else if (event.type == MapNotify) {
                candidate = event.xmap.window;
            } else if (event.type == PropertyNotify &&
                       (event.xproperty.atom == XA_WM_NAME ||
                        event.xproperty.atom == atoms.netWmName)) {
                candidate = event.xproperty.window;
            }
            if (candidate != None && isOurMappedWindow(display, candidate, atoms, title)) {
                mapped = nowMs();
            }
        }
        if (mapped >= 0) {
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "launchwait: %s ended before its window was mapped\n",
                         argv[first]);
            return 1;
        }
        if (nowMs() > deadline) {
            std::fprintf(stderr, "launchwait: no window titled '%s' within %.0f ms\n",
                         title.c_str(), timeoutMs);
            stopProgram(pid);
            return 1;
        }
        pollfd wait{xfd, POLLIN, 0};
        poll(&wait, 1, 1);
    }

    // The peak comes with the first paint, just after the map; wait until it
    // has stopped growing, looking every 10 ms, for at most 5 s.
    long hwm = peakKilobytes(pid);
    double stableSince = nowMs();
    const double settleDeadline = stableSince + 5000;
    while (nowMs() - stableSince < settleMs && nowMs() < settleDeadline) {
        usleep(10000);
        const long current = peakKilobytes(pid);
        if (current != hwm) {
            hwm = current;
            stableSince = nowMs();
        }
    }
    const rusage usage = stopProgram(pid);
    XCloseDisplay(display);

    std::printf("mapped_ms=%.3f hwm_kb=%ld maxrss_kb=%ld cpu_ms=%.3f\n", mapped - start, hwm,
                usage.ru_maxrss, cpuMs(usage));
    return 0;
}
