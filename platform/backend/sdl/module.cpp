// SPDX-License-Identifier: MIT
// The entries of the SDL module, loaded with dlopen: the backend for sessions without X11, and
// the audio output and the game controllers of every backend.
#include <string>

#include "platform/backend/sdl/sdl_backend.h"
#include "platform/backend/sdl/sdl_controllers.h"
#include "platform/backend/sdl/sdl_sound.h"

extern "C" __attribute__((visibility("default"))) backend::Backend* menushell_make_sdl_backend(
    std::string* error) {
    return backend::MakeSdlBackend(error).release();
}

extern "C" __attribute__((visibility("default"))) backend::SoundOutput* menushell_make_sdl_sound() {
    return new backend::SdlSound;
}

extern "C" __attribute__((visibility("default"))) backend::Controllers*
menushell_make_sdl_controllers() {
    return new backend::SdlControllers;
}
