// SPDX-License-Identifier: MIT
// The program's entry on systems without WinMain: hands the arguments to the program, opens the
// real backend, then runs the one application object.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/afx.h"
#include "platform/afx/entry.h"
#include "platform/backend/module.h"
#include "platform/backend/x11/x11_backend.h"

namespace {

// SDL serves sessions without X11 (Wayland alone); it is loaded only for them.
std::unique_ptr<backend::Backend> LoadSdlBackend(std::string* error) {
    void* entry = backend::LoadModuleEntry("menushell_sdl.so", "menushell_make_sdl_backend");
    if (entry == nullptr) {
        *error = "the SDL module (menushell_sdl.so) is not installed";
        return nullptr;
    }
    using Make = backend::Backend* (*)(std::string*);
    return std::unique_ptr<backend::Backend>(backend::AsFunction<Make>(entry)(error));
}

// MENUSHELL_BACKEND=x11 or sdl chooses; otherwise X11 where there is an X display, SDL where
// there is only Wayland.
std::unique_ptr<backend::Backend> OpenBackend(std::string* error) {
    const char* forced = std::getenv("MENUSHELL_BACKEND");
    const std::string choice = forced != nullptr ? forced : "";
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    const bool x11 = set("DISPLAY");
    const bool wayland = set("WAYLAND_DISPLAY");
    if (choice == "x11" || (choice.empty() && x11)) {
        return backend::MakeX11Backend(error);
    }
    if (choice == "sdl" || (choice.empty() && wayland)) {
        return LoadSdlBackend(error);
    }
    *error = choice.empty() ? "no X or Wayland display"
                            : "MENUSHELL_BACKEND is \"" + choice + "\", not x11 or sdl";
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // Before any display is needed, so that it also answers without one.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        (void)std::printf("%s " MENUSHELL_VERSION "\n", program_invocation_short_name);
        return 0;
    }
    const std::string refused = TakeArguments(argc, argv);
    std::string error;
    auto opened = OpenBackend(&error);
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
