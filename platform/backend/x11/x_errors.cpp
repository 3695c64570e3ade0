#include "platform/backend/x11/x_errors.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>

namespace backend {
namespace {

int Report(Display* display, XErrorEvent* error) {
    char text[128] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    (void)std::fprintf(stderr, "%s: X error ignored: %s (request %d, resource 0x%lx)\n",
                       program_invocation_short_name, text, error->request_code, error->resourceid);
    return 0;
}

}  // namespace

void ReportXErrors() {
    XSetErrorHandler(Report);
}

}  // namespace backend
