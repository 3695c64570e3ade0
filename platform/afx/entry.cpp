// SPDX-License-Identifier: MIT
// The program's entry on systems without WinMain: hands the arguments to the program, opens the
// backend, then runs the one application object.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/afx.h"
#include "platform/afx/entry.h"
#include "platform/backend/backend_table.h"

int main(int argc, char** argv) {
    // Before any display is needed, so that it also answers without one.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        (void)std::printf("%s " MENUSHELL_VERSION "\n", program_invocation_short_name);
        return 0;
    }
    const std::string refused = TakeArguments(argc, argv);
    std::string error;
    auto opened = backend::OpenBackend(&error);
    if (!refused.empty()) {
        // Also in a box: started from a file manager, nobody reads standard error. The text is
        // UTF-8, as paths are here, so it goes to the backend, not through MessageBoxA's ANSI.
        (void)std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, refused.c_str());
        if (opened) {
            backend::Install(std::move(opened));
            backend::Current().ShowMessageBox(AfxGetAppName(), refused);
        }
        return 1;
    }
    if (!opened) {
        (void)std::fprintf(stderr,
                           "%s: cannot open a window: %s\n"
                           "Run it on a desktop, or in a virtual X server (xvfb-run %s).\n",
                           program_invocation_short_name, error.c_str(),
                           program_invocation_short_name);
        return 1;
    }
    backend::Install(std::move(opened));
    // The backend goes with the process, not before: a teardown on a connection the X server
    // still sends errors about would end the program with 1.
    return AfxWinMain();
}
