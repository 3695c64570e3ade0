// SPDX-License-Identifier: MIT
#include "platform/backend/x11_common/x_errors.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>

#include <unistd.h>

namespace backend {
namespace {

int Report(Display* display, XErrorEvent* error) {
    char text[128] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    (void)std::fprintf(stderr, "%s: X error ignored: %s (request %d, resource 0x%lx)\n",
                       program_invocation_short_name, text, error->request_code, error->resourceid);
    return 0;
}

// Xlib's own answer, exit(1), runs the program's static destructors on this thread while a
// movie's threads may still write into what they destroy. Nothing is left to tidy on a dead
// connection: the process ends here, at once.
int EndWithTheConnection(Display* display) {
    (void)std::fprintf(stderr, "%s: lost the connection to the X server %s\n",
                       program_invocation_short_name, DisplayString(display));
    _exit(1);
}

}  // namespace

void ReportXErrors() {
    XSetErrorHandler(Report);
    XSetIOErrorHandler(EndWithTheConnection);
}

}  // namespace backend
