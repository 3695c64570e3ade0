// SPDX-License-Identifier: MIT
// The frame an X window manager will put around a window that is not shown yet: asked for with
// _NET_REQUEST_FRAME_EXTENTS, where the manager supports it, as Windows knows a window's frame
// before it shows it.
#pragma once

#include <X11/Xlib.h>

#include "platform/backend/backend.h"

namespace backend {

// False (and zeros) without an X11 window manager that answers within a short wait.
bool RequestFrameExtents(Display* display, Window window, Margins* extents);

// The frame the manager has put around `window` already; false when it has said nothing.
bool ReadFrameExtents(Display* display, Window window, Margins* extents);

}  // namespace backend
