// SPDX-License-Identifier: MIT
// Measures the launcher the way a user sees it, from outside, on an X display:
//   screen_probe first-frame X Y PROGRAM [ARGS...]
//       starts PROGRAM; milliseconds until screen pixel (X, Y) changes
//   screen_probe hover X Y AWAY_X AWAY_Y ROUNDS [WATCH_X WATCH_Y]
//       moves the pointer (XTEST) from (AWAY_X, AWAY_Y) onto (X, Y), ROUNDS times; for each,
//       milliseconds until the watched pixel (default X, Y) changes and until it changes again
//       (on a button: its hovered picture, then its bubble; beside it, the bubble alone)
//   screen_probe key X Y AWAY_X AWAY_Y ROUNDS
//       moves the pointer (XTEST) to (AWAY_X, AWAY_Y), which ends any keyboard focus, then
//       presses Tab, ROUNDS times; for each, milliseconds until pixel (X, Y) changes (the first
//       button's hovered picture)
//   screen_probe sound X Y FILE
//       moves the pointer (XTEST) onto (X, Y); milliseconds until FILE (SDL's disk audio
//       driver's output) holds a sound, that is a byte that is not silence
//   screen_probe sweep PID X Y W H SECONDS
//       sweeps the pointer (XTEST) row by row over the rectangle, one move a millisecond, for
//       SECONDS; prints the moves made and the CPU time process PID spent meanwhile
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

unsigned long PixelAt(Display* display, int x, int y) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return 0;
    }
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

// Polls until the pixel differs from `from`; the time, or a negative one after `limitMs`.
double WaitForChange(Display* display, int x, int y, unsigned long from, Clock::time_point start,
                     double limitMs) {
    while (MsSince(start) < limitMs) {
        if (PixelAt(display, x, y) != from) {
            return MsSince(start);
        }
    }
    return -1;
}

