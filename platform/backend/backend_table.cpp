// SPDX-License-Identifier: MIT
#include "platform/backend/backend_table.h"

#include <cstdlib>
#include <iterator>
#include <string>

#include "platform/backend/module.h"
#include "platform/backend/x11/x11_backend.h"

namespace backend {
namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// SDL serves sessions without X11 (Wayland alone); it is loaded only for them.
std::unique_ptr<Backend> LoadSdlBackend(std::string* error) {
    void* entry = LoadModuleEntry("menushell_sdl.so", "menushell_make_sdl_backend");
    if (entry == nullptr) {
        *error = "the SDL module (menushell_sdl.so) is not installed";
        return nullptr;
    }
    using Make = Backend* (*)(std::string*);
    return std::unique_ptr<Backend>(AsFunction<Make>(entry)(error));
}

struct BackendEntry {
    const char* name;  // as MENUSHELL_BACKEND names it
    bool (*available)();
    std::unique_ptr<Backend> (*create)(std::string* error);
};

const BackendEntry kBackends[] = {
    {"x11", [] { return IsSet("DISPLAY"); }, MakeX11Backend},
    {"sdl", [] { return IsSet("WAYLAND_DISPLAY"); }, LoadSdlBackend},
};

// "x11 or sdl", from the table.
std::string Names() {
    std::string names;
    const std::size_t count = std::size(kBackends);
    for (std::size_t i = 0; i < count; ++i) {
        names += i == 0 ? "" : i + 1 == count ? " or " : ", ";
        names += kBackends[i].name;
    }
    return names;
}

}  // namespace

std::unique_ptr<Backend> OpenBackend(std::string* error) {
    const char* forced = std::getenv("MENUSHELL_BACKEND");
    const std::string choice = forced != nullptr ? forced : "";
    for (const BackendEntry& entry : kBackends) {
        // The one chosen or the first available opens, or fails: no other is tried after it.
        if (choice.empty() ? entry.available() : choice == entry.name) {
            return entry.create(error);
        }
    }
    *error = choice.empty() ? "no X or Wayland display"
                            : "MENUSHELL_BACKEND is \"" + choice + "\", not " + Names();
    return nullptr;
}

}  // namespace backend
