// SPDX-License-Identifier: MIT
// The backend of sessions without X11, in the SDL module: SDL2 windows drawn from software
// frames (no GL), SDL input, cursors and message boxes, and sounds through SdlSound.
#pragma once

#include <memory>
#include <string>

#include "platform/backend/backend.h"

namespace backend {

// Null, with the reason in `error`, when there is no display to open windows on.
std::unique_ptr<Backend> MakeSdlBackend(std::string* error);

}  // namespace backend
