// SPDX-License-Identifier: MIT
// Which backend a program opens: the real ones in the order they are tried, as SDL lists its
// video drivers. The program's entry asks for "the backend" and names none.
#pragma once

#include <memory>
#include <string>

#include "platform/backend/backend.h"

namespace backend {

// MENUSHELL_BACKEND (x11 or sdl) names the one to open; otherwise the first whose session is
// there (an X display, then a Wayland one). Null, with the reason in `error`, when none opens.
std::unique_ptr<Backend> OpenBackend(std::string* error);

}  // namespace backend