int FirstFrame(Display* display, int x, int y, char** program) {
    const unsigned long before = PixelAt(display, x, y);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program[0], nullptr, nullptr, program, environ) != 0) {
        (void)std::fprintf(stderr, "screen_probe: cannot start %s\n", program[0]);
        return 1;
    }
    const double ms = WaitForChange(display, x, y, before, start, 10000);
    // feh at times lets SIGTERM wait while the server is busy: a second later it is killed.
    kill(child, SIGTERM);
    for (int i = 0; i < 100 && waitpid(child, nullptr, WNOHANG) == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (waitpid(child, nullptr, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    if (ms < 0) {
        return 1;
    }
    std::printf("first frame %.1f ms\n", ms);
    return 0;
}

void MovePointer(Display* display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, 0);
    XFlush(display);
}

int Hover(Display* display, int x, int y, int awayX, int awayY, int rounds, int watchX,
          int watchY) {
    for (int round = 0; round < rounds; ++round) {
        MovePointer(display, awayX, awayY);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const unsigned long normal = PixelAt(display, watchX, watchY);
        const Clock::time_point start = Clock::now();
        MovePointer(display, x, y);
        const double first = WaitForChange(display, watchX, watchY, normal, start, 2000);
        const unsigned long changed = PixelAt(display, watchX, watchY);
        const double second = WaitForChange(display, watchX, watchY, changed, start, 1000);
        std::printf("changed %.2f ms, changed again %.2f ms\n", first, second);
    }
    MovePointer(display, awayX, awayY);
    return 0;
}

int TabOnto(Display* display, int x, int y, int awayX, int awayY, int rounds) {
    const KeyCode tab = XKeysymToKeycode(display, XK_Tab);
    for (int round = 0; round < rounds; ++round) {
        MovePointer(display, awayX + round % 2, awayY);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const unsigned long normal = PixelAt(display, x, y);
        const Clock::time_point start = Clock::now();
        XTestFakeKeyEvent(display, tab, True, 0);
        XTestFakeKeyEvent(display, tab, False, 0);
        XFlush(display);
        std::printf("changed %.2f ms\n", WaitForChange(display, x, y, normal, start, 2000));
    }
    return 0;
}

// True when `path` holds a byte other than 0, the silence of signed samples.
bool HoldsSound(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    bool found = false;
    for (int c = std::fgetc(file); c != EOF && !found; c = std::fgetc(file)) {
        found = c != 0;
    }
    (void)std::fclose(file);
    return found;
}

int Sound(Display* display, int x, int y, const char* path) {
    const Clock::time_point start = Clock::now();
    MovePointer(display, x, y);
    while (!HoldsSound(path)) {
        if (MsSince(start) > 5000) {
            (void)std::fprintf(stderr, "screen_probe: no sound in %s\n", path);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::printf("sound %.1f ms\n", MsSince(start));
    return 0;
}

}  // namespace

// User and system time of process `pid` in milliseconds, from /proc.
double CpuMs(int pid) {
    char path[64];
    (void)std::snprintf(path, sizeof path, "/proc/%d/stat", pid);
    FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return -1;
    }
    char text[1024] = "";
    const std::size_t got = std::fread(text, 1, sizeof text - 1, file);
    (void)std::fclose(file);
    text[got] = '\0';
    // Fields 14 and 15, counted after the command name's closing parenthesis.
    const char* p = std::strrchr(text, ')');
    unsigned long user = 0, system = 0;
    if (p == nullptr || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu",
                                    &user, &system) != 2) {
        return -1;
    }
    return 1000.0 * static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

int Sweep(Display* display, int pid, int x, int y, int width, int height, int seconds) {
    const double before = CpuMs(pid);
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    long moves = 0;
    for (int row = 0; Clock::now() < end; row = (row + 7) % height) {
        for (int column = 0; column < width && Clock::now() < end; column += 3) {
            XTestFakeMotionEvent(display, -1, x + column, y + row, CurrentTime);
            XFlush(display);
            ++moves;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::seconds(1));  // the last moves handled
    const double cpu = CpuMs(pid) - before;
    std::printf("%ld moves, %.0f ms CPU, %.3f ms per move\n", moves, cpu,
                cpu / static_cast<double>(moves));
    return before < 0 || cpu < 0 ? 1 : 0;
}

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        (void)std::fprintf(stderr, "screen_probe: no display\n");
        return 1;
    }
    int code = 2;
    if (argc >= 5 && std::strcmp(argv[1], "first-frame") == 0) {
        code = FirstFrame(display, std::atoi(argv[2]), std::atoi(argv[3]), argv + 4);
    } else if ((argc == 7 || argc == 9) && std::strcmp(argv[1], "hover") == 0) {
        const int x = std::atoi(argv[2]);
        const int y = std::atoi(argv[3]);
        code = Hover(display, x, y, std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                     argc == 9 ? std::atoi(argv[7]) : x, argc == 9 ? std::atoi(argv[8]) : y);
    } else if (argc == 7 && std::strcmp(argv[1], "key") == 0) {
        code = TabOnto(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                       std::atoi(argv[5]), std::atoi(argv[6]));
    } else if (argc == 5 && std::strcmp(argv[1], "sound") == 0) {
        code = Sound(display, std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    } else if (argc == 8 && std::strcmp(argv[1], "sweep") == 0) {
        code = Sweep(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                     std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]));
    } else {
        (void)std::fprintf(stderr,
                           "usage: screen_probe first-frame X Y PROGRAM [ARGS...]\n"
                           "       screen_probe hover X Y AWAY_X AWAY_Y ROUNDS [WATCH_X WATCH_Y]\n"
                           "       screen_probe key X Y AWAY_X AWAY_Y ROUNDS\n"
                           "       screen_probe sound X Y FILE\n"
                           "       screen_probe sweep PID X Y W H SECONDS\n");
    }
    XCloseDisplay(display);
    return code;
}
