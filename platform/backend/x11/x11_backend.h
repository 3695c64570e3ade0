// SPDX-License-Identifier: MIT
// The backend for X11 sessions, on Xlib alone: windows, frames through shared memory, input,
// ARGB cursors, message boxes of its own. Sound is prepared once the first frame is up.
#pragma once

#include <memory>
#include <string>

#include "platform/backend/backend.h"

namespace backend {

// Null, with the reason in `error`, when the X server cannot be reached or shows no colours
// the frames can go to as they are.
std::unique_ptr<Backend> MakeX11Backend(std::string* error);

}  // namespace backend
