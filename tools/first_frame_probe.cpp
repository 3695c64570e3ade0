// Measures how long a program takes to show its first frame, the way a user sees it: starts the
// program and polls one screen pixel of the X display until it changes.
//   first_frame_probe X Y PROGRAM [ARGS...]   prints milliseconds, or fails after 10 s
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

unsigned long PixelAt(Display* display, int x, int y) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return 0;
    }
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        (void)std::fprintf(stderr, "usage: first_frame_probe X Y PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        (void)std::fprintf(stderr, "first_frame_probe: no display\n");
        return 1;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const unsigned long before = PixelAt(display, x, y);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
        (void)std::fprintf(stderr, "first_frame_probe: cannot start %s\n", argv[3]);
        return 1;
    }
    int code = 1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        if (PixelAt(display, x, y) != before) {
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            std::printf("%.1f\n", took.count());
            code = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return code;
}
