// The program's entry on systems without WinMain: opens the real backend, then runs the one
// application object.
#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/afx.h"
#include "platform/backend/sdl/sdl_backend.h"

int main() {
    std::string error;
    auto sdl = backend::MakeSdlBackend(&error);
    if (!sdl) {
        (void)std::fprintf(stderr,
                           "%s: cannot open a window: %s\n"
                           "Run it on a desktop, or in a virtual X server (xvfb-run %s).\n",
                           program_invocation_short_name, error.c_str(),
                           program_invocation_short_name);
        return 1;
    }
    backend::Install(std::move(sdl));
    // The backend goes with the process, not before: SDL's teardown puts back Xlib's default
    // error handler, which would end the program with 1 on an error still on its way from the
    // X server about a window already gone.
    return AfxWinMain();
}
